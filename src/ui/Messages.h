// Message numbers of the class library's own notifications, routed by the library
// between its controls. They sit in the WM_APP range, away from the program's own
// WM_USER-based messages.
#pragma once
#include <windows.h>

namespace corvane::ui::msg {

constexpr UINT Base = 0xB000;
constexpr UINT Activate = Base + 0x00;
constexpr UINT Deactivate = Base + 0x01;
constexpr UINT DialogKey = Base + 0x05;       // Enter/Escape offered to controls first
constexpr UINT DialogChar = Base + 0x06;      // mnemonics
constexpr UINT FocusChanged = Base + 0x07;    // lParam: the control that got the focus
constexpr UINT ParentFontChanged = Base + 0x08;
constexpr UINT ParentColorChanged = Base + 0x09;
constexpr UINT EnabledChanged = Base + 0x0C;
constexpr UINT ColorChanged = Base + 0x0D;
constexpr UINT FontChanged = Base + 0x0E;
constexpr UINT TextChanged = Base + 0x12;
constexpr UINT MouseEnter = Base + 0x13;
constexpr UINT MouseLeave = Base + 0x14;
constexpr UINT ButtonPressed = Base + 0x18;   // a grouped button went down: wParam group, lParam button
constexpr UINT SysColorChange = Base + 0x24;
constexpr UINT CancelMode = Base + 0x04;

} // namespace corvane::ui::msg
