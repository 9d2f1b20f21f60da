// The skinned edit: the platform's single-line edit without its own border,
// framed in two one-pixel lines: BorderColor outside, the edit's colour inside.
#pragma once
#include <string>

#include "skin/theme/FileTheme.h"
#include "skin/theme/Themed.h"
#include "ui/Colors.h"
#include "ui/Handles.h"
#include "ui/StdControls.h"

namespace corvane::skin {

class Edit : public ui::Edit, public Themed {
public:
    Edit(ui::Component* owner, std::string name, HWND parent, int x, int y, int w, int h);

    FileTheme* fileTheme() const override { return fileTheme_; }
    void setFileTheme(FileTheme* theme) override;
    UIStyle uiStyle() const override { return uiStyle_; }
    void setUIStyle(UIStyle style) override;
    std::uint32_t borderColor() const { return borderColor_; }
    void setBorderColor(std::uint32_t c);
    // The field's background (the window colour until set).
    std::uint32_t color() const { return color_; }
    void setColor(std::uint32_t c);

    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    ui::AccessibleSourceFactory accessibleFactory() const override;
    bool reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void notification(ui::Component* component, ui::Operation op) override;

protected:
    virtual void afterStyleChanged() {}

private:
    void drawFrame();

    FileTheme* fileTheme_ = nullptr;
    UIStyle uiStyle_ = UIStyle::DeepBlue;
    std::uint32_t borderColor_ = 0x000000;
    std::uint32_t color_ = ui::systemColor(COLOR_WINDOW);
    ui::BrushHandle brush_;
    std::uint32_t brushColor_ = 0xFFFFFFFF;
};

} // namespace corvane::skin
