#include "skin/frame/FrameAccessibility.h"

#include <algorithm>
#include <vector>

#include "skin/frame/FramePanel.h"
#include "skin/frame/MainMenu.h"
#include "skin/frame/MenuBar.h"
#include "skin/frame/TitleBar.h"
#include "ui/Form.h"

namespace corvane::skin {

namespace {

using ui::ControlSource;

// A frame part named by the window's caption, with no shortcut of its own.
template <class Control, long Role>
class CaptionedSource : public ControlSource<Control> {
public:
    using ControlSource<Control>::ControlSource;
    long role() const override { return Role; }
    std::string name() const override { return this->get()->caption(); }
    std::string shortcut() const override { return {}; }
};

// The panel that holds a skinned window's title bar and controls.
using FramePanelSource = CaptionedSource<FramePanel, ROLE_SYSTEM_CLIENT>;

struct TitleButtonPlace {
    int index;
    RECT bounds;
};

// The buttons a user sees, left to right.
std::vector<TitleButtonPlace> DrawnButtons(const TitleBar& bar) {
    const TitleButtonLayout l = bar.buttonLayout();
    std::vector<TitleButtonPlace> out;
    auto& buttons = const_cast<TitleBar&>(bar).buttons();
    for (int i = 0; i < buttons.count(); ++i) {
        if (!buttons[i].visible() || !buttons[i].hasPictures()) continue;
        const auto& r = l.rects[static_cast<size_t>(i)];
        if (r.right <= r.left) continue;
        out.push_back({i, RECT{r.left, r.top, r.right, r.bottom}});
    }
    std::stable_sort(out.begin(), out.end(), [](const TitleButtonPlace& a, const TitleButtonPlace& b) {
        return a.bounds.left < b.bounds.left;
    });
    return out;
}

class TitleBarSource : public CaptionedSource<TitleBar, ROLE_SYSTEM_TITLEBAR> {
public:
    using CaptionedSource::CaptionedSource;
    int elementCount() const override { return static_cast<int>(DrawnButtons(*get()).size()); }
    ui::AccessibleElement element(int index) const override {
        TitleBar& bar = *get();
        const auto places = DrawnButtons(bar);
        const TitleButtonPlace& p = places.at(static_cast<size_t>(index));
        ui::AccessibleElement e;
        e.bounds = p.bounds;
        e.defaultAction = "Press";
        ui::Form* form = bar.parentForm();
        switch (bar.buttons()[p.index].buttonType()) {
        case TitleBarButtonType::Min: e.name = "Minimize"; break;
        case TitleBarButtonType::Max: e.name = form && IsZoomed(form->handle()) ? "Restore" : "Maximize"; break;
        case TitleBarButtonType::Close: e.name = "Close"; break;
        case TitleBarButtonType::Help: e.name = "Help"; break;
        case TitleBarButtonType::ControlBox:
            e.role = ROLE_SYSTEM_BUTTONMENU;
            e.name = "System menu";
            e.defaultAction = "Open";
            e.shortcut = "Alt+Space";
            break;
        case TitleBarButtonType::Custom: e.name = "Button " + std::to_string(p.index + 1); break;
        }
        if (bar.hotButton() == p.index) e.state |= STATE_SYSTEM_HOTTRACKED;
        if (form && !IsWindowEnabled(form->handle())) e.state |= STATE_SYSTEM_UNAVAILABLE;
        return e;
    }
    void doElementAction(int index) override {
        const auto places = DrawnButtons(*get());
        if (index >= 0 && index < static_cast<int>(places.size()))
            get()->clickButton(places[static_cast<size_t>(index)].index);
    }
};

class MenuBarSource : public ControlSource<MenuBar> {
public:
    using ControlSource::ControlSource;
    long role() const override { return ROLE_SYSTEM_MENUBAR; }
    std::string name() const override { return {}; }
    std::string shortcut() const override { return {}; }
    int elementCount() const override { return static_cast<int>(get()->buttons().size()); }
    ui::AccessibleElement element(int index) const override {
        const MenuBar& bar = *get();
        const MenuBar::Button& b = bar.buttons().at(static_cast<size_t>(index));
        ui::AccessibleElement e;
        e.role = ROLE_SYSTEM_MENUITEM;
        e.name = ui::StripMnemonics(b.caption);
        e.shortcut = ui::MnemonicShortcut(b.caption);
        e.bounds = b.rect;
        e.defaultAction = "Open";
        if (!b.enabled) e.state |= STATE_SYSTEM_UNAVAILABLE;
        if (b.item && b.item->checked) e.state |= STATE_SYSTEM_CHECKED;
        if (b.item && !b.item->items.empty()) e.state |= STATE_SYSTEM_HASPOPUP;
        if (bar.hotButton() == index) e.state |= STATE_SYSTEM_HOTTRACKED;
        if (bar.pressedButton() == index) e.state |= STATE_SYSTEM_PRESSED;
        return e;
    }
    void doElementAction(int index) override { get()->openButton(index); }
};

} // namespace

std::unique_ptr<ui::AccessibleSource> FramePanelAccessible(HWND window) {
    return std::make_unique<FramePanelSource>(window);
}

std::unique_ptr<ui::AccessibleSource> TitleBarAccessible(HWND window) {
    return std::make_unique<TitleBarSource>(window);
}

std::unique_ptr<ui::AccessibleSource> MenuBarAccessible(HWND window) { return std::make_unique<MenuBarSource>(window); }

} // namespace corvane::skin
