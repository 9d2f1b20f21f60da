#include "app/SortRules.h"

namespace corvane::app {

namespace {
unsigned char Fold(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

} // namespace

int CompareAlias(const std::string& a, const std::string& b) {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        int d = Fold(static_cast<unsigned char>(a[i])) - Fold(static_cast<unsigned char>(b[i]));
        if (d != 0) return d;
    }
    return (a.size() > b.size()) - (a.size() < b.size());
}

int CompareAliasKeys(const AliasKey& a, const AliasKey& b) {
    if (a.inCodePage && b.inCodePage) return CompareAlias(a.bytes, b.bytes);
    auto fold = [](char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; };
    const size_t n = a.units.size() < b.units.size() ? a.units.size() : b.units.size();
    for (size_t i = 0; i < n; ++i) {
        const int d = static_cast<int>(fold(a.units[i])) - static_cast<int>(fold(b.units[i]));
        if (d != 0) return d;
    }
    return (a.units.size() > b.units.size()) - (a.units.size() < b.units.size());
}

void ExchangeSort(std::vector<FavouriteRow>& rows, bool ascending,
                  const std::function<AliasKey(const std::string&)>& keyOf) {
    const int n = static_cast<int>(rows.size());
    // Keys travel with their rows, made once: the sort compares each pair of rows.
    std::vector<AliasKey> keys;
    keys.reserve(rows.size());
    for (const FavouriteRow& r : rows) keys.push_back(keyOf ? keyOf(r.alias) : AliasKey{true, r.alias, {}});
    auto compare = [&](int i, int j) { return CompareAliasKeys(keys[i], keys[j]); };
    auto exchange = [&](int i, int j) {
        std::swap(rows[i], rows[j]);
        std::swap(keys[i], keys[j]);
    };
    if (ascending) {
        for (int i = 0; i <= n - 2; ++i)
            for (int j = i + 1; j <= n - 1; ++j)
                if (compare(i, j) > 0) exchange(i, j);
    } else {
        for (int i = 0; i <= n - 2; ++i)
            for (int j = n - 1; j >= i + 1; --j)
                if (compare(i, j) < 0) exchange(i, j);
    }
}

} // namespace corvane::app
