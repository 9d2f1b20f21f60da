// Draws every built-in picture, labelled with its name and size, onto one
// sheet and saves it as a 24-bit BMP: picturesheet.exe [out.bmp]. The pictures
// come from the program's own resources through the same loader the controls use.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "skin/theme/StyleBitmaps.h"
#include "skin/theme/StyleTable.h"
#include "ui/Handles.h"

using namespace corvane::skin;

namespace {

constexpr int kScale = 2;
constexpr int kLabelWidth = 330;
constexpr int kMargin = 8;

bool SaveBmp(HDC dc, HBITMAP bitmap, int w, int h, const char* path) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
    std::vector<unsigned char> bits(static_cast<size_t>(stride) * h);
    if (!GetDIBits(dc, bitmap, 0, h, bits.data(), &bi, DIB_RGB_COLORS)) return false;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(bits.size());
    std::FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    bool ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f) == 1 &&
              std::fwrite(bits.data(), 1, bits.size(), f) == bits.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    const char* out = argc > 1 ? argv[1] : "picturesheet.bmp";
    struct Row {
        const corvane::skin::BuiltInPicture* p;
        corvane::ui::BitmapHandle bmp;
        int height;
    };
    std::vector<Row> rows;
    int width = 0, height = kMargin;
    int failures = 0;
    for (const corvane::skin::BuiltInPicture& p : corvane::skin::BuiltInPictures()) {
        Row r{&p, {}, 0};
        try {
            r.bmp = corvane::skin::LoadBitmapResource(p.name);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            ++failures;
        }
        const SIZE s = corvane::ui::BitmapSize(r.bmp.get());
        r.height = std::max(16, static_cast<int>(s.cy) * kScale) + kMargin;
        width = std::max(width, kLabelWidth + static_cast<int>(s.cx) * kScale + 2 * kMargin);
        height += r.height;
        rows.push_back(std::move(r));
    }

    HDC screen = GetDC(nullptr);
    corvane::ui::OffscreenBitmap sheet(screen, width, height);
    ReleaseDC(nullptr, screen);
    RECT all{0, 0, width, height};
    corvane::ui::BrushHandle back(CreateSolidBrush(RGB(236, 236, 236)));
    FillRect(sheet.dc(), &all, back.get());
    SetBkMode(sheet.dc(), TRANSPARENT);
    corvane::ui::FontHandle font(CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"));
    corvane::ui::SelectObjectScope useFont(sheet.dc(), font.get());
    corvane::ui::MemDcHandle src(CreateCompatibleDC(sheet.dc()));
    SetStretchBltMode(sheet.dc(), COLORONCOLOR);

    int y = kMargin;
    for (const Row& r : rows) {
        const SIZE s = corvane::ui::BitmapSize(r.bmp.get());
        char label[128];
        std::snprintf(label, sizeof label, "%s  %dx%d%s", r.p->name, static_cast<int>(s.cx), static_cast<int>(s.cy),
                      (s.cx != r.p->width || s.cy != r.p->height) ? (r.p->sizeFree ? "  (any size)" : "  SIZE!") : "");
        TextOutA(sheet.dc(), kMargin, y, label, static_cast<int>(std::strlen(label)));
        if (r.bmp) {
            corvane::ui::SelectObjectScope sel(src.get(), r.bmp.get());
            StretchBlt(sheet.dc(), kLabelWidth, y, s.cx * kScale, s.cy * kScale, src.get(), 0, 0, s.cx, s.cy, SRCCOPY);
        }
        y += r.height;
    }
    if (!SaveBmp(sheet.dc(), sheet.bitmap(), width, height, out)) {
        std::fprintf(stderr, "cannot write %s\n", out);
        return 2;
    }
    std::printf("%d pictures, %d missing, %dx%d sheet in %s\n", static_cast<int>(rows.size()), failures, width, height,
                out);
    return failures == 0 ? 0 : 1;
}
