// The form's window region, cut from the skin's pictures.
#include "skin/frame/FramePanel.h"

#include <vector>

#include "skin/theme/FileTheme.h"
#include "skin/theme/SkinPublic.h"
#include "ui/Gdi.h"

namespace corvane::skin {

namespace {

// DIB pixels are 0x00RRGGBB, colour values 0x00BBGGRR.
uint32_t DibColor(uint32_t c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

HRGN RegionFromRects(const std::vector<Rect>& rects) {
    std::vector<char> buf(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buf.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(rects.size());
    data->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    RECT bound{0, 0, 0, 0};
    auto* out = reinterpret_cast<RECT*>(data->Buffer);
    for (size_t i = 0; i < rects.size(); ++i) {
        out[i] = {rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
        if (i == 0) bound = out[i];
        else UnionRect(&bound, &bound, &out[i]);
    }
    data->rdh.rcBound = bound;
    return ExtCreateRegion(nullptr, static_cast<DWORD>(buf.size()), data);
}

} // namespace

void FramePanel::rebuildRegion() {
    if (destroying_ || !formHwnd_ || !titleBar_) return;
    // A hidden window's region shows nowhere: it is built when the window is shown.
    if (!IsWindowVisible(formHwnd_)) {
        regionPending_ = true;
        return;
    }
    setRegion(true);
}

void FramePanel::setRegion(bool redraw) {
    regionPending_ = false;
    RECT wr;
    GetWindowRect(formHwnd_, &wr);
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    HRGN rgn = nullptr;
    if (look().fromFile()) {
        if (!titleNeedsRegion_ && !bottomNeedsRegion_) {
            rgn = CreateRectRgn(0, 0, w, h);
        } else {
            titleBar_->render();
            RegionInput in;
            in.width = w;
            in.height = h;
            in.transparent = DibColor(transparent_ & 0xFFFFFF);
            PixelView title, bottom;
            if (titleNeedsRegion_) {
                title = titleBar_->titleImage().pixels();
                in.title = &title;
                in.titleMinY = titleMinY_;
                in.titleMaxY = titleMaxY_;
            }
            if (bottomNeedsRegion_) {
                composeBottomImage(w);
                bottom = bottomImage_.pixels();
                in.bottom = &bottom;
                in.bottomMinY = bottomMinY_;
                in.bottomMaxY = bottomMaxY_;
            }
            rgn = RegionFromRects(FrameRegionRects(in));
        }
    } else {
        const int rc = std::max(roundCorner(), 0), rcb = std::max(roundCornerBottom(), 0);
        const int m = h / 2;
        rgn = CreateRoundRectRgn(0, 0, w + 1, m + 1, rc, rc);
        auto add = [&rgn](HRGN part) {
            CombineRgn(rgn, rgn, part, RGN_OR);
            DeleteObject(part);
        };
        add(CreateRectRgn(0, m - 2 * rc, 2 * rc, m));
        add(CreateRectRgn(w - 2 * rc, m - 2 * rc, w, m));
        add(CreateRoundRectRgn(0, m, w + 1, h + 1, rcb, rcb));
        add(CreateRectRgn(0, m, 2 * rcb, m + 2 * rcb));
        add(CreateRectRgn(w - 2 * rcb, m, w, m + 2 * rcb));
    }
    if (rgn) SetWindowRgn(formHwnd_, rgn, redraw); // the window owns it now
}

} // namespace corvane::skin
