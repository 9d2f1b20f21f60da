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
    // Each key is made and folded once, so that a comparison is a plain ordinal one, which
    // orders every pair as CompareAliasKeys does: the same exchanges happen. The sort moves
    // indexes; the rows are put in their places once at the end.
    std::vector<AliasKey> keys;
    keys.reserve(rows.size());
    for (const FavouriteRow& r : rows) {
        AliasKey k = keyOf ? keyOf(r.alias) : AliasKey{true, r.alias, {}};
        for (char& c : k.bytes) c = static_cast<char>(Fold(static_cast<unsigned char>(c)));
        for (char16_t& c : k.units)
            if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
        keys.push_back(std::move(k));
    }
    std::vector<int> at(rows.size());
    for (int i = 0; i < n; ++i) at[static_cast<size_t>(i)] = i;
    auto compare = [&](int i, int j) {
        const AliasKey& a = keys[static_cast<size_t>(at[static_cast<size_t>(i)])];
        const AliasKey& b = keys[static_cast<size_t>(at[static_cast<size_t>(j)])];
        return a.inCodePage && b.inCodePage ? a.bytes.compare(b.bytes) : a.units.compare(b.units);
    };
    auto exchange = [&](int i, int j) { std::swap(at[static_cast<size_t>(i)], at[static_cast<size_t>(j)]); };
    if (ascending) {
        for (int i = 0; i <= n - 2; ++i)
            for (int j = i + 1; j <= n - 1; ++j)
                if (compare(i, j) > 0) exchange(i, j);
    } else {
        for (int i = 0; i <= n - 2; ++i)
            for (int j = n - 1; j >= i + 1; --j)
                if (compare(i, j) < 0) exchange(i, j);
    }
    std::vector<FavouriteRow> sorted;
    sorted.reserve(rows.size());
    for (int i : at) sorted.push_back(std::move(rows[static_cast<size_t>(i)]));
    rows = std::move(sorted);
}

} // namespace corvane::app
