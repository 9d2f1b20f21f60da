#include "ui/TextFit.h"

namespace corvane::ui {

namespace {
// Decodes the UTF-8 code point at `i` and moves `i` past it; a stray byte counts alone.
char32_t DecodeAt(const std::string& s, std::size_t& i) {
    const auto b = static_cast<unsigned char>(s[i]);
    const int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t c = extra == 3 ? (b & 0x07) : extra == 2 ? (b & 0x0F) : extra == 1 ? (b & 0x1F) : b;
    std::size_t j = i + 1;
    for (int k = 0; k < extra; ++k, ++j) {
        if (j >= s.size() || (static_cast<unsigned char>(s[j]) & 0xC0) != 0x80) {
            i += 1;
            return b;
        }
        c = (c << 6) | (static_cast<unsigned char>(s[j]) & 0x3F);
    }
    i = j;
    return c;
}

// Marks that belong to the character before them: combining marks, variation
// selectors, the zero-width joiner (and what it joins), emoji modifiers.
bool JoinsPrevious(char32_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) ||
           (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xFE20 && c <= 0xFE2F) ||
           c == 0x200D || (c >= 0x1F3FB && c <= 0x1F3FF) || (c >= 0xE0100 && c <= 0xE01EF);
}
} // namespace

std::vector<std::size_t> CharacterEnds(const std::string& text) {
    std::vector<std::size_t> ends;
    bool joinNext = false;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = DecodeAt(text, i);
        if ((JoinsPrevious(c) || joinNext) && !ends.empty()) ends.back() = i;
        else ends.push_back(i);
        joinNext = c == 0x200D;
    }
    return ends;
}

std::string FitKeepingOneCharacter(const std::string& text, int width, const TextWidth& textWidth) {
    if (textWidth(text) <= width) return text;
    // Widths grow with every character, so the first candidate that does not
    // fit ends the search; the one before it is the answer.
    std::string fitting;
    const std::vector<std::size_t> ends = CharacterEnds(text);
    for (std::size_t k = 0; k + 1 < ends.size(); ++k) {
        std::string candidate = text.substr(0, ends[k]) + "...";
        const int w = textWidth(candidate);
        if (w > width) return fitting.empty() ? candidate : fitting;
        if (w == width) return candidate;
        fitting = std::move(candidate);
    }
    return fitting.empty() ? text : fitting;
}

std::string FitDownToEllipsis(const std::string& text, int space, const TextWidth& textWidth) {
    if (textWidth(text) <= space) return text;
    const std::vector<std::size_t> ends = CharacterEnds(text);
    for (std::size_t k = ends.size(); k-- > 0;) {
        std::string candidate = text.substr(0, k ? ends[k - 1] : 0) + "...";
        if (textWidth(candidate) <= space) return candidate;
    }
    return "...";
}

} // namespace corvane::ui
