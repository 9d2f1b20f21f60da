// What the Corvane menu's commands do, outside the COM plumbing. Text is UTF-8 inside;
// Windows gets it wide.
#pragma once
#include "menu/MenuRules.h"
#include <windows.h>
#include <string>

namespace corvane::menu {

constexpr const char* kStoreKey = "Software\\Corvane";
constexpr const wchar_t* kEditorWindowClass = L"Corvane Made by Tollbright";
// One writer of the store at a time among the menus of this session (Explorer's windows
// are threads, every program's dialog another process).
constexpr const wchar_t* kStoreWriteMutex = L"Local\\Corvane.Menu.StoreWrite";
constexpr DWORD kStoreWriteWaitMs = 3000;
constexpr UINT kHandoverWaitMs = 3000;

// The system's answers for FolderProbe: drive types and attributes, with the thread's
// error mode set so that an empty drive never puts up the system's "insert a disk" box.
class SystemProbeHost : public ProbeHost {
public:
    SystemProbeHost();
    ~SystemProbeHost() override;
    SystemProbeHost(const SystemProbeHost&) = delete;
    SystemProbeHost& operator=(const SystemProbeHost&) = delete;
    DriveKind driveKind(char letter) override;
    Found probe(const std::string& path) override;
    unsigned long nowMs() override { return GetTickCount(); }

private:
    BOOL(WINAPI* setThreadErrorMode_)(DWORD, DWORD*) = nullptr;
    DWORD oldErrorMode_ = 0;
};

// The editor's path as the store's Setting names it, or empty; never touches the disk.
std::string EditorPath();

// How a command was asked for: the window to own messages, whether messages are
// allowed (no CMIC_MASK_FLAG_NO_UI), and the site the shell gave.
struct Invocation {
    HWND owner = nullptr;
    bool ui = true;
    IUnknown* site = nullptr;
};

// Shows `text` unless the caller asked for no UI.
void Tell(const Invocation& how, const std::string& text);

// Goes to a favourite's folder: a file dialog found through the site moves there (and
// nothing else happens, even when it cannot); elsewhere the folder opens in a window.
// A path that is not an existing folder is never handed to the shell.
HRESULT GoToFolder(const Invocation& how, const std::string& path);
HRESULT StartEditor(const Invocation& how);

enum class AddResult { Added, AlreadyListed, HandedToEditor, EditorBusy, EditorRefused, StoreBusy, Failed };
// Adds the folder with the alias the editor proposes for it: through an open editor
// when there is one, else straight into the store under the menus' write lock.
AddResult AddFolder(const std::string& path);
// Whether the site is an Open or Save dialog (of either kind); asks the site only.
bool InFileDialog(IUnknown* site);
// What the user is told when the folder was not added; empty when it was.
std::string AddFailureText(AddResult result, const std::string& path);

} // namespace corvane::menu
