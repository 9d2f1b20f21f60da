// The skinned tool bar: the platform tool bar whose hot and pressed buttons are
// drawn in the style's colours, on a bar of the style's colour or gradient.
#pragma once
#include <string>

#include "skin/theme/Skinned.h"
#include "ui/ToolBar.h"

namespace corvane::skin {

class ToolBar : public Skinned<ui::ToolBar> {
public:
    ToolBar(ui::Component* owner, std::string name, HWND parent, int x, int y, int w, int h, int buttonWidth,
            int buttonHeight, ui::ImageList* images);

    std::uint32_t buttonColor() const { return buttonColor_; }
    void setButtonColor(std::uint32_t c);
    std::uint32_t buttonBorderColor() const { return buttonBorderColor_; }
    void setButtonBorderColor(std::uint32_t c);
    std::uint32_t buttonDownColor() const { return buttonDownColor_; }
    void setButtonDownColor(std::uint32_t c);
    std::uint32_t color() const { return color_; }
    void setColor(std::uint32_t c);
    bool transparent() const { return transparent_; }
    void setTransparent(bool t);
    bool list() const;
    void setList(bool l);
    bool showCaptions() const { return showCaptions_; }
    void setShowCaptions(bool s);
    std::uint32_t gradientStart() const { return gradientStart_; }
    std::uint32_t gradientEnd() const { return gradientEnd_; }

    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    ui::AccessibleSourceFactory accessibleFactory() const override;
    bool reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    void applyLook() override;

private:
    LRESULT customDraw(NMTBCUSTOMDRAW& cd);
    void drawButton(HDC dc, int commandId, const RECT& r, bool pressedLook, bool hot);

    std::uint32_t buttonColor_ = 0xEFEFEF;
    std::uint32_t buttonBorderColor_ = 0x474747;
    std::uint32_t buttonDownColor_ = 0xD8D8D8;
    std::uint32_t color_ = 0xE8E8E8;
    std::uint32_t gradientStart_ = 0xE8E8E8;
    std::uint32_t gradientEnd_ = 0xE8E8E8;
    bool transparent_ = false;
    bool showCaptions_ = true;
};

} // namespace corvane::skin
