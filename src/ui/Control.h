// Windowed controls: each object receives its own window's messages through a
// virtual handler, and the notifications that Win32 sends to the parent
// (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*) are reflected
// back to the object of the child that sent them.
//
// Errors: every message runs inside the error guard once, in the window procedure
// (stdWndProc): an error a handler raises is shown in the standard error box and ends
// that message only. Handlers do not guard again. Code entered from outside a window
// procedure (the idle step, a program's click()) guards at that entry point.
//
// Destruction, the same for every window object: from the moment the base part is
// destroyed the window no longer reaches the object (so no message meets a half-
// destroyed derived object), then the owned components go, newest first (controls
// before the window they sit on), then the window. Derived destructors free only what
// they hold themselves.
#pragma once
#include "ui/Component.h"
#include "ui/Dpi.h"
#include <windows.h>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane::ui {

class AccessibleSource;
// Makes the description a screen reader reads of one window.
using AccessibleSourceFactory = std::unique_ptr<AccessibleSource> (*)(HWND window);

// A window class of our own. Each is registered once, with the first window made of it.
struct WindowClass {
    const char* name;
    UINT style = 0;
    const char* iconResource = nullptr; // a named icon of the program, or none
};

// Registers the class with `proc` as its window procedure unless it is registered already.
void RegisterWindowClass(const WindowClass& cls, WNDPROC proc);

class MessageHook;
class WinControl;

// Where a message goes once a hook has seen it: to the older hooks, then to the control's
// own handling.
class MessageChain {
public:
    LRESULT operator()(UINT msg, WPARAM wp, LPARAM lp) const;

private:
    friend class WinControl;
    MessageChain(WinControl* control, HWND window, const MessageHook* after)
        : control_(control), window_(window), after_(after) {}
    WinControl* control_;
    HWND window_;
    const MessageHook* after_;
};

// Sits in front of a control's own handling of its window's messages (a frame in front
// of its form): the newest hook sees a message first and passes it on, or not, through
// `next`. A hook destroyed first takes itself out; when the control's window goes (or the
// control), the control lets go of its hooks and calls their onUnhooked.
class MessageHook {
public:
    using Handler = std::function<LRESULT(UINT msg, WPARAM wp, LPARAM lp, const MessageChain& next)>;
    explicit MessageHook(Handler handler, std::function<void()> onUnhooked = {})
        : handler_(std::move(handler)), onUnhooked_(std::move(onUnhooked)) {}
    ~MessageHook() { remove(); }
    MessageHook(const MessageHook&) = delete;
    MessageHook& operator=(const MessageHook&) = delete;

    WinControl* control() const { return control_; }
    // Takes the hook out of its control's chain; onUnhooked does not run.
    void remove();

private:
    friend class WinControl;
    Handler handler_;
    std::function<void()> onUnhooked_;
    WinControl* control_ = nullptr;
};

// Where a control sits in its parent: stacked along an edge, filling what the
// edge-aligned siblings leave (Client), or where it was put (None).
enum class Align { None, Top, Bottom, Left, Right, Client };

class WinControl : public Component {
public:
    explicit WinControl(Component* owner, std::string name = {}, Lifetime lifetime = Lifetime::Owner);
    ~WinControl() override;

    HWND handle() const { return hwnd_; }
    bool handleAllocated() const { return hwnd_ != nullptr; }
    static WinControl* fromHandle(HWND h);

    // The window's own messages. Overrides call defaultHandler for what they do not handle.
    virtual LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp);
    // What a screen reader is told of this window; none leaves it to the platform.
    virtual AccessibleSourceFactory accessibleFactory() const { return nullptr; }
    LRESULT defaultHandler(UINT msg, WPARAM wp, LPARAM lp);

    // A notification the parent received from this control; return true when handled.
    virtual bool reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

    void setBounds(int x, int y, int w, int h);
    RECT boundsRect() const; // in the parent's client coordinates
    RECT clientRect() const;
    int left() const { return boundsRect().left; }
    int top() const { return boundsRect().top; }
    int width() const;
    int height() const;
    void setHeight(int h);

    bool visible() const;
    void setVisible(bool v);
    bool enabled() const;
    void setEnabled(bool e);
    // Whether Tab stops at the control (WS_TABSTOP).
    bool tabStop() const;
    void setTabStop(bool t);
    std::string text() const;
    void setText(const std::string& s);
    void invalidate(bool erase = false);
    void repaint();
    void setFocus();
    void setFont(HFONT f, bool redraw = true);

    // The parent lays its aligned children out whenever it is resized or one of them
    // changes alignment, size, position or visibility: Top children stacked down from
    // the top, Bottom ones up from the bottom, then Left and Right, and Client
    // children on what is left. Within an edge, the one nearer the edge goes first.
    Align align() const { return align_; }
    void setAlign(Align a);
    // The part of the client area that aligned children share.
    virtual RECT alignRect() const { return clientRect(); }

    // What a child that takes its parent's look asks of its parent: the colour shown
    // behind children (none when the control has no colour of its own), and the text
    // colour handed to labels (CLR_INVALID when none).
    virtual std::optional<std::uint32_t> childBackground() const { return std::nullopt; }
    virtual COLORREF childTextColor() const { return CLR_INVALID; }
    // Lays the aligned children out now.
    void realign();

    // The DPI the window is drawn at, and its design values at that DPI.
    Scaler scaler() const { return ScalerOf(hwnd_); }
    // Where the control was put in design (96-DPI) units, when it was.
    const std::optional<Rect>& designBounds() const { return designBounds_; }
    // The window moved to a screen of another DPI (its form has the new one already): a
    // control placed by design goes where the design puts it at `to`; controls that keep
    // sizes or pictures of their own make them again.
    void dpiChanged(const Scaler& from, const Scaler& to) override;

    // Sends a message to this control's window.
    LRESULT perform(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return SendMessageW(hwnd_, msg, wp, lp); }

    // Puts `hook` in front of this control's handling of its messages and of the hooks
    // already there.
    void addMessageHook(MessageHook& hook);
    void removeMessageHook(MessageHook& hook);

    static LRESULT CALLBACK stdWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

protected:
    // For controls that compose their whole picture themselves: background erase is
    // answered without drawing, and WM_PAINT and WM_PRINTCLIENT both draw through
    // `paint`. True, with `result` set, when `msg` was one of the three.
    template <class Paint>
    bool paintsItself(UINT msg, WPARAM wp, Paint&& paint, LRESULT& result) {
        switch (msg) {
        case WM_ERASEBKGND: result = 1; return true;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(handle(), &ps);
            paint(dc);
            EndPaint(handle(), &ps);
            result = 0;
            return true;
        }
        case WM_PRINTCLIENT:
            paint(reinterpret_cast<HDC>(wp));
            result = 0;
            return true;
        default: return false;
        }
    }

    // paintsItself for a control that also keeps the font it is given: WM_GETFONT
    // answers `font`, WM_SETFONT stores it and runs `fontSet` with the redraw flag.
    template <class Paint, class FontSet>
    bool drawsItselfInFont(UINT msg, WPARAM wp, LPARAM lp, HFONT& font, Paint&& paint, FontSet&& fontSet,
                           LRESULT& result) {
        switch (msg) {
        case WM_GETFONT: result = reinterpret_cast<LRESULT>(font); return true;
        case WM_SETFONT:
            font = reinterpret_cast<HFONT>(wp);
            fontSet(LOWORD(lp) != 0);
            result = 0;
            return true;
        default: return paintsItself(msg, wp, std::forward<Paint>(paint), result);
        }
    }

    // Design (96-DPI) bounds at the DPI of `parent`, which the window will be drawn at;
    // kept, so the control can be placed again at another DPI.
    struct Placement {
        int x, y, w, h;
    };
    Placement designed(HWND parent, int x, int y, int w, int h);

    // Wraps a window made by CreateWindowEx (platform controls): subclasses it.
    void attach(HWND h);
    // Creates a platform control (list view, tool bar, edit...) as a child and attaches it.
    HWND createControl(const char* className, DWORD style, DWORD exStyle, int x, int y, int w, int h, HWND parent,
                       const char* text = "");
    // Creates a window of one of our own classes bound to this object; its messages
    // reach wndProc from WM_NCCREATE on. No style is added (WS_CHILD for controls).
    HWND createWindow(const WindowClass& cls, DWORD style, DWORD exStyle, int x, int y, int w, int h, HWND parent,
                      const char* text = "");
    // Destroys the window now (the object stays and may create another).
    void destroyHandle();

private:
    static LRESULT CALLBACK entryProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    void bind(HWND h);
    // Gives the window back its own procedure and forgets it: its messages no longer reach us.
    HWND unbind();
    friend class MessageChain;
    // Runs a message down the chain from the hook older than `after` (from the newest
    // when null) to the control's own handling.
    LRESULT passOn(HWND h, const MessageHook* after, UINT msg, WPARAM wp, LPARAM lp);
    // The window is gone: the hooks are told and forgotten.
    void dropHooks();
    LRESULT dispatch(UINT msg, WPARAM wp, LPARAM lp);
    bool reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // After WM_SIZE or WM_WINDOWPOSCHANGED: own children or the parent's realigned.
    void moved(UINT msg, WPARAM wp, LPARAM lp);
    WinControl* parentControl() const;

    HWND hwnd_ = nullptr;
    WNDPROC oldProc_ = nullptr;
    std::vector<MessageHook*> hooks_; // oldest first
    Align align_ = Align::None;
    std::optional<Rect> designBounds_;
    bool aligning_ = false;
};

// Marks a platform helper window (a tool bar's tool tip) whose notifications should
// be reflected to `target`.
void SetNotifyTarget(HWND from, WinControl* target);

} // namespace corvane::ui
