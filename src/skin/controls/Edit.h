// The skinned edit: the platform's single-line edit without its own border,
// framed in two one-pixel lines: BorderColor outside, the edit's colour inside.
#pragma once
#include <string>

#include "skin/theme/Skinned.h"
#include "ui/Colors.h"
#include "ui/Handles.h"
#include "ui/StdControls.h"

namespace corvane::skin {

class Edit : public Skinned<ui::Edit> {
public:
    Edit(ui::Component* owner, std::string name, HWND parent, int x, int y, int w, int h);

    std::uint32_t borderColor() const { return borderColor_; }
    void setBorderColor(std::uint32_t c);
    // The field's background (the window colour until set).
    std::uint32_t color() const { return color_; }
    void setColor(std::uint32_t c);

    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    ui::AccessibleSourceFactory accessibleFactory() const override;
    bool reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    void applyLook() override;
    virtual void afterStyleChanged() {}

private:
    void drawFrame();

    std::uint32_t borderColor_ = 0x000000;
    std::uint32_t color_ = ui::SystemColor(COLOR_WINDOW);
    ui::BrushHandle brush_;
    std::uint32_t brushColor_ = 0xFFFFFFFF;
};

} // namespace corvane::skin
