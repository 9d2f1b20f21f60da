// Painting the form's non-client frame and the panel's client area.
#include "skin/frame/FramePanel.h"

#include <algorithm>

#include "skin/frame/MenuBar.h"
#include "skin/theme/FileTheme.h"
#include "skin/theme/SkinPublic.h"
#include "skin/theme/StyleBitmaps.h"
#include "skin/theme/StyleTable.h"
#include "ui/Form.h"
#include "ui/Gdi.h"

namespace corvane::skin {

void FramePanel::paintFrame() {
    if (destroying_ || !formHwnd_ || !IsWindowVisible(formHwnd_) || formMinimized()) return;
    RECT wr;
    GetWindowRect(formHwnd_, &wr);
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    ui::WindowDc dc(formHwnd_, true);
    if (!dc) return;
    paintingFrame_ = true;
    struct Painted {
        bool& flag;
        ~Painted() { flag = false; }
    } painted{paintingFrame_};
    if (look().fromFile()) paintFileThemeFrame(dc.get(), w, h);
    else paintBuiltInFrame(dc.get(), w, h);
}

void FramePanel::composeBottomImage(int w) {
    if (w == bottomComposedWidth_) return;
    bottomComposedWidth_ = w;
    const FileTheme& t = *fileTheme();
    HBITMAP first = t.lookupBitmap(BitmapKey::FORMBOTTOMBORDER1);
    const int bh = ui::BitmapSize(first).cy;
    bottomImage_.resize(w, bh);
    if (t.lookupBool(BoolKey::BOTTOMBORDERTHREESECT)) {
        HBITMAP third = t.lookupBitmap(BitmapKey::FORMBOTTOMBORDER3);
        const int w1 = ui::BitmapSize(first).cx, w3 = ui::BitmapSize(third).cx;
        ui::DrawBitmap(bottomImage_.dc(), first, 0, 0);
        ui::DrawBitmap(bottomImage_.dc(), third, w - w3, 0);
        ui::StretchBitmap(bottomImage_.dc(), t.lookupBitmap(BitmapKey::FORMBOTTOMBORDER2), {w1, 0, w - w3, bh});
    } else {
        DrawThreePartBitmap(first, bottomImage_.dc(), {0, 0, w, bh}, transparent_, false);
    }
    // As it shows: the cut-away pixels over the form colour.
    bottomShown_.resize(w, bh, ui::ToRgb(static_cast<ui::Color>(t.lookupColor(ColorKey::FORMCOLOR))));
    if (bottomNeedsRegion_)
        TransparentBlt(bottomShown_.dc(), 0, 0, w, bh, bottomImage_.dc(), 0, 0, w, bh, ui::ToRgb(transparent_));
    else BitBlt(bottomShown_.dc(), 0, 0, w, bh, bottomImage_.dc(), 0, 0, SRCCOPY);
}

void FramePanel::paintFileThemeFrame(HDC dc, int w, int h) {
    const FileTheme& t = *fileTheme();
    const COLORREF formColor = ui::ToRgb(static_cast<ui::Color>(t.lookupColor(ColorKey::FORMCOLOR)));
    const bool barVisible = titleBar_->visible();
    const ui::Scaler s = scaler();
    const int three = s(3), four = s(4);
    const int ht = barVisible ? titleBar_->height() + three : 0;
    if (barVisible && titleBar_->hasCompleteSectionSet()) {
        FrameImage& img = titleBar_->titleImageWithBackground();
        // The bar composes its images when it paints; the frame may come first.
        titleBar_->render();
        const int iw = img.width(), ih = img.height();
        const int lw = std::max(l_, four), rw = std::max(r_, four);
        BitBlt(dc, 0, 0, lw, ih, img.dc(), 0, 0, SRCCOPY);
        BitBlt(dc, 0, 0, iw, three, img.dc(), 0, 0, SRCCOPY);
        BitBlt(dc, w - rw, 0, rw, ih, img.dc(), iw - rw, 0, SRCCOPY);
    }
    HBITMAP left = t.lookupBitmap(BitmapKey::FORMLEFTBORDER);
    const int lpw = ui::BitmapSize(left).cx;
    ui::StretchBitmap(dc, left, {0, ht, lpw, h - b_});
    if (lpw < four) {
        ui::FillSolid(dc, {lpw, ht, four, h - b_}, formColor);
        paintMenuBarFillers(dc, lpw, four);
    }
    HBITMAP right = t.lookupBitmap(BitmapKey::FORMRIGHTBORDER);
    const int rpw = ui::BitmapSize(right).cx;
    ui::StretchBitmap(dc, right, {w - rpw, ht, w, h - b_});
    if (rpw < four) {
        ui::FillSolid(dc, {w - four, ht, w - rpw, h - b_}, formColor);
        paintMenuBarFillers(dc, w - four, w - rpw);
    }
    composeBottomImage(w);
    BitBlt(dc, 0, h - b_, w, bottomShown_.height(), bottomShown_.dc(), 0, 0, SRCCOPY);
    if (b_ < four) ui::FillSolid(dc, {l_, h - four, w - r_, h - b_}, formColor);
}

void FramePanel::paintBuiltInFrame(HDC dc, int w, int h) {
    const ui::Scaler s = scaler();
    const int bw = s(borderWidth_), one = s(1), two = s(2), three = s(3), four = s(4);
    // The sides are the native frame's width (see NcCalcRect); top and bottom scale.
    constexpr int kSide = 3;
    const COLORREF border = ui::ToRgb(borderColor_), fill = ui::ToRgb(color_);
    const bool barVisible = titleBar_->visible();
    const int ht = barVisible ? titleBar_->height() + three : 0;
    if (barVisible && titleBar_->hasCompleteSectionSet()) {
        HBITMAP left = titleBar_->sectionPicture(0), right = titleBar_->sectionPicture(1),
                client = titleBar_->sectionPicture(2);
        const SIZE ls = ui::BitmapSize(left), rs = ui::BitmapSize(right), cs = ui::BitmapSize(client);
        const int sideW = kSide - bw;
        if (sideW > 0 && ls.cy > 0) {
            ui::OffscreenBitmap side(dc, sideW, ls.cy);
            ui::DrawBitmap(side.dc(), left, 0, 0);
            BitBlt(dc, bw, 0, sideW, ls.cy, side.dc(), 0, 0, SRCCOPY);
            if (rs.cx > two) ui::DrawBitmap(side.dc(), right, two - rs.cx, 0);
            else ui::StretchBitmap(side.dc(), right, {0, 0, sideW, ls.cy});
            BitBlt(dc, w - kSide, 0, sideW, ls.cy, side.dc(), 0, 0, SRCCOPY);
        }
        if (w > two + three) {
            ui::OffscreenBitmap top(dc, w - two - three, three);
            ui::DrawBitmap(top.dc(), left, -two, 0);
            ui::DrawBitmap(top.dc(), right, top.width() - rs.cx + three, 0);
            ui::StretchBitmap(top.dc(), client, {ls.cx - two, 0, top.width() - rs.cx + three, cs.cy});
            BitBlt(dc, two, 0, w - two - three, three, top.dc(), 0, 0, SRCCOPY);
        }
        const int rc = titleBar_->roundCorner();
        if (borderWidth_ == 1 && rc == s(11)) {
            ui::PenHandle pen(CreatePen(PS_SOLID, one, border));
            ui::SelectObjectScope sp(dc, pen.get());
            Arc(dc, w - 2 * rc + 1, -1, w + 1, 2 * rc - 1, w + 1, rc - 1, w - rc + 1, -1);
            Arc(dc, -1, -1, 2 * rc - 1, 2 * rc - 1, rc - 1, -1, -1, rc - 1);
        }
    }
    if (!barVisible) {
        ui::FillSolid(dc, {0, 0, w, one}, border);
        ui::FillSolid(dc, {bw, one, w - bw, three}, fill);
    }
    ui::FillSolid(dc, {0, 0, bw, h}, border);
    ui::FillSolid(dc, {0, h - bw, w, h}, border);
    ui::FillSolid(dc, {w - bw, 0, w, h}, border);
    if (bw < four) {
        ui::FillSolid(dc, {bw, h - two, w - bw, h - bw}, fill);
        const int top = ht + menuBarHeight();
        ui::FillSolid(dc, {bw, top, kSide, h - bw}, fill);
        ui::FillSolid(dc, {w - kSide, top, w - bw, h - bw}, fill);
        paintMenuBarFillers(dc, bw, kSide);
        paintMenuBarFillers(dc, w - kSide, w - bw);
    }
}

void FramePanel::paintClient(HDC target) {
    const RECT r = clientRect();
    if (uiStyle() != UIStyle::MacOS && uiStyle() != UIStyle::Protein) {
        ui::FillSolid(target, r, ui::ToRgb(color_)); // one fill: nothing to compose
        return;
    }
    ui::OffscreenBitmap img(target, std::max<int>(r.right, 1), std::max<int>(r.bottom, 1));
    const char* name = uiStyle() == UIStyle::MacOS ? "MACOS_FORM_BACKGROUND" : "PROTEIN_FORM_BACKGROUND";
    ui::BitmapHandle tile = BuiltInPictureAtDpi(name, scaler().dpi());
    if (!tile) tile = LoadBitmapResource(name); // says which resource is missing
    TilePicture(img.dc(), tile.get(), r);
    BitBlt(target, 0, 0, r.right, r.bottom, img.dc(), 0, 0, SRCCOPY);
}

} // namespace corvane::skin
