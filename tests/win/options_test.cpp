#include "TestSupport.h"
#include "app/Global.h"
#include "app/IniNumbers.h"
#include "ui/Errors.h"
#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::app;
using namespace corvane::test;

namespace {
struct OptionsFile : ::testing::Test {
    void SetUp() override { SetProgramFolderOverride(folder.path()); }
    void TearDown() override {
        SetProgramFolderOverride("");
        ExploreFolder = AskDelete = ShowTips = true;
    }
    void loadWith(const std::string& showTips) {
        folder.write("options.ini", "[Options]\r\nExploreFolder=0\r\nAskDelete=1\r\nShowTips=" + showTips + "\r\n");
        ShowTips = !ParseOptionValue(showTips, true); // make sure the load changes it when it should
        LoadSaveOptions(true);
    }
    TempFolder folder;
};
} // namespace

TEST_F(OptionsFile, ValuesAreParsedAsIntegers) {
    loadWith("0");   EXPECT_FALSE(ShowTips);
    loadWith("2");   EXPECT_TRUE(ShowTips);
    loadWith("0x1"); EXPECT_TRUE(ShowTips);
    loadWith("0x0"); EXPECT_FALSE(ShowTips);
    loadWith("abc"); EXPECT_TRUE(ShowTips);
    loadWith("");    EXPECT_TRUE(ShowTips);
    EXPECT_FALSE(ExploreFolder);
    EXPECT_TRUE(AskDelete);
}

TEST_F(OptionsFile, MissingFileGivesDefaultsAndIsNotCreated) {
    ExploreFolder = AskDelete = ShowTips = false;
    LoadSaveOptions(true);
    EXPECT_TRUE(ExploreFolder);
    EXPECT_TRUE(AskDelete);
    EXPECT_TRUE(ShowTips);
    EXPECT_FALSE(FileExists(OptionsFilePath()));
    EXPECT_EQ(OptionsFilePath(), folder.path() + "options.ini");
}

TEST_F(OptionsFile, SaveWritesAllThreeKeysAndKeepsOtherContent) {
    folder.write("options.ini", "[Other]\r\nKeep=yes\r\n");
    ExploreFolder = true; AskDelete = false; ShowTips = true;
    LoadSaveOptions(false);
    char buf[16];
    GetPrivateProfileStringA("Options", "ExploreFolder", "?", buf, sizeof buf, OptionsFilePath().c_str());
    EXPECT_STREQ(buf, "1");
    GetPrivateProfileStringA("Options", "AskDelete", "?", buf, sizeof buf, OptionsFilePath().c_str());
    EXPECT_STREQ(buf, "0");
    GetPrivateProfileStringA("Options", "ShowTips", "?", buf, sizeof buf, OptionsFilePath().c_str());
    EXPECT_STREQ(buf, "1");
    GetPrivateProfileStringA("Other", "Keep", "?", buf, sizeof buf, OptionsFilePath().c_str());
    EXPECT_STREQ(buf, "yes");
}

TEST_F(OptionsFile, UnwritableFileIsReportedWithItsPath) {
    // A program folder that cannot take the file (tests run as an administrator, for
    // whom a read-only attribute alone does not stop the write).
    SetProgramFolderOverride(folder.path() + "missing\\");
    std::string error;
    try {
        LoadSaveOptions(false);
    } catch (const ui::UiError& e) {
        error = e.what();
    }
    EXPECT_EQ(error, "Unable to write to " + folder.path() + "missing\\options.ini");
}
