// The flat push button: a flat face coloured by its state, a one- or two-pixel
// frame, an optional glyph of up to four images and a caption. It can be a plain
// button or a sticky one in a group. All buttons share one hover timer that
// notices when the mouse has left the hovered button.
#pragma once
#include "flat/FlatUtilities.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include <functional>
#include <memory>
#include <string>

namespace corvane::flat {

class FlatButton : public ui::WinControl {
public:
    // A windowed control of its own class on `parent`; new buttons are 25 x 25.
    FlatButton(ui::Component* owner, std::string name, HWND parent, int x = 0, int y = 0, int w = 25, int h = 25);
    ~FlatButton() override;

    // Published properties.
    TransparentMode transparentMode() const { return transparentMode_; }
    void setTransparentMode(TransparentMode m);
    bool isDefault() const { return default_; }
    void setDefault(bool d);
    bool allowAllUp() const { return allowAllUp_; }
    void setAllowAllUp(bool a);
    std::uint32_t color() const { return colors_.color; }
    void setColor(std::uint32_t c); // ParentColor becomes False
    bool parentColor() const { return parentColor_; }
    void setParentColor(bool p);
    std::uint32_t colorFocused() const { return colors_.focused; }
    void setColorFocused(std::uint32_t c);
    std::uint32_t colorDown() const { return colors_.down; }
    void setColorDown(std::uint32_t c);
    std::uint32_t colorBorder() const { return colors_.border; }
    void setColorBorder(std::uint32_t c);
    std::uint32_t colorHighLight() const { return colors_.highlight; }
    void setColorHighLight(std::uint32_t c);
    std::uint32_t colorShadow() const { return colors_.shadow; }
    void setColorShadow(std::uint32_t c);
    AdvColors advColorFocused() const { return adv_.focused; }
    void setAdvColorFocused(AdvColors v);
    AdvColors advColorDown() const { return adv_.down; }
    void setAdvColorDown(AdvColors v);
    AdvColors advColorBorder() const { return adv_.border; }
    void setAdvColorBorder(AdvColors v);
    bool useAdvColors() const { return useAdvColors_; }
    void setUseAdvColors(bool u);
    int groupIndex() const { return groupIndex_; }
    void setGroupIndex(int g);
    bool down() const { return down_; }
    void setDown(bool d);
    std::string caption() const { return text(); }
    void setCaption(const std::string& c) { setText(c); }
    // The caption font; the caller keeps it alive. ParentFont takes the parent's.
    HFONT font() const { return font_; }
    void setFont(HFONT f);
    bool parentFont() const { return parentFont_; }
    void setParentFont(bool p);
    std::uint32_t fontColor() const { return fontColor_; }
    void setFontColor(std::uint32_t c);
    // A copy of the bitmap is kept; nullptr removes the glyph.
    HBITMAP glyph() const { return glyph_.get(); }
    void setGlyph(HBITMAP g);
    ButtonLayout layout() const { return layout_; }
    void setLayout(ButtonLayout l);
    int margin() const { return margin_; }
    void setMargin(int m);
    NumGlyphs numGlyphs() const { return numGlyphs_; }
    void setNumGlyphs(NumGlyphs n);
    int spacing() const { return spacing_; }
    void setSpacing(int s);
    ui::ModalResult modalResult() const { return modalResult_; }
    void setModalResult(ui::ModalResult r) { modalResult_ = r; }

    std::function<void()> onClick;
    std::function<void()> onDblClick;
    // Mouse button (0 left, 1 right, 2 middle), MK_* key flags, client position.
    std::function<void(int, unsigned, int, int)> onMouseDown;
    std::function<void(unsigned, int, int)> onMouseMove;
    std::function<void(int, unsigned, int, int)> onMouseUp;
    std::function<void()> onMouseEnter;
    std::function<void()> onMouseLeave;

    // Sets the parent form's ModalResult to this button's, then runs onClick.
    void click();

    ButtonState state() const { return state_; }
    bool mouseInControl() const { return mouseIn_; }

    // Composes the button's picture into `dc` (client coordinates).
    void paintTo(HDC dc);

    // The shared hover timer's window while any button exists, else nullptr.
    static HWND hoverTimerWindow();
    static bool hoverTimerRunning();
    static FlatButton* hoveredButton();

    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    ui::AccessibleSourceFactory accessibleFactory() const override;
    std::optional<std::uint32_t> childBackground() const override { return color(); }

private:
    friend struct HoverShared;

    void mouseDown(int button, WPARAM keys, int x, int y, bool dbl);
    void mouseUp(int button, WPARAM keys, int x, int y);
    void mouseMove(WPARAM keys, int x, int y);
    void enter();
    void leave();
    void updateTracking();
    void startHover();
    bool underCursor() const;
    bool inside(int x, int y) const;
    void broadcastGroup();
    void groupNotified(WPARAM group, HWND sender);
    bool dialogChar(unsigned ch); // a character message's UTF-16 unit
    void enabledChanged(bool enabled);
    void applyAdvColors();
    void takeParentColor();
    void takeParentFont();
    void endDrag();

    TransparentMode transparentMode_ = TransparentMode::None;
    bool default_ = false;
    bool allowAllUp_ = false;
    FlatButtonColors colors_;
    FlatButtonAdvColors adv_;
    bool parentColor_ = true;
    bool useAdvColors_ = false;
    int groupIndex_ = 0;
    bool down_ = false;
    HFONT font_ = nullptr;
    bool parentFont_ = true;
    std::uint32_t fontColor_ = ui::SystemColor(COLOR_WINDOWTEXT);
    ui::BitmapHandle glyph_;
    ButtonLayout layout_ = ButtonLayout::GlyphTop;
    int margin_ = -1;
    NumGlyphs numGlyphs_ = 1;
    int spacing_ = 4;
    ui::ModalResult modalResult_ = ui::ModalResult::None;

    ButtonState state_ = ButtonState::Up;
    bool mouseIn_ = false;
    bool dragging_ = false;
    bool tracking_ = false; // platform leave notification requested
    bool releasingCapture_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true); // handlers may destroy the button
    POINT glyphPos_{};
    RECT textBounds_{};
    ui::MessageObserverRegistration mnemonics_; // Alt+key to the window's flat buttons
};

} // namespace corvane::flat
