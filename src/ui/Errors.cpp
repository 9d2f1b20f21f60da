#include "ui/Errors.h"
#include "ui/Application.h"
#include "ui/UserPrompt.h"

namespace corvane::ui {

std::string formatMessage(const std::string& format, const std::string& arg) {
    std::string out = format;
    if (auto pos = out.find("%s"); pos != std::string::npos) out.replace(pos, 2, arg);
    return out;
}

std::string standardErrorText(const std::string& message) {
    std::string text = message;
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
    return text;
}

void showStandardError(const std::string& message) {
    Application& app = Application::instance();
    HWND owner = GetActiveWindow();
    prompt().messageBox(owner, standardErrorText(message), app.title(), MB_OK | MB_ICONERROR);
}

} // namespace corvane::ui
