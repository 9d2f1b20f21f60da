#include "app/Backup.h"
#include "app/BackupRules.h"
#include "app/MainForm.h"
#include "ui/Errors.h"
#include "ui/Environment.h"
#include "ui/Files.h"
#include "ui/IniFile.h"
#include "ui/UserPrompt.h"
#include "ui/WideText.h"
#include <windows.h>
#include <memory>
#include <vector>

namespace corvane::app {

namespace {

// Whether every text of the list is a code-page text that comes back unchanged.
bool FitsCodePage(const FavouriteRows& rows) {
    for (int i = 0, n = rows.rowCount(); i < n; ++i)
        if (!ui::FitsCodePage(rows.rowAlias(i)) || !ui::FitsCodePage(rows.rowPath(i))) return false;
    return true;
}

// A UTF-16 copy, in the temporary folder, of a backup file written in UTF-8 with its mark:
// the profile functions read such a file as code-page text on Windows.
class Utf16Copy {
public:
    explicit Utf16Copy(const std::string& source) {
        wchar_t name[MAX_PATH + 1] = {};
        if (!GetTempFileNameW(ui::WideArg(ui::TempFolder()), L"cvi", 0, name)) return;
        path_ = ui::Narrow(name);
        if (!CopyFileW(ui::WideArg(source), name, FALSE) || !ui::RewriteAsUtf16(path_)) {
            DeleteFileW(name);
            path_.clear();
        }
    }
    ~Utf16Copy() {
        if (!path_.empty()) DeleteFileW(ui::WideArg(path_));
    }
    Utf16Copy(const Utf16Copy&) = delete;
    Utf16Copy& operator=(const Utf16Copy&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

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
    // A list the code page holds is written as before, byte for byte, so older versions and
    // other readers keep reading it; any other goes into a Unicode file, which the profile
    // functions read back whole (the file's other sections come along).
    const ui::TextEncoding encoding = ui::FileTextEncoding(copy.path());
    if ((encoding == ui::TextEncoding::Utf8 || (encoding == ui::TextEncoding::CodePage && !FitsCodePage(rows))) &&
        !ui::RewriteAsUtf16(copy.path()))
        throw UnableToWrite(fileName);
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
    std::unique_ptr<Utf16Copy> converted;
    if (ui::FileTextEncoding(fileName) == ui::TextEncoding::Utf8) {
        converted = std::make_unique<Utf16Copy>(fileName);
        if (converted->path().empty()) return;
    }
    ui::IniFile ini(converted ? converted->path() : fileName);
    const int count = ParseBackupCount(ini.readString(kBackupSection, "Count", "0"));
    if (count <= 0) return;
    // Only the entries present can add anything, so a huge Count does not spin.
    for (int k : EntryIndices(ini.keyNames(kBackupSection))) {
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
