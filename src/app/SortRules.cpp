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

} // namespace corvane::app
