// Accessibility (Microsoft Active Accessibility) for the windows we paint ourselves.
// A control describes itself through an AccessibleSource: role, name, value, states,
// shortcut, default action and the simple elements it draws (a title bar's buttons)
// with their places. One IAccessible implementation serves every source; it answers
// WM_GETOBJECT and leaves location, parent and navigation of the window itself to
// the platform's standard object.
//
// A source only names a window: each question looks the control up again, so an
// object a client still holds after the control is gone answers "disconnected"
// instead of reading freed memory.
#pragma once
#include <windows.h>
#include <oleacc.h>
#include <memory>
#include <string>

#include "ui/Control.h"
#include "ui/Messages.h"

namespace corvane::ui {

class WinControl;

// A part of a control that is not a window of its own.
struct AccessibleElement {
    long role = ROLE_SYSTEM_PUSHBUTTON;
    std::string name;
    long state = 0;
    RECT bounds{};             // in the control's client coordinates
    std::string defaultAction; // empty: none
    std::string shortcut;
    std::string value;
};

class AccessibleSource {
public:
    explicit AccessibleSource(HWND window) : window_(window) {}
    virtual ~AccessibleSource() = default;
    AccessibleSource(const AccessibleSource&) = delete;
    AccessibleSource& operator=(const AccessibleSource&) = delete;

    HWND window() const { return window_; }
    // False once the control is gone; the object then answers nothing.
    virtual bool connected() const;

    virtual long role() const = 0;
    // The window text without its mnemonic marks.
    virtual std::string name() const;
    virtual std::string value() const { return {}; }
    // Unavailable, invisible, focusable and focused, from the window.
    virtual long state() const;
    // "Alt+X" for the mnemonic of the window text.
    virtual std::string shortcut() const;
    virtual std::string description() const { return {}; }
    virtual std::string defaultAction() const { return {}; }
    // Runs on the control's thread from its message loop (msg::AccessibleAction).
    virtual void doDefaultAction() {}

    // Simple elements, children 1..elementCount(); child windows follow them.
    virtual int elementCount() const { return 0; }
    virtual AccessibleElement element(int index) const;
    virtual void doElementAction(int) {}

protected:
    WinControl* control() const;

private:
    HWND window_;
};

// A source made for one control class: it reads that control, and reports itself
// disconnected once the control is gone or was never of that class.
template <class C>
class ControlSource : public AccessibleSource {
public:
    using AccessibleSource::AccessibleSource;
    bool connected() const override { return get() != nullptr; }

protected:
    C* get() const { return dynamic_cast<C*>(control()); }
};

// Answers WM_GETOBJECT for the client object with a new object over the source the
// factory makes, and runs msg::AccessibleAction; false for other messages, which
// the control handles as before. Call at the top of a control's wndProc.
bool AccessibleMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp, AccessibleSourceFactory factory, LRESULT& result);

// The WinEvents the platform does not raise for our own windows, fired after the
// message is handled: name change for WM_SETTEXT, state change for WM_ENABLE.
class AccessibleMessageEvents {
public:
    AccessibleMessageEvents(HWND window, UINT msg) : window_(window), msg_(msg) {}
    ~AccessibleMessageEvents();
    AccessibleMessageEvents(const AccessibleMessageEvents&) = delete;
    AccessibleMessageEvents& operator=(const AccessibleMessageEvents&) = delete;

private:
    HWND window_;
    UINT msg_;
};

// A form's client area: named by its caption, its controls as children.
std::unique_ptr<AccessibleSource> FormAccessible(HWND window);

// A label: static text, its caption taken as it stands (labels show no mnemonics).
std::unique_ptr<AccessibleSource> LabelAccessible(HWND window);

// Tells clients that the control's (or its element's) name, state or value changed.
void NotifyAccessible(HWND window, DWORD event, LONG child = CHILDID_SELF);

// A caption without its mnemonic marks ("&&" stays one "&").
std::string StripMnemonics(const std::string& caption);
// "Alt+N" for the caption's mnemonic (its last "&x", as the controls match it), or "".
std::string MnemonicShortcut(const std::string& caption);

// Standard states of a window: unavailable, invisible, focusable, focused.
long WindowStates(HWND window);

} // namespace corvane::ui
