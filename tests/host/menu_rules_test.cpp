#include "menu/MenuRules.h"
#include "store/Handover.h"
#include "store/PathRules.h"
#include <gtest/gtest.h>

using namespace corvane;

TEST(MenuLabel, ShowsAmpersandsAndCutsLongAliases) {
    struct Case {
        std::string alias;
        size_t max;
        std::string label;
    };
    const Case cases[] = {
        {"Music & Art", 64, "Music && Art"},
        {"&&", 64, "&&&&"},
        {"abcdefghij", 10, "abcdefghij"},
        {"abcdefghijk", 10, "abcdefg..."},
        {"a&cdefghijk", 10, "a&&cdefg..."}, // cut first, so an ampersand is never split from its double
        {std::string(5000, 'x'), 64, std::string(61, 'x') + "..."},
    };
    for (const Case& c : cases) EXPECT_EQ(c.label, menu::MenuLabel(c.alias, c.max)) << c.alias.substr(0, 20);
}

TEST(MenuLabel, NeverCutsADoubleByteCharacter) {
    auto lead = [](unsigned char c) { return c >= 0x81 && c <= 0x9F; };
    // 11 bytes cut to 7 + "...": the seventh byte would be the first half of the second character.
    EXPECT_EQ("abcd\x82\xA0...", menu::MenuLabel("abcd\x82\xA0\x82\xA1zzz", 10, +lead));
}

TEST(MenuIds, FavouritesFitBesideTheFixedCommands) {
    struct Case {
        int count;
        unsigned long ids;
        int shown;
    };
    const Case cases[] = {{10, 0, 0}, {10, 3, 0}, {10, 4, 0}, {10, 6, 2}, {10, 14, 10}, {10000, 0x7F00, 10000},
                          {0, 100, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(c.shown, menu::FavouritesThatFit(c.count, c.ids)) << c.count << " in " << c.ids;
}

TEST(SamePath, IgnoresCaseAndOneTrailingBackslash) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {{"C:\\Music", "c:\\music\\", true},
                          {"C:\\", "c:\\", true},
                          {"C:\\", "C:", false},
                          {"C:\\Music", "C:\\Musik", false},
                          {"\\\\srv\\Share", "\\\\SRV\\share\\", true}};
    for (const Case& c : cases) EXPECT_EQ(c.same, store::SamePath(c.a, c.b)) << c.a << " / " << c.b;
}

TEST(FolderHandover, RoundTripsAndRefusesMalformedData) {
    const std::string data = store::EncodeFolderHandover("Music", "D:\\Music");
    std::string alias, path;
    ASSERT_TRUE(store::DecodeFolderHandover(data.data(), data.size(), alias, path));
    EXPECT_EQ("Music", alias);
    EXPECT_EQ("D:\\Music", path);
    const std::string bad[] = {std::string("Music\0D:\\Music", 14), std::string("Music", 5),
                               std::string("Music\0\0", 7), std::string("a\0b\0c\0", 6), std::string("\0", 1)};
    for (const std::string& b : bad)
        EXPECT_FALSE(store::DecodeFolderHandover(b.data(), b.size(), alias, path)) << b.size();
    const std::string huge = store::EncodeFolderHandover(std::string(store::kMaxHandoverBytes, 'a'), "C:\\");
    EXPECT_FALSE(store::DecodeFolderHandover(huge.data(), huge.size(), alias, path));
}
