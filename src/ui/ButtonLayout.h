// Place of a button's glyph relative to its caption; shared by the flat and
// the skinned buttons.
#pragma once

#include <cstdint>

namespace corvane::ui {

enum class ButtonLayout : std::uint8_t { GlyphLeft, GlyphRight, GlyphTop, GlyphBottom };

} // namespace corvane::ui
