// What the skinned controls tell a screen reader (their objects answer WM_GETOBJECT).
#pragma once
#include <memory>

#include "ui/Accessible.h"

namespace corvane::skin {

std::unique_ptr<ui::AccessibleSource> ButtonAccessible(HWND window);
std::unique_ptr<ui::AccessibleSource> CheckBoxAccessible(HWND window);
std::unique_ptr<ui::AccessibleSource> GroupBoxAccessible(HWND window);
std::unique_ptr<ui::AccessibleSource> EditAccessible(HWND window);
std::unique_ptr<ui::AccessibleSource> ToolBarAccessible(HWND window);

} // namespace corvane::skin
