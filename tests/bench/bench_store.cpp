// The store and main-window commands against the bare registry calls they rest on.
#include "Bench.h"
#include "ui/Environment.h"
#include "app/Global.h"
#include "app/MainForm.h"
#include "ui/Application.h"
#include <windows.h>
#include <shlwapi.h>
#include <memory>
#include <string>

using namespace corvane;

namespace {

const char* const kBenchKey = "Software\\CorvaneBench";

void clearKey() { SHDeleteKeyA(HKEY_CURRENT_USER, kBenchKey); }

void fillKey(int n) {
    clearKey();
    HKEY h;
    RegCreateKeyExA(HKEY_CURRENT_USER, kBenchKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    for (int i = 0; i < n; ++i) {
        std::string a = "Favourite " + std::to_string(i), p = "C:\\Folders\\Some place\\number " + std::to_string(i);
        RegSetValueExA(h, ("N" + std::to_string(i)).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(a.c_str()), a.size() + 1);
        RegSetValueExA(h, ("P" + std::to_string(i)).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(p.c_str()), p.size() + 1);
    }
    RegCloseKey(h);
}

// The program folder points at a temporary folder whose options turn the tips off.
struct BenchFolder {
    BenchFolder() {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        path = std::string(tmp) + "corvane-bench\\";
        CreateDirectoryA(path.c_str(), nullptr);
        WritePrivateProfileStringA("Options", "ShowTips", "0", (path + "options.ini").c_str());
        ui::environment().folders.program = path;
    }
    ~BenchFolder() { ui::environment().folders.program = ""; }
    std::string path;
};

std::unique_ptr<app::MainForm> openMain() {
    auto f = std::make_unique<app::MainForm>(nullptr, kBenchKey);
    f->create();
    // Let the first paint happen before anything is timed.
    for (int i = 0; i < 5; ++i) {
        ui::Application::instance().processMessages();
        Sleep(10);
    }
    return f;
}

double bareQueryLoop(int n) {
    return bench::timeBest(3, nullptr, [n] {
        HKEY h;
        RegOpenKeyExA(HKEY_CURRENT_USER, kBenchKey, 0, KEY_ALL_ACCESS, &h);
        char buf[1024];
        for (int i = 0; i <= n; ++i) { // n pairs and the gap that ends the load
            for (char c : {'N', 'P'}) {
                DWORD type, size = sizeof buf;
                RegQueryValueExA(h, (c + std::to_string(i)).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
            }
        }
        RegCloseKey(h);
    });
}

void benchLoad(int n) {
    fillKey(n);
    BenchFolder folder;
    auto form = openMain();
    double product = bench::timeBest(3, [&] { form->list()->clear(); }, [&] {
        form->list()->beginUpdate();
        form->LoadFavourites(kBenchKey);
        form->list()->endUpdate();
    });
    if (form->rowCount() != n) std::printf("!! loaded %d of %d rows\n", form->rowCount(), n);
    double bare = bareQueryLoop(n);
    bench::report("load " + std::to_string(n) + " favourites into the list", product, "RegQueryValueExA loop", bare);
    form.reset();
    clearKey();
}

} // namespace

CORVANE_BENCH(store_load) {
    benchLoad(1000);
    benchLoad(10000);
}

CORVANE_BENCH(store_delete_and_sort) {
    const int n = 1000;
    BenchFolder folder;
    double product = 1e300, bare = 1e300;
    for (int rep = 0; rep < 5; ++rep) {
        fillKey(n);
        auto form = openMain();
        form->list()->select(0);
        form->options().askDelete = false;
        auto t0 = bench::Clock::now();
        form->deleteItem();
        double ms = std::chrono::duration<double, std::milli>(bench::Clock::now() - t0).count();
        if (ms < product) product = ms;
        form.reset();
    }
    // The same writes in a bare loop: the pair removal and n-1 pairs rewritten.
    fillKey(n);
    bare = bench::timeBest(3, nullptr, [&] {
        HKEY h;
        RegOpenKeyExA(HKEY_CURRENT_USER, kBenchKey, 0, KEY_ALL_ACCESS, &h);
        RegDeleteValueA(h, ("N" + std::to_string(n - 1)).c_str());
        RegDeleteValueA(h, ("P" + std::to_string(n - 1)).c_str());
        for (int i = 0; i < n - 1; ++i) {
            std::string a = "Favourite " + std::to_string(i + 1), p = "C:\\Folders\\Some place\\number " + std::to_string(i + 1);
            RegSetValueExA(h, ("N" + std::to_string(i)).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(a.c_str()), a.size() + 1);
            RegSetValueExA(h, ("P" + std::to_string(i)).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(p.c_str()), p.size() + 1);
        }
        RegCloseKey(h);
    });
    bench::report("delete row 0 of 1,000", product, "RegSetValueExA loop (same writes)", bare);

    fillKey(n);
    auto form = openMain();
    // Reverse the order first so the sort has real work, then time an ascending sort.
    form->sortAscending = false;
    form->sortRows();
    form->sortAscending = true;
    double sortMs = bench::timeBest(1, nullptr, [&] { form->sortRows(); });
    double writeAll = bench::timeBest(3, nullptr, [&] {
        HKEY h;
        RegOpenKeyExA(HKEY_CURRENT_USER, kBenchKey, 0, KEY_ALL_ACCESS, &h);
        for (int i = 0; i < n; ++i) {
            std::string a = "Favourite " + std::to_string(i), p = "C:\\x";
            RegSetValueExA(h, ("N" + std::to_string(i)).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(a.c_str()), a.size() + 1);
            RegSetValueExA(h, ("P" + std::to_string(i)).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(p.c_str()), p.size() + 1);
        }
        RegCloseKey(h);
    });
    bench::report("sort 1,000 rows (exchange sort + rewrite)", sortMs, "RegSetValueExA of all 2,000 values", writeAll);
    form.reset();
    clearKey();
}

namespace {
LRESULT CALLBACK BareWndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(h, m, w, l);
}

void copyKey(const char* from, const char* to) {
    HKEY src;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, from, 0, KEY_READ, &src) != ERROR_SUCCESS) return;
    RegCloseKey(src);
    HKEY dst;
    RegCreateKeyExA(HKEY_CURRENT_USER, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &dst, nullptr);
    SHCopyKeyA(HKEY_CURRENT_USER, from, dst, 0);
    RegCloseKey(dst);
}

// Starts `cmdline` and waits until a visible window of `cls` has painted (its update
// region is empty) with `rows` list rows; returns milliseconds.
double timeToPaintedWindow(const std::string& cmdline, const char* cls, int rows) {
    STARTUPINFOA si{sizeof si};
    PROCESS_INFORMATION pi{};
    std::string cmd = cmdline;
    auto t0 = bench::Clock::now();
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    double ms = -1;
    for (int i = 0; i < 20000; ++i) {
        HWND w = FindWindowA(cls, nullptr);
        if (w && IsWindowVisible(w) && !GetUpdateRect(w, nullptr, FALSE)) {
            HWND list = FindWindowExA(w, nullptr, "SysListView32", nullptr);
            if (rows == 0 || (list && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == rows)) {
                ms = std::chrono::duration<double, std::milli>(bench::Clock::now() - t0).count();
                PostMessageA(w, WM_CLOSE, 0, 0);
                break;
            }
        }
        Sleep(1);
    }
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ms;
}
} // namespace

// Run by the start-up benchmark as the bare comparison: a plain window, shown and painted.
int BareWindowMain() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &BareWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "CorvaneBareWindow";
    RegisterClassA(&wc);
    HWND h = CreateWindowA(wc.lpszClassName, "bare", WS_OVERLAPPEDWINDOW, 0, 0, 560, 470, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(h, SW_SHOW);
    UpdateWindow(h);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
    return 0;
}

CORVANE_BENCH(startup_to_painted_window) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder = self;
    folder = folder.substr(0, folder.find_last_of('\\') + 1);
    std::string exe = folder + "Corvane.exe";
    // The real store, with 10 favourites; kept and put back afterwards.
    copyKey("Software\\Corvane", "Software\\CorvaneBenchSaved");
    std::string backup = folder + "options.ini";
    bool hadOptions = GetFileAttributesA(backup.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (hadOptions) CopyFileA(backup.c_str(), (backup + ".benchsave").c_str(), FALSE);
    WritePrivateProfileStringA("Options", "ShowTips", "0", backup.c_str());
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Corvane");
    HKEY h;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Corvane", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    for (int i = 0; i < 10; ++i) {
        std::string a = "Favourite " + std::to_string(i), p = "C:\\windows";
        RegSetValueExA(h, ("N" + std::to_string(i)).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(a.c_str()), a.size() + 1);
        RegSetValueExA(h, ("P" + std::to_string(i)).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(p.c_str()), p.size() + 1);
    }
    RegCloseKey(h);

    double best = 1e300, bareBest = 1e300;
    for (int rep = 0; rep < 3; ++rep) {
        double ms = timeToPaintedWindow("\"" + exe + "\"", app::kMainWindowClass, 10);
        if (ms >= 0 && ms < best) best = ms;
        double bare = timeToPaintedWindow("\"" + std::string(self) + "\" --bare-window", "CorvaneBareWindow", 0);
        if (bare >= 0 && bare < bareBest) bareBest = bare;
    }
    bench::report("start to painted main window, 10 favourites", best, "start to painted bare window", bareBest);

    if (hadOptions) MoveFileExA((backup + ".benchsave").c_str(), backup.c_str(), MOVEFILE_REPLACE_EXISTING);
    else DeleteFileA(backup.c_str());
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Corvane");
    copyKey("Software\\CorvaneBenchSaved", "Software\\Corvane");
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\CorvaneBenchSaved");
}
