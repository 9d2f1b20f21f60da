// Colour values as the program stores them: 0x00BBGGRR, or a system colour written as
// 0xFF0000nn (any value with the top bit set names system colour nn). Platform-free, so
// the colour arithmetic can be checked on the host.
#pragma once
#include <cstdint>

namespace corvane::ui {

using Color = std::uint32_t;

// Answers the RGB value of system colour `index` (GetSysColor on Windows).
using SysColorFn = std::uint32_t (*)(int index);

constexpr Color SystemColor(int index) { return 0xFF000000u | static_cast<Color>(index & 0xFF); }
constexpr bool IsSystemColor(Color color) { return (color & 0x80000000u) != 0; }

// A system colour is looked up through `sysColor` (without one it reads as its low
// three bytes); every result is a plain 0x00BBGGRR value.
constexpr Color ColorToRgb(Color color, SysColorFn sysColor) {
    if (IsSystemColor(color) && sysColor) return sysColor(static_cast<int>(color & 0xFFu)) & 0x00FFFFFFu;
    return color & 0x00FFFFFFu;
}

} // namespace corvane::ui
