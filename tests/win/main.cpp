// Windows test runner: the same process set-up as the program (common controls, COM).
#include "app/Global.h"
#include "ui/Environment.h"
#include <gtest/gtest.h>
#include <string>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include "TestSupport.h"

namespace {
// The skin shipped beside this exe must not dress the windows under test: before
// every test the theme looks in an empty folder of its own, and so does the current
// folder. Per test, since tests that point the program folder elsewhere reset it.
// A test that says how the system reads has it read as it does again afterwards.
class CleanEnvironment : public testing::EmptyTestEventListener {
public:
    explicit CleanEnvironment(std::string folder) : folder_(std::move(folder)) {}
    void OnTestStart(const testing::TestInfo&) override {
        corvane::ui::TheEnvironment().folders = {folder_, "", "", ""};
        SetCurrentDirectoryA(folder_.c_str());
    }
    void OnTestEnd(const testing::TestInfo&) override { corvane::ui::TheEnvironment().rightToLeftSystem.reset(); }

private:
    std::string folder_;
};
} // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    OleInitialize(nullptr);
    corvane::app::ConfigureApplication();
    testing::InitGoogleTest(&argc, argv);
    int rc = 0;
    {
        corvane::test::TempFolder noSkin;
        char previous[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, previous);
        testing::UnitTest::GetInstance()->listeners().Append(new CleanEnvironment(noSkin.path()));
        rc = RUN_ALL_TESTS();
        corvane::ui::TheEnvironment().folders = {};
        SetCurrentDirectoryA(previous);
    }
    OleUninitialize();
    return rc;
}
