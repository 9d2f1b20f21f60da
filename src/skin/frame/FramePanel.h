// The skinned frame of a form: a client-aligned panel that takes over the window it
// sits in. It removes the native caption, sees the form's messages first, shrinks
// the native non-client area to the skin's borders and paints it, cuts the window
// to a region built from the skin's pictures, and hosts the title bar.
#pragma once
#include <windows.h>
#include <optional>
#include <string>

#include "skin/frame/FrameLayout.h"
#include "ui/Messages.h"
#include "skin/frame/TitleBar.h"
#include "skin/theme/Skinned.h"
#include "ui/Application.h"
#include "ui/Colors.h"
#include "ui/Control.h"
#include "ui/Handles.h"

namespace corvane::ui {
class FramePanel;
}

namespace corvane::skin {

class MainMenu;
class MenuBar;
struct MenuItem;

inline constexpr const char* kOneFrameOnlyMessage = "Sorry, You can create only one TsuiForm component in one form!";
inline constexpr const char* kFormPanelMessage = "Sorry, you can't select the Form assign to FormPanel property";

class FramePanel : public Skinned<ui::WinControl, ThemedFrame> {
public:
    // The native frame it measured at creation is as much thicker or thinner now.
    void dpiChanged(const ui::Scaler& from, const ui::Scaler& to) override;
    // Attaches to `owner` when it is a form with a window; a second frame on the same
    // form is refused with an error.
    explicit FramePanel(ui::Component* owner, std::string name = {});
    ~FramePanel() override;

    bool titleBarCustom() const { return titleBar_ ? titleBar_->custom() : false; }
    void setTitleBarCustom(bool v) {
        if (titleBar_) titleBar_->setCustom(v);
    }
    // The same theme again changes nothing.
    void setFileTheme(FileTheme* theme) override;
    void notification(ui::Component* component, ui::Operation op) override;
    bool uiStyleAutoUpdateSub = false;

    ui::Color borderColor() const { return borderColor_; }
    void setBorderColor(ui::Color c) {
        borderColor_ = c;
        paintFrame();
    }
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int w) {
        borderWidth_ = w;
        paintFrame();
    }
    bool titleBarVisible() const { return titleBar_ && titleBar_->visible(); }
    void setTitleBarVisible(bool v);
    ui::Color color() const { return color_; }
    std::uint32_t frameColor() const override { return color_; }
    void setColor(ui::Color c) {
        color_ = c;
        invalidate();
    }
    std::string caption() const { return titleBar_ ? titleBar_->caption() : std::string(); }
    void setCaption(const std::string& s);
    ui::WinControl* formPanel() const { return formPanel_; }
    void setFormPanel(ui::WinControl* panel);
    TitleBarButtons& titleBarButtons() { return titleBar_->buttons(); }
    TitleBarSections& titleBarSections() { return titleBar_->sections(); }
    bool titleBarDrawAppIcon() const { return titleBar_ ? titleBar_->drawAppIcon() : true; }
    void setTitleBarDrawAppIcon(bool v) {
        if (titleBar_) titleBar_->setDrawAppIcon(v);
    }
    void setFont(const LOGFONTW& font, ui::Color color) {
        if (titleBar_) titleBar_->setFont(font, color);
    }
    // The menu shown in a bar under the title bar; the bar goes when the menu does.
    MainMenu* menu() const { return menu_; }
    void setMenu(MainMenu* menu);
    ui::Color menuBarColor() const { return menuBarColor_; }
    void setMenuBarColor(ui::Color c);
    ui::Color menuBarToColor() const { return menuBarToColor_; }
    void setMenuBarToColor(ui::Color c);
    // The bar's height while it shows (a bar that wraps its buttons takes more rows),
    // else 0.
    int menuBarHeight() const;
    void setMenuBarHeight(int h);
    MenuBar* menuBar() const { return menuBar_; }
    // The menu's items or look changed: the bar follows.
    void menuChanged();
    // The menu's item for a key message while the form is active, or null; the
    // second performs it.
    MenuItem* menuShortcutItem(const MSG& m) const;
    bool menuShortcut(const MSG& m);
    int roundCorner() const { return titleBarVisible() ? titleBar_->roundCorner() : 0; }
    void setRoundCorner(int v) {
        if (titleBar_) titleBar_->setRoundCorner(v);
        rebuildRegion();
    }
    int roundCornerBottom() const { return titleBarVisible() ? titleBar_->roundCornerBottom() : 0; }
    void setRoundCornerBottom(int v) {
        if (titleBar_) titleBar_->setRoundCornerBottom(v);
        rebuildRegion();
    }
    std::string version() const { return "6.2"; }
    void setVersion(const std::string&) {}
    ui::Color inactiveCaptionColor() const { return titleBar_ ? titleBar_->inactiveCaptionColor() : 0; }
    void setInactiveCaptionColor(ui::Color c) {
        if (titleBar_) titleBar_->setInactiveCaptionColor(c);
    }
    void setOnTitleBarCustomBtnsClick(TitleBarButtonClickEvent e) {
        if (titleBar_) titleBar_->onCustomBtnsClick = std::move(e);
    }
    void setOnTitleBarHelpBtnClick(TitleBarButtonClickEvent e) {
        if (titleBar_) titleBar_->onHelpBtnClick = std::move(e);
    }

    TitleBar* titleBar() const { return titleBar_; }
    ui::Form* form() const { return form_; }
    bool attached() const { return formHwnd_ != nullptr; }
    // Skin border sizes in use (0 in built-in styles) and the native frame measured.
    int leftBorder() const { return l_; }
    int rightBorder() const { return r_; }
    int bottomBorder() const { return b_; }
    int minHeight() const { return minHeight_; }

    void paintFrame();
    void rebuildRegion();

    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    ui::AccessibleSourceFactory accessibleFactory() const override;
    std::optional<std::uint32_t> childBackground() const override { return frameColor(); }

private:
    // The form's messages, before the form sees them through `next`.
    LRESULT frameProc(UINT msg, WPARAM wp, LPARAM lp, const ui::MessageChain& next);
    void applyLook() override;
    void themeRemoved() override;
    void setRegion(bool redraw);
    void paintFileThemeFrame(HDC dc, int w, int h);
    void paintBuiltInFrame(HDC dc, int w, int h);
    void composeBottomImage(int w);
    void paintClient(HDC dc);
    void detach(bool restoreCaption);
    bool formMinimized() const;
    void dropMenu();
    void placeMenuBar();
    void shiftControls(int dy);
    void paintMenuBarFillers(HDC dc, int left, int right);
    static bool observeMessage(MSG& m);

    ui::Form* form_ = nullptr;
    HWND formHwnd_ = nullptr;
    ui::MessageHook formHook_{
        [this](UINT msg, WPARAM wp, LPARAM lp, const ui::MessageChain& next) { return frameProc(msg, wp, lp, next); },
        [this] { formHwnd_ = nullptr; }};
    std::optional<ui::MessageObserverRegistration> keys_; // while attached
    TitleBar* titleBar_ = nullptr;
    ui::Color borderColor_ = 0;
    int borderWidth_ = 1;
    ui::Color color_ = ui::SystemColor(COLOR_BTNFACE);
    ui::WinControl* formPanel_ = nullptr;
    MainMenu* menu_ = nullptr;
    MenuBar* menuBar_ = nullptr;
    ui::Color menuBarColor_ = 0, menuBarToColor_ = 0;
    int menuBarHeight_ = 22;
    int controlsShift_ = 0; // how far the bar has moved the controls down
    int fb_ = 4, fl_ = 4;
    int l_ = 0, r_ = 0, b_ = 0;
    uint32_t transparent_ = 0xFF00FF;
    bool titleNeedsRegion_ = false, bottomNeedsRegion_ = false;
    int titleMinY_ = 0, titleMaxY_ = 0, bottomMinY_ = 0, bottomMaxY_ = 0;
    FrameImage bottomImage_;
    FrameImage bottomShown_; // the bottom image over the form colour
    int bottomComposedWidth_ = -1;
    bool destroying_ = false;
    bool titleBarWanted_ = true;
    bool internalChange_ = false;
    int minHeight_ = 0;
    // What the form's non-client area was last measured with.
    std::optional<NcSizes> measuredNc_;
    NcSizes ncSizes() const {
        return {.fl = fl_, .fb = fb_, .l = l_, .r = r_, .b = b_, .borderWidth = borderWidth_, .scale = scaler()};
    }
    bool regionPending_ = false;
    bool paintingFrame_ = false;
    ui::BrushHandle brush_;
    COLORREF brushColor_ = 0;
};

} // namespace corvane::skin
