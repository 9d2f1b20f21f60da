// The texts of errors, apart from the box that shows them: code that only reports
// errors (the Corvane menu) links these without the windowing classes.
#include "ui/Errors.h"

namespace corvane::ui {

std::string SystemMessageText(const std::string& format, const std::string& arg) {
    std::string out = format;
    if (auto pos = out.find("%s"); pos != std::string::npos) out.replace(pos, 2, arg);
    return out;
}

std::string StandardErrorText(const std::string& message) {
    std::string text = message;
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
    return text;
}

} // namespace corvane::ui
