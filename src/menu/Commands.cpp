#include "menu/Commands.h"
#include "menu/ComRef.h"
#include "store/Handover.h"
#include "store/Options.h"
#include "store/PathRules.h"
#include "store/Store.h"
#include "ui/Environment.h"
#include "ui/Registry.h"
#include "ui/WideText.h"
#include <shellapi.h>
#include <shlobj.h>
#include <shlguid.h>
#include <shobjidl.h>
#include <exception>
#include <vector>

namespace corvane::menu {

namespace {

Found FoundAt(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(ui::WideArg(path));
    if (attributes == INVALID_FILE_ATTRIBUTES) return Found::Nothing;
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? Found::Folder : Found::File;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// The site's file dialog: the Vista-and-later one, or the old one's browser.
struct Dialog {
    ComRef<IFileDialog> fileDialog;
    ComRef<IShellBrowser> oldDialog;
    bool found() const { return fileDialog.p || oldDialog.p; }
};

void FindDialog(IUnknown* site, Dialog& dialog) {
    if (!site) return;
    ComRef<IServiceProvider> services;
    if (FAILED(site->QueryInterface(IID_IServiceProvider, services.out())) || !services.p) return;
    if (SUCCEEDED(services->QueryService(SID_SExplorerBrowserFrame, IID_IFileDialog, dialog.fileDialog.out())) &&
        dialog.fileDialog.p)
        return;
    ComRef<IShellBrowser> browser;
    if (FAILED(services->QueryService(SID_SShellBrowser, IID_IShellBrowser, browser.out())) || !browser.p) return;
    // Explorer's own windows are browsers too; only a common dialog's is moved in place.
    ComRef<ICommDlgBrowser> commonDialog;
    if (SUCCEEDED(browser->QueryInterface(IID_ICommDlgBrowser, commonDialog.out())) && commonDialog.p)
        std::swap(dialog.oldDialog.p, browser.p);
}

struct IdList {
    PIDLIST_ABSOLUTE p = nullptr;
    explicit IdList(const std::string& path) : p(ILCreateFromPathW(ui::WideArg(path))) {}
    IdList(const IdList&) = delete;
    IdList& operator=(const IdList&) = delete;
    ~IdList() {
        if (p) ILFree(p);
    }
};

HRESULT Navigate(Dialog& dialog, PCIDLIST_ABSOLUTE pidl) {
    if (dialog.fileDialog.p) {
        using CreateItem = HRESULT(WINAPI*)(PCIDLIST_ABSOLUTE, REFIID, void**);
        auto create = ShellFunction<CreateItem>("SHCreateItemFromIDList");
        if (!create) return E_NOTIMPL;
        ComRef<IShellItem> item;
        HRESULT hr = create(pidl, IID_IShellItem, item.out());
        if (FAILED(hr) || !item.p) return FAILED(hr) ? hr : E_FAIL;
        hr = dialog.fileDialog->SetFolder(item.p);
        if (FAILED(hr)) return hr;
        // A shown dialog may keep SetFolder for its next opening (Wine's does); then its
        // own browser moves it now. Where SetFolder moved it, nothing more is done.
        ComRef<IShellItem> now;
        int order = 1;
        if (SUCCEEDED(dialog.fileDialog->GetFolder(&now.p)) && now.p) now->Compare(item.p, SICHINT_CANONICAL, &order);
        if (order == 0) return S_OK;
        ComRef<IServiceProvider> services;
        ComRef<IShellBrowser> browser;
        if (SUCCEEDED(dialog.fileDialog->QueryInterface(IID_IServiceProvider, services.out())) && services.p &&
            SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.out())) && browser.p)
            return browser->BrowseObject(pidl, SBSP_SAMEBROWSER | SBSP_ABSOLUTE);
        return S_OK;
    }
    return dialog.oldDialog->BrowseObject(pidl, SBSP_SAMEBROWSER | SBSP_ABSOLUTE);
}

// The options file is the editor's, beside it; without an editor the defaults hold.
bool ExploreFolderOption() {
    const std::string editor = EditorPath();
    const auto slash = editor.find_last_of("\\/");
    if (slash == std::string::npos) return store::OptionFlags{}.exploreFolder;
    return store::ReadOptions(editor.substr(0, slash + 1) + store::kOptionsFileName).exploreFolder;
}

HRESULT OpenFolderWindow(const Invocation& how, PCIDLIST_ABSOLUTE pidl, bool explore) {
    // By its ID list and through the folder class: whatever the path names, only a
    // folder window can come of it.
    SHELLEXECUTEINFOW sei{};
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_IDLIST | SEE_MASK_CLASSNAME | SEE_MASK_NOASYNC | (how.ui ? 0 : SEE_MASK_FLAG_NO_UI);
    sei.hwnd = how.owner;
    sei.lpVerb = explore ? L"explore" : L"open";
    sei.lpClass = L"Folder";
    sei.lpIDList = const_cast<void*>(static_cast<const void*>(pidl));
    sei.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&sei) ? S_OK : HRESULT_FROM_WIN32(GetLastError() ? GetLastError() : ERROR_GEN_FAILURE);
}

// Held while the menu writes the store; a writer that waits too long gives up.
class StoreWriteLock {
public:
    StoreWriteLock() : mutex_(CreateMutexW(nullptr, FALSE, kStoreWriteMutex)) {
        if (!mutex_) return;
        const DWORD wait = WaitForSingleObject(mutex_, kStoreWriteWaitMs);
        // Abandoned: a writer ended mid-way; its values are each whole, and the next load
        // stops at a gap as always.
        held_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    }
    ~StoreWriteLock() {
        if (held_) ReleaseMutex(mutex_);
        if (mutex_) CloseHandle(mutex_);
    }
    StoreWriteLock(const StoreWriteLock&) = delete;
    StoreWriteLock& operator=(const StoreWriteLock&) = delete;
    bool held() const { return held_; }

private:
    HANDLE mutex_;
    bool held_ = false;
};

} // namespace

SystemProbeHost::SystemProbeHost() {
    using SetMode = BOOL(WINAPI*)(DWORD, DWORD*);
    if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll"))
        setThreadErrorMode_ = reinterpret_cast<SetMode>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "SetThreadErrorMode")));
    if (setThreadErrorMode_ && !setThreadErrorMode_(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldErrorMode_))
        setThreadErrorMode_ = nullptr;
}

SystemProbeHost::~SystemProbeHost() {
    if (setThreadErrorMode_) setThreadErrorMode_(oldErrorMode_, nullptr);
}

DriveKind SystemProbeHost::driveKind(char letter) {
    const wchar_t root[4] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
    switch (GetDriveTypeW(root)) {
    case DRIVE_FIXED: return DriveKind::Fixed;
    case DRIVE_NO_ROOT_DIR: return DriveKind::Missing;
    default: return DriveKind::Other;
    }
}

Found SystemProbeHost::probe(const std::string& path) { return FoundAt(path); }

std::string EditorPath() {
    try {
        ui::RegistryKey k = ui::RegistryKey::open(HKEY_CURRENT_USER, kStoreKey, KEY_QUERY_VALUE, false);
        return k.readString(store::kProgramPathValue);
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception&) {
        return {}; // Setting of another type: no editor we can start
    }
}

void Tell(const Invocation& how, const std::string& text) {
    if (how.ui) MessageBoxW(how.owner, ui::WideArg(text), L"Corvane", MB_OK | MB_ICONWARNING);
}

HRESULT GoToFolder(const Invocation& how, const std::string& path) {
    // The store is plain registry text anyone can write: whatever it names, only an
    // existing folder is gone to.
    switch (FoundAt(path)) {
    case Found::Folder: break;
    case Found::Nothing:
        Tell(how, "The folder " + Quoted(path) + " cannot be found.");
        return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    case Found::File:
        Tell(how, Quoted(path) + " is not a folder. Corvane opens only folders.");
        return HRESULT_FROM_WIN32(ERROR_DIRECTORY);
    }
    IdList pidl(path);
    Dialog dialog;
    FindDialog(how.site, dialog);
    HRESULT hr = pidl.p ? S_OK : E_FAIL;
    if (dialog.found()) {
        // In a dialog the user wants the dialog there, never a window beside it.
        if (SUCCEEDED(hr)) hr = Navigate(dialog, pidl.p);
        if (FAILED(hr)) Tell(how, "The dialog could not go to the folder " + Quoted(path) + ".");
        return hr;
    }
    if (SUCCEEDED(hr)) hr = OpenFolderWindow(how, pidl.p, ExploreFolderOption());
    if (FAILED(hr) && hr != HRESULT_FROM_WIN32(ERROR_CANCELLED))
        Tell(how, "The folder " + Quoted(path) + " could not be opened.");
    return hr;
}

bool InFileDialog(IUnknown* site) {
    Dialog dialog;
    FindDialog(site, dialog);
    return dialog.found();
}

HRESULT StartEditor(const Invocation& how) {
    const std::string exe = EditorPath();
    // Setting is plain registry text too: only a program file named like one is started.
    const bool program = exe.size() > 4 && _wcsicmp(ui::Widen(exe.substr(exe.size() - 4)).c_str(), L".exe") == 0 &&
                         FoundAt(exe) == Found::File;
    if (!program) {
        Tell(how, exe.empty() ? std::string("Corvane has not been started yet, so the menu cannot find it.")
                              : "Corvane cannot be started from " + Quoted(exe) + ".");
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    }
    const std::wstring file = ui::Widen(exe);
    const std::wstring folder = file.substr(0, file.find_last_of(L'\\') + 1);
    SHELLEXECUTEINFOW sei{};
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_NOASYNC | (how.ui ? 0 : SEE_MASK_FLAG_NO_UI);
    sei.hwnd = how.owner;
    sei.lpVerb = L"open";
    sei.lpFile = file.c_str();
    sei.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    sei.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&sei) ? S_OK : HRESULT_FROM_WIN32(GetLastError() ? GetLastError() : ERROR_GEN_FAILURE);
}

AddResult AddFolder(const std::string& path) {
    if (path.empty()) return AddResult::Failed;
    const std::string alias = store::AliasFromPath(path);
    if (HWND editor = FindWindowW(kEditorWindowClass, nullptr)) {
        std::string data = store::EncodeFolderHandover(alias, path);
        if (data.size() > store::kMaxHandoverBytes) return AddResult::Failed;
        COPYDATASTRUCT cds{store::kAddFolderUtf8Tag, static_cast<DWORD>(data.size()), data.data()};
        DWORD_PTR answer = 0;
        // Never SMTO_BLOCK: while it waits, this thread still answers what is sent to it.
        SetLastError(ERROR_SUCCESS);
        if (!SendMessageTimeoutW(editor, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG,
                                 kHandoverWaitMs, &answer))
            // An editor above this program's integrity level refuses the message.
            return GetLastError() == ERROR_ACCESS_DENIED ? AddResult::EditorRefused : AddResult::EditorBusy;
        return answer ? AddResult::HandedToEditor : AddResult::EditorRefused;
    }
    try {
        StoreWriteLock lock;
        if (!lock.held()) return AddResult::StoreBusy;
        return store::AppendFavourite(kStoreKey, alias, path, ui::ReadSystemFolder(&GetWindowsDirectoryW))
                   ? AddResult::Added
                   : AddResult::AlreadyListed;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception&) {
        return AddResult::Failed;
    }
}

std::string AddFailureText(AddResult result, const std::string& path) {
    const std::string folder = "The folder " + Quoted(path) + " was not added to Corvane";
    switch (result) {
    case AddResult::Added:
    case AddResult::AlreadyListed:
    case AddResult::HandedToEditor: return {};
    case AddResult::EditorBusy: return folder + ": Corvane did not answer. Please try again.";
    case AddResult::EditorRefused: return folder + ": the open Corvane did not take it.";
    case AddResult::StoreBusy: return folder + ": another Corvane menu is adding a folder. Please try again.";
    case AddResult::Failed: break;
    }
    return folder + ": the favourites could not be written.";
}

} // namespace corvane::menu
