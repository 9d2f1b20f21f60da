// The base of the skinned components: holds the file theme and the style they
// publish, follows the theme's removal, and has the component apply its look
// whenever either changes.
#pragma once
#include "skin/theme/FileTheme.h"
#include "skin/theme/Look.h"
#include "skin/theme/Themed.h"
#include "ui/Component.h"
#include "ui/Dpi.h"

namespace corvane::skin {

// `Base` is the class library's control the component is; `Face` the published
// interface (Themed, or ThemedFrame for a form's frame).
template <class Base, class Face = Themed>
class Skinned : public Base, public Face {
public:
    using Base::Base;

    FileTheme* fileTheme() const override { return fileTheme_; }
    void setFileTheme(FileTheme* theme) override {
        this->watch(fileTheme_, theme);
        setUIStyle(uiStyle_);
    }
    UIStyle uiStyle() const override { return uiStyle_; }
    void setUIStyle(UIStyle style) override {
        uiStyle_ = style;
        applyLook();
    }
    // Both at once, with one application (a frame handing its own on).
    void setFileThemeAndStyle(FileTheme* theme, UIStyle style) {
        this->watch(fileTheme_, theme);
        setUIStyle(style);
    }

    void notification(ui::Component* component, ui::Operation op) override {
        Base::notification(component, op);
        if (op != ui::Operation::Remove || !fileTheme_ || component != fileTheme_) return;
        // A component on its way out has no look left to restore.
        const bool restore = !this->destroying();
        if (restore) themeRemoved();
        fileTheme_ = nullptr;
        if (restore) setUIStyle(UIStyle::DeepBlue);
    }

    // Pictures and integers come at the new DPI: the look is read again.
    void dpiChanged(const ui::Scaler& from, const ui::Scaler& to) override {
        Base::dpiChanged(from, to);
        applyLook();
    }

protected:
    // Reads the look afresh: called after every change of theme or style.
    virtual void applyLook() = 0;
    // The file theme is going and this component stays; it falls back to DeepBlue next.
    virtual void themeRemoved() {}
    Look look() const { return Look(fileTheme_, uiStyle_, ui::DpiOf(this->handle())); }
    // Before the component can apply anything (the first style of a control).
    void presetUIStyle(UIStyle style) { uiStyle_ = style; }

private:
    FileTheme* fileTheme_ = nullptr;
    UIStyle uiStyle_ = UIStyle::DeepBlue;
};

} // namespace corvane::skin
