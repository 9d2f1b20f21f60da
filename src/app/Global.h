// Program-wide option flags, the options file, and the program's folders.
#pragma once
#include "ui/UserPrompt.h"
#include <windows.h>
#include <string>

namespace corvane::app {

// The three option flags; all true until the options file says otherwise.
inline bool ExploreFolder = true;
inline bool AskDelete = true;
inline bool ShowTips = true;

constexpr const char* kOptionsSection = "Options";

// Full path of the running executable, as the process sees it.
std::string ExecutablePath(DWORD(WINAPI* get)(HMODULE, LPSTR, DWORD) = &GetModuleFileNameA);
// The executable's folder, ending in a backslash.
std::string ProgramFolder();
// Tests point the program folder (and with it the options file) elsewhere; "" resets.
void SetProgramFolderOverride(const std::string& folder);
std::string OptionsFilePath();

// Load: reads the three flags (default true). Save: writes all three; throws
// UiError "Unable to write to %s" when the file cannot be written.
void LoadSaveOptions(bool load);

// The Windows folder, read in full even when it is longer than the first buffer.
std::string WindowsFolder(UINT(WINAPI* get)(LPSTR, UINT) = &GetWindowsDirectoryA);

// True when the path names an existing folder; a relative path is taken from the
// current folder.
bool DirectoryExists(const std::string& path);

// The shell's folder browser: Root (empty for the whole shell namespace) is the top of
// the tree; on true, Directory holds the chosen folder. The other windows of the
// program are disabled while it is open. Owner defaults to the active window.
bool BrowseForFolder(const std::string& title, const std::wstring& root, std::string& directory,
                     HWND owner = nullptr);
// The browser's callback: centres the dialog by its client size when it opens.
int CALLBACK CentreBrowseDialog(HWND window, UINT message, LPARAM param, LPARAM data);

// The product's user prompt: the platform's dialogs, with our own folder browser.
class ProductPrompt : public ui::Win32Prompt {
public:
    bool browseForFolder(HWND owner, const std::string& title, std::string& folder) override;
};

} // namespace corvane::app
