#include "app/SortRules.h"
#include <cstdint>

namespace corvane::app {

namespace {
unsigned char fold(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

bool parseInt(const std::string& s, size_t pos, int base, int64_t& out) {
    bool neg = false;
    if (base == 10 && pos < s.size() && (s[pos] == '-' || s[pos] == '+')) neg = s[pos++] == '-';
    if (pos >= s.size()) return false;
    int64_t v = 0;
    for (; pos < s.size(); ++pos) {
        char c = s[pos];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        v = v * base + d;
        if (v > 0xFFFFFFFFLL) return false; // beyond 32 bits is not an integer here
    }
    if (base == 10 && v > (neg ? 0x80000000LL : 0x7FFFFFFFLL)) return false;
    out = neg ? -v : v;
    return true;
}
} // namespace

int CompareAlias(const std::string& a, const std::string& b) {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        int d = fold(static_cast<unsigned char>(a[i])) - fold(static_cast<unsigned char>(b[i]));
        if (d != 0) return d;
    }
    return (a.size() > b.size()) - (a.size() < b.size());
}

void ExchangeSort(std::vector<FavouriteRow>& rows, bool ascending) {
    const int n = static_cast<int>(rows.size());
    if (ascending) {
        for (int i = 0; i <= n - 2; ++i)
            for (int j = i + 1; j <= n - 1; ++j)
                if (CompareAlias(rows[i].alias, rows[j].alias) > 0) std::swap(rows[i], rows[j]);
    } else {
        for (int i = 0; i <= n - 2; ++i)
            for (int j = n - 1; j >= i + 1; --j)
                if (CompareAlias(rows[i].alias, rows[j].alias) < 0) std::swap(rows[i], rows[j]);
    }
}

bool ParseOptionValue(const std::string& text, bool def) {
    int64_t v = 0;
    bool ok;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) ok = parseInt(text, 2, 16, v);
    else ok = parseInt(text, 0, 10, v);
    if (!ok) return def;
    return v != 0;
}

} // namespace corvane::app
