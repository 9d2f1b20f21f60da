// Skinned push buttons: CustomButton paints a state picture of the current
// style, stretched in nine parts, with a caption; Button adds a glyph. Both
// answer Enter when they are the form's default-active button, Escape when
// they are its Cancel button, and their caption's mnemonic.
#pragma once
#include <functional>
#include <string>

#include "skin/controls/ParentColor.h"
#include "ui/Messages.h"
#include "skin/controls/ControlGeometry.h"
#include "skin/controls/DialogKeys.h"
#include "skin/theme/Skinned.h"
#include "ui/Actions.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/ImageList.h"

namespace corvane::skin {

class CustomButton : public Skinned<ui::WinControl>, public ui::ActionClient, public DialogKeyTarget {
public:
    CustomButton(ui::Component* owner, std::string name, HWND parent, int x, int y, int w, int h);
    ~CustomButton() override;

    // Published properties (and FileTheme and UIStyle).
    bool cancel() const { return cancel_; }
    void setCancel(bool c) { cancel_ = c; }
    bool isDefault() const { return default_; }
    void setDefault(bool d);
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    bool transparent() const { return transparent_; }
    void setTransparent(bool t);
    ui::ModalResult modalResult() const { return modalResult_; }
    void setModalResult(ui::ModalResult r) { modalResult_ = r; }
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool a);
    int focusedRectMargin() const { return focusedRectMargin_; }
    void setFocusedRectMargin(int m);
    int mouseContinuouslyDownInterval() const { return repeatInterval_; }
    void setMouseContinuouslyDownInterval(int ms) { repeatInterval_ = ms; }
    void setTabStop(bool t);
    // The caption font; the parent's until set. The caller keeps it alive.
    HFONT font() const { return font_; }
    void setFont(HFONT f);
    std::uint32_t fontColor() const { return fontColor_; }
    void setFontColor(std::uint32_t c);
    // The face behind an opaque button; the parent's colour until set.
    std::uint32_t color() const;
    void setColor(std::uint32_t c);
    void setAction(ui::Action* action, ui::ImageList* images = nullptr);

    std::function<void()> onClick;
    std::function<void()> onMouseEnter;
    std::function<void()> onMouseExit;
    std::function<void()> onMouseContinuouslyDown;

    // Keyboard or program click: the holding form's ModalResult becomes ours, then onClick.
    void click();

    bool hover() const { return hover_; }
    bool pressed() const { return pressed_; }
    bool repeating() const { return repeating_; }
    // Whether Enter from the dialog clicks this button: the focused button when a
    // skinned button has the focus, else the Default one.
    bool defaultActive() const;

    // Composes the whole button into `dc` (client coordinates).
    void paintTo(HDC dc);

    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    ui::AccessibleSourceFactory accessibleFactory() const override;
    void notification(ui::Component* component, ui::Operation op) override;
    void actionChanged(ui::Action& a) override;

protected:
    void applyLook() override;
    // Hooks for a derived button (Button adds its glyph). autoSizeStep and the
    // *Changed ones run after the property is stored and before the repaint. paintTo
    // calls drawPicture, drawFocus, drawCaption in that order on the off-screen face.
    // The *Picture ones pick the strip part for each state; disabled shows the normal one.
    virtual void autoSizeStep();
    virtual void captionChanged() {}
    virtual void fontChanged();
    virtual void transparencyChanged();
    virtual void enabledChanged() {}
    virtual void styleChanged() {}
    virtual void drawPicture(HDC dc, HBITMAP picture);
    virtual void drawCaption(HDC dc);
    virtual void drawFocus(HDC dc);
    virtual ui::BitmapHandle normalPicture() { return statePicture(1); }
    virtual ui::BitmapHandle hoverPicture() { return statePicture(2); }
    virtual ui::BitmapHandle pressedPicture() { return statePicture(3); }
    virtual ui::BitmapHandle disabledPicture() { return statePicture(1); }

    // Part n of 3 of the style's button strip; an empty 74 x 21 picture when it cannot be had.
    ui::BitmapHandle statePicture(int part);
    HFONT effectiveFont() const;
    void setPictureTransparent(bool t) { pictureTransparent_ = t; }
    bool pictureTransparent() const { return pictureTransparent_; }
    ui::ImageList* actionImages() const { return actionImages_; }
    bool boldCaption_ = false;
    std::uint32_t fontColor_ = 0x000000;

private:
    void mouseDown(int x, int y);
    void mouseUp(int x, int y);
    void mouseMove(int x, int y);
    void mouseEnter();
    void mouseLeave(bool raise);
    void stopRepeat();
    bool dialogKey(WPARAM key);
    bool dialogChar(unsigned ch, LPARAM keyData); // a character message's UTF-16 unit
    bool canFocus() const;

    bool cancel_ = false;
    bool default_ = false;
    std::string caption_;
    bool transparent_ = false;
    bool pictureTransparent_ = false;
    ui::ModalResult modalResult_ = ui::ModalResult::None;
    bool autoSize_ = false;
    int focusedRectMargin_ = 2;
    int repeatInterval_ = 100;
    HFONT font_ = nullptr;
    ParentedColor color_;
    ui::Action* action_ = nullptr;
    ui::ImageList* actionImages_ = nullptr;

    bool hover_ = false;
    bool pressed_ = false;
    bool repeating_ = false;
    bool clicking_ = false; // left button went down on us
    bool tracking_ = false; // leave notification requested
};

class Button : public CustomButton {
public:
    // New buttons are 80 x 27.
    Button(ui::Component* owner, std::string name, HWND parent, int x, int y, int w = 80, int h = 27);

    // A copy of the bitmap is kept; nullptr removes the glyph.
    HBITMAP glyph() const { return glyph_.get(); }
    void setGlyph(HBITMAP g);
    ButtonLayout layout() const { return layout_; }
    void setLayout(ButtonLayout l);
    int spacing() const { return spacing_; }
    void setSpacing(int s);
    // Kept for stored window descriptions: reads 0, writes nothing.
    unsigned resHandle() const { return 0; }
    void setResHandle(unsigned) {}

    void actionChanged(ui::Action& a) override;

protected:
    void styleChanged() override;
    void drawPicture(HDC dc, HBITMAP picture) override;
    void drawCaption(HDC dc) override;

private:
    ui::BitmapHandle glyph_;
    ButtonLayout layout_ = ButtonLayout::GlyphLeft;
    int spacing_ = 4;
    Point captionOrigin_{};
};

// Draws `picture` over `target` stretched in nine parts; corners through an
// image list, masked by magenta when `transparent`, edges and centre always
// with magenta transparent.
void DrawNinePartStretch(HDC dc, HBITMAP picture, const RECT& target, bool transparent);

} // namespace corvane::skin
