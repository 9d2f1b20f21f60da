// The Corvane menu DLL, driven through COM as the shell drives it: registered per user,
// loaded from the registered file, initialised with what was right-clicked.
#include "TestSupport.h"
#include "app/MainForm.h"
#include "ui/Application.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <thread>

using namespace corvane;
using namespace corvane::test;

namespace {

constexpr const char* kStore = "Software\\Corvane";
constexpr const char* kHandlers[] = {
    "Software\\Classes\\Directory\\shellex\\ContextMenuHandlers\\Corvane",
    "Software\\Classes\\Directory\\Background\\shellex\\ContextMenuHandlers\\Corvane",
    "Software\\Classes\\Drive\\shellex\\ContextMenuHandlers\\Corvane",
    "Software\\Classes\\*\\shellex\\ContextMenuHandlers\\Corvane",
};
constexpr UINT kFirst = 100, kLast = 0x7FFF;

std::string ReadText(const std::string& key, const char* name) {
    char buf[1024] = {};
    DWORD size = sizeof buf;
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
        return "<missing>";
    return buf;
}

LSTATUS StoreRaw(const std::string& name, DWORD type, const void* data, DWORD size) {
    HKEY k = nullptr;
    LSTATUS rc = RegCreateKeyExA(HKEY_CURRENT_USER, kStore, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr);
    if (rc != ERROR_SUCCESS) return rc;
    rc = RegSetValueExA(k, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(k);
    return rc;
}
void Store(const std::string& name, const std::string& text) {
    StoreRaw(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}
// Written with the wide calls, as the shell and other programs write.
void StoreW(const std::wstring& name, const std::wstring& text) {
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Corvane", name.c_str(), REG_SZ,
                                             text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))));
}
std::wstring ReadW(const std::wstring& name) {
    wchar_t buf[2048] = {};
    DWORD size = sizeof buf;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Corvane", name.c_str(), RRF_RT_REG_SZ, nullptr, buf, &size))
        return L"<missing>";
    return buf;
}
std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }
void StorePairs(const std::vector<std::pair<std::string, std::string>>& pairs) {
    for (size_t i = 0; i < pairs.size(); ++i) {
        const std::string index = std::to_string(i);
        Store(std::string("N") += index, pairs[i].first);
        Store(std::string("P") += index, pairs[i].second);
    }
}

template <class T>
struct Ref {
    T* p = nullptr;
    ~Ref() { reset(); }
    void reset() {
        if (p) p->Release();
        p = nullptr;
    }
    T* operator->() const { return p; }
    void** out() { return reinterpret_cast<void**>(&p); }
};

struct Item {
    std::wstring text;
    bool enabled;
    bool operator==(const Item&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Item& i) {
    os << '"';
    for (wchar_t c : i.text) c < 0x80 ? os << static_cast<char>(c) : os << "\\u" << std::hex << int(c) << std::dec;
    return os << (i.enabled ? "\"" : "\" (off)");
}
const Item kSeparator{L"-", true};

// The items of a menu, separators as "-"; every command id checked against the range.
std::vector<Item> ItemsOf(HMENU menu, UINT first, UINT last) {
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[8192] = {};
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        mi.dwTypeData = text;
        mi.cch = 8192;
        EXPECT_TRUE(GetMenuItemInfoW(menu, i, TRUE, &mi));
        if (mi.fType & MFT_SEPARATOR) {
            items.push_back(kSeparator);
            continue;
        }
        EXPECT_GE(mi.wID, first) << i;
        EXPECT_LE(mi.wID, last) << i;
        items.push_back({text, !(mi.fState & MFS_DISABLED)});
    }
    return items;
}

// A common dialog's browser as the menu's site sees it: records where it was sent.
class DialogSite : public IServiceProvider, public IShellBrowser, public ICommDlgBrowser {
public:
    std::vector<std::wstring> visited;
    UINT lastFlags = 0;
    bool commonDialog = true;
    LONG refs = 1;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IServiceProvider))
            *ppv = static_cast<IServiceProvider*>(this);
        else if (IsEqualIID(riid, IID_IShellBrowser)) *ppv = static_cast<IShellBrowser*>(this);
        else if (IsEqualIID(riid, IID_ICommDlgBrowser) && commonDialog) *ppv = static_cast<ICommDlgBrowser*>(this);
        else return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP QueryService(REFGUID sid, REFIID riid, void** ppv) override {
        if (!IsEqualGUID(sid, SID_SShellBrowser)) return (*ppv = nullptr), E_NOINTERFACE;
        return QueryInterface(riid, ppv);
    }
    STDMETHODIMP BrowseObject(PCUIDLIST_RELATIVE pidl, UINT flags) override {
        wchar_t path[MAX_PATH] = {};
        SHGetPathFromIDListW(static_cast<PCIDLIST_ABSOLUTE>(pidl), path);
        visited.push_back(path);
        lastFlags = flags;
        return S_OK;
    }
    STDMETHODIMP GetWindow(HWND* w) override { return (*w = nullptr), E_NOTIMPL; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InsertMenusSB(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenuSB(HMENU, HOLEMENU, HWND) override { return E_NOTIMPL; }
    STDMETHODIMP RemoveMenusSB(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusTextSB(LPCWSTR) override { return E_NOTIMPL; }
    STDMETHODIMP EnableModelessSB(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAcceleratorSB(MSG*, WORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetViewStateStream(DWORD, IStream** s) override { return (*s = nullptr), E_NOTIMPL; }
    STDMETHODIMP GetControlWindow(UINT, HWND* w) override { return (*w = nullptr), E_NOTIMPL; }
    STDMETHODIMP SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryActiveShellView(IShellView** v) override { return (*v = nullptr), E_NOTIMPL; }
    STDMETHODIMP OnViewWindowActive(IShellView*) override { return E_NOTIMPL; }
    STDMETHODIMP SetToolbarItems(LPTBBUTTONSB, UINT, UINT) override { return E_NOTIMPL; }
    STDMETHODIMP OnDefaultCommand(IShellView*) override { return E_NOTIMPL; }
    STDMETHODIMP OnStateChange(IShellView*, ULONG) override { return E_NOTIMPL; }
    STDMETHODIMP IncludeObject(IShellView*, PCUITEMID_CHILD) override { return S_OK; }
};

using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
// {30686F35-109B-4760-826D-29855D804D71}, as the DLL registers it.
constexpr CLSID kMenuClass = {0x30686f35, 0x109b, 0x4760, {0x82, 0x6d, 0x29, 0x85, 0x5d, 0x80, 0x4d, 0x71}};

// A menu object of the DLL initialised with `folder` right-clicked (empty: the background).
// The data object is the one the shell makes for a selection: the parent folder's own
// (Wine 8's SHCreateDataObject answers E_NOTIMPL).
HRESULT MakeMenu(GetClassObjectFn get, const std::wstring& folder, Ref<IContextMenu>& out,
                 const std::function<IDataObject*(IDataObject*)>& wrap = nullptr) {
    Ref<IClassFactory> factory;
    Ref<IShellExtInit> init;
    HRESULT hr = get(kMenuClass, IID_IClassFactory, factory.out());
    if (SUCCEEDED(hr)) hr = factory->CreateInstance(nullptr, IID_IShellExtInit, init.out());
    if (FAILED(hr)) return hr;
    Ref<IDataObject> data;
    if (!folder.empty()) {
        PIDLIST_ABSOLUTE item = ILCreateFromPathW(folder.c_str());
        if (!item) return E_FAIL;
        Ref<IShellFolder> parent;
        PCUITEMID_CHILD child = nullptr;
        hr = SHBindToParent(item, IID_IShellFolder, parent.out(), &child);
        if (SUCCEEDED(hr)) hr = parent->GetUIObjectOf(nullptr, 1, &child, IID_IDataObject, nullptr, data.out());
        ILFree(item);
        if (FAILED(hr)) return hr;
        if (wrap) {
            IDataObject* wrapped = wrap(data.p);
            data.reset();
            data.p = wrapped;
        }
    }
    hr = init->Initialize(nullptr, data.p, nullptr);
    return SUCCEEDED(hr) ? init->QueryInterface(IID_IContextMenu, out.out()) : hr;
}

// Builds and chooses "Add to Corvane" for `folder`, as a user in some window would.
HRESULT AddThroughMenu(GetClassObjectFn get, const std::wstring& folder) {
    Ref<IContextMenu> object;
    HRESULT hr = MakeMenu(get, folder, object);
    if (FAILED(hr)) return hr;
    HMENU m = CreatePopupMenu();
    hr = object->QueryContextMenu(m, 0, 1, 0x7FFF, CMF_NORMAL);
    DestroyMenu(m);
    if (FAILED(hr)) return hr;
    CMINVOKECOMMANDINFO ci{};
    ci.cbSize = sizeof ci;
    ci.fMask = CMIC_MASK_FLAG_NO_UI;
    ci.lpVerb = "CorvaneAdd";
    return object->InvokeCommand(&ci);
}

// The message boxes this thread shows while it lives: each one's text, closed with OK
// from a thread timer (which the box's own loop runs).
class BoxWatcher {
public:
    BoxWatcher() : previous_(current_), id_(SetTimer(nullptr, 0, 30, &Tick)) { current_ = this; }
    ~BoxWatcher() {
        KillTimer(nullptr, id_);
        current_ = previous_;
    }
    std::vector<std::wstring> texts;

private:
    static BOOL CALLBACK Close(HWND w, LPARAM) {
        wchar_t cls[16] = {}, caption[16] = {}, text[1024] = {};
        GetClassNameW(w, cls, 16);
        GetWindowTextW(w, caption, 16);
        if (!IsWindowVisible(w) || std::wstring(cls) != L"#32770" || std::wstring(caption) != L"Corvane") return TRUE;
        GetDlgItemTextW(w, 0xFFFF, text, 1024);
        current_->texts.push_back(text);
        PostMessageW(w, WM_COMMAND, IDOK, 0);
        ShowWindow(w, SW_HIDE);
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (current_) EnumThreadWindows(GetCurrentThreadId(), &Close, 0);
    }
    static inline BoxWatcher* current_ = nullptr;
    BoxWatcher* previous_;
    UINT_PTR id_;
};

BOOL CALLBACK CollectWindow(HWND w, LPARAM all) {
    reinterpret_cast<std::set<HWND>*>(all)->insert(w);
    return TRUE;
}

// Runs `step` from a thread timer once a shown file dialog has its first folder.
struct DialogEvents : IFileDialogEvents {
    std::function<void(IFileDialog*)> step; // run from a thread timer while the dialog shows
    IFileDialog* dialog = nullptr;
    UINT_PTR timer = 0;
    static inline DialogEvents* current = nullptr;
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IFileDialogEvents))
            return (*ppv = nullptr), E_NOINTERFACE;
        *ppv = this;
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        current->step(current->dialog);
    }
    STDMETHODIMP OnFolderChange(IFileDialog* d) override {
        if (!timer) dialog = d, timer = SetTimer(nullptr, 0, 50, &Tick);
        return S_OK;
    }
    STDMETHODIMP OnFileOk(IFileDialog*) override { return S_OK; }
    STDMETHODIMP OnFolderChanging(IFileDialog*, IShellItem*) override { return S_OK; }
    STDMETHODIMP OnSelectionChange(IFileDialog*) override { return S_OK; }
    STDMETHODIMP OnShareViolation(IFileDialog*, IShellItem*, FDE_SHAREVIOLATION_RESPONSE*) override { return S_OK; }
    STDMETHODIMP OnTypeChange(IFileDialog*) override { return S_OK; }
    STDMETHODIMP OnOverwrite(IFileDialog*, IShellItem*, FDE_OVERWRITE_RESPONSE*) override { return S_OK; }
};

class CorvaneMenu : public ::testing::Test {
protected:
    void SetUp() override {
        SHDeleteKeyA(HKEY_CURRENT_USER, kStore);
        // Registered the way regsvr32 registers it, then found the way the shell finds it.
        HMODULE self = LoadLibraryA("CorvaneMenu.dll");
        ASSERT_TRUE(self) << "CorvaneMenu.dll beside the tests";
        auto reg = reinterpret_cast<HRESULT(WINAPI*)()>(
            reinterpret_cast<void*>(GetProcAddress(self, "DllRegisterServer")));
        ASSERT_TRUE(reg);
        ASSERT_EQ(S_OK, reg());
        FreeLibrary(self);
        const std::string id = ReadText(kHandlers[0], nullptr);
        ASSERT_EQ(S_OK, CLSIDFromString(std::wstring(id.begin(), id.end()).c_str(), &clsid));
        file = ReadText("Software\\Classes\\CLSID\\" + id + "\\InprocServer32", nullptr);
        dll = LoadLibraryA(file.c_str());
        ASSERT_TRUE(dll) << file;
        getClassObject = reinterpret_cast<decltype(getClassObject)>(
            reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
        canUnloadNow = reinterpret_cast<decltype(canUnloadNow)>(
            reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
        ASSERT_TRUE(getClassObject && canUnloadNow);
    }
    void TearDown() override {
        menuObject.reset();
        if (menu) DestroyMenu(menu);
        if (dll) {
            auto unreg = reinterpret_cast<HRESULT(WINAPI*)()>(
                reinterpret_cast<void*>(GetProcAddress(dll, "DllUnregisterServer")));
            if (unreg) unreg();
            FreeLibrary(dll);
        }
        SHDeleteKeyA(HKEY_CURRENT_USER, kStore);
    }

    // A new menu object initialised with `folder` right-clicked (empty: the background).
    void create(const std::wstring& folder = L"") {
        menuObject.reset();
        // As the shell creates it where per-user classes are merged into HKCR; under Wine 8
        // (REGDB_E_CLASSNOTREG) through the registered file's class object.
        Ref<IShellExtInit> viaCom;
        if (CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit, viaCom.out()) !=
            REGDB_E_CLASSNOTREG)
            ADD_FAILURE() << "the class is found through COM now: create it that way";
        ASSERT_EQ(S_OK, MakeMenu(getClassObject, folder, menuObject));
    }
    void create(const std::string& folder) { create(Wide(folder)); }
    void setSite(IUnknown* site) {
        Ref<IObjectWithSite> withSite;
        ASSERT_EQ(S_OK, menuObject->QueryInterface(IID_IObjectWithSite, withSite.out()));
        ASSERT_EQ(S_OK, withSite->SetSite(site));
    }

    // Builds the menu into a fresh HMENU with one item of the host's; the Corvane submenu's items.
    std::vector<Item> build(UINT first = kFirst, UINT last = kLast, HRESULT* result = nullptr) {
        if (menu) DestroyMenu(menu);
        menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, 1, L"Host item");
        const HRESULT hr = menuObject->QueryContextMenu(menu, 0, first, last, CMF_NORMAL);
        if (result) *result = hr;
        EXPECT_FALSE(FAILED(hr));
        if (GetMenuItemCount(menu) != 2) return {};
        wchar_t caption[64] = {};
        GetMenuStringW(menu, 0, caption, 64, MF_BYPOSITION);
        EXPECT_STREQ(L"Corvane", caption);
        HMENU sub = GetSubMenu(menu, 0);
        EXPECT_TRUE(sub);
        return sub ? ItemsOf(sub, first, last) : std::vector<Item>{};
    }

    HRESULT invokeOffset(UINT offset, DWORD mask = 0) {
        CMINVOKECOMMANDINFO ci{};
        ci.cbSize = sizeof ci;
        ci.fMask = mask;
        ci.lpVerb = MAKEINTRESOURCEA(offset);
        ci.nShow = SW_SHOWNORMAL;
        return menuObject->InvokeCommand(&ci);
    }
    HRESULT invokeVerb(const char* verb, DWORD mask = 0) {
        CMINVOKECOMMANDINFO ci{};
        ci.cbSize = sizeof ci;
        ci.fMask = mask;
        ci.lpVerb = verb;
        ci.nShow = SW_SHOWNORMAL;
        return menuObject->InvokeCommand(&ci);
    }
    // The offset of the submenu item captioned `text`.
    UINT offsetOf(const std::wstring& text) {
        HMENU sub = GetSubMenu(menu, 0);
        for (int i = 0; i < GetMenuItemCount(sub); ++i) {
            wchar_t buf[256] = {};
            GetMenuStringW(sub, i, buf, 256, MF_BYPOSITION);
            if (text == buf) return GetMenuItemID(sub, i) - kFirst;
        }
        ADD_FAILURE() << "no such item";
        return 0;
    }
    UINT offsetOf(const std::string& text) { return offsetOf(Wide(text)); }

    CLSID clsid{};
    std::string file;
    HMODULE dll = nullptr;
    GetClassObjectFn getClassObject = nullptr;
    HRESULT(WINAPI* canUnloadNow)() = nullptr;
    Ref<IContextMenu> menuObject;
    HMENU menu = nullptr;
    TempFolder folder;
};

TEST_F(CorvaneMenu, RegistersPerUserAndUnregistersEveryKey) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(dll, self, MAX_PATH);
    EXPECT_STRCASEEQ(self, file.c_str());
    const std::string inproc = "Software\\Classes\\CLSID\\" + ReadText(kHandlers[0], nullptr) + "\\InprocServer32";
    EXPECT_EQ("Apartment", ReadText(inproc, "ThreadingModel"));
    for (const char* handler : kHandlers)
        EXPECT_EQ(ReadText(kHandlers[0], nullptr), ReadText(handler, nullptr)) << handler;
    // Machine-wide classes stay untouched; only the per-user view holds the class.
    HKEY machine = nullptr;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                                           ("Software\\Classes\\CLSID\\" + ReadText(kHandlers[0], nullptr)).c_str(), 0,
                                           KEY_READ, &machine));
    Store("N0", "kept");
    Store("P0", "c:\\");

    auto unreg = reinterpret_cast<HRESULT(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(dll, "DllUnregisterServer")));
    ASSERT_EQ(S_OK, unreg());
    for (const char* handler : kHandlers) EXPECT_EQ("<missing>", ReadText(handler, nullptr)) << handler;
    EXPECT_EQ("<missing>", ReadText(inproc, nullptr));
    EXPECT_EQ("kept", ReadText(kStore, "N0"));
    EXPECT_EQ(S_OK, unreg()) << "a second removal finds nothing and is no error";
}

// The handler keys are shared by both registry views, the class keys are not: removing
// this architecture's DLL leaves the other one's menu whole. Both ends tell the shell.
TEST_F(CorvaneMenu, UnregisteringOneArchitectureKeepsTheOthersMenu) {
    struct Notified {
        static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
            if (msg == WM_APP) ++*reinterpret_cast<int*>(GetWindowLongPtrW(w, GWLP_USERDATA));
            return DefWindowProcW(w, msg, wp, lp);
        }
    };
    HWND sink = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    int changes = 0;
    SetWindowLongPtrW(sink, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&changes));
    SetWindowLongPtrW(sink, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Notified::Proc));
    SHChangeNotifyEntry everything{nullptr, TRUE};
    const ULONG watch = SHChangeNotifyRegister(sink, SHCNRF_ShellLevel | SHCNRF_NewDelivery, SHCNE_ASSOCCHANGED, WM_APP,
                                               1, &everything);
    auto call = [&](const char* name) {
        return reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(dll, name)))();
    };
    const std::string id = ReadText(kHandlers[0], nullptr);
    const std::string class32 = "Software\\Classes\\Wow6432Node\\CLSID\\" + id;
    // The 32-bit DLL's class, as its regsvr32 or the installer writes it.
    HKEY k = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, (class32 + "\\InprocServer32").c_str(), 0, nullptr, 0,
                                             KEY_SET_VALUE, nullptr, &k, nullptr));
    RegSetValueExA(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\x\\CorvaneMenu32.dll"), 23);
    RegCloseKey(k);

    ASSERT_EQ(S_OK, call("DllUnregisterServer"));
    EXPECT_EQ("<missing>", ReadText("Software\\Classes\\CLSID\\" + id, nullptr));
    for (const char* handler : kHandlers) EXPECT_EQ(id, ReadText(handler, nullptr)) << handler;
    EXPECT_TRUE(PumpUntil([&] { return changes >= 1; })) << "unregistering tells the shell";

    SHDeleteKeyA(HKEY_CURRENT_USER, class32.c_str());
    ASSERT_EQ(S_OK, call("DllRegisterServer"));
    EXPECT_TRUE(PumpUntil([&] { return changes >= 2; })) << "registering tells the shell";
    ASSERT_EQ(S_OK, call("DllUnregisterServer"));
    for (const char* handler : kHandlers) EXPECT_EQ("<missing>", ReadText(handler, nullptr)) << handler;
    SHChangeNotifyDeregister(watch);
    DestroyWindow(sink);
}

// The store as the editor reads it: a gap ends the list, separators, missing and network
// folders, "&" and a 5,000-character alias; nothing to add on the background.
TEST_F(CorvaneMenu, BackgroundMenuShowsTheStoredFavourites) {
    const std::string there = folder.path(), gone = folder.path() + "gone";
    StorePairs({{"Music & Art", there},
                {"*Separator*", "-"},
                {"Gone", gone},
                {"No such drive", "Q:\\Music"},
                {std::string(5000, 'x'), "\\\\nowhere\\share"},
                {"", "c:\\"},
                {"after the gap", there}});
    create();
    EXPECT_EQ((std::vector<Item>{{L"Music && Art", true},
                                 kSeparator,
                                 {L"Gone", false},
                                 {L"No such drive", false},
                                 {std::wstring(61, 'x') + L"...", true},
                                 kSeparator,
                                 {L"Edit Favourites...", false}}),
              build());

    // Edit Favourites follows the editor's recorded path; one on a share is not probed.
    folder.write("Corvane.exe", "");
    const std::pair<std::string, bool> editors[] = {
        {folder.file("Corvane.exe"), true}, {folder.file("gone.exe"), false}, {"\\\\nowhere\\Corvane.exe", true}};
    for (const auto& [exe, enabled] : editors) {
        Store("Setting", exe);
        EXPECT_EQ((Item{L"Edit Favourites...", enabled}), build().back()) << exe;
    }
}

// Favourites in scripts outside the code page (1252 here), written with the wide calls:
// shown whole, enabled, and gone to; their help texts wide too.
TEST_F(CorvaneMenu, ShowsAndOpensFavouritesInAnyScript) {
    const std::wstring base = Wide(folder.path());
    const std::wstring names[] = {L"\u041C\u0443\u0437\u044B\u043A\u0430", L"\u97F3\u4E50",
                                  L"\u039C\u03BF\u03C5\u03C3\u03B9\u03BA\u03AE", L"Fotos \U0001F600", L"Cafe\u0301"};
    for (size_t i = 0; i < std::size(names); ++i) {
        ASSERT_TRUE(CreateDirectoryW((base + names[i]).c_str(), nullptr));
        StoreW(L"N" + std::to_wstring(i), names[i]);
        StoreW(L"P" + std::to_wstring(i), base + names[i]);
    }
    StoreW(L"N5", std::wstring(70, L'\u4E2D') + L"\U0001F600");
    StoreW(L"P5", base + names[1]);
    create();
    DialogSite site;
    setSite(static_cast<IServiceProvider*>(&site));
    const std::vector<Item> items = build();
    ASSERT_EQ(8u, items.size());
    for (size_t i = 0; i < std::size(names); ++i) EXPECT_EQ((Item{names[i], true}), items[i]);
    EXPECT_EQ((Item{std::wstring(61, L'\u4E2D') + L"...", true}), items[5]) << "cut after whole characters";

    for (size_t i = 0; i < std::size(names); ++i) EXPECT_EQ(S_OK, invokeOffset(offsetOf(names[i])));
    ASSERT_EQ(std::size(names), site.visited.size());
    for (size_t i = 0; i < std::size(names); ++i) EXPECT_EQ(base + names[i], site.visited[i]);
    wchar_t help[MAX_PATH] = {};
    ASSERT_EQ(S_OK, menuObject->GetCommandString(offsetOf(names[1]), GCS_HELPTEXTW, nullptr,
                                                 reinterpret_cast<char*>(help), MAX_PATH));
    EXPECT_EQ(base + names[1], help) << "the status bar says where it goes";
}

TEST_F(CorvaneMenu, BadStoredDataEndsTheListAndNeverCreatesTheKey) {
    create();
    EXPECT_EQ((std::vector<Item>{{L"Edit Favourites...", false}}), build());
    HKEY k = nullptr;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kStore, 0, KEY_READ, &k)) << "building only reads";

    StorePairs({{"one", folder.path()}, {"two", folder.path()}});
    const DWORD number = 7;
    ASSERT_EQ(ERROR_SUCCESS, StoreRaw("P1", REG_DWORD, &number, sizeof number));
    EXPECT_EQ((std::vector<Item>{{L"one", true}, kSeparator, {L"Edit Favourites...", false}}), build());
}

// More favourites than the host has ids for: as many as fit, then "More in Corvane...".
TEST_F(CorvaneMenu, KeepsCommandIdsInsideTheHostsRange) {
    StorePairs({{"a", "c:\\"}, {"b", "c:\\"}, {"c", "c:\\"}, {"d", "c:\\"}});
    create();
    // Four ids are the menu's own, two are left for favourites.
    EXPECT_EQ(
        (std::vector<Item>{
            {L"a", true}, {L"b", true}, {L"More in Corvane...", true}, kSeparator, {L"Edit Favourites...", false}}),
        build(500, 505));
    HRESULT hr = S_OK;
    EXPECT_TRUE(build(500, 502, &hr).empty());
    EXPECT_EQ(0, HRESULT_CODE(hr));
    EXPECT_EQ(1, GetMenuItemCount(menu)) << "the host's menu left as it was";
}

// Only what the shown menu offers runs: verb strings told from offsets by IS_INTRESOURCE
// (placed where bits 16-31 of their address are zero), in both widths; validation and
// command strings answer for our own offsets alone, cut to the caller's buffer.
TEST_F(CorvaneMenu, RunsOnlyTheCommandsItShows) {
    StorePairs({{"A", folder.path()}, {"B", folder.path()}});
    create();
    DialogSite site;
    setSite(static_cast<IServiceProvider*>(&site));
    build();
    const UINT a = offsetOf("A"), b = offsetOf("B");
    ASSERT_EQ(S_OK, invokeOffset(b));
    char verb[64] = {};
    ASSERT_EQ(S_OK, menuObject->GetCommandString(a, GCS_VERBA, nullptr, verb, sizeof verb));
    ASSERT_EQ(S_OK, invokeVerb(verb));
    wchar_t wideVerb[64] = {};
    ASSERT_EQ(S_OK, menuObject->GetCommandString(b, GCS_VERBW, nullptr, reinterpret_cast<char*>(wideVerb), 64));
    CMINVOKECOMMANDINFOEX ex{};
    ex.cbSize = sizeof ex;
    ex.fMask = CMIC_MASK_UNICODE;
    ex.lpVerb = "unused";
    ex.lpVerbW = wideVerb;
    ASSERT_EQ(S_OK, menuObject->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&ex)));
    ASSERT_EQ(3u, site.visited.size());

#ifdef _WIN64
    // Unknown verbs at addresses whose low word is a favourite's offset (only 64-bit
    // addresses have room for zeros in bits 16-31 above the first 64 KB).
    char* low = nullptr;
    for (ULONG_PTR at = 0x100000000ull; !low && at < 0x4000000000ull; at += 0x100000000ull)
        low = static_cast<char*>(
            VirtualAlloc(reinterpret_cast<void*>(at), 0x10000, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_TRUE(low) << "no memory with zeros in bits 16-31";
    std::strcpy(low + a, "open");
    EXPECT_EQ(E_INVALIDARG, invokeVerb(low + a));
    std::wcscpy(reinterpret_cast<wchar_t*>(low + b), L"CorvaneOpen99");
    ex.lpVerbW = reinterpret_cast<wchar_t*>(low + b);
    EXPECT_EQ(b, reinterpret_cast<ULONG_PTR>(ex.lpVerbW) & 0xFFFF);
    EXPECT_EQ(E_INVALIDARG, menuObject->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&ex)));
    VirtualFree(low, 0, MEM_RELEASE);
#endif
    // Offsets and verbs of items not shown: the submenu, "More" (not added), past the end.
    for (UINT offset : {0u, 3u, b + 1}) {
        EXPECT_EQ(E_INVALIDARG, invokeOffset(offset)) << offset;
        EXPECT_EQ(S_FALSE, menuObject->GetCommandString(offset, GCS_VALIDATEW, nullptr, nullptr, 0)) << offset;
    }
    EXPECT_EQ(E_INVALIDARG, invokeVerb("CorvaneMore"));
    EXPECT_EQ(E_INVALIDARG, invokeVerb("CorvaneOpen2"));
    EXPECT_EQ(3u, site.visited.size()) << "nothing else ran";
    EXPECT_EQ(S_OK, menuObject->GetCommandString(a, GCS_VALIDATEA, nullptr, nullptr, 0));

    // Cut to the buffer: help texts whole characters, verbs whole or not at all.
    char small[8];
    std::memset(small, 'x', sizeof small);
    EXPECT_EQ(S_OK, menuObject->GetCommandString(a, GCS_HELPTEXTA, nullptr, small, 5));
    EXPECT_STREQ("C:\\u", small) << "the path, cut";
    EXPECT_EQ('x', small[5]);
    EXPECT_TRUE(FAILED(menuObject->GetCommandString(a, GCS_VERBA, nullptr, small, 5)));
    EXPECT_STREQ("", small);
}

// The system's own Open dialog as the site, shown, and the menu chosen from inside it as
// Explorer's view would: the dialog goes to the favourite (read back with GetFolder) and
// no window opens; a favourite that is no folder leaves it where it is, with a message.
TEST_F(CorvaneMenu, MovesTheSystemsOpenDialog) {
    const std::wstring start = Wide(folder.path()) + L"start", target = Wide(folder.path()) + L"\u97F3\u4E50";
    CreateDirectoryW(start.c_str(), nullptr);
    CreateDirectoryW(target.c_str(), nullptr);
    folder.write("run.bat", "echo ran > \"" + folder.path() + "ran.txt\"\r\n");
    StoreW(L"N0", L"\u97F3\u4E50");
    StoreW(L"P0", target);
    StoreW(L"N1", L"Script");
    StoreW(L"P1", Wide(folder.file("run.bat")));
    // Stored as typed, the profile folder by its variable.
    wchar_t profile[MAX_PATH] = {};
    const DWORD profileSize = GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
    const std::wstring viaProfile = Wide(folder.path()) + L"profile";
    CreateDirectoryW(viaProfile.c_str(), nullptr);
    ASSERT_GT(profileSize, 0u);
    ASSERT_EQ(0, _wcsnicmp(profile, viaProfile.c_str(), profileSize)) << "the test folder is under the profile";
    StoreW(L"N2", L"Profile");
    StoreW(L"P2", L"%USERPROFILE%" + viaProfile.substr(profileSize));

    auto folderOf = [](IFileDialog* d) {
        Ref<IShellItem> item;
        wchar_t* path = nullptr;
        std::wstring text;
        if (SUCCEEDED(d->GetFolder(&item.p)) && item.p && SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)))
            text = path, CoTaskMemFree(path);
        return text;
    };
    auto windows = [] {
        std::set<HWND> all;
        EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&all));
        return all;
    };
    struct Choice {
        const wchar_t* alias;
        DWORD mask;
        std::wstring folderAfter;
        size_t boxes;
    };
    const Choice choices[] = {{L"Script", 0, start, 1},
                              {L"Script", CMIC_MASK_FLAG_NO_UI, start, 0},
                              {L"\u97F3\u4E50", 0, target, 0},
                              {L"Profile", 0, viaProfile, 0}};
    for (const Choice& c : choices) {
        Ref<IFileDialog> dialog;
        ASSERT_EQ(S_OK,
                  CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileDialog, dialog.out()));
        Ref<IShellItem> startItem;
        ASSERT_EQ(S_OK, SHCreateItemFromParsingName(start.c_str(), nullptr, IID_IShellItem, startItem.out()));
        dialog->SetFolder(startItem.p);
        DialogEvents events;
        DialogEvents::current = &events;
        DWORD cookie = 0;
        ASSERT_EQ(S_OK, dialog->Advise(&events, &cookie));
        HRESULT chosen = E_PENDING;
        std::wstring after;
        std::set<HWND> before;
        size_t boxes = 0;
        int waited = 0;
        events.step = [&](IFileDialog* d) {
            if (chosen == E_PENDING) {
                create();
                Ref<IUnknown> site;
                d->QueryInterface(IID_IUnknown, site.out());
                setSite(site.p);
                for (const Item& item : build()) {
                    if (item.text == c.alias) {
                        EXPECT_EQ(c.folderAfter != start, item.enabled) << "enabled: a folder";
                    }
                }
                wchar_t help[MAX_PATH] = {};
                menuObject->GetCommandString(offsetOf(c.alias), GCS_HELPTEXTW, nullptr, reinterpret_cast<char*>(help),
                                             MAX_PATH);
                if (c.folderAfter != start) {
                    EXPECT_EQ(c.folderAfter, help) << "the expanded path";
                }
                before = windows();
                BoxWatcher watcher;
                chosen = invokeOffset(offsetOf(c.alias), c.mask);
                boxes = watcher.texts.size();
                setSite(nullptr);
            }
            after = folderOf(d);
            if (after == c.folderAfter || ++waited > 40) d->Close(S_OK);
            else SetTimer(nullptr, 0, 50, &DialogEvents::Tick);
        };
        dialog->Show(nullptr);
        dialog->Unadvise(cookie);
        EXPECT_EQ(c.folderAfter, after) << c.mask;
        EXPECT_EQ(c.folderAfter != start ? S_OK : HRESULT_FROM_WIN32(ERROR_DIRECTORY), chosen);
        EXPECT_EQ(c.boxes, boxes);
        PumpFor(300);
        std::set<HWND> opened = windows();
        for (HWND w : before) opened.erase(w);
        for (HWND w : opened) {
            // Hidden windows are the system's own helpers starting in the prefix, not a folder window.
            if (!IsWindowVisible(w)) continue;
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            EXPECT_EQ(GetCurrentProcessId(), pid) << "a window of another program opened";
        }
    }
    EXPECT_FALSE(FileExists(folder.file("ran.txt"))) << "the script ran";
}

// The store is plain registry text anyone can write: a favourite that names a script, a
// program, a shortcut or an address is never run, in Explorer, in a dialog or with no
// site; the user is told (with NO_UI only the result says it), and nothing starts.
TEST_F(CorvaneMenu, NeverRunsAFavouriteThatIsNoFolder) {
    const std::string marker = folder.file("ran.txt");
    folder.write("run.bat", "echo ran > \"" + marker + "\"\r\n");
    folder.write("tool.exe", "MZ");
    folder.write("link.lnk", "");
    StorePairs({{"bat", folder.file("run.bat")},
                {"exe", folder.file("tool.exe")},
                {"lnk", folder.file("link.lnk")},
                {"url", "http://example.invalid/"},
                {"gone", folder.file("gone")}});
    DialogSite explorer, oldDialog;
    explorer.commonDialog = false;
    IUnknown* sites[] = {nullptr, static_cast<IServiceProvider*>(&explorer),
                         static_cast<IServiceProvider*>(&oldDialog)};
    const std::string alias[] = {"bat", "exe", "lnk", "url", "gone"};
    for (IUnknown* site : sites) {
        create();
        setSite(site);
        build();
        for (const std::string& a : alias) {
            for (DWORD mask : {DWORD(0), DWORD(CMIC_MASK_FLAG_NO_UI)}) {
                BoxWatcher boxes;
                EXPECT_TRUE(FAILED(invokeOffset(offsetOf(a), mask))) << a;
                EXPECT_EQ(mask ? 0u : 1u, boxes.texts.size()) << a;
                if (!mask && !boxes.texts.empty()) {
                    EXPECT_NE(std::wstring::npos,
                              boxes.texts[0].find(a == "url" || a == "gone" ? L"cannot be found" : L"is not a folder"))
                        << a;
                }
            }
        }
        setSite(nullptr);
    }
    EXPECT_TRUE(explorer.visited.empty() && oldDialog.visited.empty());
    EXPECT_FALSE(PumpUntil([&] { return FileExists(marker); }, 2500)) << "the script ran";
}

// Outside a dialog a folder opens through the folder class, by its ID list, explored or
// opened as the options file beside the editor says. Wine's own folder class has no
// command: the test's prefix gets recording ones for the duration.
TEST_F(CorvaneMenu, OpensAFolderWindowAsTheEditorsOptionsSay) {
    const std::string record = folder.file("verbs.txt");
    struct Verb {
        const char* name;
        std::string key;
    } verbs[] = {{"open", "Software\\Classes\\Folder\\shell\\open\\command"},
                 {"explore", "Software\\Classes\\Folder\\shell\\explore\\command"}};
    for (const Verb& v : verbs) {
        const std::string command = "cmd.exe /c echo " + std::string(v.name) + " %1>>\"" + record + "\"";
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_LOCAL_MACHINE, v.key.c_str(), nullptr, REG_SZ, command.c_str(),
                                                 static_cast<DWORD>(command.size() + 1)));
    }
    TempFolder editor, dllBeside;
    editor.write("Corvane.exe", "");
    Store("Setting", editor.file("Corvane.exe"));
    const std::string music = folder.path() + "Music";
    CreateDirectoryA(music.c_str(), nullptr);
    StorePairs({{"Music", music}});
    const std::pair<const char*, const char*> cases[] = {{"ExploreFolder=0", "open"}, {"ExploreFolder=1", "explore"}};
    for (const auto& [option, verb] : cases) {
        editor.write("options.ini", std::string("[Options]\r\n") + option + "\r\n");
        DeleteFileA(record.c_str());
        create();
        build();
        // Wine's first folder command in a new prefix may report a DDE failure although the
        // command ran; what the command recorded is what counts.
        const HRESULT opened = invokeOffset(offsetOf("Music"), CMIC_MASK_FLAG_NO_UI);
        EXPECT_TRUE(opened == S_OK || opened == HRESULT_FROM_WIN32(ERROR_DDE_FAIL)) << option << ": " << opened;
        EXPECT_TRUE(PumpUntil([&] { return folder.read("verbs.txt").find(verb) != std::string::npos; }, 10000))
            << option << ": " << folder.read("verbs.txt");
        EXPECT_NE(std::string::npos, folder.read("verbs.txt").find(music)) << folder.read("verbs.txt");
    }
    for (const Verb& v : verbs)
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, v.key.substr(0, v.key.size() - std::strlen("\\command")).c_str());
}

TEST_F(CorvaneMenu, AddsTheRightClickedFolderOnce) {
    const std::string music = folder.path() + "Music";
    CreateDirectoryA(music.c_str(), nullptr);
    // No key yet: the editor's first-start favourites come first.
    create(music);
    EXPECT_EQ((Item{L"Add to Corvane", true}), build().end()[-2]);
    ASSERT_EQ(S_OK, invokeVerb("CorvaneAdd"));
    EXPECT_EQ("Windows Directory", ReadText(kStore, "N0"));
    EXPECT_EQ("C:\\", ReadText(kStore, "P1"));
    EXPECT_EQ("Music", ReadText(kStore, "N2"));
    EXPECT_EQ(music, ReadText(kStore, "P2"));

    // Already listed under another spelling: not added twice.
    std::string spelled = music + "\\";
    for (char& c : spelled) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    Store("P2", spelled);
    create(music);
    build();
    ASSERT_EQ(S_OK, invokeOffset(offsetOf("Add to Corvane")));
    EXPECT_EQ("<missing>", ReadText(kStore, "N3"));

    // A folder named in Chinese, from a selection that carries only the shell's ID list.
    const std::wstring chinese = Wide(folder.path()) + L"\u6587\u4EF6";
    CreateDirectoryW(chinese.c_str(), nullptr);
    struct IdListOnly : IDataObject {
        IDataObject* inner;
        explicit IdListOnly(IDataObject* d) : inner(d) { inner->AddRef(); }
        virtual ~IdListOnly() { inner->Release(); }
        LONG refs = 1;
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
            if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDataObject))
                return (*ppv = nullptr), E_NOINTERFACE;
            *ppv = this;
            AddRef();
            return S_OK;
        }
        STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
        STDMETHODIMP_(ULONG) Release() override {
            const LONG n = --refs;
            if (!n) delete this;
            return n;
        }
        bool refused(const FORMATETC* f) { return f->cfFormat == CF_HDROP; }
        STDMETHODIMP GetData(FORMATETC* f, STGMEDIUM* m) override {
            return refused(f) ? DV_E_FORMATETC : inner->GetData(f, m);
        }
        STDMETHODIMP GetDataHere(FORMATETC* f, STGMEDIUM* m) override {
            return refused(f) ? DV_E_FORMATETC : inner->GetDataHere(f, m);
        }
        STDMETHODIMP QueryGetData(FORMATETC* f) override {
            return refused(f) ? DV_E_FORMATETC : inner->QueryGetData(f);
        }
        STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* a, FORMATETC* b) override {
            return inner->GetCanonicalFormatEtc(a, b);
        }
        STDMETHODIMP SetData(FORMATETC* f, STGMEDIUM* m, BOOL r) override { return inner->SetData(f, m, r); }
        STDMETHODIMP EnumFormatEtc(DWORD d, IEnumFORMATETC** e) override { return inner->EnumFormatEtc(d, e); }
        STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
        STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
        STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
    };
    menuObject.reset();
    ASSERT_EQ(S_OK, MakeMenu(getClassObject, chinese, menuObject, [](IDataObject* d) { return new IdListOnly(d); }));
    build();
    ASSERT_EQ(S_OK, invokeVerb("CorvaneAdd"));
    EXPECT_EQ(L"\u6587\u4EF6", ReadW(L"N3"));
    EXPECT_EQ(chinese, ReadW(L"P3"));

    // A file is not a folder to add.
    folder.write("note.txt", "");
    create(folder.file("note.txt"));
    EXPECT_NE((Item{L"Add to Corvane", true}), build().end()[-2]);
}

// With an editor open the folder goes to it, which adds it through its own Add; the
// menu writes nothing behind its back. The editor takes the old tag's code-page text too.
// A shortcut adds the folder it points to; one to a file adds nothing.
TEST_F(CorvaneMenu, AddsTheFolderAShortcutPointsTo) {
    const std::wstring base = Wide(folder.path()), target = base + L"\u6587\u6863";
    CreateDirectoryW(target.c_str(), nullptr);
    folder.write("note.txt", "x");
    ASSERT_TRUE(MakeShortcut(base + L"docs.lnk", target));
    ASSERT_TRUE(MakeShortcut(base + L"note.lnk", base + L"note.txt"));
    StoreW(L"N0", L"Root");
    StoreW(L"P0", L"C:\\");
    create(base + L"docs.lnk");
    EXPECT_EQ((Item{L"Add to Corvane", true}), build().end()[-2]);
    ASSERT_EQ(S_OK, invokeOffset(offsetOf("Add to Corvane"), CMIC_MASK_FLAG_NO_UI));
    EXPECT_EQ(target, ReadW(L"P1"));
    EXPECT_EQ(L"\u6587\u6863", ReadW(L"N1"));

    create(base + L"note.lnk");
    build();
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_DIRECTORY), invokeOffset(offsetOf("Add to Corvane"), CMIC_MASK_FLAG_NO_UI));
    EXPECT_EQ(L"<missing>", ReadW(L"N2"));
}

TEST_F(CorvaneMenu, HandsTheFolderToAnOpenEditor) {
    TestKey editorKey("MenuHandOver");
    ui::TheEnvironment().folders.program = folder.path();
    folder.write("options.ini", "[Options]\r\nShowTips=0\r\n");
    editorKey.set("N0", "one");
    editorKey.set("P0", "c:\\");
    auto editor = std::make_unique<app::MainForm>(nullptr, editorKey.path());
    editor->create();
    PumpPending();

    const std::wstring music = Wide(folder.path()) + L"\u041C\u0443\u0437\u044B\u043A\u0430";
    CreateDirectoryW(music.c_str(), nullptr);
    create(music);
    build();
    ASSERT_EQ(S_OK, invokeVerb("CorvaneAdd"));
    ASSERT_TRUE(PumpUntil([&] { return editor->rowCount() == 2; }));
    wchar_t text[MAX_PATH] = {};
    DWORD size = sizeof text;
    RegGetValueW(HKEY_CURRENT_USER, Wide(editorKey.path()).c_str(), L"P1", RRF_RT_REG_SZ, nullptr, text, &size);
    EXPECT_EQ(music, text);
    EXPECT_EQ("<missing>", ReadText(kStore, "N0")) << "nothing written beside the editor";

    ASSERT_EQ(S_OK, invokeVerb("CorvaneAdd"));
    PumpPending();
    EXPECT_EQ(2, editor->rowCount()) << "a folder already listed is not added twice";

    // What a menu of the older version sends: "CVAd" and the code page's bytes (1252 here).
    const char old[] = "Caf\xE9\0C:\\Caf\xE9";
    COPYDATASTRUCT cds{0x43564164, sizeof old, const_cast<char*>(old)};
    EXPECT_TRUE(SendMessageW(editor->handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)));
    ASSERT_TRUE(PumpUntil([&] { return editor->rowCount() == 3; }));
    size = sizeof text;
    RegGetValueW(HKEY_CURRENT_USER, Wide(editorKey.path()).c_str(), L"P2", RRF_RT_REG_SZ, nullptr, text, &size);
    EXPECT_EQ(std::wstring(L"C:\\Caf\u00E9"), text);
    editor.reset();
    ui::TheEnvironment().folders.program = "";
}

// An editor that does not answer, or one that sends back to the menu's thread while
// it takes the folder: the menu waits a bounded time, answers what is sent to it
// meanwhile (no SMTO_BLOCK), and says when the folder was not added.
TEST_F(CorvaneMenu, NeverWaitsForeverOnTheEditor) {
    struct Editor {
        static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
            if (msg == WM_COPYDATA) {
                auto* back = reinterpret_cast<HWND*>(GetWindowLongPtrW(w, GWLP_USERDATA));
                if (*back) SendMessageW(*back, WM_NULL, 0, 0); // as an editor's error box owned by the host would
                return TRUE;
            }
            return DefWindowProcW(w, msg, wp, lp);
        }
    };
    HWND hostWindow = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    HWND back = nullptr;
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Editor::Proc;
    wc.hInstance = dll; // a module of its own: the real editor's class may be registered in this process
    wc.lpszClassName = L"Corvane Made by Tollbright";
    ASSERT_TRUE(RegisterClassW(&wc));
    HANDLE hang = CreateEventW(nullptr, TRUE, FALSE, nullptr), made = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD editorThreadId = 0;
    std::thread editorThread([&] {
        editorThreadId = GetCurrentThreadId();
        HWND w = CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, dll, nullptr);
        SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&back));
        SetEvent(made);
        MSG m;
        while (WaitForSingleObject(hang, 0) == WAIT_TIMEOUT && GetMessageW(&m, nullptr, 0, 0)) DispatchMessageW(&m);
        WaitForSingleObject(release, 15000); // hung until told
        DestroyWindow(w);
    });
    WaitForSingleObject(made, 5000);
    const std::string music = folder.path() + "Music";
    CreateDirectoryA(music.c_str(), nullptr);
    create(music);
    build();
    back = hostWindow;
    // A wait that never ends shows as the suite's time limit, not as a timed check here.
    EXPECT_EQ(S_OK, invokeVerb("CorvaneAdd")) << "handed over while answering the editor";

    back = nullptr;
    SetEvent(hang);
    PostThreadMessageW(editorThreadId, WM_NULL, 0, 0);
    Sleep(100);
    for (DWORD mask : {DWORD(0), DWORD(CMIC_MASK_FLAG_NO_UI)}) {
        BoxWatcher boxes;
        EXPECT_EQ(E_FAIL, invokeVerb("CorvaneAdd", mask));
        EXPECT_EQ(mask ? 0u : 1u, boxes.texts.size());
        if (!mask && !boxes.texts.empty()) {
            EXPECT_NE(std::wstring::npos, boxes.texts[0].find(L"was not added"));
        }
    }
    EXPECT_EQ("<missing>", ReadText(kStore, "N0")) << "nothing written behind the editor's back";
    SetEvent(release);
    editorThread.join();
    CloseHandle(release);
    UnregisterClassW(wc.lpszClassName, dll);
    CloseHandle(hang);
    CloseHandle(made);
    DestroyWindow(hostWindow);
}

// The editor rewrites the store while menus are built: some menu every time.
TEST_F(CorvaneMenu, SurvivesTheStoreRewrittenWhileBuilding) {
    StorePairs({{"first", "c:\\"}});
    create();
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int round = 0; !stop; ++round) {
            const int n = round % 50;
            for (int i = 0; i < n && !stop; ++i) {
                const std::string index = std::to_string(i);
                Store(std::string("N") += index, std::string(round % 7 * 100 + 1, 'a' + i % 26));
                Store(std::string("P") += index, i % 5 ? "c:\\" : "-");
            }
            SHDeleteValueA(HKEY_CURRENT_USER, kStore, (std::string("P") += std::to_string(n / 2)).c_str());
            if (round % 13 == 0) SHDeleteKeyA(HKEY_CURRENT_USER, kStore);
        }
    });
    for (int i = 0; i < 100; ++i) {
        const std::vector<Item> items = build();
        if (items.empty() || items.back().text != L"Edit Favourites...") {
            ADD_FAILURE() << "build " << i << " gave no whole menu";
            break;
        }
    }
    stop = true;
    writer.join();
}

TEST_F(CorvaneMenu, LetsTheHostUnloadOnceEverythingIsReleased) {
    EXPECT_EQ(S_OK, canUnloadNow());
    create();
    build();
    EXPECT_EQ(S_FALSE, canUnloadNow());
    menuObject.reset();
    EXPECT_EQ(S_OK, canUnloadNow());

    Ref<IClassFactory> factory;
    ASSERT_EQ(S_OK, getClassObject(clsid, IID_IClassFactory, factory.out()));
    EXPECT_EQ(S_FALSE, canUnloadNow()) << "a held class object";
    factory->LockServer(TRUE);
    factory.reset();
    EXPECT_EQ(S_FALSE, canUnloadNow()) << "a server lock";
    ASSERT_EQ(S_OK, getClassObject(clsid, IID_IClassFactory, factory.out()));
    factory->LockServer(FALSE);
    factory.reset();
    EXPECT_EQ(S_OK, canUnloadNow());
}

// A copy run from a USB stick or a share is copied to the swap file first.
TEST(CorvaneImages, RunFromSwapWhenOnRemovableMediaOrAShare) {
    for (const char* name : {"CorvaneMenu.dll", "Corvane.exe"}) {
        HMODULE image = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(image) << name;
        const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(image) & ~ULONG_PTR(3));
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        EXPECT_EQ(IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP | IMAGE_FILE_NET_RUN_FROM_SWAP,
                  nt->FileHeader.Characteristics & (IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP | IMAGE_FILE_NET_RUN_FROM_SWAP))
            << name;
        FreeLibrary(image);
    }
}

// Explorer's windows are threads and every program's dialog another process: two threads
// here and two processes (this exe again, running the helper below) add dozens of
// folders each at once, with no editor open and no store yet. Every folder arrives
// once, beside its own alias, and the store is seeded once.
constexpr int kFoldersPerWriter = 25;
constexpr const wchar_t* kWritersGo = L"Local\\CorvaneMenuTest.WritersGo";

std::wstring WriterFolder(const std::wstring& base, int writer, int i) {
    return base + L"w" + std::to_wstring(writer) + L"-" + std::to_wstring(i);
}

void AddWritersFolders(GetClassObjectFn get, const std::wstring& base, int writer, std::vector<HRESULT>& results) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, kWritersGo);
    WaitForSingleObject(go, 30000);
    CloseHandle(go);
    for (int i = 0; i < kFoldersPerWriter; ++i) results.push_back(AddThroughMenu(get, WriterFolder(base, writer, i)));
    CoUninitialize();
}

GetClassObjectFn LoadMenuDll(HMODULE& dll) {
    dll = LoadLibraryW(L"CorvaneMenu.dll");
    return dll ? reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")))
               : nullptr;
}

TEST(CorvaneMenuWriters, TwoThreadsAndTwoProcessesLoseNoFolder) {
    SHDeleteKeyA(HKEY_CURRENT_USER, kStore);
    TempFolder folders;
    const std::wstring base = Wide(folders.path());
    for (int w = 0; w < 4; ++w)
        for (int i = 0; i < kFoldersPerWriter; ++i) CreateDirectoryW(WriterFolder(base, w, i).c_str(), nullptr);
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, kWritersGo);
    HMODULE dll = nullptr;
    GetClassObjectFn get = LoadMenuDll(dll);
    ASSERT_TRUE(get);

    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    PROCESS_INFORMATION children[2] = {};
    for (int c = 0; c < 2; ++c) {
        std::wstring command = L"\"" + std::wstring(exe) +
                               L"\" --gtest_also_run_disabled_tests "
                               L"--gtest_filter=CorvaneMenuWriters.DISABLED_AddsFolders";
        SetEnvironmentVariableW(L"CORVANE_WRITER", (std::to_wstring(c + 2) + L"|" + base).c_str());
        STARTUPINFOW si{};
        si.cb = sizeof si;
        ASSERT_TRUE(
            CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &children[c]));
    }
    SetEnvironmentVariableW(L"CORVANE_WRITER", nullptr);
    Sleep(4000); // a Wine process takes seconds to start; they then wait for the signal
    std::vector<HRESULT> results[2];
    std::thread threads[] = {std::thread(AddWritersFolders, get, base, 0, std::ref(results[0])),
                             std::thread(AddWritersFolders, get, base, 1, std::ref(results[1]))};
    Sleep(50);
    SetEvent(go);
    for (auto& t : threads) t.join();
    for (auto& child : children) {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(child.hProcess, 60000));
        DWORD code = 1;
        GetExitCodeProcess(child.hProcess, &code);
        EXPECT_EQ(0u, code) << "a writer process failed";
        CloseHandle(child.hProcess);
        CloseHandle(child.hThread);
    }
    for (const auto& r : results) EXPECT_EQ(std::vector<HRESULT>(kFoldersPerWriter, S_OK), r);

    std::multiset<std::wstring> paths;
    int n = 0;
    for (;; ++n) {
        const std::wstring alias = ReadW(L"N" + std::to_wstring(n)), path = ReadW(L"P" + std::to_wstring(n));
        if (alias == L"<missing>" || path == L"<missing>") break;
        paths.insert(path);
        if (n >= 2) {
            EXPECT_EQ(path, base + alias) << "row " << n;
        }
    }
    EXPECT_EQ(2 + 4 * kFoldersPerWriter, n);
    EXPECT_EQ(L"Windows Directory", ReadW(L"N0"));
    for (int w = 0; w < 4; ++w)
        for (int i = 0; i < kFoldersPerWriter; ++i) EXPECT_EQ(1u, paths.count(WriterFolder(base, w, i))) << w << i;
    CloseHandle(go);
    FreeLibrary(dll);
    SHDeleteKeyA(HKEY_CURRENT_USER, kStore);
}

// The writer processes of the test above; started by it alone.
TEST(CorvaneMenuWriters, DISABLED_AddsFolders) {
    wchar_t job[MAX_PATH * 2] = {};
    ASSERT_TRUE(GetEnvironmentVariableW(L"CORVANE_WRITER", job, MAX_PATH * 2)) << "started by the test above only";
    const std::wstring text = job;
    HMODULE dll = nullptr;
    GetClassObjectFn get = LoadMenuDll(dll);
    ASSERT_TRUE(get);
    std::vector<HRESULT> results;
    AddWritersFolders(get, text.substr(text.find(L'|') + 1), std::stoi(text), results);
    EXPECT_EQ(std::vector<HRESULT>(kFoldersPerWriter, S_OK), results);
    FreeLibrary(dll);
}

} // namespace
