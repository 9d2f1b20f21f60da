// The menu bar of a skinned form: one button per top-level item of the form's main
// menu, auto-sized to its caption, on a plain, gradient or picture background in the
// skin's colours. Pressing a button opens the item's sub-items below it.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

#include "skin/theme/Look.h"
#include "skin/theme/UIStyle.h"
#include "ui/Colors.h"
#include "ui/Control.h"
#include "ui/Handles.h"

namespace corvane::skin {

class FileTheme;
class MainMenu;
struct MenuItem;

// The bar's background over `r`: plain in `from` when both colours are equal, else a
// vertical gradient. The frame paints its borders beside the bar the same way.
void PaintMenuBarFill(HDC dc, const RECT& r, ui::Color from, ui::Color to);

class MenuBar : public ui::WinControl {
public:
    struct Button {
        const MenuItem* item = nullptr;
        std::string caption;
        bool enabled = true;
        RECT rect{};
    };

    // A child window of `parent` at the top of its client area.
    MenuBar(ui::WinControl* parent, MainMenu* menu, std::string name = {});
    ~MenuBar() override;

    // Buttons from the menu's top-level items, in their order, laid out for `width`;
    // returns the bar's height.
    int rebuild(int width);
    const std::vector<Button>& buttons() const { return buttons_; }
    int hotButton() const { return hot_; }
    int pressedButton() const { return pressed_; }
    // What a click on button `index` does: opens its item's sub-items.
    void openButton(int index) {
        if (index >= 0 && index < static_cast<int>(buttons_.size())) press(index);
    }

    void setButtonHeight(int h) { buttonHeight_ = h; }
    void setColors(ui::Color from, ui::Color to);
    // Button colours (and the MacOS pictures) from the style.
    void applyLook(const Look& look);

    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    ui::AccessibleSourceFactory accessibleFactory() const override;

private:
    void paint(HDC dc);
    int buttonAt(int x, int y) const;
    void setHot(int index);
    void press(int index);

    MainMenu* menu_;
    std::vector<Button> buttons_;
    ui::FontHandle font_;
    int buttonHeight_ = 22;
    int hot_ = -1, pressed_ = -1;
    bool tracking_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    bool macOs_ = false;
    ui::Color from_ = 0, to_ = 0;
    ui::Color selectedColor_ = 0, selectedBorderColor_ = 0, selectedFontColor_ = 0, fontColor_ = 0;
};

} // namespace corvane::skin
