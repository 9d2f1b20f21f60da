// Arithmetic of the skinned frame, kept free of the platform so the host tests can
// check it exactly: non-client sizes, the window region's rectangles, the title
// bar's button and caption placement, and popup menu item sizes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ui/Geometry.h"
#include "ui/Scale.h"

namespace corvane::skin {

using ui::Rect;

// A native frame thickness as measured at attachment; odd values give 4.
int SaneFrameThickness(int measured, const ui::Scaler& scale = ui::Scaler());

// The window rectangle handed on to the platform's WM_NCCALCSIZE, which then takes
// its own frame off it. (x, y, cx, cy) is the window's new position; l, r, b the
// skin's left, right and bottom border sizes (0 in built-in styles).
struct NcSizes {
    int fl = 4, fb = 4;      // native frame, left and bottom
    int l = 0, r = 0, b = 0; // skin borders
    int borderWidth = 1;     // outer line of the built-in styles, at 96 DPI
    ui::Scaler scale{};      // the frame's DPI: its fixed widths are 96-DPI values
    bool operator==(const NcSizes& o) const {
        return fl == o.fl && fb == o.fb && l == o.l && r == o.r && b == o.b && borderWidth == o.borderWidth &&
               scale.dpi() == o.scale.dpi();
    }
};
Rect NcCalcRect(int x, int y, int cx, int cy, const NcSizes& s);

// Horizontal inset of the title image (the answer to the frame's inset query).
int TitleInset(int leftBorder, int nativeBottom, const ui::Scaler& scale = ui::Scaler());

// Bounds of a maximized frame: the work area, 2 pixels wider on the left, top and
// right and 1 shorter at the bottom.
Rect MaximizedBounds(const Rect& workArea);

// A picture's 32-bit pixels, rows top-down (a frame image's DIB bits, 0x00RRGGBB).
// The region scan only compares them with its key, which must be in the same order.
// Rows are `stride` pixels apart; 0 means `width`.
struct PixelView {
    const uint32_t* pixels = nullptr;
    int width = 0, height = 0;
    int stride = 0;
    uint32_t at(int x, int y) const {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(stride ? stride : width) + static_cast<size_t>(x)];
    }
};

// A picture's rows minY..maxY (96-DPI rows, -1 when the skin gives none) as the rows of
// the picture at another scale that cover them. The rules of the 96-DPI pair still hold:
// a minY of -1 stays, and a minY not below maxY still scans to the picture's end.
struct RegionRows {
    int minY = 0, maxY = 0;
};
RegionRows ScaledRegionRows(int minY, int maxY, const ui::Scaler& scale);

// Rectangles of one strip of the window region: the solid band above the first
// scanned row, one rectangle per run of pixels not in `transparent` on each scanned
// row, and the solid band below the last. minY -1 scans from row 0; minY not below
// maxY scans to the last row. Everything shifted down by `dy`; bands are `width` wide.
// Without pixels the whole strip is one solid band.
void AddStripRegion(const PixelView& image, uint32_t transparent, int minY, int maxY, int width, int dy,
                    std::vector<Rect>& out);

struct RegionInput {
    int width = 0, height = 0; // the window
    uint32_t transparent = 0xFF00FF;
    const PixelView* title = nullptr; // set when the title needs a region
    int titleMinY = 0, titleMaxY = 0;
    const PixelView* bottom = nullptr; // set when the bottom border needs one
    int bottomMinY = 0, bottomMaxY = 0;
};
// Every rectangle of the window region of a file-theme frame; with neither strip
// the whole window.
std::vector<Rect> FrameRegionRects(const RegionInput& in);

// Title bar buttons.
enum class TitleButtonType : uint8_t { Max, Min, Close, Help, ControlBox, Custom };

struct TitleButtonSlot {
    TitleButtonType type = TitleButtonType::Custom;
    bool visible = true;
    bool hasPictures = true;   // all three pictures present
    int width = 0, height = 0; // of the normal picture
};

struct TitleButtonLayout {
    std::vector<Rect> rects; // per button; empty for buttons not drawn
    int controlBox = -1;     // index of the control box, when drawn
    Rect controlBoxRect;
    int buttonsLeft = 0; // x of the leftmost button drawn (xb)
    int captionLeft = 0; // x where the caption starts (xl)
    int hot = -1;        // button under the cursor
};

struct TitleBarMetrics {
    int width = 0;       // control width
    int inset = 0;       // 0 when not on a frame
    int rightOffset = 0; // RightBtnXOffset
    int leftOffset = 0;  // LeftBtnXOffset
    int interval = 0;    // ButtonInterval
    int buttonTop = 0, iconTop = 0;
    bool drawAppIcon = true;
    ui::Scaler scale{}; // the bar's DPI, for the fixed gaps
};

// Places the buttons from the right (the close button flush, the others one pixel
// plus the interval apart), the icon or control box on the left, and the caption
// after it. A cursor on an edge of a button counts as on it.
TitleButtonLayout LayoutTitleButtons(const TitleBarMetrics& m, const std::vector<TitleButtonSlot>& buttons, int cursorX,
                                     int cursorY);

// Title sections as the title bar draws them.
enum class SectionAlign : uint8_t { Left, Right, Client };
struct SectionSlot {
    SectionAlign align = SectionAlign::Left;
    bool capSec = false;
    int pictureWidth = 0;
    int width = 0; // the section's Width property
};
struct SectionPlace {
    int left = 0, right = 0; // columns on the control image
};
// x positions of every section's picture on the control image, given the offset ox
// (negative inset on a frame) and the caption section's width.
std::vector<SectionPlace> LayoutSections(const std::vector<SectionSlot>& sections, int controlWidth, int ox,
                                         int captionSectionWidth);

// Popup menu item sizes.
struct MenuLook {
    bool macOs = false;
    int itemHeight = 21;
    int separatorHeight = 21;
    int barWidth = 0;
    // Writes are ignored while the style is MacOS.
    void setItemHeight(int h) {
        if (!macOs) itemHeight = h;
    }
    void setSeparatorHeight(int h) {
        if (!macOs) separatorHeight = h;
    }
    // Sizes that applying a style sets.
    void applyStyle(bool isMacOs);
};
struct MenuItemSize {
    int width = 0, height = 0;
    bool operator==(const MenuItemSize&) const = default;
};
// `captionWidth`/`shortcutWidth` are text widths; the caption "-" is a separator.
MenuItemSize MeasureMenuItem(const MenuLook& look, const std::string& caption, int captionWidth, int captionHeight,
                             int shortcutWidth);

} // namespace corvane::skin
