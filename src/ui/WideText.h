// The one place where the program's UTF-8 text meets the wide text of Windows. Every
// call into Windows that takes or returns text goes through the W form with these.
#pragma once
#include <windows.h>
#include <string>
#include <string_view>

namespace corvane::ui {

// UTF-8 to UTF-16. Invalid UTF-8 bytes (text from an older version written in the code
// page) are taken as code-page characters rather than dropped.
std::wstring Widen(std::string_view utf8);
// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string Narrow(std::wstring_view wide);
std::string Narrow(const wchar_t* wide);

// Code-page text (an older store or file written by the ANSI calls) to UTF-16 or UTF-8.
std::wstring WidenFromCodePage(std::string_view text, unsigned codePage = 0);
inline std::string FromCodePage(std::string_view text, unsigned codePage = 0) {
    return Narrow(WidenFromCodePage(text, codePage));
}
// UTF-8 to the code page, only when every character is in it unchanged (no best fit,
// no default character): false otherwise and `out` is left alone.
bool ToCodePage(std::string_view utf8, std::string& out, unsigned codePage = 0);
inline bool FitsCodePage(std::string_view utf8, unsigned codePage = 0) {
    std::string ignored;
    return ToCodePage(utf8, ignored, codePage);
}

// A NUL-terminated wide copy, for the many calls that take LPCWSTR.
class WideArg {
public:
    explicit WideArg(std::string_view utf8) : text_(Widen(utf8)) {}
    operator const wchar_t*() const { return text_.c_str(); }

private:
    std::wstring text_;
};

// A window's text, whole, in UTF-8.
std::string WindowText(HWND window);

} // namespace corvane::ui
