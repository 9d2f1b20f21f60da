// Backup files: Export writes the whole list to an INI file (section Corvane, keys
// Count, Ni, Pi); Import merges a file's favourites into the list, skipping those
// already present, and writes each added one to the store at once.
#pragma once
#include "app/StoreNames.h"
#include "ui/Errors.h"
#include <string>

namespace corvane::app {

class MainForm;

constexpr const char* kExportTitle = "Export Alias and Path";
constexpr const char* kImportTitle = "Import Alias and Path";
constexpr const char* kBackupFilter = "Backup files (*.kvr)|*.KVR|All files (*.*)| *.*";

// A store write that failed during an import (the row it was for stays in the list).
class StoreWriteRefused : public ui::UiError {
public:
    explicit StoreWriteRefused(const std::string& message);
};

// The main window's Export command: save dialog, ".kvr" rule, overwrite question,
// then the rows. Throws UiError "Unable to write to %s" when the file cannot be written.
void ExportFavourites(MainForm& form);
// The main window's Import command: open dialog, then the merge. Ends silently on an
// unreadable or malformed file; rethrows StoreWriteRefused for the standard error box.
void ImportFavourites(MainForm& form);

// Writes Count and the pairs of `rows` to `fileName` (other content stays) through a
// copy that replaces the file only when every key is written.
void WriteBackupFile(const FavouriteRows& rows, const std::string& fileName);
// Merges `fileName` into `rows`, writing each appended row to the store under `storeKey`.
// Throws StoreWriteRefused on a store write that fails; the rows added up to it stay.
void MergeBackupFile(FavouriteRows& rows, const std::string& storeKey, const std::string& fileName);

} // namespace corvane::app
