// The skinned check box: a state picture of the current style and a caption.
// OnClick is raised whenever Checked actually changes, by the user or by code.
#pragma once
#include <functional>
#include <string>

#include "skin/controls/ParentColor.h"
#include "skin/controls/ControlGeometry.h"
#include "skin/controls/DialogKeys.h"
#include "skin/theme/FileTheme.h"
#include "skin/theme/Skinned.h"
#include "ui/Control.h"
#include "ui/Handles.h"

namespace corvane::skin {

enum class CheckBoxState { Unchecked, Checked, Grayed };

class CheckBox : public Skinned<ui::WinControl>, public DialogKeyTarget {
public:
    // New check boxes are 93 x 17 and size themselves to their caption when painted.
    CheckBox(ui::Component* owner, std::string name, HWND parent, int x, int y, int w = 93, int h = 17);

    bool checked() const { return checked_; }
    void setChecked(bool c);
    // A view of Checked: Grayed unchecks.
    CheckBoxState state() const { return checked_ ? CheckBoxState::Checked : CheckBoxState::Unchecked; }
    void setState(CheckBoxState s) { setChecked(s == CheckBoxState::Checked); }
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool a);
    bool transparent() const { return transparent_; }
    void setTransparent(bool t);
    std::string caption() const { return text(); }
    void setCaption(const std::string& c) { setText(c); }
    std::uint32_t color() const;
    void setColor(std::uint32_t c);
    std::uint32_t fontColor() const { return fontColor_; }
    void setFontColor(std::uint32_t c);
    void setTabStop(bool t);
    bool rightToLeft() const { return rightToLeft_; }
    void setRightToLeft(bool r);

    std::function<void()> onClick;

    // Toggles, as the user's click does.
    void click();
    void paintTo(HDC dc);

    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    ui::AccessibleSourceFactory accessibleFactory() const override;

protected:
    void applyLook() override;
    // Hooks for a derived check box. showFocus decides the focus rectangle; pictureRole
    // names the picture strip (only the check box's own reads the file theme); changed
    // runs after every change of Checked and raises onClick; a click is beforeToggle
    // then toggle; Space and Enter click on key-up while clicksOnKeyUp holds.
    // pictureTransparent is not read here: the box's picture is drawn opaque.
    virtual bool showFocus() const;
    virtual bool pictureTransparent() const { return false; }
    virtual PictureRole pictureRole() const { return role::CheckBoxFace; }
    virtual void changed();
    virtual void beforeToggle() {}
    virtual void toggle();
    virtual bool clicksOnKeyUp() const { return true; }

private:
    ui::BitmapHandle picture(int& width, int& height);
    bool canFocus() const;
    bool dialogChar(unsigned ch); // a character message's UTF-16 unit
    // Auto size: picture, caption and 8 pixels.
    void fitToCaption(int pictureWidth, int pictureHeight);
    void fitToCaption();

    bool checked_ = false;
    bool autoSize_ = true;
    bool transparent_ = false;
    ParentedColor color_;
    std::uint32_t fontColor_ = 0x000000;
    bool rightToLeft_ = false;
    bool clicking_ = false;
    HFONT font_ = nullptr;
};

} // namespace corvane::skin
