// Every private window message of the program, in one place. The class library's own
// notifications and the controls' queries sit in the WM_APP range (0x8000-0xBFFF); the
// fixed numbers that other copies of the program or stored layouts rely on stay as they
// are: the activation message 0x1403 and the frame's inset query 0x26C3 (both in the
// WM_USER range), the skinned-button query 35768 and the grouped-button note 45080.
#pragma once
#include <windows.h>

namespace corvane::ui::msg {

constexpr UINT Base = 0xB000;
// Mnemonics: wParam the character; nonzero when taken.
constexpr UINT DialogChar = Base + 0x06;
// A grouped button went down: wParam group, lParam button (45080).
constexpr UINT ButtonPressed = Base + 0x18;
// Enter or Escape that the focused control does not want: wParam the key; nonzero when taken.
constexpr UINT DialogKey = Base + 0x40;
// Posted to a control by its accessible object: perform the default action of element
// wParam (0 for the control itself). Posted, not sent, so that a client is not held up by
// what the action opens (a modal dialog, a menu).
constexpr UINT AccessibleAction = Base + 0x50;
// Asks a window whether it is a skinned button: they answer 1.
constexpr UINT IsSkinButtonQuery = 35768; // 0x8BB8
// Asks a form how far its skinned frame insets the title bar.
constexpr UINT FrameInsetQuery = 0x26C3;
// Posted by a second start to the running program: come to the front.
constexpr UINT Activate = 0x1403; // WM_USER + 0x1003
// The main window posts it to itself after a hand-over of folders from the menu.
constexpr UINT AddHandedFolders = WM_APP + 0x19;

} // namespace corvane::ui::msg
