// What the skinned frame's parts tell a screen reader: the frame's panel, the title
// bar with its drawn buttons as simple elements, and the menu bar's buttons.
#pragma once
#include <memory>

#include "ui/Accessible.h"

namespace corvane::skin {

std::unique_ptr<ui::AccessibleSource> FramePanelAccessible(HWND window);
std::unique_ptr<ui::AccessibleSource> TitleBarAccessible(HWND window);
std::unique_ptr<ui::AccessibleSource> MenuBarAccessible(HWND window);

} // namespace corvane::skin
