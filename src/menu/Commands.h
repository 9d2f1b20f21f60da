// What the Corvane menu's commands do, outside the COM plumbing.
#pragma once
#include <windows.h>
#include <string>

namespace corvane::menu {

constexpr const char* kStoreKey = "Software\\Corvane";
constexpr const char* kEditorWindowClass = "Corvane Made by Tollbright";

// Whether favourites' folders are worth showing enabled, for one build of the menu.
// Network folders (UNC paths, remote drives) count as present without being touched, so
// a lost share never stalls; each drive's type is asked once.
class FolderProbe {
public:
    FolderProbe();
    ~FolderProbe();
    FolderProbe(const FolderProbe&) = delete;
    FolderProbe& operator=(const FolderProbe&) = delete;
    bool looksPresent(const std::string& path);

private:
    UINT driveType(char letter);
    UINT driveTypes_[26] = {};
    BOOL(WINAPI* setThreadErrorMode_)(DWORD, DWORD*) = nullptr;
    DWORD oldErrorMode_ = 0;
};
// The one right-clicked item as a folder: a drive root, or an existing folder.
bool IsFolder(const std::string& path);

// The editor's path from the store, or empty.
std::string EditorPath();
bool StartEditor(HWND owner);

// Sends the folder to a common dialog shown by `site`; false when the site is none.
bool BrowseDialogTo(IUnknown* site, const std::string& path);
// Opens the folder in a window of its own: explored (with the folder tree) or opened.
bool OpenFolderWindow(HWND owner, const std::string& path, bool explore);

enum class AddResult { Added, AlreadyListed, HandedToEditor, EditorBusy, Failed };
// Adds the folder with the alias the editor proposes for it: through an open editor
// when there is one, else straight into the store.
AddResult AddFolder(const std::string& path);

} // namespace corvane::menu
