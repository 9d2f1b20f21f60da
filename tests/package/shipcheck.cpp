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

#include "../e2e/ExeWindows.h"

using namespace corvane::exe;

namespace {

constexpr const char* kMainClass = "Corvane Made by Tollbright";
constexpr const char* kTipsCaption = "Corvane Tip of the Day";

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

    HWND tips = WaitForWindow(
        pi.dwProcessId, [](HWND w) { return IsWindowVisible(w) && TextOf(w) == kTipsCaption; }, 30000);
    if (!tips) return Fail("no tips dialog at start", &pi);
    HWND main = WaitForWindow(
        pi.dwProcessId, [](HWND w) { return ClassOf(w) == kMainClass; }, 5000);
    if (!main) return Fail("no main window", &pi);
    WaitForInputIdle(pi.hProcess, 5000);

    HWND combo = FirstChild(tips, [](HWND w) { return lstrcmpiA(ClassOf(w).c_str(), "ComboBox") == 0; });
    HWND close = FirstChild(tips, [](HWND w) { return TextOf(w) == "&Close"; });
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
    if (GetFileAttributesA(stray.c_str()) != INVALID_FILE_ATTRIBUTES)
        return Fail("options.ini went to the current folder", &pi);

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
