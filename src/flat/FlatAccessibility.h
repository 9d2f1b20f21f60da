// What the flat controls tell a screen reader (their objects answer WM_GETOBJECT).
#pragma once
#include <memory>

#include "ui/Accessible.h"

namespace corvane::flat {

std::unique_ptr<ui::AccessibleSource> FlatButtonAccessible(HWND window);
std::unique_ptr<ui::AccessibleSource> FlatComboBoxAccessible(HWND window);

} // namespace corvane::flat
