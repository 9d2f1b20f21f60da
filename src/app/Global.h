// The option flags and their file, the program's folders, and the folder browser.
#pragma once
#include "app/StoreNames.h"
#include "ui/UserPrompt.h"
#include "ui/Environment.h"
#include <windows.h>
#include <string>

namespace corvane::app {

// The option flags (store/Options.h): the main window holds them and hands them to the
// dialogs that read or change them.

// The program's name (caption of its message boxes) and its icon resource.
constexpr const char* kProgramTitle = "Corvane";
constexpr const char* kIconResource = "MAINICON";
constexpr const char* kFormClass = "CorvaneForm"; // the dialogs' window class
// Gives the class library the program's name and icon.
void ConfigureApplication();

// "options.ini" in the program folder (ui::ProgramFolder(), which tests point elsewhere).
std::string OptionsFilePath();

// Load: reads the three flags (default true). Save: writes all three; throws
// UiError "Unable to write to %s" when the file cannot be written.
void LoadSaveOptions(OptionFlags& options, bool load);

// The Windows folder, read in full even when it is longer than the first buffer.
std::string WindowsFolder(UINT(WINAPI* get)(LPWSTR, UINT) = &GetWindowsDirectoryW);

// The shell's folder browser: Root (empty for the whole shell namespace) is the top of
// the tree; on true, Directory holds the chosen folder. The other windows of the
// program are disabled while it is open. Owner defaults to the active window.
bool BrowseForFolder(const std::string& title, const std::wstring& root, std::string& directory, HWND owner = nullptr);
// The browser's callback: centres the dialog by its client size when it opens.
int CALLBACK CentreBrowseDialog(HWND window, UINT message, LPARAM param, LPARAM data);

// The product's user prompt: the platform's dialogs, with our own folder browser.
class ProductPrompt : public ui::Win32Prompt {
public:
    bool browseForFolder(HWND owner, const std::string& title, std::string& folder) override;
};

} // namespace corvane::app
