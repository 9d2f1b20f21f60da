// GDI helpers that every layer draws with: bitmap size and copies, solid fills and
// frames, device-context scopes, system colours, and the parent's background.
#pragma once
#include "ui/Colors.h"
#include "ui/Handles.h"
#include <optional>
#include <string>
#include <string_view>

namespace corvane::ui {

// Width and height of a bitmap; 0 x 0 for none.
SIZE BitmapSize(HBITMAP bitmap);
// The header of a 32-bit top-down picture of that size, rows from the top.
BITMAPINFO TopDown32(int width, int height);

// A new picture: a 32-bit top-down DIB section, black, its bits in `bits` when asked.
// Pictures are DIB sections, not device bitmaps: selecting a device bitmap into a memory
// DC, as every draw from one does, costs a hundred times the copy of a small picture.
BitmapHandle NewPicture(int width, int height, std::uint32_t** bits = nullptr);

// A new picture holding the area of `source`; empty for no source or area.
BitmapHandle CopyBitmap(HBITMAP source, int left, int top, int width, int height);
BitmapHandle CopyBitmap(HBITMAP source);
// A copy of `source` resized to width x height (see ScalePixels); `key`, when given, is
// the picture's transparent colour, kept unblended. None when the bits cannot be read.
BitmapHandle ScaleBitmap(HBITMAP source, int width, int height, std::optional<COLORREF> key = std::nullopt);
// A memory DC with `bitmap` selected for the scope, to draw from. The thread that draws
// first keeps one DC for every picture it draws: making and deleting a DC per picture
// costs more than most copies. A nested scope or another thread makes a DC of its own.
// Callers draw from it and change nothing else in it.
class BitmapDc {
public:
    explicit BitmapDc(HBITMAP bitmap);
    ~BitmapDc();
    BitmapDc(const BitmapDc&) = delete;
    BitmapDc& operator=(const BitmapDc&) = delete;
    HDC get() const { return dc_; }

private:
    MemDcHandle own_;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
    bool shared_ = false;
};

// Draws a bitmap at its own size, or stretched over `r`; nothing for an empty one.
void DrawBitmap(HDC dc, HBITMAP bmp, int x, int y);
void StretchBitmap(HDC dc, HBITMAP bmp, const RECT& r);

void FillSolid(HDC dc, const RECT& r, COLORREF color);
void FrameSolid(HDC dc, const RECT& r, COLORREF color);

// A stored colour as RGB, system colours looked up with GetSysColor.
std::uint32_t SysColorRgb(int index);
inline COLORREF ToRgb(Color color) { return ColorToRgb(color, &SysColorRgb); }

// The client DC (or, with `wholeWindow`, the window DC) of a window, released to it;
// a null window gives the screen's DC.
class WindowDc {
public:
    explicit WindowDc(HWND w, bool wholeWindow = false) : w_(w), dc_(wholeWindow ? GetWindowDC(w) : GetDC(w)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(w_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND w_;
    HDC dc_;
};

// A bitmap selected into its own memory DC: the off-screen picture of a control, or
// a 32-bit DIB section whose pixels are read directly. The DC gets its old bitmap back
// before either is deleted: Windows refuses to delete a selected bitmap and leaks it.
// When an allocation fails, dc(), bitmap() and bits() are null (drawing into a null DC
// does nothing) while width() and height() keep the size asked for.
class OffscreenBitmap {
public:
    OffscreenBitmap() = default;
    // A bitmap compatible with `reference`, or with the screen when it is null.
    OffscreenBitmap(HDC reference, int w, int h) { createCompatible(reference, w, h); }
    ~OffscreenBitmap() { reset(); }
    OffscreenBitmap(const OffscreenBitmap&) = delete;
    OffscreenBitmap& operator=(const OffscreenBitmap&) = delete;

    bool createCompatible(HDC reference, int w, int h);
    // Top-down, 0x00RRGGBB pixels.
    bool createDibSection(int w, int h);
    void reset();
    // Takes the finished picture out of its DC; the caller deletes it.
    HBITMAP release();

    explicit operator bool() const { return old_ != nullptr; }
    HDC dc() const { return dc_.get(); }
    HBITMAP bitmap() const { return bmp_.get(); }
    std::uint32_t* bits() const { return bits_; } // DIB sections only
    int width() const { return w_; }
    int height() const { return h_; }

private:
    bool select(HDC reference, BitmapHandle bmp);
    MemDcHandle dc_;
    BitmapHandle bmp_;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    int w_ = 0, h_ = 0;
};

// CreateFontIndirectW through the allocation seam; empty when it fails.
FontHandle MakeFont(const LOGFONTW& font);
// A font's face name from UTF-8, cut to what the font can hold.
void SetFaceName(LOGFONTW& font, std::string_view face);

// Text in UTF-8 drawn and measured through the wide GDI calls (the whole text).
int DrawUtf8Text(HDC dc, std::string_view text, RECT& r, UINT format);
SIZE TextExtent(HDC dc, std::string_view text);
void TextOutUtf8(HDC dc, int x, int y, std::string_view text);

// Paints into `dc` what the control's parent shows under the control: the parent's
// background and its client painting, asked with WM_ERASEBKGND and WM_PRINTCLIENT.
// WM_PRINTCLIENT rather than WM_PAINT with a DC: windows paint into a given DC only
// through it, and a WM_PAINT would validate the parent's update region. The DC's
// origin and clipping are restored afterwards.
void PaintParentBackgroundOf(HDC dc, HWND control);

} // namespace corvane::ui
