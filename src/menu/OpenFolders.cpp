#include "menu/OpenFolders.h"
#include "menu/ComRef.h"
#include "ui/WideText.h"
#include <exdisp.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <algorithm>
#include <exception>
#include <utility>

namespace corvane::menu {

namespace {

// Shared by the menu and its worker; whichever lets go last frees it. A worker stuck in
// a hung window keeps it (and, through its module reference, the DLL) until it returns.
struct Collection {
    LONG refs = 2;
    SRWLOCK lock = SRWLOCK_INIT;
    std::vector<std::pair<long, std::string>> arrived;
    bool closed = false; // the menu has taken what arrived; later reports are dropped
    HANDLE finished = nullptr;
    HMODULE module = nullptr;
    std::shared_ptr<FolderWindowSource> source;
};

void Release(Collection* c) {
    if (InterlockedDecrement(&c->refs) == 0) {
        CloseHandle(c->finished);
        delete c;
    }
}

DWORD WINAPI Collect(void* parameter) {
    auto* c = static_cast<Collection*>(parameter);
    const HMODULE module = c->module;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try {
        c->source->list([c](const std::string& folder, long rank) {
            AcquireSRWLockExclusive(&c->lock);
            bool open = !c->closed;
            try {
                if (open) c->arrived.emplace_back(rank, folder);
            } catch (...) {
                open = false;
            }
            ReleaseSRWLockExclusive(&c->lock);
            return open;
        });
    } catch (...) {
        // A window that could not be asked is one fewer to offer.
    }
    c->source.reset(); // inside this thread's apartment
    SetEvent(c->finished);
    if (SUCCEEDED(com)) CoUninitialize();
    Release(c);
    if (module) FreeLibraryAndExitThread(module, 0);
    return 0;
}

// Folder names compare as the file system does: without case, a trailing "\" ignored.
std::wstring Comparable(const std::string& folder) {
    std::wstring w = ui::Widen(folder);
    while (w.size() > 3 && (w.back() == L'\\' || w.back() == L'/')) w.pop_back();
    if (!w.empty()) CharUpperBuffW(w.data(), static_cast<DWORD>(w.size()));
    return w;
}

std::string FileSystemFolderOf(IDispatch* window) {
    ComRef<IServiceProvider> services;
    ComRef<IShellBrowser> browser;
    ComRef<IShellView> view;
    ComRef<IFolderView> folderView;
    ComRef<IPersistFolder2> folder;
    if (FAILED(window->QueryInterface(IID_IServiceProvider, services.out())) || !services.p ||
        FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.out())) || !browser.p ||
        FAILED(browser->QueryActiveShellView(&view.p)) || !view.p ||
        FAILED(view->QueryInterface(IID_IFolderView, folderView.out())) || !folderView.p ||
        FAILED(folderView->GetFolder(IID_IPersistFolder2, folder.out())) || !folder.p)
        return {};
    PIDLIST_ABSOLUTE pidl = nullptr;
    if (FAILED(folder->GetCurFolder(&pidl)) || !pidl) return {};
    std::string path;
    using CreateItem = HRESULT(WINAPI*)(PCIDLIST_ABSOLUTE, REFIID, void**);
    ComRef<IShellItem> item;
    wchar_t* text = nullptr;
    // Control Panel, a search or a phone has no file-system path and is left out.
    if (auto create = ShellFunction<CreateItem>("SHCreateItemFromIDList");
        create && SUCCEEDED(create(pidl, IID_IShellItem, item.out())) && item.p &&
        SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &text)) && text) {
        path = ui::Narrow(text);
        CoTaskMemFree(text);
    }
    CoTaskMemFree(pidl);
    return path;
}

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// The shell's own list of its folder windows, ranked by their place in the Z order (the
// one used last is on top).
class ShellWindowsSource : public FolderWindowSource {
public:
    void list(const std::function<bool(const std::string&, long)>& arrived) override {
        std::vector<HWND> zOrder;
        EnumWindows(&CollectTopWindow, reinterpret_cast<LPARAM>(&zOrder));
        ComRef<IShellWindows> windows;
        long count = 0;
        if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IShellWindows, windows.out())) ||
            !windows.p || FAILED(windows->get_Count(&count)))
            return;
        for (long i = 0; i < count; ++i) {
            VARIANT index;
            VariantInit(&index);
            index.vt = VT_I4;
            index.lVal = i;
            ComRef<IDispatch> window;
            if (FAILED(windows->Item(index, &window.p)) || !window.p) continue;
            long rank = static_cast<long>(zOrder.size()) + i;
            ComRef<IWebBrowser2> browser;
            SHANDLE_PTR handle = 0;
            if (SUCCEEDED(window->QueryInterface(IID_IWebBrowser2, browser.out())) && browser.p &&
                SUCCEEDED(browser->get_HWND(&handle))) {
                const auto at = std::find(zOrder.begin(), zOrder.end(), reinterpret_cast<HWND>(handle));
                if (at != zOrder.end()) rank = static_cast<long>(at - zOrder.begin());
            }
            if (!arrived(FileSystemFolderOf(window.p), rank)) return;
        }
    }
};

} // namespace

std::shared_ptr<FolderWindowSource> ShellFolderWindows() { return std::make_shared<ShellWindowsSource>(); }

std::vector<std::string> CollectOpenFolders(std::shared_ptr<FolderWindowSource> source,
                                            const std::vector<std::string>& exclude, unsigned long budgetMs,
                                            size_t limit) {
    if (!source || limit == 0) return {};
    auto* c = new Collection;
    c->source = std::move(source);
    c->finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!c->finished) {
        delete c;
        return {};
    }
    // The worker holds the DLL loaded for as long as it runs, however long a window hangs.
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&Collect), &c->module);
    HANDLE worker = CreateThread(nullptr, 0, &Collect, c, 0, nullptr);
    if (!worker) {
        if (c->module) FreeLibrary(c->module);
        c->refs = 1;
        Release(c);
        return {};
    }
    CloseHandle(worker);
    WaitForSingleObject(c->finished, budgetMs);
    AcquireSRWLockExclusive(&c->lock);
    c->closed = true;
    std::vector<std::pair<long, std::string>> arrived;
    arrived.swap(c->arrived);
    ReleaseSRWLockExclusive(&c->lock);
    Release(c);

    std::stable_sort(arrived.begin(), arrived.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::wstring> taken;
    for (const std::string& e : exclude) taken.push_back(Comparable(e));
    std::vector<std::string> folders;
    for (const auto& [rank, folder] : arrived) {
        if (folder.empty()) continue;
        const std::wstring key = Comparable(folder);
        if (std::any_of(taken.begin(), taken.end(), [&](const std::wstring& t) { return t == key; })) continue;
        taken.push_back(key);
        folders.push_back(folder);
        if (folders.size() == limit) break;
    }
    return folders;
}

} // namespace corvane::menu
