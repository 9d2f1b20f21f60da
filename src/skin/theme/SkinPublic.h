// Drawing and lookup routines that every skinned control shares.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>

#include "skin/theme/DrawMath.h"
#include "skin/theme/UIStyle.h"

namespace corvane::ui {
class Component;
class Form;
class WinControl;
} // namespace corvane::ui

namespace corvane::skin {

class FileTheme;

// `bitmap` holds three equal parts (left end, middle, right end). The ends are
// drawn as they are, masked by `transparentColor` when `transparent` is set;
// the middle is stretched between them. A rectangle narrower than one part
// shows the start of the left end only.
void DrawThreePartBitmap(HBITMAP bitmap, HDC canvas, const RECT& rect, uint32_t transparentColor, bool transparent);

// Paints on `canvas` what the control's parent shows under the control
// (ui::PaintParentBackgroundOf).
void PaintParentBackground(HDC canvas, const ui::WinControl* control);

// Repeats the picture from the canvas origin until it covers `rect`; an empty
// picture draws nothing.
void TilePicture(HDC canvas, HBITMAP picture, const RECT& rect);

// The right and bottom edges count as inside.
bool PointInRect(POINT point, const RECT& rect);

// The work area of the monitor nearest the main form, or the system's.
RECT GetWorkArea();

// Left, top, width and height, one change after the other.
void SetBoundsFromRect(ui::WinControl* control, const RECT& rect);

// Frames the control's whole window in `color`, and the line inside it in
// `innerColor` when `drawInner` is set.
void DrawEditBorder(const ui::WinControl* control, uint32_t color, uint32_t innerColor, bool drawInner);

// First line (column) in the start colour, last in the end colour, the ones
// between interpolated.
void GradientFillVertical(HDC canvas, const RECT& rect, uint32_t startColor, uint32_t endColor);
void GradientFillHorizontal(HDC canvas, const RECT& rect, uint32_t startColor, uint32_t endColor);

// True when the component publishes a property of that name ("FileTheme" or
// "UIStyle"; any case).
bool HasPublishedProperty(const ui::Component* component, const std::string& propertyName);

// Whether the form counts as active for drawing its caption.
bool IsFormActive(const ui::Form* form);

// The text shortened with "..." to fit `width` on the canvas's font, keeping at
// least one character (ui::FitKeepingOneCharacter).
std::string FitTextWithEllipsis(HDC canvas, const std::string& text, int width);

// Hands the style and file theme to every direct child of the container that
// publishes both, in z-order from the top (the order they were created in).
void ApplyThemeToChildren(const ui::WinControl* container, UIStyle style, FileTheme* fileTheme);

// The style of the skinned frame on the component's form; DeepBlue without one.
UIStyle FormUIStyle(const ui::Component* component);

} // namespace corvane::skin
