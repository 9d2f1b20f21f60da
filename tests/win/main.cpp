// Windows test runner: the same process set-up as the program (common controls, COM).
#include "app/Global.h"
#include "ui/Environment.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include "TestSupport.h"

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    OleInitialize(nullptr);
    corvane::app::ConfigureApplication();
    testing::InitGoogleTest(&argc, argv);
    // The skin shipped beside this exe must not dress the windows under test:
    // the theme looks in an empty folder of its own instead, and so does the
    // current folder.
    int rc = 0;
    {
        corvane::test::TempFolder noSkin;
        char previous[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, previous);
        corvane::ui::environment().folders = {noSkin.path(), "", "", ""};
        SetCurrentDirectoryA(noSkin.path().c_str());
        rc = RUN_ALL_TESTS();
        corvane::ui::environment().folders = {};
        SetCurrentDirectoryA(previous);
    }
    OleUninitialize();
    return rc;
}
