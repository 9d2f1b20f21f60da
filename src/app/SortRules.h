// The favourites' order rules, free of the platform: the alias comparison and the
// exchange sort of the main window.
#pragma once
#include <functional>
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

// An alias as the sort compares it: its code-page bytes when the code page holds it (so a
// list of such aliases sorts exactly as it always has), otherwise its UTF-16 text.
struct AliasKey {
    bool inCodePage = true;
    std::string bytes;    // when inCodePage
    std::u16string units; // always
};
// Two code-page aliases by CompareAlias; any other pair ordinally by UTF-16 unit, a-z
// folded to A-Z, a prefix first.
int CompareAliasKeys(const AliasKey& a, const AliasKey& b);

// The exchange sort: for each i, every later j is compared with i and the two rows
// exchanged when out of order. Not stable; equal aliases are never exchanged directly.
// `keyOf` makes each alias's key once; without it the aliases' bytes are compared.
void ExchangeSort(std::vector<FavouriteRow>& rows, bool ascending,
                  const std::function<AliasKey(const std::string&)>& keyOf = {});

} // namespace corvane::app
