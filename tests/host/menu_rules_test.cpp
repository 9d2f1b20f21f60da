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

TEST(MenuLabel, CutsWholeCharactersCountedAsCodePoints) {
    // "Ж" is two bytes, "中" three, the emoji four (a surrogate pair in UTF-16); 10 characters kept as 7 + "...".
    EXPECT_EQ("ЖЖЖЖЖЖЖ...", menu::MenuLabel("ЖЖЖЖЖЖЖЖЖЖЖ", 10));
    EXPECT_EQ("ЖЖЖЖЖЖЖЖЖЖ", menu::MenuLabel("ЖЖЖЖЖЖЖЖЖЖ", 10));
    EXPECT_EQ("中中中中中中\xF0\x9F\x98\x80...",
              menu::MenuLabel("中中中中中中\xF0\x9F\x98\x80\xF0\x9F\x98\x80zzz", 10));
}

// The menu is built on the host's UI thread: only fixed drives are looked at, each drive's
// type is asked once, and no probe starts once the budget is spent (a fake clock that
// advances 10 ms per probe).
TEST(FolderProbe, ProbesOnlyFixedDrivesWithinTheBudget) {
    struct FakeHost : menu::ProbeHost {
        std::string kinds; // drive letters asked
        std::vector<std::string> probed;
        unsigned long now = 1000;
        menu::DriveKind driveKind(char letter) override {
            kinds += letter;
            return letter == 'c' || letter == 'C' ? menu::DriveKind::Fixed
                   : letter == 'Z'                ? menu::DriveKind::Missing
                                                  : menu::DriveKind::Other;
        }
        menu::Found probe(const std::string& path) override {
            probed.push_back(path);
            now += 10;
            return path.find("gone") != std::string::npos   ? menu::Found::Nothing
                   : path.find(".exe") != std::string::npos ? menu::Found::File
                                                            : menu::Found::Folder;
        }
        unsigned long nowMs() override { return now; }
    } host;
    menu::FolderProbe probe(host, 30);
    struct Case {
        const char* path;
        bool shown;
    };
    const Case cases[] = {
        {"\\\\server\\share", true}, {"D:\\cd", true},    {"Z:\\nowhere", false},
        {"relative\\dir", true},     {"C:\\gone", false}, {"c:\\tools.exe", false},
        {"C:\\there", true},         {"C:\\gone2", true}, {"Z:\\again", false},
    };
    for (const Case& c : cases) EXPECT_EQ(c.shown, probe.looksPresent(c.path)) << c.path;
    EXPECT_EQ((std::vector<std::string>{"C:\\gone", "c:\\tools.exe", "C:\\there"}), host.probed)
        << "three probes fit in 30 ms, the fourth would start at 30";
    EXPECT_EQ("DZC", host.kinds) << "each drive letter asked once";

    menu::FolderProbe fresh(host, 30);
    EXPECT_TRUE(fresh.looksPresent("C:\\tools.exe", menu::Found::File));
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
