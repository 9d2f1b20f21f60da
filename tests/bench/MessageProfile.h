// Where a window operation's time goes, message by message: every message sent to a
// window of this thread is timed through the call-window-procedure hooks, and the
// times are kept as a call tree (which message was handled inside which) summed over
// the runs, with each node's own time apart from the messages handled inside it.
// The hooks cost a little per message, so a profiled run is slower than a timed one:
// read the shares, not the totals, and time with the benchmark lines themselves.
#pragma once
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace corvane::bench {

class MessageProfile {
public:
    MessageProfile() {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        perMs_ = static_cast<double>(f.QuadPart) / 1000.0;
    }
    ~MessageProfile() { stop(); }

    // Between start() and stop() every sent message of this thread is counted;
    // run() times one operation as a root of its own.
    void start() {
        current_ = this;
        before_ = SetWindowsHookExW(WH_CALLWNDPROC, &Before, nullptr, GetCurrentThreadId());
        after_ = SetWindowsHookExW(WH_CALLWNDPROCRET, &After, nullptr, GetCurrentThreadId());
    }
    void stop() {
        if (before_) UnhookWindowsHookEx(before_);
        if (after_) UnhookWindowsHookEx(after_);
        before_ = after_ = nullptr;
        if (current_ == this) current_ = nullptr;
    }
    bool hooked() const { return before_ && after_; }

    template <class F>
    void run(const std::string& what, F&& f) {
        Node& root = roots_[what];
        stack_.push_back({&root, now(), 0});
        f();
        pop();
    }

    // The tree of one root, each node's time per run (the root ran `runs` times).
    void print(const std::string& what, int runs) const {
        auto it = roots_.find(what);
        if (it == roots_.end() || runs <= 0) return;
        std::printf("  profile of %s, per run (ms: with what it handled inside | its own):\n", what.c_str());
        printNode(what, it->second, runs, 2);
        std::fflush(stdout);
    }

private:
    struct Node {
        double total = 0, own = 0;
        int count = 0;
        std::map<std::string, std::unique_ptr<Node>> children;
    };
    struct Open {
        Node* node;
        double t0, inside;
        HWND hwnd = nullptr;
        UINT msg = 0;
    };

    double now() const {
        LARGE_INTEGER c;
        QueryPerformanceCounter(&c);
        return static_cast<double>(c.QuadPart) / perMs_;
    }
    void pop() {
        const Open o = stack_.back();
        stack_.pop_back();
        const double total = now() - o.t0;
        o.node->total += total;
        o.node->own += total - o.inside;
        ++o.node->count;
        if (!stack_.empty()) stack_.back().inside += total;
    }
    void push(HWND w, UINT msg) {
        if (stack_.empty()) return; // outside every profiled run
        auto& slot = stack_.back().node->children[Label(w, msg)];
        if (!slot) slot = std::make_unique<Node>();
        stack_.push_back({slot.get(), now(), 0, w, msg});
    }
    // Pops up to the message that returned; one whose return was never seen goes with it.
    void popMessage(HWND w, UINT msg) {
        for (std::size_t i = stack_.size(); i-- > 1;)
            if (stack_[i].hwnd == w && stack_[i].msg == msg) {
                while (stack_.size() > i) pop();
                return;
            }
    }
    static std::string Label(HWND w, UINT msg) {
        wchar_t cls[64] = {};
        GetClassNameW(w, cls, 64);
        char narrow[64] = {};
        WideCharToMultiByte(CP_UTF8, 0, cls, -1, narrow, sizeof narrow, nullptr, nullptr);
        return std::string(narrow) + " " + MessageName(msg);
    }
    static std::string MessageName(UINT m) {
        static const std::map<UINT, const char*> names = {
            {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
            {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
            {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
            {WM_SIZE, "WM_SIZE"},
            {WM_MOVE, "WM_MOVE"},
            {WM_PAINT, "WM_PAINT"},
            {WM_NCPAINT, "WM_NCPAINT"},
            {WM_ERASEBKGND, "WM_ERASEBKGND"},
            {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
            {WM_NCACTIVATE, "WM_NCACTIVATE"},
            {WM_ACTIVATE, "WM_ACTIVATE"},
            {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
            {WM_CREATE, "WM_CREATE"},
            {WM_NCCREATE, "WM_NCCREATE"},
            {WM_SETFONT, "WM_SETFONT"},
            {WM_SETTEXT, "WM_SETTEXT"},
            {WM_GETTEXT, "WM_GETTEXT"},
            {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"},
            {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
            {WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT"},
            {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"},
            {WM_PRINTCLIENT, "WM_PRINTCLIENT"},
            {WM_NOTIFY, "WM_NOTIFY"},
            {WM_COMMAND, "WM_COMMAND"},
            {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
            {WM_STYLECHANGING, "WM_STYLECHANGING"},
            {WM_STYLECHANGED, "WM_STYLECHANGED"},
            {WM_NCHITTEST, "WM_NCHITTEST"},
            {WM_SETCURSOR, "WM_SETCURSOR"},
            {WM_DESTROY, "WM_DESTROY"},
            {WM_NCDESTROY, "WM_NCDESTROY"},
            {WM_KILLFOCUS, "WM_KILLFOCUS"},
            {WM_SETFOCUS, "WM_SETFOCUS"},
            {WM_ENABLE, "WM_ENABLE"},
            {WM_UPDATEUISTATE, "WM_UPDATEUISTATE"},
            {WM_CHANGEUISTATE, "WM_CHANGEUISTATE"},
            {WM_QUERYUISTATE, "WM_QUERYUISTATE"},
            {WM_GETOBJECT, "WM_GETOBJECT"},
            {WM_GETICON, "WM_GETICON"},
            {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
            {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
            {WM_IME_SETCONTEXT, "WM_IME_SETCONTEXT"},
            {WM_IME_NOTIFY, "WM_IME_NOTIFY"},
            {WM_GETFONT, "WM_GETFONT"},
            {WM_USER + 0x2000 + WM_NOTIFY, "reflected WM_NOTIFY"},
            {0x26C3, "frame inset query"},
        };
        auto it = names.find(m);
        if (it != names.end()) return it->second;
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%04X", m);
        return buf;
    }
    void printNode(const std::string& key, const Node& n, int runs, int depth) const {
        std::printf("  %*s%-*s %8.3f | %8.3f  x%.1f\n", depth, "", 62 - depth, key.c_str(), n.total / runs,
                    n.own / runs, static_cast<double>(n.count) / runs);
        std::vector<std::pair<const std::string*, const Node*>> kids;
        for (const auto& [k, c] : n.children) kids.push_back({&k, c.get()});
        std::sort(kids.begin(), kids.end(),
                  [](const auto& a, const auto& b) { return a.second->total > b.second->total; });
        for (const auto& [k, c] : kids) printNode(*k, *c, runs, depth + 2);
    }

    static LRESULT CALLBACK Before(int code, WPARAM w, LPARAM l) {
        if (code == HC_ACTION && current_) {
            const auto* s = reinterpret_cast<const CWPSTRUCT*>(l);
            current_->push(s->hwnd, s->message);
        }
        return CallNextHookEx(nullptr, code, w, l);
    }
    static LRESULT CALLBACK After(int code, WPARAM w, LPARAM l) {
        if (code == HC_ACTION && current_) {
            const auto* s = reinterpret_cast<const CWPRETSTRUCT*>(l);
            current_->popMessage(s->hwnd, s->message);
        }
        return CallNextHookEx(nullptr, code, w, l);
    }

    static inline MessageProfile* current_ = nullptr;
    HHOOK before_ = nullptr, after_ = nullptr;
    double perMs_ = 1;
    std::map<std::string, Node> roots_;
    std::vector<Open> stack_;
};

} // namespace corvane::bench
