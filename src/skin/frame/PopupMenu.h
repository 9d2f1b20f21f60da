// Menus whose items are measured and drawn by the menu itself in the colours of the
// skin: a bar down the leading edge, a selection box, check marks, images, captions
// with accelerators and right-aligned shortcut texts. The popup menu and the main
// menu of a menu bar share it.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/frame/FrameLayout.h"
#include "skin/theme/Skinned.h"
#include "ui/Colors.h"
#include "ui/Control.h"

namespace corvane::skin {

struct MenuItem {
    std::string caption;  // "-" is a separator
    std::string shortcut; // shown right-aligned
    int imageIndex = -1;
    bool checked = false;
    bool enabled = true;
    bool isDefault = false;
    std::function<void()> onClick;
    std::vector<std::unique_ptr<MenuItem>> items;
    // Item-level measure and draw handlers; the menu installs its own.
    std::function<void(HDC, UINT&, UINT&)> onMeasureItem;
    std::function<void(HDC, const RECT&, bool)> onDrawItem;

    MenuItem* add(std::string caption, std::function<void()> onClick = {});
    bool isSeparator() const { return caption == "-"; }
};

class SkinnedMenu : public Skinned<ui::WinControl> {
public:
    explicit SkinnedMenu(ui::Component* owner, std::string name = {});
    ~SkinnedMenu() override;

    // Items: adding one gives it (and its sub-items) the menu's handlers.
    MenuItem& root() { return root_; }
    MenuItem* addItem(std::string caption, std::function<void()> onClick = {});
    // Puts the menu's measure and draw handlers on every item, recursively.
    void installHandlers();

    bool ownerDraw() const { return true; }
    void setOwnerDraw(bool) {}

    int menuItemHeight() const { return look_.itemHeight; }
    void setMenuItemHeight(int h) { look_.setItemHeight(h); }
    int separatorHeight() const { return look_.separatorHeight; }
    void setSeparatorHeight(int h) { look_.setSeparatorHeight(h); }
    int barWidth() const { return look_.barWidth; }
    void setBarWidth(int w) { look_.barWidth = w; }

    ui::Color barColor = ui::SystemColor(COLOR_BTNFACE);
    ui::Color barToColor = ui::SystemColor(COLOR_BTNFACE);
    ui::Color color = 0xFFFFFF;
    ui::Color separatorColor = 0x808080;
    ui::Color selectedBorderColor = ui::SystemColor(COLOR_HIGHLIGHT);
    ui::Color selectedColor = ui::SystemColor(COLOR_HIGHLIGHT);
    ui::Color selectedFontColor = 0xFFFFFF;
    ui::Color fontColor = 0xFFFFFF;
    ui::Color borderColor = 0;
    bool flatMenu = false;
    std::string fontName = "MS Sans Serif";
    int fontSize = 8;
    int fontCharset = DEFAULT_CHARSET;
    bool useSystemFont = true;
    // Asks for right-to-left reading (BiDi mode); readsRightToLeft says whether it applies.
    bool rightToLeft = false;
    bool readsRightToLeft() const;
    bool autoHotkeys = true;
    HIMAGELIST images = nullptr;

    // Measures or draws an item of a menu that is running; false for other messages.
    static bool ownerDrawMessage(UINT msg, LPARAM lp);
    // WM_MENUCHAR of a running menu: the item whose accelerator is the key.
    static bool menuChar(WPARAM wp, LPARAM lp, LRESULT& result);

    void measureItem(HDC dc, const MenuItem& item, UINT& width, UINT& height);
    void drawItem(HDC dc, const RECT& rect, const MenuItem& item, bool selected);
    // The menu's font: the system menu font, or the named one.
    HFONT createFont(bool bold) const;

    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void applyLook() override;
    // Runs the items under `parent` as a popup at a screen point and performs the
    // chosen one. `owner` receives the menu loop's messages and must hand
    // WM_MEASUREITEM and WM_DRAWITEM to ownerDrawMessage; without one the menu's own
    // hidden window does.
    void popupItems(const MenuItem& parent, int x, int y, HWND owner);

private:
    void installOn(MenuItem& item);
    void drawBar(HDC dc, const RECT& r);

    MenuItem root_;
    MenuLook look_;
};

class PopupMenu : public SkinnedMenu {
public:
    explicit PopupMenu(ui::Component* owner, std::string name = {}) : SkinnedMenu(owner, std::move(name)) {}
    // Runs the menu at a screen point and performs the chosen item (see popupItems).
    void popup(int x, int y, HWND owner = nullptr);
    // Before the menu pops up (the system menu enables its items there).
    std::function<void()> onPopup;
};

// Stretches the program's bitmap resource `name` over `r`, taking its top `height`
// rows (the MacOS menu pictures).
void StretchMenuPicture(HDC dc, const RECT& r, const char* name, int height);

// The check mark every skinned menu shares, loaded once from "MENU_CHECKED".
HIMAGELIST SharedMenuCheckMarks();

} // namespace corvane::skin
