#include "app/Backup.h"
#include "app/BackupRules.h"
#include "app/MainForm.h"
#include "ui/Errors.h"
#include "ui/Files.h"
#include "ui/IniFile.h"
#include "ui/UserPrompt.h"
#include <windows.h>
#include <vector>

namespace corvane::app {

namespace {

// The key names of one section, read in full however long the list is.
std::vector<std::string> SectionKeys(const std::string& fileName, const char* section) {
    for (DWORD size = 4096;; size *= 2) {
        std::vector<char> buf(size, '\0');
        DWORD n = GetPrivateProfileStringA(section, nullptr, "", buf.data(), size, fileName.c_str());
        if (n + 2 < size || size >= (1u << 26)) {
            std::vector<std::string> keys;
            for (size_t i = 0; i < n;) {
                std::string k(buf.data() + i);
                i += k.size() + 1;
                if (!k.empty()) keys.push_back(std::move(k));
            }
            return keys;
        }
    }
}

ui::FileDialogRequest BackupDialog(const char* title) {
    ui::FileDialogRequest req;
    req.title = title;
    req.filter = kBackupFilter;
    return req;
}

void WriteKey(const ui::IniFile& ini, const std::string& key, const std::string& value) {
    if (!ini.writeString(kBackupSection, key, value))
        throw ui::UiError(ui::formatMessage("Unable to write to %s", ini.path()));
}

} // namespace

void WriteBackupFile(const FavouriteRows& rows, const std::string& fileName) {
    ui::IniFile ini(fileName);
    const int n = rows.rowCount();
    WriteKey(ini, "Count", std::to_string(n));
    for (int i = 0; i < n; ++i) {
        WriteKey(ini, AliasValueName(i), rows.rowAlias(i));
        WriteKey(ini, PathValueName(i), rows.rowPath(i));
    }
}

void MergeBackupFile(FavouriteRows& rows, const std::string& storeKey, const std::string& fileName) {
    ui::IniFile ini(fileName);
    const int count = ParseBackupCount(ini.readString(kBackupSection, "Count", "0"));
    if (count <= 0) return;
    // Only the entries present can add anything, so a huge Count does not spin.
    for (int k : EntryIndices(SectionKeys(fileName, kBackupSection))) {
        if (k >= count) break;
        const std::string alias = ini.readString(kBackupSection, AliasValueName(k), "");
        const std::string path = ini.readString(kBackupSection, PathValueName(k), "");
        // An empty alias or path stored at index i would end the store's load there
        // and hide every favourite after it.
        if (alias.empty() || path.empty()) continue;
        bool present = false;
        for (int r = 0, n = rows.rowCount(); r < n && !present; ++r)
            present = SameFavourite(alias, path, rows.rowAlias(r), rows.rowPath(r));
        if (present) continue;
        rows.appendRow(alias, path);
        const int m = rows.rowCount();
        RewriteStoreRange(rows, storeKey, m - 1, m - 1);
    }
}

void ExportFavourites(MainForm& form) {
    ui::FileDialogRequest req = BackupDialog(kExportTitle);
    if (!ui::prompt().saveFile(form.handle(), req)) return;
    const std::string fileName = WithBackupExtension(req.fileName);
    if (ui::fileExists(fileName) &&
        ui::prompt().messageBox(form.handle(), fileName + " has existed,overite it?", "Corvane",
                                MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2) != IDYES)
        return;
    WriteBackupFile(form, fileName);
}

void ImportFavourites(MainForm& form) {
    try {
        ui::FileDialogRequest req = BackupDialog(kImportTitle);
        if (!ui::prompt().openFile(form.handle(), req)) return;
        auto batch = form.batchRowChanges();
        MergeBackupFile(form, form.storeKey(), req.fileName);
    } catch (...) {
        // Import ends silently on any error; what it added stays.
    }
}

} // namespace corvane::app
