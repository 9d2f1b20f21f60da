// The one seam object: what the program takes from the machine and tests point
// elsewhere. Empty folders mean the system's own; no prompt means the platform's
// dialogs (ui/UserPrompt.h).
#pragma once
#include <windows.h>
#include <functional>
#include <optional>
#include <string>

namespace corvane::ui {

class UserPrompt;

struct Folders {
    std::string program; // beside the executable
    std::string windows;
    std::string system;
    std::string temp;
};

// The GDI allocations a test can make fail (Environment::failGdiAllocation).
enum class GdiAllocation { MemoryDc, Bitmap, DibSection, Font };

struct Environment {
    Folders folders;
    // Asked before each GDI allocation of the class library's owners; true makes it
    // fail as it would on an exhausted system.
    std::function<bool(GdiAllocation)> failGdiAllocation;
    UserPrompt* prompt = nullptr;
    // Whether the system reads right to left; unset asks the user's locale.
    std::optional<bool> rightToLeftSystem;
};

Environment& TheEnvironment();

// The folders in use, each ending in a backslash.
std::string ProgramFolder();
std::string WindowsFolderPath();
std::string SystemFolder();
std::string TempFolder();

// Whether the user's locale lays text out from right to left.
bool SystemReadsRightToLeft();
// Whether a control that asks for right-to-left reading (its BiDi mode) gets it:
// only where the system reads so.
bool RightToLeftReading(bool asked);

// Full path of the running executable, as the process sees it, however long (`get`
// stands in for GetModuleFileNameW).
std::string ExecutablePath(DWORD(WINAPI* get)(HMODULE, LPWSTR, DWORD) = &GetModuleFileNameW);
// A folder the system names through `get` (GetWindowsDirectoryW and the like), read in
// full even when it is longer than the first buffer; no backslash added.
std::string ReadSystemFolder(UINT(WINAPI* get)(LPWSTR, UINT));

} // namespace corvane::ui
