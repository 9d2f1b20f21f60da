// The caption strip of a skinned window: the skin's title pictures (sections), the
// caption, the application icon or control box and the caption buttons; it tracks
// the mouse over the buttons, performs their actions, lets the user drag the window
// and owns the window's system menu.
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "skin/frame/FrameImage.h"
#include "skin/frame/FrameLayout.h"
#include "skin/frame/PopupMenu.h"
#include "skin/theme/Skinned.h"
#include "ui/Colors.h"
#include "ui/Control.h"
#include "ui/Gdi.h"
#include "ui/Handles.h"

namespace corvane::ui {
class Form;
}

namespace corvane::skin {

class TitleBar;
using TitleBarAlign = SectionAlign;
using TitleBarButtonType = TitleButtonType;

class TitleBarSection {
public:
    explicit TitleBarSection(TitleBar* bar) : bar_(bar) {}
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool v);
    int width() const { return width_; }
    void setWidth(int w) {
        width_ = w;
        changed();
    }
    TitleBarAlign align() const { return align_; }
    void setAlign(TitleBarAlign a);
    HBITMAP picture() const { return picture_.get(); }
    void setPicture(HBITMAP source); // copies it
    bool stretch() const { return stretch_; }
    void setStretch(bool v) {
        stretch_ = align_ == TitleBarAlign::Client ? true : v;
        changed();
    }
    bool capSec() const { return capSec_; }
    void setCapSec(bool v) {
        capSec_ = v;
        changed();
    }
    void assign(const TitleBarSection& other);

private:
    void changed();
    TitleBar* bar_;
    bool autoSize_ = false;
    int width_ = 10;
    TitleBarAlign align_ = TitleBarAlign::Left;
    ui::BitmapHandle picture_;
    bool stretch_ = false;
    bool capSec_ = false;
};

class TitleBarButton {
public:
    explicit TitleBarButton(TitleBar* bar) : bar_(bar) {}
    UIStyle uiStyle() const { return uiStyle_; }
    void setUIStyle(UIStyle s);
    TitleBarButtonType buttonType() const { return type_; }
    void setButtonType(TitleBarButtonType t);
    bool transparent() const { return transparent_; }
    void setTransparent(bool v) {
        transparent_ = v;
        changed();
    }
    int top() const { return top_; }
    void setTop(int t) {
        top_ = t;
        changed();
    }
    PopupMenu* controlBoxMenu() const { return controlBoxMenu_; }
    void setControlBoxMenu(PopupMenu* m) { controlBoxMenu_ = m; }
    bool visible() const { return visible_; }
    void setVisible(bool v) {
        visible_ = v;
        changed();
    }
    HBITMAP picNormal() const { return picture(0); }
    HBITMAP picMouseOn() const { return picture(1); }
    HBITMAP picMouseDown() const { return picture(2); }
    void setPictures(HBITMAP normal, HBITMAP mouseOn, HBITMAP mouseDown); // copies them
    bool hasPictures() const { return picture(0) && picture(1) && picture(2); }
    void assign(const TitleBarButton& other);
    // Performs the button's action on the title bar's form.
    void perform();
    // Maximize and restore pictures follow the form's state.
    void refreshMaxPictures();

private:
    friend class TitleBar;
    void loadPictures();
    void loadParts(int firstPart);
    // The pictures are cut from the strip when first used: a window being built
    // applies several styles before it paints once.
    HBITMAP picture(int i) const;
    void changed();
    TitleBar* bar_;
    UIStyle uiStyle_ = UIStyle::DeepBlue;
    TitleBarButtonType type_ = TitleBarButtonType::Custom;
    bool transparent_ = false;
    int top_ = 2;
    PopupMenu* controlBoxMenu_ = nullptr;
    bool visible_ = true;
    mutable ui::BitmapHandle pics_[3];
    mutable bool picsPending_ = false;
    int loadedPart_ = 0;
};

// Collections that repaint their title bar on every change.
template <class Item>
class TitleBarItems {
public:
    explicit TitleBarItems(TitleBar* bar) : bar_(bar) {}
    Item* add();
    void clear();
    int count() const { return static_cast<int>(items_.size()); }
    Item& operator[](int i) const { return *items_[static_cast<size_t>(i)]; }
    // Copies the other collection's items.
    void assign(const TitleBarItems& other);
    template <class Pred>
    bool any(Pred pred) const {
        for (const auto& item : items_)
            if (pred(*item)) return true;
        return false;
    }

private:
    TitleBar* bar_;
    std::vector<std::unique_ptr<Item>> items_;
};
using TitleBarSections = TitleBarItems<TitleBarSection>;
using TitleBarButtons = TitleBarItems<TitleBarButton>;

using TitleBarButtonClickEvent = std::function<void(TitleBar&, int)>;

// The window's system menu: Minimize, Maximize/Restore, a separator and Close.
class TitleBarPopupMenu : public PopupMenu {
public:
    TitleBarPopupMenu(ui::Component* owner, TitleBar* bar);
    // Opens at a screen point, with the items the title bar's buttons allow.
    void popupAt(int x, int y);
    MenuItem* minimizeItem = nullptr;
    MenuItem* maximizeItem = nullptr;
    MenuItem* closeItem = nullptr;

private:
    TitleBar* bar_;
};

class TitleBar : public Skinned<ui::WinControl> {
public:
    void dpiChanged(const ui::Scaler& from, const ui::Scaler& to) override;
    // Creates the bar as the top child of `parent`'s window.
    TitleBar(ui::WinControl* parent, std::string name = {});
    ~TitleBar() override;

    bool custom() const { return custom_; }
    void setCustom(bool v) { custom_ = v; }
    // Keeps the caption's font colour: only a style of its own sets that.
    void setFileTheme(FileTheme* theme) override;

    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool v);
    TitleBarSections& sections() { return sections_; }
    void setSections(const TitleBarSections& s) { sections_.assign(s); }
    TitleBarButtons& buttons() { return buttons_; }
    void setButtons(const TitleBarButtons& b) { buttons_.assign(b); }
    int buttonInterval() const { return buttonInterval_; }
    void setButtonInterval(int v) {
        buttonInterval_ = v;
        redraw();
    }
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& s);
    // The caption font; the title bar keeps its own copy.
    void setFont(const LOGFONTW& font, ui::Color color);
    ui::Color fontColor() const { return fontColor_; }
    const LOGFONTW& logFont() const { return logFont_; }
    bool formActive() const { return formActive_; }
    void setFormActive(bool v) {
        formActive_ = v;
        requestPaint(); // only the caption's colour changes
    }
    int leftBtnXOffset() const { return leftOffset_; }
    void setLeftBtnXOffset(int v) {
        leftOffset_ = v;
        redraw();
    }
    int rightBtnXOffset() const { return rightOffset_; }
    void setRightBtnXOffset(int v) {
        rightOffset_ = v;
        redraw();
    }
    bool drawAppIcon() const { return drawAppIcon_; }
    void setDrawAppIcon(bool v) {
        drawAppIcon_ = v;
        redraw();
    }
    int roundCorner() const { return roundCorner_; }
    void setRoundCorner(int v) { roundCorner_ = v; }
    int roundCornerBottom() const { return roundCornerBottom_; }
    void setRoundCornerBottom(int v) { roundCornerBottom_ = v; }
    ui::Color inactiveCaptionColor() const { return inactiveCaptionColor_; }
    void setInactiveCaptionColor(ui::Color c) {
        inactiveCaptionColor_ = c;
        redraw();
    }
    bool rightToLeft = false;

    TitleBarButtonClickEvent onCustomBtnsClick;
    TitleBarButtonClickEvent onHelpBtnClick;

    // The form the bar sits on (its top-level window's object), or none.
    ui::Form* parentForm() const;
    // Whether the bar sits on a skinned frame, which paints its top rows.
    bool onFrame() const;
    int inset() const;

    // For the frame: the composed images, the section set, a render now.
    FrameImage& titleImage() { return titleImage_; }
    FrameImage& titleImageWithBackground() { return backImage_; }
    bool hasCompleteSectionSet() const { return sections_.count() == 3 || sections_.count() == 5; }
    HBITMAP sectionPicture(int n) const { return sections_.count() > 2 ? sections_[n].picture() : nullptr; }
    void refreshMaxPictures();
    void render();
    // Told when a caption section was drawn (the top strip changed).
    std::function<void()> onFrameRepaint;
    // Minimum width of the form that applying a style asks for.
    int minWidth() const { return minWidth_; }
    int buttonTop() const { return buttonTop_; }
    // The button under the cursor at the last paint, -1 for none.
    int hotButton() const { return hot_; }
    TitleBarPopupMenu& systemMenu() { return *systemMenu_; }
    // Pops the system menu up at a screen point.
    void popupSystemMenu(int x, int y) { systemMenu_->popupAt(x, y); }
    // Where the buttons are now, and what a click on button `index` does.
    TitleButtonLayout buttonLayout() const;
    void clickButton(int index);

    // Draw into the control image of one paint.
    virtual void drawSections(HDC image, int width, int height);
    virtual void drawButtons(HDC image, int width, int height);

    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    ui::AccessibleSourceFactory accessibleFactory() const override;
    // Something the composed images show changed: they are composed again at the next paint.
    void redraw();
    // A paint from the images composed already.
    void requestPaint();
    // The button pictures' transparent colour under the file theme.
    uint32_t transparentColor() const { return transparent_; }
    // The sections collection and its items note every change here.
    void sectionsEdited() { ++sectionsEdits_; }

protected:
    // Nothing while the bar is custom.
    void applyLook() override;

private:
    void paint(HDC target);
    void mouseUp();
    TitleButtonLayout buttonLayout(int width, POINT cursor) const;
    void doubleClick();
    void drawButtonPicture(HDC dc, const TitleBarButton& b, HBITMAP pic, int x, int y);
    void drawCaption(HDC dc, int xl, int xb);

    bool custom_ = false;
    bool autoSize_ = false;
    TitleBarSections sections_{this};
    TitleBarButtons buttons_{this};
    int buttonInterval_ = 0;
    std::string caption_;
    LOGFONTW logFont_{};
    ui::FontHandle font_;
    ui::FontHandle makeFont() const;
    ui::Color fontColor_ = 0xFFFFFF;
    bool formActive_ = true;
    int leftOffset_ = 0, rightOffset_ = 0;
    bool drawAppIcon_ = true;
    int roundCorner_ = 0, roundCornerBottom_ = 0;
    ui::Color inactiveCaptionColor_ = ui::SystemColor(COLOR_INACTIVECAPTION);
    bool fiveSections_ = false;
    // The sections a style application made, from which pictures; kept while nothing
    // edited them since and the next application would make the same ones.
    struct SectionShape {
        HBITMAP picture = nullptr;
        bool autoSize = false, capSec = false;
        TitleBarAlign align = TitleBarAlign::Left;
        bool operator==(const SectionShape&) const = default;
    };
    struct SectionsMade {
        std::vector<SectionShape> shapes;
        const FileTheme* theme = nullptr;
        uint32_t generation = 0;
        uint64_t edits = 0;
        bool operator==(const SectionsMade&) const = default;
    };
    void makeSections(SectionsMade wanted);
    std::optional<SectionsMade> sectionsMade_;
    uint64_t sectionsEdits_ = 0;
    ui::Color background_ = 0;
    uint32_t transparent_ = 0xFF00FF;
    int buttonTop_ = 0, iconTop_ = 0, captionTop_ = 0;
    FrameImage titleImage_, backImage_;
    std::string captionSectionText_;
    int hot_ = -1;
    bool pressed_ = false;
    bool fontColorLock_ = false;
    bool tracking_ = false;
    int minWidth_ = 0;
    bool imagesDirty_ = true;
    int composedWidth_ = 0, composedHeight_ = 0, composedInset_ = 0;
    bool composedTransparent_ = false;
    uint32_t composedKey_ = 0;
    FrameImage barImage_; // the sections as the control shows them, kept between paints
    TitleBarPopupMenu* systemMenu_ = nullptr;
    HICON icon_ = nullptr; // the system's shared copy: never destroyed
    int iconSide_ = 0;
};

} // namespace corvane::skin
