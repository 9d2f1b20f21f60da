#include "ui/Mnemonic.h"

#include <windows.h>

namespace corvane::ui {

bool IsMnemonic(char ch, const std::string& caption) {
    char hot = 0;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        ++i;
        if (i < caption.size() && caption[i] != '&') hot = caption[i];
    }
    if (!hot || !ch) return false;
    char a[2] = {ch, 0}, b[2] = {hot, 0};
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a, 1, b, 1) == CSTR_EQUAL;
}

} // namespace corvane::ui
