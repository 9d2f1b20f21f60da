// Starts a packaged or installed Corvane.exe as a user would and checks that it
// runs from its folder: the tips dialog opens, the choice "never" made there is
// saved in options.ini beside the exe (not in the current folder), and the
// program ends cleanly. Used by scripts/package-tests.sh.
//
//   shipcheck.exe PATH\Corvane.exe
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr const char* kMainClass = "Corvane Made by Tollbright";
constexpr const char* kTipsCaption = "Corvane Tip of the Day";

struct Query {
    DWORD pid;
    std::function<bool(HWND)> match;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND w, LPARAM lp) {
    auto* q = reinterpret_cast<Query*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if ((q->pid == 0 || pid == q->pid) && q->match(w)) q->found.push_back(w);
    return TRUE;
}

std::string ClassOf(HWND w) {
    char buf[256] = {};
    GetClassNameA(w, buf, sizeof buf);
    return buf;
}

std::string TextOf(HWND w) {
    char buf[256] = {};
    GetWindowTextA(w, buf, sizeof buf);
    return buf;
}

HWND WaitForWindow(DWORD pid, const std::function<bool(HWND)>& match, DWORD ms) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(100)) {
        Query q{pid, match, {}};
        EnumWindows(&Collect, reinterpret_cast<LPARAM>(&q));
        if (!q.found.empty()) return q.found.front();
    }
    return nullptr;
}

HWND Child(HWND parent, const std::function<bool(HWND)>& match) {
    Query q{0, match, {}};
    EnumChildWindows(parent, &Collect, reinterpret_cast<LPARAM>(&q));
    return q.found.empty() ? nullptr : q.found.front();
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(100))
        if (done()) return true;
    return done();
}

LRESULT Ask(HWND w, UINT msg) {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(w, msg, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
    return static_cast<LRESULT>(r);
}

void ClickWindow(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    SetCursorPos(x, y);
    INPUT in[3] = {};
    const int cx = GetSystemMetrics(SM_CXSCREEN) - 1, cy = GetSystemMetrics(SM_CYSCREEN) - 1;
    in[0].type = INPUT_MOUSE;
    in[0].mi.dx = x * 65535 / cx;
    in[0].mi.dy = y * 65535 / cy;
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1] = in[0];
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    in[2] = in[0];
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, in, sizeof(INPUT));
}

void PressKey(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

std::string Option(const std::string& file, const char* key) {
    char buf[32] = {};
    GetPrivateProfileStringA("Options", key, "<missing>", buf, sizeof buf, file.c_str());
    return buf;
}

int Fail(const char* what, PROCESS_INFORMATION* pi = nullptr) {
    std::printf("shipcheck: FAILED: %s\n", what);
    if (pi) {
        TerminateProcess(pi->hProcess, 1);
        WaitForSingleObject(pi->hProcess, 5000);
    }
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) return Fail("usage: shipcheck PATH\\Corvane.exe");
    const std::string exe = argv[1];
    const std::string folder = exe.substr(0, exe.find_last_of('\\') + 1);
    const std::string options = folder + "options.ini";
    if (GetFileAttributesA(exe.c_str()) == INVALID_FILE_ATTRIBUTES) return Fail("no such exe");
    DeleteFileA(options.c_str());

    // Started from another folder, as a shortcut does.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, temp, &si, &pi))
        return Fail("the exe does not start");

    HWND tips = WaitForWindow(pi.dwProcessId, [](HWND w) { return IsWindowVisible(w) && TextOf(w) == kTipsCaption; },
                              30000);
    if (!tips) return Fail("no tips dialog at start", &pi);
    HWND main = WaitForWindow(pi.dwProcessId, [](HWND w) { return ClassOf(w) == kMainClass; }, 5000);
    if (!main) return Fail("no main window", &pi);
    WaitForInputIdle(pi.hProcess, 5000);

    HWND combo = Child(tips, [](HWND w) { return lstrcmpiA(ClassOf(w).c_str(), "ComboBox") == 0; });
    HWND close = Child(tips, [](HWND w) { return TextOf(w) == "&Close"; });
    if (!combo || !close) return Fail("tips dialog without its choice or Close button", &pi);
    ClickWindow(combo);
    Sleep(300);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    if (!WaitUntil([&] { return Ask(combo, CB_GETCURSEL) == 1; }, 5000)) return Fail("choice not taken", &pi);
    ClickWindow(close);
    if (!WaitUntil([&] { return Option(options, "ShowTips") == "0"; }, 10000))
        return Fail("options.ini beside the exe was not written", &pi);
    std::string stray = std::string(temp) + "options.ini";
    if (GetFileAttributesA(stray.c_str()) != INVALID_FILE_ATTRIBUTES) return Fail("options.ini went to the current folder", &pi);

    PostMessageA(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) return Fail("the program did not end", &pi);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (code != 0) return Fail("the program ended with an error");
    std::printf("shipcheck: ok: %s started, wrote %s and ended\n", exe.c_str(), options.c_str());
    return 0;
}
