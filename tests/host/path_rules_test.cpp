#include "app/StoreNames.h"
#include <gtest/gtest.h>

using corvane::app::AliasFromPath;

TEST(AliasFromPath, ProposesTheLastComponentOrThePathWhole) {
    EXPECT_EQ(AliasFromPath("D:\\Music\\Rock"), "Rock");
    EXPECT_EQ(AliasFromPath("\\\\server\\share"), "share");
    EXPECT_EQ(AliasFromPath("C:\\"), "C:\\");
    EXPECT_EQ(AliasFromPath("C:\\Data\\"), "C:\\Data\\");
    EXPECT_EQ(AliasFromPath("Music"), "Music");
    EXPECT_EQ(AliasFromPath(""), "");
    EXPECT_EQ(AliasFromPath("\\"), "\\");
    EXPECT_EQ(AliasFromPath("\\x"), "x");
}

TEST(AliasFromPath, OnlyBackslashesSeparateAndBytesPassUnchanged) {
    // Forward slashes are not separators here; the shell hands back backslashes.
    EXPECT_EQ(AliasFromPath("C:/Data/Old"), "C:/Data/Old");
    EXPECT_EQ(AliasFromPath("C:\\a/b\\c d"), "c d");
    // Bytes above 0x7F (accented letters in the ANSI code page) pass unchanged.
    EXPECT_EQ(AliasFromPath("C:\\M\xFCsik\\Caf\xE9"), "Caf\xE9");
}
