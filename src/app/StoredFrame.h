// The skinned frame as the main window, the item editor and the options dialog
// store it: square corners, a one-pixel black border, the form colour 0xE8E8E8,
// control box, close and minimize buttons (maximize hidden) and a bold white
// Tahoma caption.
#pragma once
#include "skin/frame/FramePanel.h"
#include "ui/Form.h"

namespace corvane::app {

// Creates the frame on the form (its first component, so the form's controls go on
// it); `captionHeight` is the caption font's height.
skin::FramePanel* AddStoredFrame(ui::Form& form, int captionHeight);

} // namespace corvane::app
