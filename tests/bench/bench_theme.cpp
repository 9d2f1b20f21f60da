// A complete file theme load of a realistic skin beside the platform work it
// rests on: copying the file, inflating the description, making the bitmaps.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <zlib.h>

#include "Bench.h"
#include "skin/theme/BmpCheck.h"
#include "skin/theme/FileTheme.h"
#include "skin/theme/SkinKeys.h"
#include "skinpack/SkinWriter.h"

using namespace corvane::skin;

namespace {

using corvane::skinpack::Bytes;

// Gradients with a little noise, the way drawn skin pictures compress.
Bytes picture(int w, int h, uint32_t seed) {
    return corvane::skinpack::MakeBmp24(w, h, [&](int x, int y) {
        seed = seed * 1664525u + 1013904223u;
        const uint32_t noise = (seed >> 30) == 0 ? (seed >> 24) & 7 : 0;
        return static_cast<uint32_t>(((x * 255 / (w > 1 ? w - 1 : 1)) & 0xFF) | (((y * 9 + noise) & 0xFF) << 8) |
                                     ((0x80 + noise * 4) << 16));
    });
}

struct Skin {
    corvane::skinpack::DescriptionWriter description;
    std::vector<Bytes> bitmaps; // the ones the theme turns into GDI bitmaps
    int bitmapItems = 0;
};

// About 40 pictures: every bitmap key (the title strip 1,024 pixels wide) and
// a few that only other programs' skins would use, plus every value item.
Skin realisticSkin() {
    Skin s;
    for (int k = 0; k < corvane::skin::kBitmapKeyCount; ++k) {
        const auto key = static_cast<corvane::skin::BitmapKey>(k);
        const int w = key == corvane::skin::BitmapKey::TITLEBAR1 ? 1024 : 24 + (k * 37) % 200;
        const int h = key == corvane::skin::BitmapKey::TITLEBAR1 ? 30 : 8 + (k * 13) % 40;
        Bytes bmp = picture(w, h, static_cast<uint32_t>(k + 1));
        s.description.addBitmap(corvane::skin::SkinKeyName(key), bmp);
        s.bitmaps.push_back(std::move(bmp));
        ++s.bitmapItems;
    }
    for (int i = 0; i < 6; ++i) {
        s.description.addBitmap("SKIN2_EXTRA" + std::to_string(i), picture(64, 32, 100u + i));
        ++s.bitmapItems;
    }
    for (int k = 0; k < corvane::skin::kColorKeyCount; ++k)
        s.description.addInt(corvane::skin::SkinKeyName(static_cast<corvane::skin::ColorKey>(k)), 0x102030 * k);
    for (int k = 0; k < corvane::skin::kIntKeyCount; ++k)
        s.description.addInt(corvane::skin::SkinKeyName(static_cast<corvane::skin::IntKey>(k)), k);
    for (int k = 0; k < corvane::skin::kBoolKeyCount; ++k)
        s.description.addBool(corvane::skin::SkinKeyName(static_cast<corvane::skin::BoolKey>(k)), k % 2 == 0);
    return s;
}

HBITMAP createDIBitmap(const Bytes& bmp) {
    // The bench's own BMPs are sound; the layout only locates the parts.
    const auto layout = corvane::skin::CheckBmp(bmp.data(), bmp.size());
    if (!layout) return nullptr;
    const auto* bmi = reinterpret_cast<const BITMAPINFO*>(bmp.data() + layout->infoOffset);
    HDC screen = GetDC(nullptr);
    HBITMAP b = CreateDIBitmap(screen, &bmi->bmiHeader, CBM_INIT, bmp.data() + layout->bitsOffset, bmi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return b;
}

bool inflateTo(const Bytes& packed, std::size_t size) {
    Bytes out(size);
    z_stream zs{};
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK) return false;
    zs.next_in = const_cast<Bytef*>(packed.data());
    zs.avail_in = static_cast<uInt>(packed.size());
    zs.next_out = out.data();
    zs.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&zs, Z_FINISH);
    inflateEnd(&zs);
    return rc == Z_STREAM_END;
}

} // namespace

CORVANE_BENCH(theme_file_load) {
    char tempBase[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, tempBase);
    const std::string dir = std::string(tempBase) + "corvane-bench-theme\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    const std::string archive = dir + "msn.ssk", copy = dir + "copy.bin";

    const Skin skin = realisticSkin();
    const Bytes description = skin.description.build();
    const Bytes packedArchive = corvane::skinpack::BuildSkin(skin.description);
    if (!corvane::skinpack::WriteFile(archive, packedArchive)) {
        std::printf("cannot write %s\n", archive.c_str());
        return;
    }
    const Bytes deflated = corvane::skinpack::DeflateRaw(description);

    bool ready = false;
    int bitmaps = 0;
    auto load = [&] {
        corvane::skin::FileTheme theme(nullptr);
        theme.setThemeFile(archive);
        ready = theme.ready();
        bitmaps = 0;
        for (int k = 0; k < corvane::skin::kBitmapKeyCount; ++k)
            if (theme.LookupBitmap(static_cast<corvane::skin::BitmapKey>(k))) ++bitmaps;
    };
    auto copyFile = [&] {
        CopyFileA(archive.c_str(), copy.c_str(), FALSE);
        DeleteFileA(copy.c_str());
    };
    bool inflated = true;
    auto inflateDescription = [&] { inflated = inflateTo(deflated, description.size()) && inflated; };
    auto makeBitmaps = [&] {
        std::vector<HBITMAP> made;
        for (const Bytes& b : skin.bitmaps) made.push_back(createDIBitmap(b));
        for (HBITMAP b : made) DeleteObject(b);
    };

    // The machine is shared: the runs take turns so that a busy moment hits
    // both sides, and the best of each counts.
    double product = 1e300, copyOnly = 1e300, inflateOnly = 1e300, bitmapsOnly = 1e300;
    for (int round = 0; round < 40; ++round) {
        product = std::min(product, corvane::bench::timeBest(1, nullptr, load));
        copyOnly = std::min(copyOnly, corvane::bench::timeBest(1, nullptr, copyFile));
        inflateOnly = std::min(inflateOnly, corvane::bench::timeBest(1, nullptr, inflateDescription));
        bitmapsOnly = std::min(bitmapsOnly, corvane::bench::timeBest(1, nullptr, makeBitmaps));
    }
    if (!ready || bitmaps != corvane::skin::kBitmapKeyCount)
        std::printf("theme load failed (ready %d, %d bitmaps)\n", ready ? 1 : 0, bitmaps);
    if (!inflated) std::printf("inflate failed\n");
    const double copyAndBitmaps = copyOnly + bitmapsOnly;
    const double floor = copyOnly + inflateOnly + bitmapsOnly;

    corvane::bench::report("TsuiFileTheme load, realistic skin", product, "CopyFile + CreateDIBitmap x34", copyAndBitmaps);
    corvane::bench::report("TsuiFileTheme load, realistic skin", product, "CopyFile + inflate + CreateDIBitmap", floor);
    corvane::bench::reportValue("  bare CopyFile", copyOnly * 1000, "us");
    corvane::bench::reportValue("  bare inflate of the description", inflateOnly * 1000, "us");
    corvane::bench::reportValue("  bare CreateDIBitmap x34", bitmapsOnly * 1000, "us");
    corvane::bench::reportValue("  bitmap items in the skin", skin.bitmapItems, "");
    corvane::bench::reportValue("  skin file", static_cast<double>(packedArchive.size()), "bytes");
    corvane::bench::reportValue("  description", static_cast<double>(description.size()), "bytes");

    DeleteFileA(archive.c_str());
    RemoveDirectoryA(dir.c_str());
}
