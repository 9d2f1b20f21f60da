// The skinned group box: a one-pixel frame in BorderColor with a gap for its
// caption. It hands its style and file theme on to the skinned controls placed
// directly in it.
#pragma once
#include <string>

#include "skin/controls/ParentColor.h"
#include "skin/theme/Skinned.h"
#include "ui/Control.h"
#include "ui/Handles.h"

namespace corvane::skin {

class GroupBox : public Skinned<ui::WinControl> {
public:
    // New group boxes are 185 x 105.
    GroupBox(ui::Component* owner, std::string name, HWND parent, int x, int y, int w = 185, int h = 105);

    // Drawn in the frame's gap; the window text stays a single blank.
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    std::uint32_t borderColor() const { return borderColor_; }
    void setBorderColor(std::uint32_t c);
    std::uint32_t fontColor() const { return fontColor_; }
    void setFontColor(std::uint32_t c);
    bool transparent() const { return transparent_; }
    void setTransparent(bool t);
    // The parent's colour until set.
    std::uint32_t color() const;
    void setColor(std::uint32_t c);
    HFONT font() const { return font_; }
    bool rightToLeft() const { return rightToLeft_; }
    void setRightToLeft(bool r);

    // Aligned children keep clear of the frame and the caption line.
    RECT alignRect() const override;
    std::optional<std::uint32_t> childBackground() const override { return color(); }

    void paintTo(HDC dc);
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    ui::AccessibleSourceFactory accessibleFactory() const override;

protected:
    // Passes the style to the children first, then takes its own colours from it.
    void applyLook() override;
    void themeRemoved() override;

private:
    int fontHeight() const;

    std::string caption_;
    std::uint32_t borderColor_ = 0x000000;
    std::uint32_t fontColor_ = 0x000000;
    bool transparent_ = false;
    ParentedColor color_;
    HFONT font_ = nullptr;
    bool rightToLeft_ = false;
    ui::BrushHandle brush_;
    std::uint32_t brushColor_ = 0xFFFFFFFF;
};

} // namespace corvane::skin
