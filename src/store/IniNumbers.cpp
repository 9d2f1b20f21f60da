#include "store/IniNumbers.h"
#include <cstdint>

namespace corvane::store {

namespace {
// Digits of `base` from `pos` to the end, at least one, value within int.
bool ParseDigits(const std::string& s, size_t pos, int base, bool negative, int& out) {
    if (pos >= s.size()) return false;
    int64_t v = 0;
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    for (size_t i = pos; i < s.size(); ++i) {
        char c = s[i];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        v = v * base + d;
        if (v > limit) return false;
    }
    out = static_cast<int>(negative ? -v : v);
    return true;
}
} // namespace

bool ParseIniInteger(const std::string& text, int& out) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return ParseDigits(text, 2, 16, false, out);
    size_t pos = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        pos = 1;
    }
    return ParseDigits(text, pos, 10, negative, out);
}

bool ParseOptionValue(const std::string& text, bool def) {
    int v = 0;
    return ParseIniInteger(text, v) ? v != 0 : def;
}

} // namespace corvane::store
