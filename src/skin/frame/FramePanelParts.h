// Private to the frame panel's sources: what its pieces share.
#pragma once
#include <windows.h>
#include <vector>

namespace corvane::skin {
class FramePanel;
}

namespace corvane::skin::detail {

inline constexpr UINT kFrameChanged = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

// Frames alive, oldest first; the application observer offers keys to the newest first.
std::vector<FramePanel*>& FramesList();

} // namespace corvane::skin::detail
