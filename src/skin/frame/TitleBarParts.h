// Private to the title bar's sources: what its pieces share.
#pragma once
#include <windows.h>

#include "skin/theme/UIStyle.h"

namespace corvane::skin::detail {

// The built-in styles' pictures the bar uses (section pictures and button strips),
// loaded once each.
HBITMAP builtInPicture(UIStyle s, int item);

} // namespace corvane::skin::detail
