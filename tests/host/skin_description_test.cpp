#include <gtest/gtest.h>

#include "skin/theme/BmpCheck.h"
#include "skin/theme/FileThemeManager.h"
#include "skin/theme/SkinArchive.h"
#include "skin/theme/SkinDescription.h"
#include "skin/theme/UIStyle.h"
#include "skin_test_util.h"

using namespace corvane::skin;

using namespace corvane;
using namespace corvane::skinpack;
using corvane::skin::skintest::poke32;
using corvane::skin::skintest::TempDir;

namespace {

Bytes smallBmp(int w = 4, int h = 3) {
    return MakeBmp24(w, h, [](int x, int y) { return static_cast<uint32_t>(x * 0x10 + y * 0x1000); });
}

// Record field offsets.
constexpr std::size_t kKind = 64, kDataOffset = 65, kDataLength = 69, kNext = 73;

bool parses(Bytes b) {
    skin::SkinFileReader r;
    return r.parse(std::move(b));
}

TEST(SkinDescription, KeepsEachKindAndAnswersAbsentKeys) {
    DescriptionWriter w;
    const Bytes bmp = smallBmp();
    w.addBitmap("SKIN2_TITLEBAR1", bmp);
    w.addInt("SKIN2_FORMCOLOR", 0xE8E8E8);
    w.addInt("SKIN2_TITLEBARICONPOSX", -7);
    w.addBool("SKIN2_TITLEFIVESECT", true);
    w.addBool("SKIN2_BUTTONTRANS", false);
    w.add("SKIN2_ODD", 2, Bytes{200});
    w.addString("SKIN2_AUTHOR", std::string("Cor\0vane", 8));
    w.add("SKIN2_TABCONTROL", 7, Bytes{1, 2, 3});
    skin::SkinFileReader r;
    ASSERT_TRUE(r.parse(w.build()));
    EXPECT_TRUE(r.ready());

    auto got = r.lookupBitmap("skin2_titlebar1");
    EXPECT_EQ(Bytes(got.begin(), got.end()), bmp);
    EXPECT_EQ(r.lookupInt("Skin2_FormColor"), 0xE8E8E8);
    EXPECT_EQ(r.lookupInt("SKIN2_TITLEBARICONPOSX"), -7);
    EXPECT_TRUE(r.lookupBool("SKIN2_TITLEFIVESECT"));
    EXPECT_FALSE(r.lookupBool("SKIN2_BUTTONTRANS"));
    EXPECT_TRUE(r.lookupBool("SKIN2_ODD"));
    bool found = false;
    EXPECT_EQ(r.lookupString("SKIN2_AUTHOR", &found), std::string_view("Cor\0vane", 8));
    EXPECT_TRUE(found);

    // Absent, wrong list, or an unknown kind: none, -1, false.
    EXPECT_TRUE(r.lookupBitmap("SKIN2_TABCONTROL").empty());
    EXPECT_TRUE(r.lookupBitmap("SKIN2_FORMCOLOR").empty());
    EXPECT_EQ(r.lookupInt("SKIN2_TITLEFIVESECT"), -1);
    EXPECT_EQ(r.lookupInt("SKIN2_TITLEBAR1"), -1);
    EXPECT_FALSE(r.lookupBool("SKIN2_FORMCOLOR"));
    EXPECT_EQ(r.integerCount(), 2u);
    EXPECT_EQ(r.booleanCount(), 3u);
    EXPECT_EQ(r.stringCount(), 1u);
}

TEST(SkinDescription, TerminatorCarriesNothingAndFirstNameWins) {
    DescriptionWriter w;
    w.addInt("SKIN2_FORMCOLOR", 1);
    w.addInt("skin2_formcolor", 2);
    w.addBitmap("SKIN2_BUTTON", smallBmp(2, 2));
    w.addBitmap("skin2_button", smallBmp(5, 5));
    w.addBool("SKIN2_BUTTONTRANS", false);
    w.addBool("SKIN2_BUTTONTRANS", true);
    Bytes b = w.build();
    // Give the terminator a name, kind and data: it must still not be loaded.
    const std::size_t term = DescriptionWriter::recordOffset(w.size());
    b[term] = 'X';
    b[term + kKind] = 1;
    poke32(b, term + kDataOffset, 0);
    skin::SkinFileReader r;
    ASSERT_TRUE(r.parse(b));
    EXPECT_EQ(r.lookupInt("SKIN2_FORMCOLOR"), 1);
    EXPECT_EQ(r.lookupBitmap("SKIN2_BUTTON").size(), smallBmp(2, 2).size());
    EXPECT_FALSE(r.lookupBool("SKIN2_BUTTONTRANS"));
    EXPECT_EQ(r.lookupInt("X"), -1);
    ASSERT_EQ(r.bitmapNames().size(), 1u);
    EXPECT_EQ(r.bitmapNames()[0], "SKIN2_BUTTON");

    skin::SkinFileReader empty;
    ASSERT_TRUE(empty.parse(DescriptionWriter().build()));
    EXPECT_TRUE(empty.ready());
    EXPECT_EQ(empty.integerCount() + empty.booleanCount() + empty.stringCount() + empty.bitmapNames().size(), 0u);
}

TEST(SkinDescription, HostileChainsAndOffsetsLeaveItNotReady) {
    DescriptionWriter w;
    w.addInt("A", 1);
    w.addBitmap("B", smallBmp());
    w.addBool("C", true);
    w.addString("D", "text");
    const Bytes good = w.build();
    ASSERT_TRUE(parses(good));
    const std::size_t size = good.size();
    auto rec = [](std::size_t i) { return DescriptionWriter::recordOffset(i); };

    EXPECT_FALSE(parses(Bytes(good.begin(), good.begin() + 23)));
    // The bitmap's bytes end the file here, so only its own range check can refuse it.
    DescriptionWriter last;
    last.addInt("A", 1);
    last.addBitmap("B", smallBmp());
    const Bytes bitmapLast = last.build();
    ASSERT_TRUE(parses(bitmapLast));
    EXPECT_FALSE(parses(Bytes(bitmapLast.begin(), bitmapLast.end() - 1))) << "bitmap data cut short";

    struct Poke {
        std::size_t at;
        uint32_t value;
        const char* what;
    };
    const Poke pokes[] = {
        {12, 23, "header shorter than 24"},
        {12, static_cast<uint32_t>(size + 1), "header longer than the file"},
        {20, static_cast<uint32_t>(size - 76), "first record runs past the end"},
        {20, 0xFFFFFFFFu, "first record far outside"},
        {rec(0) + kNext, static_cast<uint32_t>(rec(0)), "record points at itself"},
        {rec(2) + kNext, static_cast<uint32_t>(rec(0)), "chain loops back"},
        {rec(1) + kNext, static_cast<uint32_t>(rec(1) + 1), "records overlap step by step"},
        {rec(0) + kDataOffset, static_cast<uint32_t>(size - 3), "integer data past the end"},
        {rec(1) + kDataOffset, 0xFFFFFFF0u, "bitmap data offset outside"},
        {rec(1) + kDataLength, 0xFFFFFFF0u, "bitmap data length outside"},
        {rec(2) + kDataOffset, static_cast<uint32_t>(size), "boolean data at the end"},
        {rec(3) + kDataLength, static_cast<uint32_t>(size), "string longer than the file"},
        {rec(1) + kDataOffset, static_cast<uint32_t>(rec(0)), "bitmap data that is not a BMP"},
    };
    for (const Poke& p : pokes) {
        Bytes b = good;
        poke32(b, p.at, p.value);
        skin::SkinFileReader r;
        EXPECT_FALSE(r.parse(b)) << p.what;
        EXPECT_FALSE(r.ready()) << p.what;
        EXPECT_EQ(r.lookupInt("A"), -1) << p.what;
    }

    // A record of an unknown kind is skipped without looking at its data.
    Bytes b = good;
    b[rec(1) + kKind] = 0xEE;
    poke32(b, rec(1) + kDataOffset, 0xFFFFFFF0u);
    EXPECT_TRUE(parses(b));

    // A broken bitmap under a name already taken still spoils the skin.
    DescriptionWriter dup;
    dup.addBitmap("B", smallBmp());
    dup.addBitmap("B", Bytes{'B', 'M', 0, 0});
    EXPECT_FALSE(parses(dup.build()));
}

TEST(SkinDescription, SizeLimitHoldsForParsedAndReadDescriptions) {
    constexpr std::size_t kLimit = skin::SkinFileReader::kMaxDescriptionSize;
    static_assert(kLimit == 64u * 1024 * 1024);
    DescriptionWriter probe;
    probe.addInt("A", 1);
    probe.addString("PAD", "");
    const std::size_t base = probe.build().size();
    TempDir dir;
    for (std::size_t size : {kLimit, kLimit + 1}) {
        DescriptionWriter w;
        w.addInt("A", 1);
        w.addString("PAD", std::string(size - base, 'x'));
        Bytes b = w.build();
        ASSERT_EQ(b.size(), size);
        const bool fits = size <= kLimit;
        ASSERT_TRUE(skinpack::WriteFile(dir.file("d.sk2"), b));
        skin::SkinFileReader r;
        EXPECT_EQ(r.parse(std::move(b)), fits) << size;
        EXPECT_EQ(r.lookupInt("A"), fits ? 1 : -1) << size;
        EXPECT_EQ(r.loadDescriptionFile(dir.file("d.sk2")), fits) << size;
    }
}

TEST(SkinDescription, FailedLoadDropsEarlierItems) {
    DescriptionWriter w;
    w.addInt("A", 5);
    skin::SkinFileReader r;
    ASSERT_TRUE(r.parse(w.build()));
    EXPECT_FALSE(r.parse(Bytes(10, 0)));
    EXPECT_EQ(r.lookupInt("A"), -1);
    EXPECT_FALSE(r.loadDescriptionFile("/nonexistent/description.sk2"));
}

// BMP files in the forms GDI takes, each then broken in one way.
Bytes bmpWithHeader(uint32_t infoSize, int32_t w, int32_t h, uint16_t bpp, uint32_t compression, uint32_t colours,
                    const Bytes& bits, uint32_t sizeImage = 0) {
    const bool core = infoSize == 12;
    const uint32_t entry = core ? 3 : 4;
    const uint32_t masks = (compression == 3 && infoSize == 40) ? 12 : 0;
    const uint32_t off = 14 + infoSize + masks + colours * entry;
    Bytes b(off, 0);
    b[0] = 'B';
    b[1] = 'M';
    poke32(b, 2, static_cast<uint32_t>(off + bits.size()));
    poke32(b, 10, off);
    poke32(b, 14, infoSize);
    if (core) {
        skintest::poke16(b, 18, static_cast<uint16_t>(w));
        skintest::poke16(b, 20, static_cast<uint16_t>(h));
        b[22] = 1;
        b[24] = static_cast<uint8_t>(bpp);
    } else {
        poke32(b, 18, static_cast<uint32_t>(w));
        poke32(b, 22, static_cast<uint32_t>(h));
        b[26] = 1;
        b[28] = static_cast<uint8_t>(bpp);
        poke32(b, 30, compression);
        poke32(b, 34, sizeImage);
        poke32(b, 46, core ? 0 : colours);
    }
    b.insert(b.end(), bits.begin(), bits.end());
    return b;
}

TEST(BmpCheck, AcceptsTheUsualFormsAndRefusesBrokenOnes) {
    auto ok = [](const Bytes& b) { return CheckBmp(b.data(), b.size()).has_value(); };
    const Bytes rle{3, 1, 0, 0, 0, 3, 5, 6, 7, 0, 0, 0, 0, 1};
    struct Case {
        Bytes bmp;
        bool good;
        const char* what;
    };
    const Case cases[] = {
        {smallBmp(), true, "24-bit"},
        {bmpWithHeader(40, 3, -2, 24, 0, 0, Bytes(24, 0)), true, "top-down"},
        {bmpWithHeader(40, 9, 2, 1, 0, 2, Bytes(8, 0)), true, "1-bit"},
        {bmpWithHeader(12, 4, 2, 8, 0, 256, Bytes(8, 0)), true, "core header"},
        {bmpWithHeader(40, 2, 2, 32, 3, 0, Bytes(16, 0)), true, "bitfields"},
        {bmpWithHeader(124, 2, 2, 16, 3, 0, Bytes(8, 0)), true, "V5 header"},
        {bmpWithHeader(40, 3, 2, 8, 1, 4, rle, 14), true, "RLE8"},
        {bmpWithHeader(40, 3, 2, 24, 0, 0, Bytes(17, 0)), false, "pixel data short"},
        {bmpWithHeader(41, 3, 2, 24, 0, 0, Bytes(24, 0)), false, "odd header size"},
        {bmpWithHeader(40, 0, 2, 24, 0, 0, Bytes(24, 0)), false, "zero width"},
        {bmpWithHeader(40, 3, 0, 24, 0, 0, Bytes(24, 0)), false, "zero height"},
        {bmpWithHeader(40, 3, INT32_MIN, 24, 0, 0, Bytes(24, 0)), false, "height INT32_MIN"},
        {bmpWithHeader(40, 20000, 1, 1, 0, 2, Bytes(2500, 0)), false, "too wide"},
        {bmpWithHeader(40, 5000, 5000, 1, 0, 2, Bytes(625 * 5000 + 5000, 0)), false, "too many pixels"},
        {bmpWithHeader(40, 3, 2, 7, 0, 0, Bytes(24, 0)), false, "7 bits per pixel"},
        {bmpWithHeader(40, 3, 2, 8, 0, 257, Bytes(8, 0)), false, "more colours than 8 bits hold"},
        {bmpWithHeader(40, 3, 2, 24, 4, 0, Bytes(24, 0)), false, "JPEG inside"},
        {bmpWithHeader(40, 3, 2, 24, 1, 0, Bytes(24, 0)), false, "RLE8 on 24 bits"},
        {bmpWithHeader(40, 3, -2, 8, 1, 4, rle, 14), false, "top-down RLE"},
        {bmpWithHeader(40, 2, 2, 8, 1, 4, rle, 14), false, "RLE run past the row"},
        {bmpWithHeader(40, 3, 1, 8, 1, 4, rle, 14), false, "RLE rows past the bottom"},
        {bmpWithHeader(40, 3, 2, 8, 1, 4, Bytes(rle.begin(), rle.end() - 2), 12), false, "RLE without its end"},
        {bmpWithHeader(40, 3, 2, 8, 1, 4, rle, 15), false, "RLE size past the data"},
    };
    for (const Case& c : cases) EXPECT_EQ(ok(c.bmp), c.good) << c.what;

    Bytes b = smallBmp();
    b[1] = 'A';
    EXPECT_FALSE(ok(b)) << "signature";
    b = smallBmp();
    poke32(b, 10, static_cast<uint32_t>(b.size() + 1));
    EXPECT_FALSE(ok(b)) << "pixel offset past the end";
    b = smallBmp();
    poke32(b, 10, 20);
    EXPECT_FALSE(ok(b)) << "pixel offset inside the header";
    b = smallBmp();
    b[26] = 2;
    EXPECT_FALSE(ok(b)) << "two planes";
    EXPECT_FALSE(CheckBmp(nullptr, 0));
}

class FileThemeManagerTest : public ::testing::Test {
protected:
    std::string skin(const std::string& name, const DescriptionWriter& w, const std::string& password = {}) {
        const std::string p = dir.file(name);
        EXPECT_TRUE(WriteFile(p, BuildSkin(w, password)));
        return p;
    }
    TempDir dir;
};

TEST_F(FileThemeManagerTest, LoadsFromArchiveByKeyAndCleansUp) {
    DescriptionWriter w;
    w.addInt("SKIN2_TRANSCOLOR", 0xFF00FF);
    w.addInt("SKIN2_BOTTOMREGIONMAXY", 12);
    w.addBool("SKIN2_TABCONTROLTRANS", true);
    w.addBitmap("SKIN2_SCROLLBUTTON", smallBmp());
    skin::FileThemeManager mgr;
    const std::string temp = dir.file("temp.sk2");
    ASSERT_TRUE(mgr.load(skin("a.ssk", w, "pw"), "pw", temp));
    EXPECT_FALSE(skintest::exists(temp));
    EXPECT_EQ(mgr.lookupColor(ColorKey::TRANSCOLOR), 0xFF00FF);
    EXPECT_EQ(mgr.lookupInt(IntKey::BOTTOMREGIONMAXY), 12);
    EXPECT_TRUE(mgr.lookupBool(BoolKey::TABCONTROLTRANS));
    EXPECT_EQ(mgr.lookupBitmap(BitmapKey::SCROLLBUTTON).size(), smallBmp().size());
    EXPECT_EQ(SkinKeyName(83), std::string("SKIN2_TABCONTROLTRANS"));
    EXPECT_EQ(SkinKeyName(84), std::string(""));

    // A missing file keeps what was loaded; an unreadable one drops it.
    EXPECT_FALSE(mgr.load(dir.file("missing.ssk"), "", temp));
    EXPECT_EQ(mgr.lookupInt(IntKey::BOTTOMREGIONMAXY), 12);
    EXPECT_FALSE(mgr.load(skin("b.ssk", w, "pw"), "", temp));
    EXPECT_FALSE(skintest::exists(temp));
    EXPECT_EQ(mgr.reader(), nullptr);
    EXPECT_EQ(mgr.lookupColor(ColorKey::TRANSCOLOR), -1);
    EXPECT_FALSE(mgr.lookupBool(BoolKey::TABCONTROLTRANS));
    EXPECT_TRUE(mgr.lookupBitmap(BitmapKey::SCROLLBUTTON).empty());
}

TEST_F(FileThemeManagerTest, EmptyDescriptionIsReadyWithNothingInIt) {
    skin::FileThemeManager mgr;
    ASSERT_TRUE(mgr.load(skin("e.ssk", DescriptionWriter()), "", dir.file("t")));
    for (int k = 0; k < kColorKeyCount; ++k) EXPECT_EQ(mgr.lookupColor(static_cast<ColorKey>(k)), -1);
    for (int k = 0; k < kIntKeyCount; ++k) EXPECT_EQ(mgr.lookupInt(static_cast<IntKey>(k)), -1);

    // The reader reports why it failed.
    skin::SkinFileReader wrong(skin("w.ssk", DescriptionWriter(), "pw"), "nope", dir.file("t"));
    EXPECT_EQ(wrong.extractResult(), kSkinEntryUndecipherable);
    EXPECT_FALSE(wrong.ready());
}

TEST(UIStyle, ResolveFollowsTheThemeOnlyWhenAskedAndReady) {
    skin::UIStyle out = skin::UIStyle::MacOS;
    EXPECT_TRUE(ResolveUIStyle(true, skin::UIStyle::FromThemeFile, out));
    EXPECT_EQ(out, skin::UIStyle::FromThemeFile);
    EXPECT_FALSE(ResolveUIStyle(false, skin::UIStyle::FromThemeFile, out));
    EXPECT_EQ(out, skin::UIStyle::DeepBlue);
    EXPECT_FALSE(ResolveUIStyle(true, skin::UIStyle::Protein, out));
    EXPECT_EQ(out, skin::UIStyle::Protein);
    static_assert(sizeof(skin::UIStyle) == 1);
}

} // namespace
