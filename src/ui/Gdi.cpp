#include "ui/Gdi.h"
#include "ui/PictureScale.h"
#include "ui/Environment.h"
#include "ui/WideText.h"
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <utility>
#include <vector>

namespace corvane::ui {

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || GetObjectW(bitmap, sizeof bm, &bm) != sizeof bm) return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

namespace {

// The copy through two memory DCs, for a source whose bits could not be read.
BitmapHandle CopyBitmapByBlit(HDC reference, HBITMAP source, BitmapHandle out, int left, int top, int width,
                              int height) {
    MemDcHandle src(CreateCompatibleDC(reference));
    MemDcHandle dst(CreateCompatibleDC(reference));
    if (!src || !dst) return {};
    SelectObjectScope s(src.get(), source);
    SelectObjectScope d(dst.get(), out.get());
    BitBlt(dst.get(), 0, 0, width, height, src.get(), left, top, SRCCOPY);
    return out;
}

} // namespace

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

BitmapHandle NewPicture(int width, int height, std::uint32_t** bits) {
    if (bits) *bits = nullptr;
    if (width <= 0 || height <= 0) return {};
    BITMAPINFO bi = TopDown32(width, height);
    void* p = nullptr;
    BitmapHandle bmp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0));
    if (!bmp || !p) return {};
    if (bits) *bits = static_cast<std::uint32_t*>(p);
    return bmp;
}

// Through the bits rather than two memory DCs: selecting bitmaps into DCs costs far more
// than the copy itself, and skinned controls copy picture parts on every style change and
// paint. What lies outside the source stays black, as the blit leaves it.
BitmapHandle CopyBitmap(HBITMAP source, int left, int top, int width, int height) {
    if (!source || width <= 0 || height <= 0) return {};
    std::uint32_t* outBits = nullptr;
    BitmapHandle out = NewPicture(width, height, &outBits);
    BITMAP bm{};
    if (!out || GetObjectW(source, sizeof bm, &bm) != sizeof bm || bm.bmWidth <= 0 || bm.bmHeight <= 0) return {};
    const int x0 = std::max(left, 0), x1 = std::min<int>(left + width, bm.bmWidth);
    const int y0 = std::max(top, 0), y1 = std::min<int>(top + height, bm.bmHeight);
    auto into = [&](int y) {
        return outBits + static_cast<std::size_t>(y - top) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(x0 - left);
    };
    // Any DC converts 32-bit pixels; the screen's costs a round trip to get.
    const BitmapDc converter(nullptr);
    const std::size_t sw = static_cast<std::size_t>(bm.bmWidth), sh = static_cast<std::size_t>(bm.bmHeight);
    std::vector<std::uint32_t> whole(sw * sh);
    BITMAPINFO in = TopDown32(bm.bmWidth, bm.bmHeight);
    if (GetDIBits(converter.get(), source, 0, static_cast<UINT>(sh), whole.data(), &in, DIB_RGB_COLORS) !=
        static_cast<int>(sh))
        return CopyBitmapByBlit(converter.get(), source, std::move(out), left, top, width, height);
    for (int y = y0; y < y1 && x0 < x1; ++y)
        std::copy_n(whole.data() + static_cast<std::size_t>(y) * sw + static_cast<std::size_t>(x0),
                    static_cast<std::size_t>(x1 - x0), into(y));
    return out;
}

BitmapHandle ScaleBitmap(HBITMAP source, int width, int height, std::optional<COLORREF> key) {
    const SIZE size = BitmapSize(source);
    if (!source || size.cx <= 0 || size.cy <= 0 || width <= 0 || height <= 0) return {};
    const BitmapDc converter(nullptr);
    Pixels from{size.cx, size.cy, std::vector<std::uint32_t>(static_cast<std::size_t>(size.cx) * size.cy)};
    BITMAPINFO in = TopDown32(size.cx, size.cy);
    if (GetDIBits(converter.get(), source, 0, static_cast<UINT>(size.cy), from.data.data(), &in, DIB_RGB_COLORS) !=
        size.cy)
        return {};
    // DIB pixels are 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
    const auto dib = [](COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); };
    std::optional<std::uint32_t> dibKey;
    if (key) dibKey = dib(*key);
    for (std::uint32_t& p : from.data) p &= 0xFFFFFF;
    const Pixels out = ScalePixels(from, width, height, dibKey);
    std::uint32_t* bits = nullptr;
    BitmapHandle bitmap = NewPicture(width, height, &bits);
    if (!bitmap || out.data.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return {};
    std::copy(out.data.begin(), out.data.end(), bits);
    return bitmap;
}

BitmapHandle CopyBitmap(HBITMAP source) {
    const SIZE s = BitmapSize(source);
    return CopyBitmap(source, 0, 0, s.cx, s.cy);
}

namespace {

// The shared source DC belongs to one thread; only that thread reads the other two.
// It lives as long as the process: a memory DC is not tied to its thread.
std::atomic<DWORD> sourceDcThread{0};
HDC sourceDc = nullptr;
bool sourceDcBusy = false;

} // namespace

BitmapDc::BitmapDc(HBITMAP bitmap) {
    const DWORD me = GetCurrentThreadId();
    DWORD none = 0;
    if ((sourceDcThread.load() == me || sourceDcThread.compare_exchange_strong(none, me)) && !sourceDcBusy) {
        if (!sourceDc) sourceDc = CreateCompatibleDC(nullptr);
        if (sourceDc) {
            dc_ = sourceDc;
            shared_ = sourceDcBusy = true;
        }
    }
    if (!dc_) {
        own_.reset(CreateCompatibleDC(nullptr));
        dc_ = own_.get();
    }
    if (dc_ && bitmap) old_ = SelectObject(dc_, bitmap);
}

BitmapDc::~BitmapDc() {
    if (old_) SelectObject(dc_, old_); // the bitmap can be deleted or selected elsewhere
    if (shared_) sourceDcBusy = false;
}

void DrawBitmap(HDC dc, HBITMAP bmp, int x, int y) {
    const SIZE s = BitmapSize(bmp);
    if (s.cx <= 0) return;
    BitmapDc src(bmp);
    BitBlt(dc, x, y, s.cx, s.cy, src.get(), 0, 0, SRCCOPY);
}

void StretchBitmap(HDC dc, HBITMAP bmp, const RECT& r) {
    const SIZE s = BitmapSize(bmp);
    if (s.cx <= 0 || r.right <= r.left || r.bottom <= r.top) return;
    BitmapDc src(bmp);
    const int old = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, src.get(), 0, 0, s.cx, s.cy, SRCCOPY);
    SetStretchBltMode(dc, old);
}

// An opaque empty text fills without making a brush per call.
void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    const COLORREF old = SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

void FrameSolid(HDC dc, const RECT& r, COLORREF color) {
    BrushHandle b(CreateSolidBrush(color));
    FrameRect(dc, &r, b.get());
}

std::uint32_t SysColorRgb(int index) { return GetSysColor(index); }

void PaintParentBackgroundOf(HDC dc, HWND control) {
    HWND parent = control ? GetParent(control) : nullptr;
    if (!dc || !parent) return;
    RECT bounds;
    GetWindowRect(control, &bounds);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
    RECT client;
    GetClientRect(parent, &client);
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, -bounds.left, -bounds.top, nullptr);
    IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    RestoreDC(dc, saved);
}

namespace {
bool AllocationFails(GdiAllocation what) {
    const auto& fail = TheEnvironment().failGdiAllocation;
    return fail && fail(what);
}
} // namespace

bool OffscreenBitmap::select(HDC reference, BitmapHandle bmp) {
    if (!bmp) return false;
    if (!AllocationFails(GdiAllocation::MemoryDc)) dc_.reset(CreateCompatibleDC(reference));
    if (!dc_) return false;
    old_ = SelectObject(dc_.get(), bmp.get());
    if (!old_) {
        dc_.reset();
        return false;
    }
    bmp_ = std::move(bmp);
    return true;
}

bool OffscreenBitmap::createCompatible(HDC reference, int w, int h) {
    reset();
    w_ = w;
    h_ = h;
    // Without a reference, a screen-compatible bitmap, so colours are not reduced to monochrome.
    std::optional<WindowDc> screen;
    if (!reference) reference = screen.emplace(nullptr).get();
    BitmapHandle bmp;
    // On a true-colour device, a DIB section (see NewPicture); the same pixels either way.
    if (!AllocationFails(GdiAllocation::Bitmap))
        bmp = GetDeviceCaps(reference, BITSPIXEL) >= 24
                  ? NewPicture(w > 0 ? w : 1, h > 0 ? h : 1)
                  : BitmapHandle(CreateCompatibleBitmap(reference, w > 0 ? w : 1, h > 0 ? h : 1));
    return select(reference, std::move(bmp));
}

bool OffscreenBitmap::createDibSection(int w, int h) {
    reset();
    w_ = w;
    h_ = h;
    BITMAPINFO bi = TopDown32(w > 0 ? w : 1, h > 0 ? h : 1);
    void* bits = nullptr;
    BitmapHandle bmp;
    if (!AllocationFails(GdiAllocation::DibSection))
        bmp.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bmp || !bits || !select(nullptr, std::move(bmp))) return false;
    bits_ = static_cast<std::uint32_t*>(bits);
    return true;
}

void OffscreenBitmap::reset() {
    if (old_) SelectObject(dc_.get(), old_);
    old_ = nullptr;
    bits_ = nullptr;
    bmp_.reset();
    dc_.reset();
}

HBITMAP OffscreenBitmap::release() {
    if (old_) SelectObject(dc_.get(), old_);
    old_ = nullptr;
    bits_ = nullptr;
    dc_.reset();
    return bmp_.release();
}

FontHandle MakeFont(const LOGFONTW& font) {
    if (AllocationFails(GdiAllocation::Font)) return {};
    return FontHandle(CreateFontIndirectW(&font));
}

void SetFaceName(LOGFONTW& font, std::string_view face) {
    const std::wstring w = Widen(face);
    const size_t n = std::min(w.size(), static_cast<size_t>(LF_FACESIZE - 1));
    std::copy_n(w.data(), n, font.lfFaceName);
    font.lfFaceName[n] = L'\0';
}

int DrawUtf8Text(HDC dc, std::string_view text, RECT& r, UINT format) {
    std::wstring w = Widen(text);
    return DrawTextW(dc, w.data(), static_cast<int>(w.size()), &r, format & ~UINT(DT_MODIFYSTRING));
}

SIZE TextExtent(HDC dc, std::string_view text) {
    SIZE s{0, 0};
    const std::wstring w = Widen(text);
    if (!w.empty()) GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &s);
    else GetTextExtentPoint32W(dc, L"", 0, &s);
    return s;
}

void TextOutUtf8(HDC dc, int x, int y, std::string_view text) {
    const std::wstring w = Widen(text);
    TextOutW(dc, x, y, w.c_str(), static_cast<int>(w.size()));
}

} // namespace corvane::ui
