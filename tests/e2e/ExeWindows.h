// Finding and driving the windows of another process, as a user would: the
// end-to-end tests and the package check both start the real exe.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace corvane::exe {

struct WindowQuery {
    DWORD pid;
    std::function<bool(HWND)> match;
    std::vector<HWND> found;
};

inline BOOL CALLBACK CollectWindow(HWND w, LPARAM lp) {
    auto* q = reinterpret_cast<WindowQuery*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if ((q->pid == 0 || pid == q->pid) && q->match(w)) q->found.push_back(w);
    return TRUE;
}

inline std::vector<HWND> TopWindows(DWORD pid, std::function<bool(HWND)> match) {
    WindowQuery q{pid, std::move(match), {}};
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

inline std::vector<HWND> ChildWindows(HWND parent, std::function<bool(HWND)> match) {
    WindowQuery q{0, std::move(match), {}};
    EnumChildWindows(parent, &CollectWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

inline HWND FirstChild(HWND parent, std::function<bool(HWND)> match) {
    auto all = ChildWindows(parent, std::move(match));
    return all.empty() ? nullptr : all.front();
}

inline std::string ClassOf(HWND w) {
    char buf[256] = {};
    GetClassNameA(w, buf, sizeof buf);
    return buf;
}

inline std::string TextOf(HWND w) {
    char buf[256] = {};
    GetWindowTextA(w, buf, sizeof buf);
    return buf;
}

// Checks `done` every 20 ms until it holds or `ms` pass, handling this thread's own
// messages meanwhile so that no window of ours holds up the program under test.
inline bool WaitUntil(const std::function<bool()>& done, DWORD ms = 10000) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms;) {
        if (done()) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    }
    return done();
}

inline HWND WaitForWindow(DWORD pid, const std::function<bool(HWND)>& match, DWORD ms = 20000) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            auto all = TopWindows(pid, match);
            found = all.empty() ? nullptr : all.front();
            return found != nullptr;
        },
        ms);
    return found;
}

// A real click of the left mouse button at a point on the screen.
inline void ClickAt(int x, int y) {
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

inline void ClickWindow(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

inline void PressKey(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

// A message to another process's window, not waiting on a hung one.
inline LRESULT Ask(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(w, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &r);
    return static_cast<LRESULT>(r);
}

} // namespace corvane::exe
