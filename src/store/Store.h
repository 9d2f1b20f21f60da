// The favourites store: HKEY_CURRENT_USER\<key> with the values Ni, Pi and Setting,
// read by the shell extension exactly as written here.
#pragma once
#include <string>

namespace corvane::store {

constexpr const char* kStoreKey = "Software\\Corvane";
constexpr const char* kSeparatorAlias = "*Separator*";
constexpr const char* kSeparatorPath = "-";

// The rows the store reads into and writes from (the main window's list).
class FavouriteRows {
public:
    virtual ~FavouriteRows() = default;
    virtual int rowCount() const = 0;
    virtual std::string rowAlias(int i) const = 0;
    virtual std::string rowPath(int i) const = 0;
    virtual void appendRow(const std::string& alias, const std::string& path) = 0;
};

// Appends pairs 0..k-1, k being the first index whose alias or path is empty.
// Throws UiError "Invalid data type for '%s'" on a value of another type.
void LoadFavourites(FavouriteRows& rows, const std::string& key);
// The same rules for readers beside the editor: opens the key for reading only and never
// creates it; a missing key reads as no favourites.
void ReadFavourites(FavouriteRows& rows, const std::string& key);
// Each throws UiError "Failed to set data for '%s'", naming the first value not written,
// when the system refuses the write (also when the key cannot be opened for writing).
void WriteStoreValue(const std::string& key, const std::string& name, const std::string& text);
void RewriteStoreRange(const FavouriteRows& rows, const std::string& key, int first, int last);
void DeleteStorePair(const std::string& key, int index);

// First-run seeding: only when the key cannot be opened for reading; silent when the
// writes are refused. Returns whether it seeded.
bool SeedStoreIfMissing(const std::string& key, const std::string& windowsFolder);
// Writes Setting when it is missing or differs from exePath in any character; silent
// when the write is refused.
void RecordProgramPath(const std::string& key, const std::string& exePath);

// Appends a favourite at the next index, as the editor's Add does, unless a favourite
// with the same folder is already listed; seeds a missing key first. Only for when no
// editor is running: the editor keeps its own row count. Returns whether it added;
// throws UiError "Failed to set data for '%s'" when the store refuses the write.
bool AppendFavourite(const std::string& key, const std::string& alias, const std::string& path,
                     const std::string& windowsFolder);

constexpr const char* kProgramPathValue = "Setting";

std::string AliasValueName(int i);
std::string PathValueName(int i);

} // namespace corvane::store
