#include "app/Store.h"
#include "ui/Errors.h"
#include "ui/Registry.h"

namespace corvane::app {

using ui::RegistryKey;

namespace {
// Appended in two steps: GCC 12 reports a false -Wrestrict for "N" + std::to_string(i).
std::string indexedName(char letter, int i) {
    std::string name(1, letter);
    return name += std::to_string(i);
}
} // namespace

std::string AliasValueName(int i) { return indexedName('N', i); }
std::string PathValueName(int i) { return indexedName('P', i); }

namespace {
RegistryKey openForWriting(const std::string& key) {
    return RegistryKey::open(HKEY_CURRENT_USER, key, KEY_ALL_ACCESS, true);
}

void writeOrThrow(const RegistryKey& k, const std::string& name, const std::string& text) {
    if (!k.writeString(name, text)) throw ui::UiError(ui::formatMessage("Failed to set data for '%s'", name));
}
} // namespace

void LoadFavourites(FavouriteRows& rows, const std::string& key) {
    RegistryKey k = openForWriting(key);
    if (!k.valid()) return;
    for (int i = 0;; ++i) {
        std::string alias = k.readString(AliasValueName(i));
        std::string path = k.readString(PathValueName(i));
        if (alias.empty() || path.empty()) return;
        rows.appendRow(alias, path);
    }
}

void WriteStoreValue(const std::string& key, const std::string& name, const std::string& text) {
    RegistryKey k = openForWriting(key);
    if (!k.valid()) return;
    writeOrThrow(k, name, text);
}

void RewriteStoreRange(const FavouriteRows& rows, const std::string& key, int first, int last) {
    const int n = rows.rowCount();
    if (first >= n) return;
    RegistryKey k = openForWriting(key);
    if (!k.valid()) return;
    if (last < first || last >= n) return;
    for (int i = first; i <= last; ++i) {
        writeOrThrow(k, AliasValueName(i), rows.rowAlias(i));
        writeOrThrow(k, PathValueName(i), rows.rowPath(i));
    }
}

void DeleteStorePair(const std::string& key, int index) {
    RegistryKey k = RegistryKey::open(HKEY_CURRENT_USER, key, KEY_ALL_ACCESS, false);
    if (!k.valid()) return;
    k.deleteValue(AliasValueName(index));
    k.deleteValue(PathValueName(index));
}

bool SeedStoreIfMissing(const std::string& key, const std::string& windowsFolder) {
    if (RegistryKey::exists(HKEY_CURRENT_USER, key)) return false;
    int i = 0;
    // An empty path would end every load at this pair and hide the rest.
    if (!windowsFolder.empty()) {
        WriteStoreValue(key, AliasValueName(i), "Windows Directory");
        WriteStoreValue(key, PathValueName(i++), windowsFolder);
    }
    WriteStoreValue(key, AliasValueName(i), "C:\\");
    WriteStoreValue(key, PathValueName(i), "C:\\");
    return true;
}

void RecordProgramPath(const std::string& key, const std::string& exePath) {
    std::string current;
    {
        RegistryKey k = openForWriting(key);
        if (!k.valid()) return;
        current = k.readString("Setting");
    }
    if (current.empty() || current != exePath) WriteStoreValue(key, "Setting", exePath);
}

} // namespace corvane::app
