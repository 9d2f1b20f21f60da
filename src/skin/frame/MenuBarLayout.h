// Arithmetic of the menu bar, free of the platform so the host tests check it:
// shortcut texts ("Ctrl+S") read as a key and modifiers, and the placement of the
// bar's buttons.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "skin/frame/FrameLayout.h"

namespace corvane::skin {

struct ShortcutKey {
    unsigned key = 0; // virtual-key code; 0 for none
    bool ctrl = false, shift = false, alt = false;
    bool operator==(const ShortcutKey&) const = default;
};

// Reads a shortcut text: modifiers "Ctrl", "Shift", "Alt" (any case) joined by '+' to
// one key: a letter or digit, "F1" to "F24", or a named key ("Del", "Ins", "Home",
// "End", "PgUp", "PgDn", "Esc", "Enter", "Tab", "Space", "BkSp", the arrows, "+").
// Empty, unknown or malformed texts give no key.
ShortcutKey ParseShortcut(const std::string& text);

// Pixels a bar button adds to the width of its caption.
inline constexpr int kMenuBarButtonPadding = 16;

// The bar's buttons, auto-sized to their captions and placed left to right; a button
// that would pass the bar's right edge starts a new row (unless it is the first in
// its row). Every row is `buttonHeight` high.
std::vector<Rect> LayoutMenuBar(const std::vector<int>& captionWidths, int barWidth, int buttonHeight);

// The bar's height: its rows times the button height, one row when it has no button.
int MenuBarHeightFor(const std::vector<Rect>& buttons, int buttonHeight);

} // namespace corvane::skin
