#include "skin/controls/ControlAccessibility.h"
#include "ui/WideText.h"

#include "skin/controls/Button.h"
#include "skin/controls/CheckBox.h"
#include "skin/controls/Edit.h"
#include "skin/controls/GroupBox.h"
#include "skin/controls/ToolBar.h"

namespace corvane::skin {

namespace {

using ui::ControlSource;

class ButtonSource : public ControlSource<CustomButton> {
public:
    using ControlSource::ControlSource;
    long role() const override { return ROLE_SYSTEM_PUSHBUTTON; }
    std::string name() const override { return ui::StripMnemonics(get()->caption()); }
    std::string shortcut() const override { return ui::MnemonicShortcut(get()->caption()); }
    long state() const override {
        const CustomButton& b = *get();
        long s = ui::AccessibleSource::state();
        if (b.pressed()) s |= STATE_SYSTEM_PRESSED;
        // The button Enter would click: the focused one, else the Default one.
        if (b.defaultActive()) s |= STATE_SYSTEM_DEFAULT;
        return s;
    }
    std::string defaultAction() const override { return "Press"; }
    void doDefaultAction() override { get()->click(); }
};

class CheckBoxSource : public ControlSource<CheckBox> {
public:
    using ControlSource::ControlSource;
    long role() const override { return ROLE_SYSTEM_CHECKBUTTON; }
    long state() const override {
        long s = ui::AccessibleSource::state();
        if (get()->checked()) s |= STATE_SYSTEM_CHECKED;
        return s;
    }
    std::string defaultAction() const override { return get()->checked() ? "Uncheck" : "Check"; }
    void doDefaultAction() override { get()->click(); }
};

class GroupBoxSource : public ControlSource<GroupBox> {
public:
    using ControlSource::ControlSource;
    long role() const override { return ROLE_SYSTEM_GROUPING; }
    std::string name() const override { return ui::StripMnemonics(get()->caption()); }
    std::string shortcut() const override { return {}; }
};

bool IsLabel(HWND w) {
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    return lstrcmpiW(cls, L"Static") == 0;
}

// A field is named by the label on its row to its left, the nearest one.
std::string LabelOf(HWND field) {
    RECT f{};
    GetWindowRect(field, &f);
    HWND best = nullptr;
    LONG bestGap = 0;
    for (HWND s = GetWindow(GetParent(field), GW_CHILD); s; s = GetWindow(s, GW_HWNDNEXT)) {
        if (s == field || !IsLabel(s) || !IsWindowVisible(s)) continue;
        RECT r{};
        GetWindowRect(s, &r);
        const LONG middle = (r.top + r.bottom) / 2;
        if (middle < f.top || middle > f.bottom || r.left >= f.left) continue;
        const LONG gap = f.left - r.right;
        if (!best || gap < bestGap) {
            best = s;
            bestGap = gap;
        }
    }
    if (!best) return {};
    return ui::StripMnemonics(ui::WindowText(best));
}

class EditSource : public ControlSource<Edit> {
public:
    using ControlSource::ControlSource;
    long role() const override { return ROLE_SYSTEM_TEXT; }
    std::string name() const override { return LabelOf(window()); }
    std::string shortcut() const override { return {}; }
    std::string value() const override {
        if (GetWindowLongW(window(), GWL_STYLE) & ES_PASSWORD) return {};
        return get()->text();
    }
    long state() const override {
        long s = ui::AccessibleSource::state() | STATE_SYSTEM_FOCUSABLE;
        const LONG style = GetWindowLongW(window(), GWL_STYLE);
        if (style & ES_READONLY) s |= STATE_SYSTEM_READONLY;
        if (style & ES_PASSWORD) s |= STATE_SYSTEM_PROTECTED;
        return s;
    }
};

// The platform's tool bar buttons, which our theme draws, as simple elements.
class ToolBarSource : public ControlSource<ToolBar> {
public:
    using ControlSource::ControlSource;
    long role() const override { return ROLE_SYSTEM_TOOLBAR; }
    std::string shortcut() const override { return {}; }
    int elementCount() const override { return static_cast<int>(buttons().size()); }
    ui::AccessibleElement element(int index) const override {
        const ui::ToolButton& b = *buttons().at(static_cast<size_t>(index));
        ui::AccessibleElement e;
        e.name = ui::StripMnemonics(b.caption());
        e.bounds = b.itemRect();
        e.defaultAction = "Press";
        if (!b.enabled()) e.state |= STATE_SYSTEM_UNAVAILABLE;
        const LRESULT s = SendMessageW(window(), TB_GETSTATE, static_cast<WPARAM>(b.commandId()), 0);
        if (s != -1 && (s & TBSTATE_PRESSED)) e.state |= STATE_SYSTEM_PRESSED;
        if (static_cast<int>(SendMessageW(window(), TB_GETHOTITEM, 0, 0)) == indexOf(b))
            e.state |= STATE_SYSTEM_HOTTRACKED;
        return e;
    }
    void doElementAction(int index) override {
        const auto all = buttons();
        if (index >= 0 && index < static_cast<int>(all.size())) all[static_cast<size_t>(index)]->click();
    }

private:
    // Separators are spacing, not controls.
    std::vector<ui::ToolButton*> buttons() const {
        std::vector<ui::ToolButton*> out;
        for (ui::ToolButton* b : get()->buttons())
            if (!b->separator()) out.push_back(b);
        return out;
    }
    int indexOf(const ui::ToolButton& b) const {
        const auto& all = get()->buttons();
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i] == &b) return static_cast<int>(i);
        return -1;
    }
};

} // namespace

std::unique_ptr<ui::AccessibleSource> ButtonAccessible(HWND w) { return std::make_unique<ButtonSource>(w); }
std::unique_ptr<ui::AccessibleSource> CheckBoxAccessible(HWND w) { return std::make_unique<CheckBoxSource>(w); }
std::unique_ptr<ui::AccessibleSource> GroupBoxAccessible(HWND w) { return std::make_unique<GroupBoxSource>(w); }
std::unique_ptr<ui::AccessibleSource> EditAccessible(HWND w) { return std::make_unique<EditSource>(w); }
std::unique_ptr<ui::AccessibleSource> ToolBarAccessible(HWND w) { return std::make_unique<ToolBarSource>(w); }

} // namespace corvane::skin
