// Message numbers of the class library's own notifications, routed by the library
// between its controls. They sit in the WM_APP range (0x8000-0xBFFF), as do the skin
// controls' own queries (dialog key, skin-button test). Not every private message is
// in it: the skinned frame's inset query keeps its fixed number 0x26C3, in the WM_USER
// range like the program's activation message 0x1403.
#pragma once
#include <windows.h>

namespace corvane::ui::msg {

constexpr UINT Base = 0xB000;
constexpr UINT DialogChar = Base + 0x06;    // mnemonics: wParam the character; nonzero when taken
constexpr UINT ButtonPressed = Base + 0x18; // a grouped button went down: wParam group, lParam button

} // namespace corvane::ui::msg
