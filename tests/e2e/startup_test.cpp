// Starts Corvane.exe as a user would and drives it from outside: the tips dialog at
// start-up, its saved choice, and the single running copy.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ExeWindows.h"

using namespace corvane::exe;

namespace {

constexpr const char* kMainClass = "Corvane Made by Tollbright";
constexpr const char* kTipsCaption = "Corvane Tip of the Day";
constexpr const char* kStoreKey = "Software\\Corvane";

// A copy of a registry key with its values and sub-keys, put back as it was.
struct KeySnapshot {
    bool exists = false;
    std::map<std::string, std::pair<DWORD, std::string>> values;
    std::map<std::string, KeySnapshot> subKeys;

    static KeySnapshot take(HKEY root, const std::string& path) {
        KeySnapshot s;
        HKEY h;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return s;
        s.exists = true;
        for (DWORD i = 0;; ++i) {
            char name[16384];
            DWORD nameLen = sizeof name, type = 0, size = 0;
            if (RegEnumValueA(h, i, name, &nameLen, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
            std::string data(size, '\0');
            nameLen = sizeof name;
            RegEnumValueA(h, i, name, &nameLen, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
            data.resize(size);
            s.values[std::string(name, nameLen)] = {type, data};
        }
        for (DWORD i = 0;; ++i) {
            char name[256];
            DWORD nameLen = sizeof name;
            if (RegEnumKeyExA(h, i, name, &nameLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            s.subKeys[name] = take(root, path + "\\" + name);
        }
        RegCloseKey(h);
        return s;
    }

    void restore(HKEY root, const std::string& path) const {
        SHDeleteKeyA(root, path.c_str());
        if (!exists) return;
        HKEY h;
        if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) != ERROR_SUCCESS)
            return;
        for (const auto& [name, v] : values)
            RegSetValueExA(h, name.c_str(), 0, v.first, reinterpret_cast<const BYTE*>(v.second.data()),
                           static_cast<DWORD>(v.second.size()));
        RegCloseKey(h);
        for (const auto& [name, sub] : subKeys) sub.restore(root, path + "\\" + name);
    }

    bool operator==(const KeySnapshot& o) const {
        return exists == o.exists && values == o.values && subKeys == o.subKeys;
    }
};

std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }

std::string OwnFolder() {
    char buf[MAX_PATH * 2];
    DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    return Folder(std::string(buf, n));
}

class Process {
public:
    Process(const std::string& exe, const std::string& dir) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string cmd = "\"" + exe + "\"";
        started_ = CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si,
                                  &pi_) != FALSE;
    }
    ~Process() {
        if (!started_) return;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(pi_.hProcess, 1);
            WaitForSingleObject(pi_.hProcess, 5000);
        }
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    bool started() const { return started_; }
    DWORD id() const { return pi_.dwProcessId; }
    HANDLE handle() const { return pi_.hProcess; }
    // The exit code, or STILL_ACTIVE when it did not end in time.
    DWORD waitExit(DWORD ms) const {
        WaitForSingleObject(pi_.hProcess, ms);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(pi_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

bool IsMainWindow(HWND w) { return ClassOf(w) == kMainClass; }
bool IsTipsWindow(HWND w) { return IsWindowVisible(w) && TextOf(w) == kTipsCaption; }

int ListRows(HWND main) {
    auto lists = ChildWindows(main, [](HWND w) { return ClassOf(w) == WC_LISTVIEWA; });
    return lists.empty() ? -1 : static_cast<int>(Ask(lists.front(), LVM_GETITEMCOUNT));
}

void CloseAndWait(const Process& p, HWND main) {
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.waitExit(15000), 0u);
}

class Program : public ::testing::Test {
protected:
    void SetUp() override {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        folder_ = std::string(tmp) + "corvane-e2e-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        exe_ = folder_ + "Corvane.exe";
        ASSERT_TRUE(CopyFileA((OwnFolder() + "Corvane.exe").c_str(), exe_.c_str(), FALSE))
            << "Corvane.exe beside e2e_tests.exe";
        saved_ = KeySnapshot::take(HKEY_CURRENT_USER, kStoreKey);
        SHDeleteKeyA(HKEY_CURRENT_USER, kStoreKey);
    }
    void TearDown() override {
        // Nothing of ours may keep running.
        for (HWND w : TopWindows(0, IsMainWindow)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid != GetCurrentProcessId()) PostMessageA(w, WM_CLOSE, 0, 0);
        }
        WaitUntil([] { return TopWindows(0, IsMainWindow).empty(); }, 5000);
        saved_.restore(HKEY_CURRENT_USER, kStoreKey);
        std::string from = folder_.substr(0, folder_.size() - 1);
        from.push_back('\0');
        SHFILEOPSTRUCTA op{};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        SHFileOperationA(&op);
    }

    std::string optionsFile() const { return folder_ + "options.ini"; }
    std::string option(const char* key) const {
        char buf[32] = {};
        GetPrivateProfileStringA("Options", key, "<missing>", buf, sizeof buf, optionsFile().c_str());
        return buf;
    }

    std::string folder_, exe_;
    KeySnapshot saved_;
};

} // namespace

TEST_F(Program, TipsOpenOverTheFilledWindowUntilTheUserSaysNever) {
    ASSERT_FALSE(PathFileExistsA(optionsFile().c_str()));
    {
        Process p(exe_, folder_);
        ASSERT_TRUE(p.started());
        HWND tips = WaitForWindow(p.id(), IsTipsWindow);
        ASSERT_NE(tips, nullptr) << "no tips dialog at start";
        HWND main = WaitForWindow(p.id(), IsMainWindow, 1000);
        ASSERT_NE(main, nullptr);
        EXPECT_TRUE(IsWindowVisible(main));
        EXPECT_EQ(GetWindow(tips, GW_OWNER), main);
        EXPECT_FALSE(IsWindowEnabled(main)); // modal
        EXPECT_EQ(ListRows(main), 2);        // the first start's two favourites
        WaitForInputIdle(p.handle(), 5000);

        auto combos = ChildWindows(tips, [](HWND w) { return lstrcmpiA(ClassOf(w).c_str(), "ComboBox") == 0; });
        ASSERT_EQ(combos.size(), 1u);
        HWND combo = combos.front();
        EXPECT_EQ(Ask(combo, CB_GETCURSEL), 0);
        // Open the box, one down, take it.
        ClickWindow(combo);
        ASSERT_TRUE(WaitUntil([&] { return Ask(combo, CB_GETDROPPEDSTATE) != 0; }, 3000)) << "list not open";
        PressKey(VK_DOWN);
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitUntil([&] { return Ask(combo, CB_GETCURSEL) == 1; }, 3000)) << "choice not taken";
        auto close = ChildWindows(tips, [](HWND w) { return TextOf(w) == "&Close"; });
        ASSERT_EQ(close.size(), 1u);
        ClickWindow(close.front());
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(tips) || !IsWindowVisible(tips); })) << "tips still open";
        EXPECT_EQ(option("ShowTips"), "0");
        EXPECT_EQ(option("ExploreFolder"), "1");
        EXPECT_EQ(option("AskDelete"), "1");
        EXPECT_TRUE(IsWindowEnabled(main));
        CloseAndWait(p, main);
    }
    {
        Process p(exe_, folder_);
        HWND main = WaitForWindow(p.id(), IsMainWindow);
        ASSERT_NE(main, nullptr);
        WaitForInputIdle(p.handle(), 10000);
        // The list answered and the program waits for input: start-up is over, and a
        // tips dialog would be open by now.
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && ListRows(main) == 2; }));
        EXPECT_TRUE(TopWindows(p.id(), IsTipsWindow).empty());
        EXPECT_TRUE(IsWindowEnabled(main));
        CloseAndWait(p, main);
    }
}

TEST_F(Program, ASecondStartHandsOverToTheRunningCopyAndEnds) {
    // The running copy minimised, hidden, or showing the tips dialog over its window.
    for (const char* shape : {"minimised", "hidden", "tips open"}) {
        SCOPED_TRACE(shape);
        const bool tipsOpen = std::string(shape) == "tips open";
        WritePrivateProfileStringA("Options", "ShowTips", tipsOpen ? "1" : "0", optionsFile().c_str());
        Process first(exe_, folder_);
        HWND main = WaitForWindow(first.id(), IsMainWindow);
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return ListRows(main) == 2; }));
        HWND tips = nullptr;
        HWND front = nullptr; // a window of ours in front of the dialog
        if (tipsOpen) {
            tips = WaitForWindow(first.id(), IsTipsWindow);
            ASSERT_NE(tips, nullptr);
            front = CreateWindowExA(0, "STATIC", "front", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
            SetForegroundWindow(front);
            ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == front; }, 3000));
        } else if (std::string(shape) == "minimised") {
            PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            ASSERT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }));
        } else {
            ShowWindow(main, SW_HIDE);
            ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
        }

        const KeySnapshot store = KeySnapshot::take(HKEY_CURRENT_USER, kStoreKey);
        ASSERT_TRUE(store.exists);
        const std::string options = option("ShowTips");
        const bool hidden = std::string(shape) == "hidden";
        const size_t windows = TopWindows(first.id(), IsWindowVisible).size() + (hidden ? 1 : 0);
        {
            Process second(exe_, folder_);
            ASSERT_TRUE(second.started());
            EXPECT_EQ(second.waitExit(15000), 0u);
        }
        if (tipsOpen) {
            EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == tips; }, 5000)) << "the dialog stays behind";
            EXPECT_FALSE(IsWindowEnabled(main));
        } else {
            EXPECT_TRUE(WaitUntil([&] { return !IsIconic(main) && IsWindowVisible(main); })) << "not restored";
        }
        EXPECT_EQ(TopWindows(first.id(), IsWindowVisible).size(), windows);
        EXPECT_EQ(TopWindows(0, IsMainWindow).size(), 1u);
        EXPECT_EQ(ListRows(main), 2);
        EXPECT_TRUE(KeySnapshot::take(HKEY_CURRENT_USER, kStoreKey) == store);
        EXPECT_EQ(option("ShowTips"), options);
        if (front) DestroyWindow(front);
        if (tips) {
            PostMessageA(tips, WM_CLOSE, 0, 0);
            ASSERT_TRUE(WaitUntil([&] { return !IsWindow(tips); }));
        }
        CloseAndWait(first, main);
    }
}

TEST_F(Program, AddWithAnExistingFolderAppendsToTheStore) {
    WritePrivateProfileStringA("Options", "ShowTips", "0", optionsFile().c_str());
    Process p(exe_, folder_);
    HWND main = WaitForWindow(p.id(), IsMainWindow);
    ASSERT_NE(main, nullptr);
    WaitForInputIdle(p.handle(), 10000);
    ASSERT_TRUE(WaitUntil([&] { return ListRows(main) == 2; }));

    // A real click on the first tool button, Add.
    auto bars = ChildWindows(main, [](HWND w) { return ClassOf(w) == TOOLBARCLASSNAMEA; });
    ASSERT_EQ(bars.size(), 1u);
    POINT add{22, 18};
    ClientToScreen(bars.front(), &add);
    ClickAt(add.x, add.y);
    HWND editor = WaitForWindow(
        p.id(), [](HWND w) { return IsWindowVisible(w) && TextOf(w) == "Add Item"; }, 10000);
    ASSERT_NE(editor, nullptr) << "no item editor";

    auto edits = ChildWindows(editor, [](HWND w) { return lstrcmpiA(ClassOf(w).c_str(), "Edit") == 0; });
    ASSERT_EQ(edits.size(), 2u);
    std::sort(edits.begin(), edits.end(), [](HWND a, HWND b) {
        RECT ra, rb;
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.top < rb.top;
    });
    const std::string folder = folder_.substr(0, folder_.size() - 1);
    Ask(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Work"));
    Ask(edits[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    auto ok = ChildWindows(editor, [](HWND w) { return TextOf(w) == "&OK"; });
    ASSERT_EQ(ok.size(), 1u);
    ClickWindow(ok.front());
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor) || !IsWindowVisible(editor); })) << "editor still open";
    ASSERT_TRUE(WaitUntil([&] { return ListRows(main) == 3; }));

    auto value = [](const char* name) {
        char buf[MAX_PATH * 2] = {};
        DWORD size = sizeof buf;
        if (RegGetValueA(HKEY_CURRENT_USER, kStoreKey, name, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
            return std::string("<missing>");
        return std::string(buf);
    };
    EXPECT_EQ(value("N2"), "Work");
    EXPECT_EQ(value("P2"), folder);
    EXPECT_EQ(value("N3"), "<missing>");
    CloseAndWait(p, main);
}

TEST_F(Program, TitleBarButtonsMinimizeAndCloseTheMainWindow) {
    WritePrivateProfileStringA("Options", "ShowTips", "0", optionsFile().c_str());
    Process p(exe_, folder_);
    HWND main = WaitForWindow(p.id(), IsMainWindow);
    ASSERT_NE(main, nullptr);
    WaitForInputIdle(p.handle(), 10000);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && ListRows(main) == 2; }));
    // The skinned title bar fills the top of the client area; close is the rightmost
    // button, minimize the one left of it (maximize is hidden).
    auto button = [&](int fromRight) {
        POINT p{0, 8};
        RECT c;
        GetClientRect(main, &c);
        p.x = c.right - fromRight;
        ClientToScreen(main, &p);
        return p;
    };
    const POINT minimize = button(30), close = button(10);
    SetCursorPos(minimize.x, minimize.y);
    Sleep(200);
    ClickAt(minimize.x, minimize.y);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }, 5000)) << "not minimized";
    PostMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(main) && IsWindowVisible(main); }, 5000));
    SetForegroundWindow(main);
    SetCursorPos(close.x, close.y);
    Sleep(200);
    ClickAt(close.x, close.y);
    EXPECT_EQ(p.waitExit(15000), 0u) << "the program did not end";
}

TEST_F(Program, AValueOfTheWrongTypeShowsOneErrorAndTheWindowStillOpens) {
    // No options file: tips are on, and must be skipped after the error.
    HKEY h;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kStoreKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    const char alias[] = "kept", path[] = "c:\\kept";
    const DWORD number = 5;
    RegSetValueExA(h, "N0", 0, REG_SZ, reinterpret_cast<const BYTE*>(alias), sizeof alias);
    RegSetValueExA(h, "P0", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), sizeof path);
    RegSetValueExA(h, "N1", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(h);

    Process p(exe_, folder_);
    ASSERT_TRUE(p.started());
    auto isErrorBox = [](HWND w) { return IsWindowVisible(w) && ClassOf(w) == "#32770" && TextOf(w) == "Corvane"; };
    HWND box = WaitForWindow(p.id(), isErrorBox);
    ASSERT_NE(box, nullptr) << "no error box";
    auto texts = ChildWindows(box, [](HWND w) { return TextOf(w) == "Invalid data type for 'N1'"; });
    EXPECT_EQ(texts.size(), 1u);
    HWND main = WaitForWindow(p.id(), IsMainWindow, 1000);
    ASSERT_NE(main, nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "error box did not close";

    // Neither a second error box nor the tips dialog follows; the window shows the row read.
    EXPECT_FALSE(WaitUntil([&] { return !TopWindows(p.id(), isErrorBox).empty(); }, 2000)) << "second error box";
    EXPECT_TRUE(TopWindows(p.id(), IsTipsWindow).empty());
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(ListRows(main), 1);
    CloseAndWait(p, main);
}

// Installed per user, the program lives under the user's profile, whose folder is the
// user's name: in any script.
TEST_F(Program, StartedFromAFolderNamedInChineseRecordsItsWholePathAndTheMenuStartsItThere) {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const std::wstring dir = std::wstring(tmp) + L"\u7A0B\u5E8F-app-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
    const std::wstring exe = dir + L"Corvane.exe";
    ASSERT_TRUE(CopyFileW(std::wstring(exe_.begin(), exe_.end()).c_str(), exe.c_str(), FALSE));
    // Without this file beside the exe the tips would open at start-up.
    WritePrivateProfileStringW(L"Options", L"ShowTips", L"0", (dir + L"options.ini").c_str());

    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe + L"\"";
    ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi));
    HWND main = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        auto w = TopWindows(pi.dwProcessId, [](HWND h) { return IsMainWindow(h) && IsWindowVisible(h); });
        main = w.empty() ? nullptr : w.front();
        return main != nullptr;
    }));
    Sleep(500);
    EXPECT_TRUE(TopWindows(pi.dwProcessId, IsTipsWindow).empty());

    wchar_t setting[MAX_PATH * 2] = {};
    DWORD size = sizeof setting;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Corvane", L"Setting", RRF_RT_REG_SZ, nullptr, setting, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(setting), exe);

    if (main) PostMessageW(main, WM_CLOSE, 0, 0);
    WaitForSingleObject(pi.hProcess, 15000);
    TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    // The menu's "Edit Favourites..." starts it from there, by the path it recorded.
    HMODULE dll = LoadLibraryA((OwnFolder() + "CorvaneMenu.dll").c_str());
    ASSERT_TRUE(dll) << "the menu DLL beside the test";
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
    const CLSID menuClass = {0x30686f35, 0x109b, 0x4760, {0x82, 0x6d, 0x29, 0x85, 0x5d, 0x80, 0x4d, 0x71}};
    IClassFactory* factory = nullptr;
    IContextMenu* menu = nullptr;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ASSERT_TRUE(get && SUCCEEDED(get(menuClass, IID_IClassFactory, reinterpret_cast<void**>(&factory))));
    ASSERT_TRUE(SUCCEEDED(factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void**>(&menu))));
    HMENU host = CreatePopupMenu();
    EXPECT_FALSE(FAILED(menu->QueryContextMenu(host, 0, 1, 0x7FFF, CMF_NORMAL)));
    CMINVOKECOMMANDINFO ci{};
    ci.cbSize = sizeof ci;
    ci.fMask = CMIC_MASK_FLAG_NO_UI;
    ci.lpVerb = "CorvaneEdit";
    ci.nShow = SW_SHOWNORMAL;
    EXPECT_EQ(S_OK, menu->InvokeCommand(&ci));
    HWND started = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        auto w = TopWindows(0, [](HWND h) { return IsMainWindow(h) && IsWindowVisible(h); });
        started = w.empty() ? nullptr : w.front();
        return started != nullptr;
    })) << "Edit Favourites... started no editor";
    if (started) {
        DWORD pid = 0;
        GetWindowThreadProcessId(started, &pid);
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, pid);
        wchar_t image[MAX_PATH * 2] = {};
        DWORD length = MAX_PATH * 2;
        using ImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);
        auto imageName = reinterpret_cast<ImageName>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "QueryFullProcessImageNameW")));
        if (process && imageName) imageName(process, 0, image, &length);
        EXPECT_EQ(0, _wcsicmp(image, exe.c_str())) << "the editor started from the recorded folder";
        PostMessageW(started, WM_CLOSE, 0, 0);
        if (process) {
            WaitForSingleObject(process, 15000);
            CloseHandle(process);
        }
    }
    DestroyMenu(host);
    menu->Release();
    factory->Release();
    CoUninitialize();
    DeleteFileW((dir + L"options.ini").c_str());
    DeleteFileW(exe.c_str());
    RemoveDirectoryW(dir.c_str());
}

namespace {
// Windows scales a program itself unless its manifest says the program does: per monitor
// (v2) from Windows 10 1703 on, system-wide before.
TEST(ProgramManifest, DeclaresThatTheProgramScalesItselfPerMonitor) {
    HMODULE exe = LoadLibraryExA((OwnFolder() + "Corvane.exe").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(nullptr, exe);
    HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)); // RT_MANIFEST
    ASSERT_NE(nullptr, found);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(exe, found)));
    const std::string manifest(bytes, SizeofResource(exe, found));
    FreeLibrary(exe);
    EXPECT_NE(std::string::npos, manifest.find(">PerMonitorV2</dpiAwareness>")) << manifest;
    EXPECT_NE(std::string::npos, manifest.find(">true</dpiAware>")) << manifest;
}
} // namespace
