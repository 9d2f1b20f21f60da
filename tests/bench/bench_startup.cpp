// Start to a painted main window beside start to a painted bare window. Both sides
// start this very exe, so the process start costs the same: with --product-window it
// runs the program's start-up on a registry key and a window class of its own, so a
// running copy of the program can neither answer for it nor be disturbed by it.
#include "Bench.h"
#include "ui/Environment.h"
#include "app/Global.h"
#include "app/MainForm.h"
#include "ui/Application.h"
#include "ui/UserPrompt.h"
#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>
#include <cstring>
#include <string>

using namespace corvane;
using namespace corvane::bench;

namespace {

const char* const kStartupKey = "Software\\CorvaneBenchStartup";
const char* const kProductClass = "CorvaneBenchMain";
const char* const kBareClass = "CorvaneBenchBare";
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
    return DefWindowProcA(h, m, w, l);
}

// Starts `cmdline` and waits until a visible window of `cls` has painted (its update
// region is empty) with `rows` list rows; returns milliseconds, or -1 when the window
// never came or the process did not end after it was closed.
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
            HWND list = FindWindowExA(w, nullptr, "SysListView32", nullptr);
            if (rows == 0 || (list && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == rows)) {
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

// The bare comparison: a plain window, shown and painted.
int BareWindowMain() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &BareWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kBareClass;
    RegisterClassA(&wc);
    HWND h = CreateWindowA(wc.lpszClassName, "bare", WS_OVERLAPPEDWINDOW, 0, 0, 560, 470, nullptr, nullptr,
                           wc.hInstance, nullptr);
    ShowWindow(h, SW_SHOW);
    UpdateWindow(h);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
    return 0;
}

// The program's start-up as its entry runs it (common controls and COM are set up
// by main), on the private key and class.
int ProductWindowMain() {
    if (HWND running = FindWindowA(kProductClass, nullptr)) {
        PostMessageA(running, app::kActivateMessage, 0, 0);
        return 0;
    }
    ui::environment().folders.program = benchFolder();
    app::ProductPrompt productPrompt;
    ui::setPrompt(&productPrompt);
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
    ui::setPrompt(nullptr);
    return rc;
}

CORVANE_BENCH(startup_to_painted_window) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
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

    const std::string quoted = std::string(1, '"').append(self).append(1, '"');
    Side product = selfTimedSide([&] { return timeToPaintedWindow(quoted + " --product-window", kProductClass, kRows); });
    Side bare = selfTimedSide([&] { return timeToPaintedWindow(quoted + " --bare-window", kBareClass, 0); });
    interleave({&product, &bare}, 1, 9);
    report("start-up, painted main window (10 rows) vs bare", product, bare);

    SHDeleteKeyA(HKEY_CURRENT_USER, kStartupKey);
    DeleteFileA((folder + "options.ini").c_str());
    RemoveDirectoryA(folder.c_str());
}
