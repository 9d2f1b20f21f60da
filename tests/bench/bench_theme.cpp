// A complete file theme load of a realistic skin beside the work it cannot do
// without: extracting the description, checking its bitmaps, making the GDI bitmaps.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <objbase.h>

#include "Bench.h"
#include "ui/Environment.h"
#include "ui/Gdi.h"
#include "SkinFloor.h"
#include "skin/theme/FileTheme.h"
#include "skin/theme/SkinDescription.h"
#include "skin/theme/SkinKeys.h"
#include "skinpack/SkinWriter.h"

using namespace corvane::skin;

namespace {

using corvane::skinpack::Bytes;
using namespace corvane::bench;

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
    std::vector<Bytes> bitmaps;    // the ones the theme turns into GDI bitmaps
    std::vector<Bytes> allBitmaps; // every bitmap item, each checked at load
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
        s.allBitmaps.push_back(bmp);
        s.bitmaps.push_back(std::move(bmp));
        ++s.bitmapItems;
    }
    for (int i = 0; i < 6; ++i) {
        s.allBitmaps.push_back(picture(64, 32, 100u + i));
        s.description.addBitmap(std::string("SKIN2_EXTRA").append(std::to_string(i)), s.allBitmaps.back());
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

// A bitmap item checked and made by the platform, not by the theme's own checker: the
// file header locates the bitmap information and the bits, SetDIBits judges the rest and
// converts them into a 32-bit DIB section, as the theme makes its pictures, through one
// memory DC kept for all, as the theme keeps one. Null when the platform refuses it.
HBITMAP platformBitmap(const Bytes& bmp) {
    if (bmp.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return nullptr;
    BITMAPFILEHEADER file;
    std::memcpy(&file, bmp.data(), sizeof file);
    if (file.bfType != 0x4D42 || file.bfOffBits >= bmp.size() ||
        file.bfOffBits < sizeof file + sizeof(BITMAPINFOHEADER))
        return nullptr;
    const auto* bmi = reinterpret_cast<const BITMAPINFO*>(bmp.data() + sizeof file);
    const LONG w = bmi->bmiHeader.biWidth,
               h = bmi->bmiHeader.biHeight < 0 ? -bmi->bmiHeader.biHeight : bmi->bmiHeader.biHeight;
    if (w <= 0 || h <= 0) return nullptr;
    static const HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO bi = corvane::ui::TopDown32(w, h);
    void* bits = nullptr;
    HBITMAP b = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (b && SetDIBits(dc, b, 0, static_cast<UINT>(h), bmp.data() + file.bfOffBits, bmi, DIB_RGB_COLORS) == h) return b;
    if (b) DeleteObject(b);
    return nullptr;
}

bool folderIsEmpty(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return true;
    bool empty = true;
    do
        if (std::strcmp(fd.cFileName, ".") != 0 && std::strcmp(fd.cFileName, "..") != 0) empty = false;
    while (empty && FindNextFileA(h, &fd));
    FindClose(h);
    return empty;
}

} // namespace

CORVANE_BENCH(theme_file_load) {
    char tempBase[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, tempBase);
    const std::string dir = std::string(tempBase) + "corvane-bench-theme\\", temp = dir + "temp\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    CreateDirectoryA(temp.c_str(), nullptr);
    const std::string archive = dir + "msn.ssk", floorOut = dir + "floor.sk2", copy = dir + "copy.sk2";
    // The theme extracts into a folder of our own, which must be empty again after every load.
    corvane::ui::TheEnvironment().folders = {dir, dir, dir, temp};

    const Skin skin = realisticSkin();
    const Bytes description = skin.description.build();
    const Bytes packedArchive = corvane::skinpack::BuildSkin(skin.description);
    if (!corvane::skinpack::WriteFile(archive, packedArchive)) {
        problem("cannot write " + archive);
        return;
    }

    bool ready = false;
    int bitmaps = 0;
    // Each run loads a file it has not read before: the file gets another write time first,
    // so the last load's shared description and pictures do not answer for it.
    uint64_t writeTime = 0x01D9000000000000ull;
    auto touch = [&] {
        HANDLE f = CreateFileA(archive.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                               nullptr);
        if (f == INVALID_HANDLE_VALUE) return;
        writeTime += 10'000'000;
        const FILETIME ft{static_cast<DWORD>(writeTime), static_cast<DWORD>(writeTime >> 32)};
        SetFileTime(f, nullptr, nullptr, &ft);
        CloseHandle(f);
    };
    Side product = side(
        "", touch,
        [&] {
            corvane::skin::FileTheme theme(nullptr);
            theme.setThemeFile(archive);
            ready = theme.ready();
            bitmaps = 0;
            for (int k = 0; k < corvane::skin::kBitmapKeyCount; ++k)
                if (theme.lookupBitmap(static_cast<corvane::skin::BitmapKey>(k))) ++bitmaps;
        },
        [&] { return ready && bitmaps == corvane::skin::kBitmapKeyCount && folderIsEmpty(temp); });

    // The floor: the same extraction, every bitmap item checked by the platform making
    // it, the ones the theme keeps kept until the end (the theme frees its own when it
    // goes), the others freed at once.
    Bytes file, inflated(description.size());
    Side floor = checkedSide(
        [&] {
            if (!readInflateWrite(archive, floorOut, file, inflated)) return false;
            bool valid = true;
            std::vector<HBITMAP> made;
            for (const Bytes& b : skin.bitmaps) made.push_back(platformBitmap(b));
            for (std::size_t i = skin.bitmaps.size(); i < skin.allBitmaps.size(); ++i) {
                HBITMAP checked = platformBitmap(skin.allBitmaps[i]);
                valid = checked != nullptr && DeleteObject(checked) && valid;
            }
            for (HBITMAP b : made) valid = b != nullptr && DeleteObject(b) && valid;
            return valid;
        },
        [&] { return inflated == description; });

    // What the theme does beyond that: a unique temporary name, the extracted copy
    // read back and deleted, the description's records walked into name lists.
    Side name = side("temporary name (CoCreateGuid)", nullptr, [] {
        GUID g{};
        CoCreateGuid(&g);
        char text[40];
        std::snprintf(text, sizeof text, "{%08lX-%04X}", static_cast<unsigned long>(g.Data1), g.Data2);
    });
    Side readBack = side(
        "read back and delete the copy", [&] { corvane::skinpack::WriteFile(copy, description); },
        [&] {
            Bytes got;
            readWhole(copy, got);
            DeleteFileA(copy.c_str());
        });
    Bytes work;
    Side parse = side(
        "walk records (validation included)", [&] { work = description; },
        [&] {
            corvane::skin::SkinFileReader reader;
            reader.parse(std::move(work));
        });
    // The same file unchanged, as every dialog after the first loads it.
    bool sharedReady = false;
    Side shared = side("the same unchanged file again (shared)", nullptr, [&] {
        corvane::skin::FileTheme theme(nullptr);
        theme.setThemeFile(archive);
        sharedReady = theme.ready();
    });
    shared.check = [&] { return sharedReady && folderIsEmpty(temp); };
    interleave({&product, &floor, &name, &readBack, &parse, &shared}, 3, 21);

    report("theme load vs extract+check+SetDIBits", product, floor);
    reportExtra(name);
    reportExtra(readBack);
    reportExtra(parse);
    reportExtra(shared);
    reportValue("bitmap items in the skin", skin.bitmapItems, "");
    reportValue("skin file", static_cast<double>(packedArchive.size()), "bytes");
    reportValue("description", static_cast<double>(description.size()), "bytes");

    corvane::ui::TheEnvironment().folders = {};
    DeleteFileA(archive.c_str());
    DeleteFileA(floorOut.c_str());
    RemoveDirectoryA(temp.c_str());
    RemoveDirectoryA(dir.c_str());
}
