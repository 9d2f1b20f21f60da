#include "skin/theme/StyleBitmaps.h"

#include <array>
#include <map>
#include <mutex>
#include <string>

#include "skin/theme/DrawMath.h"
#include "skin/theme/StyleTable.h"
#include "ui/Errors.h"
#include "ui/Gdi.h"
#include "ui/Pictures.h"
#include "ui/Scale.h"

namespace corvane::skin {

ui::BitmapHandle CutBitmapPart(HBITMAP source, int partCount, int partNo) {
    const SIZE s = ui::BitmapSize(source);
    const PartColumns part = BitmapPartColumns(s.cx, partCount, partNo);
    return ui::CopyBitmap(source, part.left, 0, part.width, s.cy);
}

ui::BitmapHandle LoadBitmapResource(const char* name) {
    ui::BitmapHandle b = ui::LoadBitmapResourceOrNull(name);
    if (!b) throw ui::UiError(std::string("Resource ") + (name ? name : "") + " not found");
    return b;
}

void StyleBitmap(UIStyle style, int item, ui::BitmapHandle& bitmap) {
    const char* name = StyleBitmapName(style, item);
    if (!name) return;
    bitmap = LoadBitmapResource(name);
}

void StyleBitmapPart(UIStyle style, int item, ui::BitmapHandle* dest, int partCount, int partNo) {
    if (!dest) return;
    if (partCount == 0) {
        StyleBitmap(style, item, *dest);
        return;
    }
    const char* name = StyleBitmapName(style, item);
    if (!name) return;
    *dest = CutBitmapPart(LoadBitmapResource(name).get(), partCount, partNo);
}

ui::BitmapHandle StylePicture(UIStyle style, int item, int partCount, int partNo) {
    ui::BitmapHandle whole = ui::LoadBitmapResourceOrNull(StyleBitmapName(style, item));
    if (partCount == 0) return whole;
    return CutBitmapPart(whole.get(), partCount, partNo);
}

namespace {
// The rendition `artDpi` when it is there and fits the design picture.
HBITMAP Fitting(const Renditions& r, int artDpi, const SIZE& design, int partCount) {
    HBITMAP b = artDpi == 144 ? r.at144 : artDpi == 192 ? r.at192 : nullptr;
    if (!b) return nullptr;
    const SIZE s = ui::BitmapSize(b);
    return ui::RenditionFits(design.cx, design.cy, partCount, s.cx, s.cy, artDpi) ? b : nullptr;
}
} // namespace

ui::BitmapHandle PictureAtDpi(const Renditions& r, int dpi, std::optional<COLORREF> key, int partCount, int partNo) {
    if (!r.design) return {};
    const SIZE design = ui::BitmapSize(r.design);
    if (dpi == ui::kDesignDpi) return CutBitmapPart(r.design, partCount, partNo);
    const int wanted = ui::ArtDpiFor(dpi);
    int artDpi = wanted;
    HBITMAP source = Fitting(r, artDpi, design, partCount);
    if (!source && wanted == 144) source = Fitting(r, artDpi = 192, design, partCount);
    if (!source) {
        source = r.design;
        artDpi = ui::kDesignDpi;
    }
    ui::BitmapHandle part = CutBitmapPart(source, partCount, partNo);
    if (artDpi == dpi || !part) return part; // drawn for this DPI: as it is
    const int designPart = BitmapPartColumns(design.cx, partCount, partNo).width;
    return ui::ScaleBitmap(part.get(), ui::ScaleToDpi(designPart, dpi), ui::ScaleToDpi(design.cy, dpi), key);
}

Renditions BuiltInRenditions(const char* name) {
    if (!name) return {};
    static std::mutex lock;
    static std::map<std::string, std::array<ui::BitmapHandle, 3>> loaded;
    std::lock_guard<std::mutex> hold(lock);
    auto [at, fresh] = loaded.try_emplace(name);
    if (fresh) {
        const std::string n(name);
        at->second = {ui::LoadBitmapResourceOrNull(name), ui::LoadBitmapResourceOrNull((n + "_150").c_str()),
                      ui::LoadBitmapResourceOrNull((n + "_200").c_str())};
    }
    return {at->second[0].get(), at->second[1].get(), at->second[2].get()};
}

ui::BitmapHandle BuiltInPictureAtDpi(const char* name, int dpi, int partCount, int partNo) {
    const Renditions r = BuiltInRenditions(name);
    if (!r.design) return {};
    return PictureAtDpi(r, dpi, ui::BottomLeftPixel(r.design), partCount, partNo);
}

} // namespace corvane::skin
