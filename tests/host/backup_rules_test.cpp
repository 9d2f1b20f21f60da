#include "app/BackupRules.h"
#include <gtest/gtest.h>

using namespace corvane::app;

TEST(BackupRules, ExtensionIsTheLastDotAfterTheLastFolderOrDriveMark) {
    EXPECT_EQ(FileExtension("c:\\dir\\backup.kvr"), ".kvr");
    EXPECT_EQ(FileExtension("c:\\dir.old\\backup"), "");
    EXPECT_EQ(FileExtension("c:backup"), "");
    EXPECT_EQ(FileExtension("a.b.c"), ".c");
    EXPECT_EQ(FileExtension("name."), ".");
    EXPECT_EQ(FileExtension(""), "");
}

TEST(BackupRules, KvrIsAppendedUnlessTheExtensionIsKvrInAnyCase) {
    EXPECT_EQ(WithBackupExtension("c:\\b\\backup"), "c:\\b\\backup.kvr");
    EXPECT_EQ(WithBackupExtension("c:\\b\\backup.kvr"), "c:\\b\\backup.kvr");
    EXPECT_EQ(WithBackupExtension("c:\\b\\backup.KVR"), "c:\\b\\backup.KVR");
    EXPECT_EQ(WithBackupExtension("c:\\b\\backup.Kvr"), "c:\\b\\backup.Kvr");
    EXPECT_EQ(WithBackupExtension("c:\\b\\backup.txt"), "c:\\b\\backup.txt.kvr");
    EXPECT_EQ(WithBackupExtension("c:\\x.kvr\\backup"), "c:\\x.kvr\\backup.kvr");
    EXPECT_EQ(WithBackupExtension("c:\\b\\backup.kvrx"), "c:\\b\\backup.kvrx.kvr");
}

TEST(BackupRules, PathsCompareWithTrailingBackslashAndAsciiCaseFolded) {
    EXPECT_EQ(NormaliseBackupPath("c:\\music"), "C:\\MUSIC\\");
    EXPECT_EQ(NormaliseBackupPath("C:\\Music\\"), "C:\\MUSIC\\");
    EXPECT_EQ(NormaliseBackupPath(""), "\\");
    // Accented letters are not folded.
    EXPECT_EQ(NormaliseBackupPath("c:\\\xE9t\xE9"), "C:\\\xE9T\xE9\\");
    EXPECT_NE(NormaliseBackupPath("c:\\\xE9"), NormaliseBackupPath("c:\\\xC9"));

    EXPECT_TRUE(SameFavourite("Music", "c:\\music\\", "Music", "C:\\Music"));
    EXPECT_FALSE(SameFavourite("music", "C:\\Music", "Music", "C:\\Music")); // alias is exact
    EXPECT_FALSE(SameFavourite("Music", "C:\\Music2", "Music", "C:\\Music"));
    EXPECT_FALSE(SameFavourite("Music", "C:\\Music\\\\", "Music", "C:\\Music"));
}

TEST(BackupRules, CountIsDecimalOrHexAndZeroOtherwise) {
    EXPECT_EQ(ParseBackupCount("12"), 12);
    EXPECT_EQ(ParseBackupCount("0x1A"), 26);
    EXPECT_EQ(ParseBackupCount("0X1a"), 26);
    EXPECT_EQ(ParseBackupCount("0"), 0);
    EXPECT_EQ(ParseBackupCount(""), 0);
    EXPECT_EQ(ParseBackupCount("abc"), 0);
    EXPECT_EQ(ParseBackupCount("12abc"), 0);
    EXPECT_EQ(ParseBackupCount("0x"), 0);
    EXPECT_EQ(ParseBackupCount("0xG"), 0);
    EXPECT_EQ(ParseBackupCount("-3"), -3);
    EXPECT_EQ(ParseBackupCount("2147483647"), 2147483647);
    EXPECT_EQ(ParseBackupCount("2147483648"), 0);
    EXPECT_EQ(ParseBackupCount("99999999999999999999999"), 0);
    EXPECT_EQ(ParseBackupCount("0xFFFFFFFFFFFF"), 0);
}

TEST(BackupRules, EntryIndicesAreTheKeysTheReaderWouldFind) {
    using V = std::vector<int>;
    EXPECT_EQ(EntryIndices({}), V{});
    EXPECT_EQ(EntryIndices({"Count", "Other"}), V{});
    EXPECT_EQ(EntryIndices({"Count", "N0", "P0", "N1", "P1"}), (V{0, 1}));
    EXPECT_EQ(EntryIndices({"n7", "Count", "p2"}), (V{2, 7})); // key names are not case-sensitive
    EXPECT_EQ(EntryIndices({"P12", "N3", "N12"}), (V{3, 12}));
    EXPECT_EQ(EntryIndices({"N012", "N0"}), V{0}); // "N012" is not N12
    EXPECT_EQ(EntryIndices({"N", "P", "Nx", "N-1", "N+1", "X1"}), V{});
    EXPECT_EQ(EntryIndices({"N99999999999"}), V{});
    EXPECT_EQ(EntryIndices({"N2147483647"}), V{2147483647});
}
