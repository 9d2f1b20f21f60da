// The skinned controls as the dialogs' stored descriptions set them up: WinXP,
// opaque, the group box's colours, the buttons' focus margin and repeat interval.
#pragma once
#include <string>

#include "skin/controls/Button.h"
#include "skin/controls/CheckBox.h"
#include "skin/controls/Edit.h"
#include "skin/controls/GroupBox.h"
#include "ui/Form.h"

namespace corvane::app {

constexpr std::uint32_t kControlBorderColor = 0x686868;

skin::GroupBox* StoredGroupBox(ui::Component* owner, const char* name, HWND parent, int x, int y, int w, int h,
                               std::uint32_t fontColor);
skin::Edit* StoredEdit(ui::Component* owner, const char* name, HWND parent, int x, int y, int w, int h);
skin::Button* StoredButton(ui::Component* owner, const char* name, HWND parent, int x, int y, int w, int h,
                           const std::string& caption, ui::ModalResult result);
skin::CheckBox* StoredCheckBox(ui::Component* owner, const char* name, HWND parent, int x, int y,
                               const std::string& caption);

} // namespace corvane::app
