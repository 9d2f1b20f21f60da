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

ui::UiError UnableToWrite(const std::string& fileName) {
    return ui::UiError(ui::SystemMessageText("Unable to write to %s", fileName));
}

} // namespace

StoreWriteRefused::StoreWriteRefused(const std::string& message) : ui::UiError(message) {}

void WriteBackupFile(const FavouriteRows& rows, const std::string& fileName) {
    // The keys go into a copy that replaces the file only when complete, so a failure
    // half-way leaves the previous backup whole.
    ui::FileReplacement copy(fileName);
    if (!copy.valid()) throw UnableToWrite(fileName);
    ui::IniFile ini(copy.path());
    auto write = [&](const std::string& key, const std::string& value) {
        if (!ini.writeString(kBackupSection, key, value)) throw UnableToWrite(fileName);
    };
    const int n = rows.rowCount();
    write("Count", std::to_string(n));
    for (int i = 0; i < n; ++i) {
        write(AliasValueName(i), rows.rowAlias(i));
        write(PathValueName(i), rows.rowPath(i));
    }
    if (!copy.commit()) throw UnableToWrite(fileName);
}

void MergeBackupFile(FavouriteRows& rows, const std::string& storeKey, const std::string& fileName) {
    ui::IniFile ini(fileName);
    const int count = ParseBackupCount(ini.readString(kBackupSection, "Count", "0"));
    if (count <= 0) return;
    // Only the entries present can add anything, so a huge Count does not spin.
    for (int k : EntryIndices(SectionKeys(fileName, kBackupSection))) {
        if (k >= count) break;
        // Read whole: the store holds any length, and a cut text would come back as a new favourite.
        const std::string alias = ini.readWholeString(kBackupSection, AliasValueName(k), "");
        const std::string path = ini.readWholeString(kBackupSection, PathValueName(k), "");
        // An empty alias or path stored at index i would end the store's load there
        // and hide every favourite after it.
        if (alias.empty() || path.empty()) continue;
        bool present = false;
        for (int r = 0, n = rows.rowCount(); r < n && !present; ++r)
            present = SameFavourite(alias, path, rows.rowAlias(r), rows.rowPath(r));
        if (present) continue;
        rows.appendRow(alias, path);
        const int m = rows.rowCount();
        try {
            RewriteStoreRange(rows, storeKey, m - 1, m - 1);
        } catch (const ui::UiError& e) {
            throw StoreWriteRefused(e.what());
        }
    }
}

void ExportFavourites(MainForm& form) {
    ui::FileDialogRequest req = BackupDialog(kExportTitle);
    if (!ui::ThePrompt().saveFile(form.handle(), req)) return;
    const std::string fileName = WithBackupExtension(req.fileName);
    if (ui::FileExists(fileName) &&
        ui::ThePrompt().messageBox(form.handle(), fileName + " has existed,overite it?", "Corvane",
                                   MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2) != IDYES)
        return;
    WriteBackupFile(form, fileName);
}

void ImportFavourites(MainForm& form) {
    try {
        ui::FileDialogRequest req = BackupDialog(kImportTitle);
        if (!ui::ThePrompt().openFile(form.handle(), req)) return;
        auto batch = form.batchRowChanges();
        MergeBackupFile(form, form.storeKey(), req.fileName);
    } catch (const StoreWriteRefused&) {
        // Rows the store lacks would vanish at the next start: the user must know.
        throw;
    } catch (...) {
        // An unreadable or malformed file ends the import silently; what it added stays.
    }
}

} // namespace corvane::app
