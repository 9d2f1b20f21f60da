#include "store/Store.h"
#include "ui/Errors.h"
#include "store/PathRules.h"
#include "ui/Registry.h"
#include <vector>

namespace corvane::store {

using ui::RegistryKey;

namespace {
// Appended in two steps: GCC 12 reports a false -Wrestrict for "N" + std::to_string(i).
std::string IndexedName(char letter, int i) {
    std::string name(1, letter);
    return name += std::to_string(i);
}
} // namespace

std::string AliasValueName(int i) { return IndexedName('N', i); }
std::string PathValueName(int i) { return IndexedName('P', i); }

namespace {
RegistryKey OpenForWriting(const std::string& key) {
    return RegistryKey::open(HKEY_CURRENT_USER, key, KEY_ALL_ACCESS, true);
}

ui::UiError WriteRefused(const std::string& name) {
    return ui::UiError(ui::SystemMessageText("Failed to set data for '%s'", name));
}

// A key that can be read but not written refuses every change: that is said, never
// passed over as if the change had been made.
RegistryKey OpenForWritingOrThrow(const std::string& key, const std::string& firstName) {
    RegistryKey k = OpenForWriting(key);
    if (!k.valid()) throw WriteRefused(firstName);
    return k;
}

void WriteOrThrow(const RegistryKey& k, const std::string& name, const std::string& text) {
    if (!k.writeString(name, text)) throw WriteRefused(name);
}
} // namespace

namespace {
void LoadPairs(const RegistryKey& k, FavouriteRows& rows) {
    for (int i = 0;; ++i) {
        std::string alias = k.readString(AliasValueName(i));
        std::string path = k.readString(PathValueName(i));
        if (alias.empty() || path.empty()) return;
        rows.appendRow(alias, path);
    }
}
} // namespace

void LoadFavourites(FavouriteRows& rows, const std::string& key) {
    // Opened for reading only, not with full access: a key the user may read but not
    // write still shows its list, and each write that is then refused says so.
    RegistryKey k = RegistryKey::open(HKEY_CURRENT_USER, key, KEY_QUERY_VALUE, true);
    if (k.valid()) LoadPairs(k, rows);
}

void ReadFavourites(FavouriteRows& rows, const std::string& key) {
    RegistryKey k = RegistryKey::open(HKEY_CURRENT_USER, key, KEY_QUERY_VALUE, false);
    if (k.valid()) LoadPairs(k, rows);
}

void WriteStoreValue(const std::string& key, const std::string& name, const std::string& text) {
    WriteOrThrow(OpenForWritingOrThrow(key, name), name, text);
}

void RewriteStoreRange(const FavouriteRows& rows, const std::string& key, int first, int last) {
    const int n = rows.rowCount();
    if (first >= n) return;
    RegistryKey k = OpenForWriting(key);
    if (last < first || last >= n) return;
    if (!k.valid()) throw WriteRefused(AliasValueName(first));
    for (int i = first; i <= last; ++i) {
        WriteOrThrow(k, AliasValueName(i), rows.rowAlias(i));
        WriteOrThrow(k, PathValueName(i), rows.rowPath(i));
    }
}

void DeleteStorePair(const std::string& key, int index) {
    RegistryKey k = RegistryKey::open(HKEY_CURRENT_USER, key, KEY_ALL_ACCESS, false);
    if (!k.valid()) {
        if (!RegistryKey::exists(HKEY_CURRENT_USER, key)) return; // nothing left to delete
        throw WriteRefused(AliasValueName(index));
    }
    if (!k.deleteValue(AliasValueName(index))) throw WriteRefused(AliasValueName(index));
    if (!k.deleteValue(PathValueName(index))) throw WriteRefused(PathValueName(index));
}

bool SeedStoreIfMissing(const std::string& key, const std::string& windowsFolder) {
    if (RegistryKey::exists(HKEY_CURRENT_USER, key)) return false;
    // Silent: a store that cannot be seeded still shows an (empty) list.
    try {
        int i = 0;
        // An empty path would end every load at this pair and hide the rest.
        if (!windowsFolder.empty()) {
            WriteStoreValue(key, AliasValueName(i), "Windows Directory");
            WriteStoreValue(key, PathValueName(i++), windowsFolder);
        }
        WriteStoreValue(key, AliasValueName(i), "C:\\");
        WriteStoreValue(key, PathValueName(i), "C:\\");
    } catch (const ui::UiError&) {}
    return true;
}

namespace {
struct PathList : FavouriteRows {
    std::vector<std::string> paths;
    int rowCount() const override { return static_cast<int>(paths.size()); }
    std::string rowAlias(int) const override { return {}; }
    std::string rowPath(int i) const override { return paths[i]; }
    void appendRow(const std::string&, const std::string& path) override { paths.push_back(path); }
};
} // namespace

bool AppendFavourite(const std::string& key, const std::string& alias, const std::string& path,
                     const std::string& windowsFolder) {
    SeedStoreIfMissing(key, windowsFolder);
    PathList list;
    try {
        LoadFavourites(list, key);
    } catch (const ui::UiError&) {
        // The editor would show the rows before the bad value and add after them.
    }
    for (const std::string& p : list.paths)
        if (SamePath(p, path)) return false;
    const int i = list.rowCount();
    WriteStoreValue(key, AliasValueName(i), alias);
    WriteStoreValue(key, PathValueName(i), path);
    return true;
}

void RecordProgramPath(const std::string& key, const std::string& exePath) {
    RegistryKey k = OpenForWriting(key);
    if (!k.valid()) return;
    const std::string current = k.readString(kProgramPathValue);
    // Silent, like the seeding: the list is shown whatever the store allows.
    if (current.empty() || current != exePath) k.writeString(kProgramPathValue, exePath);
}

} // namespace corvane::store
