// What the Corvane menu shows, as plain rules: item texts, how many favourites fit in
// the command ids a host hands out, and which folders may be looked at while it is built.
#pragma once
#include <string>
#include <vector>

namespace corvane::menu {

// Texts of the menu's own items.
constexpr const char* kMenuCaption = "Corvane";
constexpr const char* kAddCaption = "Add to Corvane";
constexpr const char* kEditCaption = "Edit Favourites...";
constexpr const char* kMoreCaption = "More in Corvane...";

// Longest alias shown whole, in characters (code points); a longer one is cut and ends in "...".
constexpr size_t kMaxLabelChars = 64;

// The text of a favourite's item (UTF-8): cut to `maxChars` code points with "..." when
// longer, never inside a character, then every "&" doubled so it shows as itself.
std::string MenuLabel(const std::string& alias, size_t maxChars = kMaxLabelChars);

// Command offsets: the submenu item, the fixed commands, then one per shown favourite.
enum Offset : unsigned { SubmenuOffset = 0, AddOffset = 1, EditOffset = 2, MoreOffset = 3, FirstFavouriteOffset = 4 };

// How many of `count` favourites get an item when the host offers `ids` command ids
// (idCmdLast - idCmdFirst + 1); 0 ids or fewer than the fixed offsets show no menu.
int FavouritesThatFit(int count, unsigned long ids);
bool MenuFits(unsigned long ids);

// What building the menu may ask the system about a stored path. The menu is built on
// the host's UI thread on every right-click: only a fixed local drive is looked at, and
// only until the budget is spent; everything else is shown enabled and checked when chosen.
enum class DriveKind { Fixed, Missing, Other }; // Other: removable, optical, network, unknown
enum class Found { Nothing, Folder, File };
class ProbeHost {
public:
    virtual ~ProbeHost() = default;
    virtual DriveKind driveKind(char letter) = 0;     // the root's type only, never its media
    virtual Found probe(const std::string& path) = 0; // touches the disk
    virtual unsigned long nowMs() = 0;
};

// Milliseconds after the build starts when no new probe starts.
constexpr unsigned long kProbeBudgetMs = 30;

class FolderProbe {
public:
    explicit FolderProbe(ProbeHost& host, unsigned long budgetMs = kProbeBudgetMs);
    // Whether an item for `path` is shown enabled: false only for a path known to be no
    // `want` (a drive that does not exist, or a fixed drive's path probed in time).
    bool looksPresent(const std::string& path, Found want = Found::Folder);

private:
    DriveKind kindOf(char letter);
    ProbeHost& host_;
    unsigned long start_, budget_;
    DriveKind kinds_[26] = {};
    bool known_[26] = {};
};

} // namespace corvane::menu
