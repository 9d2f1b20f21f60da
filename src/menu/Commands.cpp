#include "menu/Commands.h"
#include "store/Handover.h"
#include "store/PathRules.h"
#include "store/Store.h"
#include "ui/Environment.h"
#include "ui/Files.h"
#include "ui/Registry.h"
#include <shellapi.h>
#include <shlobj.h>
#include <shlguid.h>
#include <exception>

namespace corvane::menu {

namespace {

bool HasDriveLetter(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

bool IsDriveRoot(const std::string& path) {
    return HasDriveLetter(path) && (path.size() == 2 || (path.size() == 3 && (path[2] == '\\' || path[2] == '/')));
}

bool IsNetworkPath(const std::string& path) {
    if (store::IsUncPath(path)) return true;
    if (!HasDriveLetter(path)) return false;
    const char root[4] = {path[0], ':', '\\', '\0'};
    return GetDriveTypeA(root) == DRIVE_REMOTE;
}

template <class T>
struct ComRef {
    T* p = nullptr;
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (p) p->Release();
    }
};

bool ShellExecuteFolder(HWND owner, const char* verb, const std::string& file, const std::string& folder) {
    SHELLEXECUTEINFOA sei{};
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_FLAG_DDEWAIT;
    sei.hwnd = owner;
    sei.lpVerb = verb;
    sei.lpFile = file.c_str();
    sei.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    sei.nShow = SW_SHOWNORMAL;
    return ShellExecuteExA(&sei) != FALSE;
}

} // namespace

// Probing a floppy or card drive without a disk must not put up the system's "insert a
// disk" box in the host: the thread's error mode, never the process's.
FolderProbe::FolderProbe() {
    using SetMode = BOOL(WINAPI*)(DWORD, DWORD*);
    if (HMODULE kernel = GetModuleHandleA("kernel32.dll"))
        setThreadErrorMode_ = reinterpret_cast<SetMode>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "SetThreadErrorMode")));
    if (setThreadErrorMode_ && !setThreadErrorMode_(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldErrorMode_))
        setThreadErrorMode_ = nullptr;
}

FolderProbe::~FolderProbe() {
    if (setThreadErrorMode_) setThreadErrorMode_(oldErrorMode_, nullptr);
}

UINT FolderProbe::driveType(char letter) {
    const int i = (letter | 0x20) - 'a';
    if (driveTypes_[i] == 0) { // DRIVE_UNKNOWN is asked again, never stored
        const char root[4] = {letter, ':', '\\', '\0'};
        driveTypes_[i] = GetDriveTypeA(root);
    }
    return driveTypes_[i];
}

bool FolderProbe::looksPresent(const std::string& path) {
    if (store::IsUncPath(path)) return true;
    if (HasDriveLetter(path)) {
        const UINT type = driveType(path[0]);
        if (type == DRIVE_REMOTE) return true;
        if (type == DRIVE_NO_ROOT_DIR) return false;
    }
    return ui::DirectoryExists(path);
}

bool IsFolder(const std::string& path) {
    if (IsDriveRoot(path)) return true;
    FolderProbe quiet;
    return ui::DirectoryExists(path);
}

std::string EditorPath() {
    try {
        ui::RegistryKey k = ui::RegistryKey::open(HKEY_CURRENT_USER, kStoreKey, KEY_QUERY_VALUE, false);
        const std::string path = k.readString(store::kProgramPathValue);
        if (path.empty()) return {};
        // An editor on a network share is taken as there: the menu never waits on the network.
        return IsNetworkPath(path) || ui::FileExists(path) ? path : std::string();
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception&) {
        return {}; // Setting of another type: no editor we can start
    }
}

bool StartEditor(HWND owner) {
    const std::string exe = EditorPath();
    if (exe.empty()) return false;
    const auto slash = exe.find_last_of('\\');
    return ShellExecuteFolder(owner, "open", exe, slash == std::string::npos ? std::string() : exe.substr(0, slash));
}

bool BrowseDialogTo(IUnknown* site, const std::string& path) {
    if (!site) return false;
    ComRef<IServiceProvider> services;
    if (FAILED(site->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&services.p))) || !services.p)
        return false;
    ComRef<IShellBrowser> browser;
    if (FAILED(services.p->QueryService(SID_SShellBrowser, IID_IShellBrowser, reinterpret_cast<void**>(&browser.p))) ||
        !browser.p)
        return false;
    // Only a common dialog is moved in place; Explorer windows get a window of their own.
    ComRef<ICommDlgBrowser> dialog;
    if (FAILED(browser.p->QueryInterface(IID_ICommDlgBrowser, reinterpret_cast<void**>(&dialog.p))) || !dialog.p)
        return false;
    PIDLIST_ABSOLUTE pidl = ILCreateFromPathA(path.c_str());
    if (!pidl) return false;
    const HRESULT hr = browser.p->BrowseObject(pidl, SBSP_SAMEBROWSER | SBSP_ABSOLUTE);
    ILFree(pidl);
    return SUCCEEDED(hr);
}

bool OpenFolderWindow(HWND owner, const std::string& path, bool explore) {
    return ShellExecuteFolder(owner, explore ? "explore" : "open", path, std::string());
}

AddResult AddFolder(const std::string& path) {
    if (path.empty()) return AddResult::Failed;
    const std::string alias = store::AliasFromPath(path);
    if (HWND editor = FindWindowA(kEditorWindowClass, nullptr)) {
        std::string data = store::EncodeFolderHandover(alias, path);
        if (data.size() > store::kMaxHandoverBytes) return AddResult::Failed;
        COPYDATASTRUCT cds{store::kAddFolderTag, static_cast<DWORD>(data.size()), data.data()};
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(editor, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                 5000, &answer))
            return AddResult::EditorBusy;
        return answer ? AddResult::HandedToEditor : AddResult::Failed;
    }
    try {
        return store::AppendFavourite(kStoreKey, alias, path, ui::ReadSystemFolder(&GetWindowsDirectoryW))
                   ? AddResult::Added
                   : AddResult::AlreadyListed;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception&) {
        return AddResult::Failed;
    }
}

} // namespace corvane::menu
