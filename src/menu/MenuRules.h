// What the Corvane menu shows, as plain rules: item texts and how many favourites fit
// in the command ids a host hands out.
#pragma once
#include <string>

namespace corvane::menu {

// Texts of the menu's own items.
constexpr const char* kMenuCaption = "Corvane";
constexpr const char* kAddCaption = "Add to Corvane";
constexpr const char* kEditCaption = "Edit Favourites...";
constexpr const char* kMoreCaption = "More in Corvane...";

// Longest alias shown whole; a longer one is cut and ends in "...".
constexpr size_t kMaxLabelChars = 64;

// The text of a favourite's item: cut to `maxChars` characters with "..." when longer,
// never inside a double-byte character (`isLeadByte` tells, none for single-byte code
// pages), then every "&" doubled so it shows as itself.
std::string MenuLabel(const std::string& alias, size_t maxChars = kMaxLabelChars,
                      bool (*isLeadByte)(unsigned char) = nullptr);

// Command offsets: the submenu item, the fixed commands, then one per shown favourite.
enum Offset : unsigned { SubmenuOffset = 0, AddOffset = 1, EditOffset = 2, MoreOffset = 3, FirstFavouriteOffset = 4 };

// How many of `count` favourites get an item when the host offers `ids` command ids
// (idCmdLast - idCmdFirst + 1); 0 ids or fewer than the fixed offsets show no menu.
int FavouritesThatFit(int count, unsigned long ids);
bool MenuFits(unsigned long ids);

} // namespace corvane::menu
