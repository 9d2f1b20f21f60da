// Top-level windows: creation parameters (with the window class name), a build step
// that creates the child components in their stored order, creation and show
// handlers, and modal showing.
#pragma once
#include "ui/Control.h"
#include "ui/Handles.h"
#include <functional>
#include <vector>

namespace corvane::ui {

enum class ModalResult { None = 0, Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

enum class FormPosition { Designed, ScreenCenter, OwnerFormCenter };

struct CreateParams {
    char winClassName[64] = {}; // fixed-width field: copied whole, NUL padded
    std::string caption;
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    DWORD exStyle = 0;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    int width = 0, height = 0; // outer size, computed from the client size
    HWND parent = nullptr;
};

class Form : public WinControl {
public:
    explicit Form(Component* owner, std::string name = {}, Lifetime lifetime = Lifetime::Owner);

    // Creates the window, builds the components and runs formCreate inside the error guard.
    void create();

    // Design-time settings, read by create().
    std::string caption;
    int clientWidth = 300;
    int clientHeight = 200;
    FormPosition position = FormPosition::Designed;
    bool dialogBorder = true;
    bool dialogNavigation = false; // Tab moves between controls (dialogs)
    COLORREF color = GetSysColor(COLOR_BTNFACE);

    // Makes the window visible; runs formShow first when it was hidden.
    void show();
    void hide();
    ModalResult showModal();
    bool isModal() const { return modal_; }
    ModalResult modalResult() const { return modalResult_; }
    void setModalResult(ModalResult r) { modalResult_ = r; }
    void close();

    // The control that gets the focus when the form is next activated.
    void setActiveControl(HWND control) { activeControl_ = control; }

    HFONT font() const { return font_.get(); }
    void setCaption(const std::string& s) {
        caption = s;
        setText(s);
    }

    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    std::optional<std::uint32_t> childBackground() const override { return color; }
    AccessibleSourceFactory accessibleFactory() const override;
    // Offered every message of the loop before it is dispatched.
    virtual bool preTranslateMessage(MSG& m);

    std::function<void()> onDestroyed;

protected:
    virtual void createParams(CreateParams& p);
    virtual void buildComponents() {}
    virtual void formCreate() {}
    virtual void formShow() {}
    // The window of the nearest owner that has one: the owner of a dialog window.
    HWND ownerWindow() const;
    // The DPI the window is made for before it exists: its owner's, or the screen's.
    int creationDpi() const;
    // The window is now at `to`: its font and every control placed by design follow.
    void rescale(const Scaler& from, const Scaler& to);
    // The window's size for a client area of the design size at `dpi`, framed at that DPI.
    SIZE windowSizeAt(int dpi, DWORD style, DWORD exStyle) const;

private:
    FontHandle font_;
    std::vector<FontHandle> retiredFonts_;
    BrushHandle brush_;
    void keepFocus(WPARAM activation);

    HWND activeControl_ = nullptr;
    bool modal_ = false;
    ModalResult modalResult_ = ModalResult::None;
};

// What a button's click does to the form that holds it: the form's modal result
// becomes the button's (ModalResult::None included), then `onClick` runs inside the error guard.
void ClickButton(const WinControl& button, ModalResult result, const std::function<void()>& onClick);

// The form at the root of a window, or of a control's window; nullptr when there is none.
Form* FormOf(HWND window);
inline Form* ParentForm(const WinControl& c) { return FormOf(c.handle()); }

// Creates the font the program's windows use: MS Sans Serif with the given height, in
// pixels at the window's DPI (callers scale the design height).
HFONT MakeUiFont(int height, const char* face = "MS Sans Serif", int weight = FW_NORMAL);
// The height to give a font of `lf`'s face and weight for a design height (negative:
// pixels of the em) at `dpi`: the design height scaled, or where the face's hinting writes
// `text` wider than that, the largest smaller one that writes it no wider than at 96 DPI
// scaled (give or take hinting's percent and a half), so captions keep fitting the layout. Outline faces are measured at the
// design height in any DPI; bitmap faces only grow narrower than that.
int FittedFontHeight(int designHeight, int dpi, LOGFONTW lf, const std::string& text);

// The font a control without one writes in: the system's dialog font, and at another DPI
// than 96 the same face at the design's 11 pixels scaled, fitted as above to a sample of
// every letter. Lent; kept for the program's life.
HFONT GuiFont(int dpi);

} // namespace corvane::ui
