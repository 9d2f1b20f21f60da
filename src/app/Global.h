// Program-wide option flags, the options file, and the program's folders.
#pragma once
#include <windows.h>
#include <string>

namespace corvane::app {

// The three option flags; all true until the options file says otherwise.
inline bool ExploreFolder = true;
inline bool AskDelete = true;
inline bool ShowTips = true;

constexpr const char* kOptionsSection = "Options";

// Full path of the running executable, as the process sees it.
std::string ExecutablePath();
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

} // namespace corvane::app
