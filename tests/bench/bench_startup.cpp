// Start to a painted main window beside its floor, start to a painted plain window
// with a list view of the same ten rows. Both sides start this very exe, so the
// process start costs the same, and both set up common controls and COM (main does):
// with --product-window it runs the program's start-up on a registry key and a window
// class of its own, so a running copy of the program can neither answer for it nor be
// disturbed by it; with --bare-window it reads the same ten pairs from the same key
// into a list view of its own.
#include "Bench.h"
#include "MessageProfile.h"
#include "ui/Environment.h"
#include "app/Global.h"
#include "app/MainForm.h"
#include "ui/Application.h"
#include "ui/UserPrompt.h"
#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>
#include <cstring>
#include <memory>
#include <string>

using namespace corvane;
using namespace corvane::bench;

namespace {

const char* const kStartupKey = "Software\\CorvaneBenchStartup";
const char* const kProductClass = "CorvaneBenchMain";
const char* const kBareClass = "CorvaneBenchBare";
const wchar_t* const kBareClassW = L"CorvaneBenchBare";
const wchar_t* const kStartupKeyW = L"Software\\CorvaneBenchStartup";
constexpr int kRows = 10;

std::string benchFolder() {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    return std::string(tmp) + "corvane-bench-startup\\";
}

class BenchMainForm : public app::MainForm {
public:
    BenchMainForm() : app::MainForm(nullptr, kStartupKey) {}

protected:
    void createParams(ui::CreateParams& p) override {
        app::MainForm::createParams(p);
        std::memset(p.winClassName, 0, sizeof p.winClassName);
        std::strncpy(p.winClassName, kProductClass, sizeof p.winClassName - 1);
    }
};

LRESULT CALLBACK BareWndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(h, m, w, l);
}

// The list view anywhere below `top`: the program's sits inside its frame's panel.
BOOL CALLBACK NoteListView(HWND w, LPARAM found) {
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (std::strcmp(cls, WC_LISTVIEWA) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = w;
    return FALSE;
}

HWND ListViewIn(HWND top) {
    HWND found = nullptr;
    EnumChildWindows(top, &NoteListView, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Starts `cmdline` and waits until a visible window of `cls` and the list view in it
// have painted (no update region left) with `rows` rows; returns milliseconds, or -1
// when that never came or the process did not end after the window was closed.
double timeToPaintedWindow(const std::string& cmdline, const char* cls, int rows) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = cmdline;
    const auto t0 = Clock::now();
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    double ms = -1;
    while (ms < 0 && msSince(t0) < 20000) {
        HWND w = FindWindowA(cls, nullptr);
        if (w && IsWindowVisible(w) && !GetUpdateRect(w, nullptr, FALSE)) {
            HWND list = ListViewIn(w);
            if (list && IsWindowVisible(list) && !GetUpdateRect(list, nullptr, FALSE) &&
                SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == rows) {
                ms = msSince(t0);
                PostMessageA(w, WM_CLOSE, 0, 0);
            }
        }
        if (ms < 0 && WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break; // ended early
    }
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 1);
        WaitForSingleObject(pi.hProcess, 5000);
        ms = -1;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ms;
}

} // namespace

// The floor: a plain window with a report list view of the program's columns,
// filled with the pairs read from the same key up to the first gap, shown and painted.
// Wide calls and a wide window, as the program's.
int BareWindowMain() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &BareWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kBareClassW;
    RegisterClassW(&wc);
    HWND h = CreateWindowW(wc.lpszClassName, L"bare", WS_OVERLAPPEDWINDOW, 0, 0, 560, 470, nullptr, nullptr,
                           wc.hInstance, nullptr);
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 0, 83, 538,
                                350, h, nullptr, wc.hInstance, nullptr);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.cx = 190;
    col.pszText = const_cast<wchar_t*>(L"Alias");
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));
    col.cx = 315;
    col.pszText = const_cast<wchar_t*>(L"Path");
    SendMessageW(list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&col));
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kStartupKeyW, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        for (int i = 0;; ++i) {
            wchar_t alias[1024], path[1024];
            DWORD sa = sizeof alias, sp = sizeof path;
            std::wstring n(1, L'N'), p(1, L'P');
            n += std::to_wstring(i);
            p += std::to_wstring(i);
            if (RegQueryValueExW(key, n.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(alias), &sa) ||
                RegQueryValueExW(key, p.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(path), &sp))
                break;
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = alias;
            const int at = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
            item.iSubItem = 1;
            item.pszText = path;
            SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
        }
        RegCloseKey(key);
    }
    ShowWindow(h, SW_SHOW);
    UpdateWindow(h);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
    return 0;
}

// The program's start-up as its entry runs it (common controls and COM are set up
// by main), on the private key and class.
int ProductWindowMain() {
    if (HWND running = FindWindowA(kProductClass, nullptr)) {
        PostMessageA(running, ui::msg::Activate, 0, 0);
        return 0;
    }
    ui::TheEnvironment().folders.program = benchFolder();
    app::ProductPrompt productPrompt;
    ui::SetPrompt(&productPrompt);
    ui::Application& application = ui::Application::instance();
    int rc = 0;
    {
        BenchMainForm frmMain;
        application.setMainForm(&frmMain);
        frmMain.create();
        application.setTitle("Corvane");
        rc = application.run();
        application.setMainForm(nullptr);
    }
    ui::SetPrompt(nullptr);
    return rc;
}

// The bench's folder with an options file that keeps the tips shut, and kRows favourites
// in the store; returns the folder.
std::string seedStartup() {
    const std::string folder = benchFolder();
    CreateDirectoryA(folder.c_str(), nullptr);
    WritePrivateProfileStringA("Options", "ShowTips", "0", (folder + "options.ini").c_str());
    SHDeleteKeyA(HKEY_CURRENT_USER, kStartupKey);
    HKEY h;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kStartupKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) ==
        ERROR_SUCCESS) {
        for (int i = 0; i < kRows; ++i) {
            const std::string a = std::string("Favourite ").append(std::to_string(i)), p = "C:\\windows";
            RegSetValueExA(h, app::AliasValueName(i).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(a.c_str()),
                           static_cast<DWORD>(a.size() + 1));
            RegSetValueExA(h, app::PathValueName(i).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(p.c_str()),
                           static_cast<DWORD>(p.size() + 1));
        }
        RegCloseKey(h);
    }
    return folder;
}

CORVANE_BENCH(startup_to_painted_window) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string folder = seedStartup();

    const std::string quoted = std::string(1, '"').append(self).append(1, '"');
    Side product = selfTimedSide(
        [&] { return timeToPaintedWindow(quoted + " --product-window", kProductClass, kRows); });
    Side bare = selfTimedSide([&] { return timeToPaintedWindow(quoted + " --bare-window", kBareClass, kRows); });
    interleave({&product, &bare}, 1, 9);
    report("start-up, main window vs window+list (10 rows)", product, bare);

    SHDeleteKeyA(HKEY_CURRENT_USER, kStartupKey);
    DeleteFileA((folder + "options.ini").c_str());
    RemoveDirectoryA(folder.c_str());
}

// Where the main window's start-up goes inside the process: its creation (frame, skin,
// tool bar, list, the first load) and its first paint, message by message.
CORVANE_BENCH(startup_profile) {
    const std::string folder = seedStartup();
    ui::TheEnvironment().folders.program = folder;
    const int runs = quickMode() ? 1 : 8;
    MessageProfile p;
    p.start();
    for (int i = 0; i < runs; ++i) {
        auto form = std::make_unique<BenchMainForm>();
        p.run("main window: creation and show", [&] { form->create(); });
        p.run("main window: first paint", [&] {
            UpdateWindow(form->handle());
            GdiFlush();
        });
        p.run("main window: close", [&] { form.reset(); });
    }
    p.stop();
    for (const char* what : {"main window: creation and show", "main window: first paint", "main window: close"})
        p.print(what, runs);
    ui::TheEnvironment().folders.program = "";
    SHDeleteKeyA(HKEY_CURRENT_USER, kStartupKey);
    DeleteFileA((folder + "options.ini").c_str());
    RemoveDirectoryA(folder.c_str());
}
