// The platform's combo box with a flat look: the platform still draws the text and
// the chosen item; the control paints a one-pixel border and a narrow arrow
// button over the platform's sunken frame and button.
#pragma once
#include "flat/FlatComboMetrics.h"
#include "flat/FlatUtilities.h"
#include "ui/Control.h"
#include <functional>
#include <string>

namespace corvane::flat {

enum class ComboBoxStyle { DropDown, Simple, DropDownList, OwnerDrawFixed, OwnerDrawVariable };

class FlatComboBox : public ui::WinControl {
public:
    // `h` is the closed height; the platform decides it from the font in the end.
    FlatComboBox(ui::Component* owner, std::string name, HWND parent, int x, int y, int w, int h = 21,
                 ComboBoxStyle style = ComboBoxStyle::DropDown);

    // Published properties.
    ComboBoxStyle style() const { return style_; }
    void setStyle(ComboBoxStyle s); // recreates the window
    std::uint32_t color() const { return colors_.color; }
    void setColor(std::uint32_t c);
    std::uint32_t colorArrow() const { return colors_.arrow; }
    void setColorArrow(std::uint32_t c);
    std::uint32_t colorArrowBackground() const { return colors_.arrowBackground; }
    void setColorArrowBackground(std::uint32_t c);
    std::uint32_t colorBorder() const { return colors_.border; }
    void setColorBorder(std::uint32_t c);
    AdvColors advColorBorder() const { return adv_.border; }
    void setAdvColorBorder(AdvColors v);
    AdvColors advColorArrowBackground() const { return adv_.arrowBackground; }
    void setAdvColorArrowBackground(AdvColors v);
    bool useAdvColors() const { return useAdvColors_; }
    void setUseAdvColors(bool u);
    int dropDownCount() const { return dropDownCount_; }
    void setDropDownCount(int n);
    int itemHeight() const { return itemHeight_; }
    void setItemHeight(int h);
    // The text font; the caller keeps it alive. Resets ItemHeight and recreates the window.
    HFONT font() const { return font_; }
    void setFont(HFONT f);
    std::uint32_t fontColor() const { return fontColor_; }
    void setFontColor(std::uint32_t c);
    int maxLength() const { return maxLength_; }
    void setMaxLength(int n);
    bool sorted() const { return sorted_; }
    void setSorted(bool s); // recreates the window

    // Items.
    int addItem(const std::string& text);
    void clearItems();
    int count() const;
    std::string item(int index) const;
    int itemIndex() const;        // -1 when nothing is chosen
    void setItemIndex(int index); // a program change: no onChange
    bool droppedDown() const;
    void setDroppedDown(bool d);

    std::function<void()> onChange;
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void()> onDropDown;
    std::function<void()> onEnter;
    std::function<void()> onExit;
    std::function<void(WPARAM& key)> onKeyDown; // set key to 0 to swallow it
    std::function<void(char& key)> onKeyPress;
    std::function<void(WPARAM& key)> onKeyUp;
    std::function<void(const DRAWITEMSTRUCT&)> onDrawItem;

    // Last computed focus state: list dropped, or focus on the box or its edit.
    bool active() const { return active_; }
    // The edit child of DropDown and Simple, else nullptr.
    HWND editHandle() const;
    // The brush the control answers the drop-down list's colour request with.
    HBRUSH listBrush() const { return brush_.get(); }

    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    ui::AccessibleSourceFactory accessibleFactory() const override;
    bool reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void createWindow(HWND parent, int x, int y, int w, int h);
    void recreate();
    FlatComboGeometry geometry() const;
    bool isListStyle() const;
    void paintContent(HDC dc, const RECT& area);
    void drawFrame(HDC dc);
    void drawButton(HDC dc);
    void drawFrameAndButton();
    void drawListFace(HDC dc);
    void redrawListFace();
    void updateActive();
    void applyAdvColors();
    void remakeBrush();

    ComboBoxStyle style_;
    FlatComboColors colors_;
    FlatComboAdvColors adv_;
    bool useAdvColors_ = false;
    int dropDownCount_ = 8;
    int itemHeight_ = 13; // the height of an item in the standard 8-point font
    HFONT font_ = nullptr;
    std::uint32_t fontColor_ = ui::SystemColor(COLOR_WINDOWTEXT);
    int maxLength_ = 0;
    bool sorted_ = false;
    int scrollBarWidth_ = 0;
    bool active_ = false;
    ui::BrushHandle brush_;
};

} // namespace corvane::flat
