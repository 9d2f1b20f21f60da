// The Corvane menu DLL, driven through COM as the shell drives it: registered per user,
// loaded from the registered file, initialised with what was right-clicked.
#include "TestSupport.h"
#include "app/MainForm.h"
#include "ui/Application.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <atomic>
#include <cctype>
#include <memory>
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
    std::string text;
    bool enabled;
    bool operator==(const Item&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Item& i) {
    return os << '"' << i.text << (i.enabled ? "\"" : "\" (off)");
}
const Item kSeparator{"-", true};

// The items of a menu, separators as "-"; every command id checked against the range.
std::vector<Item> ItemsOf(HMENU menu, UINT first, UINT last) {
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[8192] = {};
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        mi.dwTypeData = text;
        mi.cch = sizeof text;
        EXPECT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &mi));
        if (mi.fType & MFT_SEPARATOR) {
            items.push_back(kSeparator);
            continue;
        }
        EXPECT_GE(mi.wID, first) << text;
        EXPECT_LE(mi.wID, last) << text;
        items.push_back({text, !(mi.fState & MFS_DISABLED)});
    }
    return items;
}

// A common dialog's browser as the menu's site sees it: records where it was sent.
class DialogSite : public IServiceProvider, public IShellBrowser, public ICommDlgBrowser {
public:
    std::vector<std::string> visited;
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
        char path[MAX_PATH] = {};
        SHGetPathFromIDListA(static_cast<PCIDLIST_ABSOLUTE>(pidl), path);
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
        init.reset();
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
    void create(const std::string& folder = "") {
        init.reset();
        menuObject.reset();
        // As the shell creates it; where per-user classes are not merged into HKCR (Wine 8),
        // through the registered file's class object.
        const HRESULT viaCom = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit, init.out());
        if (viaCom == REGDB_E_CLASSNOTREG) {
            Ref<IClassFactory> factory;
            ASSERT_EQ(S_OK, getClassObject(clsid, IID_IClassFactory, factory.out()));
            ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IShellExtInit, init.out()));
        } else {
            ASSERT_EQ(S_OK, viaCom);
        }
        ASSERT_EQ(S_OK, init->QueryInterface(IID_IContextMenu, menuObject.out()));
        Ref<IDataObject> data;
        if (!folder.empty()) {
            // The data object the shell makes for a selection: the parent folder's own.
            // (Wine 8's SHCreateDataObject answers E_NOTIMPL.)
            PIDLIST_ABSOLUTE item = ILCreateFromPathA(folder.c_str());
            ASSERT_TRUE(item) << folder;
            Ref<IShellFolder> parent;
            PCUITEMID_CHILD child = nullptr;
            ASSERT_EQ(S_OK, SHBindToParent(item, IID_IShellFolder, parent.out(), &child));
            ASSERT_EQ(S_OK, parent->GetUIObjectOf(nullptr, 1, &child, IID_IDataObject, nullptr, data.out()));
            ILFree(item);
        }
        ASSERT_EQ(S_OK, init->Initialize(nullptr, data.p, nullptr));
    }

    // Builds the menu into a fresh HMENU with one item of the host's; the Corvane submenu's items.
    std::vector<Item> build(UINT first = kFirst, UINT last = kLast, HRESULT* result = nullptr) {
        if (menu) DestroyMenu(menu);
        menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, 1, "Host item");
        const HRESULT hr = menuObject->QueryContextMenu(menu, 0, first, last, CMF_NORMAL);
        if (result) *result = hr;
        EXPECT_FALSE(FAILED(hr));
        if (GetMenuItemCount(menu) != 2) return {};
        char caption[64] = {};
        GetMenuStringA(menu, 0, caption, sizeof caption, MF_BYPOSITION);
        EXPECT_STREQ("Corvane", caption);
        HMENU sub = GetSubMenu(menu, 0);
        EXPECT_TRUE(sub);
        return sub ? ItemsOf(sub, first, last) : std::vector<Item>{};
    }

    HRESULT invokeOffset(UINT offset) {
        CMINVOKECOMMANDINFO ci{};
        ci.cbSize = sizeof ci;
        ci.lpVerb = MAKEINTRESOURCEA(offset);
        ci.nShow = SW_SHOWNORMAL;
        return menuObject->InvokeCommand(&ci);
    }
    HRESULT invokeVerb(const char* verb) {
        CMINVOKECOMMANDINFO ci{};
        ci.cbSize = sizeof ci;
        ci.lpVerb = verb;
        ci.nShow = SW_SHOWNORMAL;
        return menuObject->InvokeCommand(&ci);
    }
    // The offset of the submenu item captioned `text`.
    UINT offsetOf(const std::string& text) {
        HMENU sub = GetSubMenu(menu, 0);
        for (int i = 0; i < GetMenuItemCount(sub); ++i) {
            char buf[256] = {};
            GetMenuStringA(sub, i, buf, sizeof buf, MF_BYPOSITION);
            if (text == buf) return GetMenuItemID(sub, i) - kFirst;
        }
        ADD_FAILURE() << "no item " << text;
        return 0;
    }

    CLSID clsid{};
    std::string file;
    HMODULE dll = nullptr;
    HRESULT(WINAPI* getClassObject)(REFCLSID, REFIID, void**) = nullptr;
    HRESULT(WINAPI* canUnloadNow)() = nullptr;
    Ref<IShellExtInit> init;
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

// The store as the editor reads it: a gap ends the list, separators, missing and network
// folders, "&" and a 5,000-character alias; nothing to add on the background.
TEST_F(CorvaneMenu, BackgroundMenuShowsTheStoredFavourites) {
    const std::string there = folder.path(), gone = folder.path() + "gone";
    StorePairs({{"Music & Art", there},
                {"*Separator*", "-"},
                {"Gone", gone},
                {std::string(5000, 'x'), "\\\\nowhere\\share"},
                {"", "c:\\"},
                {"after the gap", there}});
    create();
    EXPECT_EQ((std::vector<Item>{{"Music && Art", true},
                                 kSeparator,
                                 {"Gone", false},
                                 {std::string(61, 'x') + "...", true},
                                 kSeparator,
                                 {"Edit Favourites...", false}}),
              build());

    // Edit Favourites follows the editor's recorded path; one on a share is not probed.
    folder.write("Corvane.exe", "");
    const std::pair<std::string, bool> editors[] = {
        {folder.file("Corvane.exe"), true}, {folder.file("gone.exe"), false}, {"\\\\nowhere\\Corvane.exe", true}};
    for (const auto& [exe, enabled] : editors) {
        Store("Setting", exe);
        EXPECT_EQ((Item{"Edit Favourites...", enabled}), build().back()) << exe;
    }
}

TEST_F(CorvaneMenu, BadStoredDataEndsTheListAndNeverCreatesTheKey) {
    create();
    EXPECT_EQ((std::vector<Item>{{"Edit Favourites...", false}}), build());
    HKEY k = nullptr;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kStore, 0, KEY_READ, &k)) << "building only reads";

    StorePairs({{"one", folder.path()}, {"two", folder.path()}});
    const DWORD number = 7;
    ASSERT_EQ(ERROR_SUCCESS, StoreRaw("P1", REG_DWORD, &number, sizeof number));
    EXPECT_EQ((std::vector<Item>{{"one", true}, kSeparator, {"Edit Favourites...", false}}), build());
}

// More favourites than the host has ids for: as many as fit, then "More in Corvane...".
TEST_F(CorvaneMenu, KeepsCommandIdsInsideTheHostsRange) {
    StorePairs({{"a", "c:\\"}, {"b", "c:\\"}, {"c", "c:\\"}, {"d", "c:\\"}});
    create();
    // Four ids are the menu's own, two are left for favourites.
    EXPECT_EQ((std::vector<Item>{
                  {"a", true}, {"b", true}, {"More in Corvane...", true}, kSeparator, {"Edit Favourites...", false}}),
              build(500, 505));
    HRESULT hr = S_OK;
    EXPECT_TRUE(build(500, 502, &hr).empty());
    EXPECT_EQ(0, HRESULT_CODE(hr));
    EXPECT_EQ(1, GetMenuItemCount(menu)) << "the host's menu left as it was";
}

TEST_F(CorvaneMenu, SendsACommonDialogToTheChosenFolder) {
    folder.write("x.txt", "");
    const std::string a = folder.path() + "A", b = folder.path() + "B";
    CreateDirectoryA(a.c_str(), nullptr);
    CreateDirectoryA(b.c_str(), nullptr);
    StorePairs({{"A", a}, {"B", b}});
    create();
    DialogSite site;
    Ref<IObjectWithSite> withSite;
    ASSERT_EQ(S_OK, menuObject->QueryInterface(IID_IObjectWithSite, withSite.out()));
    ASSERT_EQ(S_OK, withSite->SetSite(static_cast<IServiceProvider*>(&site)));
    build();

    EXPECT_EQ(S_OK, invokeOffset(offsetOf("B")));
    char verb[64] = {};
    ASSERT_EQ(S_OK, menuObject->GetCommandString(offsetOf("A"), GCS_VERBA, nullptr, verb, sizeof verb));
    EXPECT_EQ(S_OK, invokeVerb(verb));
    EXPECT_EQ((std::vector<std::string>{b, a}), site.visited);
    EXPECT_TRUE(site.lastFlags & SBSP_SAMEBROWSER);

    // Verbs and offsets of other handlers are not ours.
    EXPECT_EQ(E_INVALIDARG, invokeVerb("open"));
    EXPECT_EQ(E_INVALIDARG, invokeOffset(offsetOf("B") + 1));
    EXPECT_EQ(2u, site.visited.size());

    withSite->SetSite(nullptr);
    EXPECT_EQ(1, site.refs) << "the site is released";
}

TEST_F(CorvaneMenu, AddsTheRightClickedFolderOnce) {
    const std::string music = folder.path() + "Music";
    CreateDirectoryA(music.c_str(), nullptr);
    // No key yet: the editor's first-start favourites come first.
    create(music);
    EXPECT_EQ((Item{"Add to Corvane", true}), build().end()[-2]);
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

    // A file is not a folder to add.
    folder.write("note.txt", "");
    create(folder.file("note.txt"));
    EXPECT_NE((Item{"Add to Corvane", true}), build().end()[-2]);
}

// With an editor open the folder goes to it, which adds it through its own Add; the
// menu writes nothing behind its back.
TEST_F(CorvaneMenu, HandsTheFolderToAnOpenEditor) {
    TestKey editorKey("MenuHandOver");
    ui::TheEnvironment().folders.program = folder.path();
    folder.write("options.ini", "[Options]\r\nShowTips=0\r\n");
    editorKey.set("N0", "one");
    editorKey.set("P0", "c:\\");
    auto editor = std::make_unique<app::MainForm>(nullptr, editorKey.path());
    editor->create();
    PumpPending();

    const std::string music = folder.path() + "Music";
    CreateDirectoryA(music.c_str(), nullptr);
    create(music);
    build();
    ASSERT_EQ(S_OK, invokeVerb("CorvaneAdd"));
    ASSERT_TRUE(PumpUntil([&] { return editor->rowCount() == 2; }));
    EXPECT_EQ("Music", editor->rowAlias(1));
    EXPECT_EQ("Music", editorKey.get("N1"));
    EXPECT_EQ(music, editorKey.get("P1"));
    EXPECT_EQ("<missing>", ReadText(kStore, "N0")) << "nothing written beside the editor";

    ASSERT_EQ(S_OK, invokeVerb("CorvaneAdd"));
    PumpPending();
    EXPECT_EQ(2, editor->rowCount()) << "a folder already listed is not added twice";
    editor.reset();
    ui::TheEnvironment().folders.program = "";
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
        if (items.empty() || items.back().text != "Edit Favourites...") {
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
    init.reset();
    EXPECT_EQ(S_FALSE, canUnloadNow()) << "the context menu interface still holds the object";
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

} // namespace
