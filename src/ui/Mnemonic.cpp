#include "ui/Mnemonic.h"
#include "ui/WideText.h"

#include <windows.h>

namespace corvane::ui {

bool IsMnemonic(unsigned ch, const std::string& caption) {
    const std::wstring text = Widen(caption);
    wchar_t hot = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'&') continue;
        ++i;
        if (i < text.size() && text[i] != L'&') hot = text[i];
    }
    if (!hot || !ch || ch > 0xFFFF) return false;
    const wchar_t a[2] = {static_cast<wchar_t>(ch), 0}, b[2] = {hot, 0};
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a, 1, b, 1) == CSTR_EQUAL;
}

} // namespace corvane::ui
