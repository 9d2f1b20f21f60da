#include "ui/TextFit.h"

namespace corvane::ui {

std::string FitKeepingOneCharacter(const std::string& text, int width, const TextWidth& textWidth) {
    if (textWidth(text) <= width) return text;
    // Widths grow with every character, so the first candidate that does not
    // fit ends the search; the one before it is the answer.
    std::string fitting;
    for (std::size_t n = 1; n < text.size(); ++n) {
        std::string candidate = text.substr(0, n) + "...";
        const int w = textWidth(candidate);
        if (w > width) return fitting.empty() ? candidate : fitting;
        if (w == width) return candidate;
        fitting = std::move(candidate);
    }
    return fitting.empty() ? text : fitting;
}

std::string FitDownToEllipsis(const std::string& text, int space, const TextWidth& textWidth) {
    if (textWidth(text) <= space) return text;
    for (std::size_t n = text.size(); n-- > 0;) {
        std::string candidate = text.substr(0, n) + "...";
        if (textWidth(candidate) <= space) return candidate;
    }
    return "...";
}

} // namespace corvane::ui
