// Shortening a text with "..." to fit a width. Two rules that differ at the edges:
// the skinned controls keep at least one character, the title bar's caption may
// shrink to "..." alone. Free of the platform; the width comes from the caller.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace corvane::ui {

// The byte offsets in UTF-8 `text` where each character ends: a cut there never splits a
// code point, nor a base from the marks that combine with it.
std::vector<std::size_t> CharacterEnds(const std::string& text);

// Width of a text in pixels, as the canvas would draw it.
using TextWidth = std::function<int(const std::string&)>;

// The text when it fits `width`; otherwise the longest start of it followed by
// "..." that fits, and at least one character and "..." when nothing fits (wider
// than `width` then). Searches from the shortest start: widths must grow with the
// characters.
std::string FitKeepingOneCharacter(const std::string& text, int width, const TextWidth& textWidth);

// The text when it fits `space`; otherwise the longest start of it followed by
// "..." that fits, down to "..." alone, which is the answer even when it does not
// fit. Searches from the longest start.
std::string FitDownToEllipsis(const std::string& text, int space, const TextWidth& textWidth);

} // namespace corvane::ui
