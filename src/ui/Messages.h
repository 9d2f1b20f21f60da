// Message numbers of the class library's own notifications, routed by the library
// between its controls. They sit in the WM_APP range, away from the program's own
// WM_USER-based messages.
#pragma once
#include <windows.h>

namespace corvane::ui::msg {

constexpr UINT Base = 0xB000;
constexpr UINT DialogChar = Base + 0x06;      // mnemonics: wParam the character; nonzero when taken
constexpr UINT ButtonPressed = Base + 0x18;   // a grouped button went down: wParam group, lParam button

} // namespace corvane::ui::msg
