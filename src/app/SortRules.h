// The favourites' order rules, free of the platform: the alias comparison and the
// exchange sort of the main window.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace corvane::app {

// Byte by byte over the shorter length, a-z folded to A-Z, other bytes by their code;
// a prefix sorts first. Returns <0, 0 or >0.
int CompareAlias(const std::string& a, const std::string& b);

struct FavouriteRow {
    std::string alias;
    std::string path;
    bool operator==(const FavouriteRow&) const = default;
};

// The exchange sort: for each i, every later j is compared with i and the two rows
// exchanged when out of order. Not stable; equal aliases are never exchanged directly.
void ExchangeSort(std::vector<FavouriteRow>& rows, bool ascending);

} // namespace corvane::app
