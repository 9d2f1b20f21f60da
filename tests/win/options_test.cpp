#include "TestSupport.h"
#include "ui/Environment.h"
#include "app/Global.h"
#include "app/StoreNames.h"
#include "ui/Errors.h"
#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::app;
using namespace corvane::test;

namespace {
struct OptionsFile : ::testing::Test {
    void SetUp() override { ui::TheEnvironment().folders.program = folder.path(); }
    void TearDown() override { ui::TheEnvironment().folders.program = ""; }
    void loadWith(const std::string& showTips) {
        folder.write("options.ini", "[Options]\r\nExploreFolder=0\r\nAskDelete=1\r\nShowTips=" + showTips + "\r\n");
        options.showTips = !ParseOptionValue(showTips, true); // make sure the load changes it when it should
        LoadSaveOptions(options, true);
    }
    TempFolder folder;
    OptionFlags options;
};
} // namespace

TEST_F(OptionsFile, ValuesAreParsedAsIntegers) {
    loadWith("0");
    EXPECT_FALSE(options.showTips);
    loadWith("2");
    EXPECT_TRUE(options.showTips);
    loadWith("0x1");
    EXPECT_TRUE(options.showTips);
    loadWith("0x0");
    EXPECT_FALSE(options.showTips);
    loadWith("abc");
    EXPECT_TRUE(options.showTips);
    loadWith("");
    EXPECT_TRUE(options.showTips);
    EXPECT_FALSE(options.exploreFolder);
    EXPECT_TRUE(options.askDelete);
}

TEST_F(OptionsFile, MissingFileGivesDefaultsAndIsNotCreated) {
    options.exploreFolder = options.askDelete = options.showTips = false;
    LoadSaveOptions(options, true);
    EXPECT_TRUE(options.exploreFolder);
    EXPECT_TRUE(options.askDelete);
    EXPECT_TRUE(options.showTips);
    EXPECT_FALSE(FileExists(OptionsFilePath()));
    EXPECT_EQ(OptionsFilePath(), folder.path() + "options.ini");
}

TEST_F(OptionsFile, SaveWritesAllThreeKeysAndKeepsOtherContent) {
    folder.write("options.ini", "[Other]\r\nKeep=yes\r\n");
    options.exploreFolder = true;
    options.askDelete = false;
    options.showTips = true;
    LoadSaveOptions(options, false);
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
    ui::TheEnvironment().folders.program = folder.path() + "missing\\";
    std::string error;
    try {
        LoadSaveOptions(options, false);
    } catch (const ui::UiError& e) {
        error = e.what();
    }
    EXPECT_EQ(error, "Unable to write to " + folder.path() + "missing\\options.ini");
}
