#include "ui/Errors.h"
#include "ui/Application.h"
#include "ui/UserPrompt.h"

namespace corvane::ui {

void ShowStandardError(const std::string& message) {
    Application& app = Application::instance();
    HWND owner = GetActiveWindow();
    ThePrompt().messageBox(owner, StandardErrorText(message), app.title(), MB_OK | MB_ICONERROR);
}

} // namespace corvane::ui
