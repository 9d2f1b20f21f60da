// Program entry: a second start hands over to the running editor and ends.
#include "app/Global.h"
#include "app/MainForm.h"
#include "ui/Application.h"
#include "ui/WideText.h"
#include <objbase.h>

// The command line is not read, so the narrow entry point takes no text of the user.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace corvane;
    if (HWND running = FindWindowW(ui::WideArg(app::kMainWindowClass), nullptr)) {
        PostMessageW(running, ui::msg::Activate, 0, 0);
        SetForegroundWindow(running);
        return 0;
    }
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    OleInitialize(nullptr); // the folder browser needs COM on this thread

    app::ProductPrompt productPrompt; // our folder browser behind the user-prompt seam
    ui::SetPrompt(&productPrompt);
    app::ConfigureApplication();
    ui::Application& application = ui::Application::instance();
    int rc = 0;
    {
        app::MainForm frmMain(nullptr);
        application.setMainForm(&frmMain);
        frmMain.create();
        application.setTitle(app::kProgramTitle);
        rc = application.run();
        application.setMainForm(nullptr);
    }
    ui::SetPrompt(nullptr);
    OleUninitialize();
    return rc;
}
