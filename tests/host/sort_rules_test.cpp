#include "app/StoreNames.h"
#include "app/SortRules.h"
#include <gtest/gtest.h>

using namespace corvane::app;

TEST(CompareAlias, FoldsOnlyAsciiLettersAndPrefixSortsFirst) {
    EXPECT_EQ(CompareAlias("abc", "ABC"), 0);
    EXPECT_LT(CompareAlias("ab", "abc"), 0);
    EXPECT_GT(CompareAlias("abc", "AB"), 0);
    EXPECT_LT(CompareAlias("*Separator*", "apps"), 0);
    EXPECT_LT(CompareAlias("Zed", "\xE9t\xE9"), 0); // accented bytes by their code
    EXPECT_NE(CompareAlias("\xE9", "\xC9"), 0);     // and not folded
    EXPECT_GT(CompareAlias("[", "a"), 0);           // 'a' folds to 'A' (0x41), below '[' (0x5B)
    EXPECT_GT(CompareAlias("_", "a"), 0);           // '_' (0x5F) after folded 'A'
}

TEST(CompareAliasKeys, CodePageBytesWhenBothFitUtf16UnitsOtherwise) {
    const AliasKey euro{true, "\x80", u"\u20AC"}, eAcute{true, "\xE9", u"\u00E9"};
    const AliasKey zhe{false, "", u"\u0436"}, upperA{true, "A", u"A"}, lowerA{false, "", u"a"};
    EXPECT_LT(CompareAliasKeys(euro, eAcute), 0);   // bytes 0x80 < 0xE9, although U+20AC > U+00E9
    EXPECT_LT(CompareAliasKeys(eAcute, zhe), 0);    // U+00E9 < U+0436
    EXPECT_LT(CompareAliasKeys(zhe, euro), 0);      // one side outside the code page: by unit
    EXPECT_EQ(CompareAliasKeys(upperA, lowerA), 0); // a-z folded in both ways
}

TEST(ExchangeSort, BothDirectionsOnTheKnownCases) {
    std::vector<FavouriteRow> rows{{"b", "1"}, {"A", "2"}, {"c", "3"}, {"a", "4"}};
    ExchangeSort(rows, true);
    EXPECT_EQ(rows, (std::vector<FavouriteRow>{{"A", "2"}, {"a", "4"}, {"b", "1"}, {"c", "3"}}));
    ExchangeSort(rows, false);
    EXPECT_EQ(rows, (std::vector<FavouriteRow>{{"c", "3"}, {"b", "1"}, {"a", "4"}, {"A", "2"}}));

    std::vector<FavouriteRow> mixed{
        {"Music", "m1"}, {"*Separator*", "-"}, {"apps", "a"}, {"Zed", "z"}, {"music", "m2"}};
    ExchangeSort(mixed, true);
    std::vector<std::string> order;
    for (auto& r : mixed) order.push_back(r.alias + "|" + r.path);
    EXPECT_EQ(order, (std::vector<std::string>{"*Separator*|-", "apps|a", "Music|m1", "music|m2", "Zed|z"}));
}

// The program's exchange sort, written out on the rows themselves: where aliases tie, the
// order the exchanges leave is the one users know, so the sort must make exactly these exchanges.
std::vector<FavouriteRow> ReferenceExchangeSort(std::vector<FavouriteRow> rows, bool ascending,
                                                const std::function<AliasKey(const std::string&)>& keyOf) {
    const int n = static_cast<int>(rows.size());
    auto cmp = [&](int i, int j) { return CompareAliasKeys(keyOf(rows[i].alias), keyOf(rows[j].alias)); };
    for (int i = 0; i <= n - 2; ++i)
        if (ascending) {
            for (int j = i + 1; j <= n - 1; ++j)
                if (cmp(i, j) > 0) std::swap(rows[i], rows[j]);
        } else {
            for (int j = n - 1; j >= i + 1; --j)
                if (cmp(i, j) < 0) std::swap(rows[i], rows[j]);
        }
    return rows;
}

TEST(ExchangeSort, LeavesTiesWhereTheExchangesLeaveThem) {
    // Few distinct aliases, many ties in case and in full; "~" stands for an alias outside
    // the code page, compared by its units (and "~a" ties with "~A").
    const char* const aliases[] = {"a", "A", "b", "ab", "AB", "~a", "~A", "\xE9", "", "_"};
    auto keyOf = [](const std::string& a) {
        if (a.empty() || a[0] != '~') return AliasKey{true, a, std::u16string(a.begin(), a.end())};
        return AliasKey{false, "", u"\u0436" + std::u16string(a.begin() + 1, a.end())};
    };
    uint32_t x = 7;
    for (int round = 0; round < 40; ++round) {
        std::vector<FavouriteRow> rows;
        for (int i = 0; i < 3 + round; ++i) {
            x = x * 1664525u + 1013904223u;
            rows.push_back({aliases[(x >> 8) % 10], std::to_string(i)});
        }
        for (bool ascending : {true, false}) {
            std::vector<FavouriteRow> sorted = rows;
            ExchangeSort(sorted, ascending, keyOf);
            EXPECT_EQ(sorted, ReferenceExchangeSort(rows, ascending, keyOf)) << round << ascending;
        }
    }
}

TEST(ExchangeSort, EmptyAndSingleRowsAreLeftAlone) {
    std::vector<FavouriteRow> none;
    ExchangeSort(none, true);
    EXPECT_TRUE(none.empty());
    std::vector<FavouriteRow> one{{"x", "y"}};
    ExchangeSort(one, false);
    EXPECT_EQ(one[0].alias, "x");
}

TEST(ParseOptionValue, DecimalHexAndDefaults) {
    EXPECT_FALSE(ParseOptionValue("0", true));
    EXPECT_TRUE(ParseOptionValue("2", false));
    EXPECT_TRUE(ParseOptionValue("0x1", false));
    EXPECT_FALSE(ParseOptionValue("0x0", true));
    EXPECT_FALSE(ParseOptionValue("0X0", true));
    EXPECT_TRUE(ParseOptionValue("abc", true));
    EXPECT_FALSE(ParseOptionValue("abc", false));
    EXPECT_TRUE(ParseOptionValue("", true));
    EXPECT_TRUE(ParseOptionValue("0x", true)); // too short for hex, not decimal either
    EXPECT_FALSE(ParseOptionValue("-0", true));
    EXPECT_TRUE(ParseOptionValue("-1", false));
    EXPECT_TRUE(ParseOptionValue("99999999999", true)); // out of range: the default
    EXPECT_FALSE(ParseOptionValue("99999999999", false));
    EXPECT_FALSE(ParseOptionValue("1 ", false)); // trailing text: not an integer
}
