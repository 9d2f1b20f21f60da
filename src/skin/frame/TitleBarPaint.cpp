// The title bar's painting: sections, buttons and caption composed off screen.
#include "skin/frame/TitleBar.h"
#include "ui/WideText.h"

#include <algorithm>

#include "skin/theme/FileTheme.h"
#include "skin/theme/SkinPublic.h"
#include "skin/theme/StyleTable.h"
#include "ui/Application.h"
#include "ui/Environment.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/Pictures.h"
#include "ui/TextFit.h"

namespace corvane::skin {

// The sections are composed into images kept between paints, and composed again only
// when something they show changed (a style, the sections, the caption, the font, the
// size, the frame's inset or transparency); the screen is left to the next WM_PAINT.
void TitleBar::render() {
    if (!handle()) return;
    const RECT r = clientRect();
    const int w = std::max<int>(r.right, 1), h = std::max<int>(r.bottom, 1);
    const bool frame = onFrame();
    if (!imagesDirty_ && w == composedWidth_ && h == composedHeight_ && (frame ? inset() : 0) == composedInset_ &&
        titleImage_.transparent == composedTransparent_ && titleImage_.transparentColor == composedKey_ && barImage_ &&
        titleImage_ && backImage_)
        return;
    barImage_.resize(w, h); // black, as a new bitmap starts
    SetBkMode(barImage_.dc(), TRANSPARENT);
    ui::SelectObjectScope sf(barImage_.dc(), font_.get());
    drawSections(barImage_.dc(), w, h);
}

void TitleBar::paint(HDC target) {
    const RECT r = clientRect();
    const int w = std::max<int>(r.right, 1), h = std::max<int>(r.bottom, 1);
    ui::OffscreenBitmap image(target, w, h);
    SetBkMode(image.dc(), TRANSPARENT);
    ui::SelectObjectScope sf(image.dc(), font_.get());
    render();
    if (barImage_ && barImage_.width() == w && barImage_.height() == h)
        BitBlt(image.dc(), 0, 0, w, h, barImage_.dc(), 0, 0, SRCCOPY);
    else drawSections(image.dc(), w, h); // no image to keep them in
    drawButtons(image.dc(), w, h);
    BitBlt(target, 0, 0, w, h, image.dc(), 0, 0, SRCCOPY);
}

namespace {

// The title image over the background: every pixel not of the key colour. One pass
// over the two DIB sections' bits, where TransparentBlt builds and applies masks.
void DrawOverBackground(FrameImage& back, const FrameImage& title, uint32_t key) {
    const PixelView src = title.pixels(); // flushed
    uint32_t* dst = back.bits();
    if (!src.pixels || !dst || back.width() != src.width || back.height() != src.height) return;
    // DIB pixels are 0x00RRGGBB, colour values 0x00BBGGRR.
    const uint32_t k = ((key & 0xFF) << 16) | (key & 0xFF00) | ((key >> 16) & 0xFF);
    const auto stride = static_cast<std::size_t>(back.stride());
    for (int y = 0; y < src.height; ++y) {
        uint32_t* row = dst + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < src.width; ++x)
            if (const uint32_t p = src.at(x, y); (p & 0xFFFFFF) != k) row[x] = p;
    }
}

} // namespace

void TitleBar::drawSections(HDC dc, int wc, int hc) {
    if (!parentForm()) return;
    imagesDirty_ = false;
    composedWidth_ = wc;
    composedHeight_ = hc;
    composedTransparent_ = titleImage_.transparent;
    composedKey_ = titleImage_.transparentColor;
    const bool frame = onFrame();
    const ui::Scaler scale = scaler();
    int ox = 0, oy = 0;
    composedInset_ = 0;
    if (frame) {
        const int in = inset();
        composedInset_ = in;
        ox = -(in == 0 ? scale(3) : in);
        oy = -scale(3);
    }
    int bwSum = 0;
    for (int i = 0; i < buttons_.count(); ++i)
        bwSum += ui::BitmapSize(buttons_[i].picNormal()).cx + scale(buttonInterval_);
    const int fw = wc - 2 * ox, fh = hc - oy;
    titleImage_.resize(fw, fh, ui::ToRgb(background_));
    backImage_.resize(fw, fh, ui::ToRgb(background_));

    std::vector<SectionSlot> slots;
    int lastLeft = 0, captionWidth = 0;
    bool captionDrawn = false;
    for (int i = 0; i < sections_.count(); ++i) {
        const TitleBarSection& s = sections_[i];
        const int pw = ui::BitmapSize(s.picture()).cx;
        if (s.capSec() && !captionDrawn) {
            const int next = i + 1 < sections_.count() ? sections_[i + 1].width() : 0;
            captionSectionText_ = FitTextWithEllipsis(dc, caption_, wc - leftOffset_ - bwSum - next - scale(21));
            SIZE ts{};
            ts = ui::TextExtent(dc, captionSectionText_);
            captionWidth = ts.cx + leftOffset_ - lastLeft + scale(17);
            captionDrawn = true;
        } else if (!s.capSec() && s.align() == TitleBarAlign::Left) {
            lastLeft = pw;
        }
        slots.push_back({s.align(), s.capSec(), pw, s.width()});
    }
    const std::vector<SectionPlace> places = LayoutSections(slots, wc, ox, captionWidth);
    for (int i = 0; i < sections_.count(); ++i) {
        const TitleBarSection& s = sections_[i];
        const SIZE ps = ui::BitmapSize(s.picture());
        const SectionPlace& p = places[static_cast<size_t>(i)];
        if (s.capSec() || s.align() == TitleBarAlign::Client) {
            ui::StretchBitmap(dc, s.picture(), {p.left, oy, p.right, oy + ps.cy});
            ui::StretchBitmap(titleImage_.dc(), s.picture(), {p.left - ox, 0, p.right - ox, ps.cy});
        } else if (s.align() == TitleBarAlign::Left) {
            ui::DrawBitmap(dc, s.picture(), p.left, oy);
            ui::DrawBitmap(titleImage_.dc(), s.picture(), p.left - ox, 0);
        } else {
            ui::FillSolid(dc, {p.left, oy, p.right, oy + ps.cy}, ui::ToRgb(background_));
            ui::DrawTransparent(dc, s.picture(), p.left, oy, transparent_);
            ui::DrawBitmap(titleImage_.dc(), s.picture(), p.left - ox, 0);
        }
    }
    if (titleImage_.transparent) {
        DrawOverBackground(backImage_, titleImage_, titleImage_.transparentColor & 0xFFFFFF);
    } else {
        BitBlt(backImage_.dc(), 0, 0, fw, fh, titleImage_.dc(), 0, 0, SRCCOPY);
    }
    if (captionDrawn && frame) {
        if (onFrameRepaint) onFrameRepaint();
    } else {
        captionSectionText_.clear();
    }
}

void TitleBar::drawButtonPicture(HDC dc, const TitleBarButton& b, HBITMAP pic, int x, int y) {
    if (!b.transparent()) {
        ui::DrawBitmap(dc, pic, x, y);
        return;
    }
    // A built-in picture's own transparent colour is its bottom-left pixel.
    const uint32_t key = b.uiStyle() != UIStyle::FromThemeFile ? ui::BottomLeftPixel(pic) : transparent_;
    ui::DrawTransparent(dc, pic, x, y, key);
}

void TitleBar::drawButtons(HDC dc, int wc, int) {
    if (!parentForm()) return;
    POINT cur{};
    GetCursorPos(&cur);
    ScreenToClient(handle(), &cur);
    TitleButtonLayout l = buttonLayout(wc, cur);
    if (l.hot == l.controlBox && l.controlBox >= 0 && !drawAppIcon_) {
        // The control-box picture is hot as well.
    }
    hot_ = l.hot;
    for (int i = 0; i < buttons_.count(); ++i) {
        const TitleBarButton& b = buttons_[i];
        if (!b.visible() || !b.hasPictures() || i == l.controlBox) continue;
        const Rect& r = l.rects[static_cast<size_t>(i)];
        HBITMAP pic = i == hot_ ? (pressed_ ? b.picMouseDown() : b.picMouseOn()) : b.picNormal();
        drawButtonPicture(dc, b, pic, r.left, buttonTop_);
    }
    if (l.controlBox >= 0) {
        const TitleBarButton& cb = buttons_[l.controlBox];
        const Rect& r = l.controlBoxRect;
        if (drawAppIcon_) {
            const int side = scaler()(16);
            if (!icon_ || iconSide_ != side) {
                iconSide_ = side;
                const char* res = ui::Application::instance().iconResource();
                // Shared: loaded once for the program, not again for every window that opens.
                icon_ = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), ui::WideArg(res ? res : "MAINICON"),
                                                      IMAGE_ICON, side, side, LR_SHARED));
            }
            if (icon_) DrawIconEx(dc, r.left + scaler()(3), iconTop_, icon_, side, side, 0, nullptr, DI_NORMAL);
        } else {
            HBITMAP pic = l.hot == l.controlBox ? (pressed_ ? cb.picMouseDown() : cb.picMouseOn()) : cb.picNormal();
            drawButtonPicture(dc, cb, pic, r.left, iconTop_ - 1);
        }
    }
    drawCaption(dc, l.captionLeft, l.buttonsLeft);
}

void TitleBar::drawCaption(HDC dc, int xl, int xb) {
    SetTextColor(dc, ui::ToRgb(formActive_ ? fontColor_ : inactiveCaptionColor_));
    auto width = [dc](const std::string& t) {
        SIZE s{};
        s = ui::TextExtent(dc, t);
        return static_cast<int>(s.cx);
    };
    const std::string text = !captionSectionText_.empty() ? captionSectionText_
                                                          : ui::FitDownToEllipsis(caption_, xb - xl, width);
    const Look look = this->look();
    int x = xl;
    const ui::Scaler s = scaler();
    const int y = look.fromFile() ? captionTop_ - s(3) : buttonTop_ + (look.style() == UIStyle::Protein ? s(3) : 0);
    if (ui::RightToLeftReading(rightToLeft)) x = xb - width(text) - s(10);
    ui::TextOutUtf8(dc, x, y, text);
}

} // namespace corvane::skin
