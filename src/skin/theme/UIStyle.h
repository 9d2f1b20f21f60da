#pragma once
#include <cstdint>

namespace corvane::skin {

// Where a skinned control takes its look from: the file theme or a built-in style.
enum class UIStyle : uint8_t {
    FromThemeFile = 0,
    MacOS = 1,
    WinXP = 2,
    DeepBlue = 3,
    Protein = 4,
    BlueGlass = 5,
};

// True when the control should draw from its file theme. A control asking for
// the file theme without a ready one draws in DeepBlue instead.
inline bool ResolveUIStyle(bool fileThemeReady, UIStyle given, UIStyle& out) {
    if (given != UIStyle::FromThemeFile) {
        out = given;
        return false;
    }
    if (fileThemeReady) {
        out = UIStyle::FromThemeFile;
        return true;
    }
    out = UIStyle::DeepBlue;
    return false;
}

} // namespace corvane::skin
