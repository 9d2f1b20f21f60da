#include "ui/WideText.h"
#include <windows.h>

namespace corvane::ui {

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int len = static_cast<int>(utf8.size());
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), len, nullptr, 0);
    UINT cp = CP_UTF8;
    DWORD flags = MB_ERR_INVALID_CHARS;
    if (n <= 0) {
        // Not UTF-8: text an older version wrote in the code page.
        cp = CP_ACP;
        flags = 0;
        n = MultiByteToWideChar(cp, flags, utf8.data(), len, nullptr, 0);
        if (n <= 0) return {};
    }
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(cp, flags, utf8.data(), len, out.data(), n);
    return out;
}

std::string Narrow(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int len = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), len, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), len, out.data(), n, nullptr, nullptr);
    return out;
}

std::string Narrow(const wchar_t* wide) { return wide ? Narrow(std::wstring_view(wide)) : std::string(); }

std::wstring WidenFromCodePage(std::string_view text, unsigned codePage) {
    if (text.empty()) return {};
    const UINT cp = codePage ? codePage : CP_ACP;
    const int len = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(cp, 0, text.data(), len, nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(cp, 0, text.data(), len, wide.data(), n);
    return wide;
}

bool ToCodePage(std::string_view utf8, std::string& out, unsigned codePage) {
    const std::wstring wide = Widen(utf8);
    if (wide.empty()) {
        if (!utf8.empty()) return false;
        out.clear();
        return true;
    }
    const UINT cp = codePage ? codePage : GetACP();
    if (cp == CP_UTF8) {
        out = Narrow(wide);
        return true;
    }
    const int len = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(cp, WC_NO_BEST_FIT_CHARS, wide.data(), len, nullptr, 0, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return false;
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(cp, WC_NO_BEST_FIT_CHARS, wide.data(), len, bytes.data(), n, nullptr, &usedDefault);
    if (usedDefault) return false;
    // A round trip catches what the flags alone let through (characters with no exact mapping).
    const int back = MultiByteToWideChar(cp, 0, bytes.data(), n, nullptr, 0);
    std::wstring again(static_cast<size_t>(back > 0 ? back : 0), L'\0');
    if (back > 0) MultiByteToWideChar(cp, 0, bytes.data(), n, again.data(), back);
    if (again != wide) return false;
    out = std::move(bytes);
    return true;
}

std::string WindowText(HWND window) {
    if (!window) return {};
    const int n = GetWindowTextLengthW(window);
    if (n <= 0) return {};
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(window, buf.data(), n + 1);
    buf.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return Narrow(buf);
}

} // namespace corvane::ui
