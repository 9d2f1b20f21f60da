#include <gtest/gtest.h>

#include <string>

#include "ui/TextFit.h"

using namespace corvane::ui;

namespace {

// Every character is 5 pixels wide.
int FixedWidth(const std::string& s) { return static_cast<int>(s.size()) * 5; }

TEST(FitKeepingOneCharacter, KeepsFittingTextAndShortensTheRest) {
    EXPECT_EQ(FitKeepingOneCharacter("Corvane", 35, FixedWidth), "Corvane");
    EXPECT_EQ(FitKeepingOneCharacter("Corvane", 100, FixedWidth), "Corvane");
    EXPECT_EQ(FitKeepingOneCharacter("Corvane", 34, FixedWidth), "Cor...");
    EXPECT_EQ(FitKeepingOneCharacter("Corvane", 30, FixedWidth), "Cor...");
    EXPECT_EQ(FitKeepingOneCharacter("Corvane", 29, FixedWidth), "Co...");
    // Narrower than one character and the ellipsis: that character and the ellipsis.
    EXPECT_EQ(FitKeepingOneCharacter("Corvane", 3, FixedWidth), "C...");
    EXPECT_EQ(FitKeepingOneCharacter("C", 1, FixedWidth), "C");
    EXPECT_EQ(FitKeepingOneCharacter("", -5, FixedWidth), "");
    // Wider than the text less one character but narrower than the text.
    EXPECT_EQ(FitKeepingOneCharacter("abcdefghij", 49,
                                     [](const std::string& s) {
                                         return s.size() > 3 && s.compare(s.size() - 3, 3, "...") == 0
                                                    ? int(s.size() - 3) * 5 + 1
                                                    : int(s.size()) * 5;
                                     }),
              "abcdefghi...");
}

TEST(FitDownToEllipsis, EllipsisDownToDotsAlone) {
    struct Case {
        int space;
        const char* want;
    };
    const Case cases[] = {{60, "Corvane 1.2"}, {55, "Corvane 1.2"}, {50, "Corvane..."},
                          {29, "Co..."},       {15, "..."},         {0, "..."}};
    for (const Case& c : cases) EXPECT_EQ(FitDownToEllipsis("Corvane 1.2", c.space, FixedWidth), c.want) << c.space;
}

} // namespace

// A cut never falls inside a code point, nor between a base and its combining marks.
TEST(CharacterEnds, WholeCodePointsAndTheirMarks) {
    struct Case {
        std::string text;
        std::vector<std::size_t> ends;
    };
    const Case cases[] = {
        {"ab", {1, 2}},
        {"\xD0\x9F\xD0\xB0", {2, 4}},                           // two Cyrillic letters
        {"\xE6\x96\x87x", {3, 4}},                              // a CJK character, then ASCII
        {"a\xF0\x9F\x93\xB7", {1, 5}},                          // an emoji outside the BMP
        {"e\xCC\x81z", {3, 4}},                                 // e with a combining acute
        {"\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9", {11}}, // a ZWJ sequence
        {"\xFFz", {1, 2}},                                      // a stray byte counts alone
    };
    for (const Case& c : cases) EXPECT_EQ(CharacterEnds(c.text), c.ends) << c.text;
    // Shortened by characters: the emoji is dropped whole, never cut in half.
    EXPECT_EQ(FitDownToEllipsis("ab\xF0\x9F\x93\xB7"
                                "cd",
                                35, FixedWidth),
              "ab...");
    EXPECT_EQ(FitKeepingOneCharacter("e\xCC\x81"
                                     "abcdef",
                                     25, FixedWidth),
              "e\xCC\x81...");
}
