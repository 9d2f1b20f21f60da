#include "flat/FlatAccessibility.h"

#include "flat/FlatButton.h"
#include "flat/FlatComboBox.h"

namespace corvane::flat {

namespace {

using ui::ControlSource;

class FlatButtonSource : public ControlSource<FlatButton> {
public:
    using ControlSource::ControlSource;
    long role() const override { return ROLE_SYSTEM_PUSHBUTTON; }
    long state() const override {
        const FlatButton& b = *get();
        long s = ui::AccessibleSource::state() | STATE_SYSTEM_FOCUSABLE;
        if (b.state() == ButtonState::Down || b.state() == ButtonState::Exclusive || b.down())
            s |= STATE_SYSTEM_PRESSED;
        if (b.isDefault()) s |= STATE_SYSTEM_DEFAULT;
        return s;
    }
    std::string defaultAction() const override { return "Press"; }
    void doDefaultAction() override { get()->click(); }
};

class FlatComboBoxSource : public ControlSource<FlatComboBox> {
public:
    using ControlSource::ControlSource;
    long role() const override { return ROLE_SYSTEM_COMBOBOX; }
    // No label names it; what it holds is its value.
    std::string name() const override { return {}; }
    std::string shortcut() const override { return {}; }
    std::string value() const override {
        const FlatComboBox& c = *get();
        const int i = c.itemIndex();
        if (i >= 0) return c.item(i);
        return c.style() == ComboBoxStyle::DropDownList ? std::string() : c.text();
    }
    long state() const override {
        long s = ui::AccessibleSource::state() | STATE_SYSTEM_FOCUSABLE;
        const FlatComboBox& c = *get();
        s |= c.droppedDown() ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
        if (c.active() && !(s & STATE_SYSTEM_FOCUSED) && GetFocus() && IsChild(window(), GetFocus()))
            s |= STATE_SYSTEM_FOCUSED;
        return s;
    }
    std::string defaultAction() const override { return get()->droppedDown() ? "Close" : "Open"; }
    void doDefaultAction() override {
        FlatComboBox& c = *get();
        c.setDroppedDown(!c.droppedDown());
    }
};

} // namespace

std::unique_ptr<ui::AccessibleSource> FlatButtonAccessible(HWND w) { return std::make_unique<FlatButtonSource>(w); }
std::unique_ptr<ui::AccessibleSource> FlatComboBoxAccessible(HWND w) { return std::make_unique<FlatComboBoxSource>(w); }

} // namespace corvane::flat
