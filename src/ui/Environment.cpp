#include "ui/Environment.h"
#include "ui/WideText.h"
#include <vector>

namespace corvane::ui {

namespace {
std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder;
}

UINT WINAPI TempPath(LPWSTR buf, UINT size) { return GetTempPathW(size, buf); }
} // namespace

Environment& TheEnvironment() {
    static Environment e;
    return e;
}

bool SystemReadsRightToLeft() {
    if (const std::optional<bool>& given = TheEnvironment().rightToLeftSystem) return *given;
    // The locale's own statement of its layout (bit 123 of its Unicode subsets),
    // not whether Hebrew or Arabic support happens to be installed, which
    // SM_MIDEASTENABLED reports for left-to-right users too. Binary data: the wide
    // call hands it over untouched.
    LOCALESIGNATURE sig{};
    if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_FONTSIGNATURE, reinterpret_cast<LPWSTR>(&sig),
                        sizeof sig / sizeof(WCHAR)))
        return false;
    return (sig.lsUsb[123 / 32] & (1u << (123 % 32))) != 0;
}

bool RightToLeftReading(bool asked) { return asked && SystemReadsRightToLeft(); }

std::string ExecutablePath(DWORD(WINAPI* get)(HMODULE, LPWSTR, DWORD)) {
    for (DWORD size = MAX_PATH;; size *= 2) {
        std::vector<wchar_t> buf(size);
        DWORD n = get(nullptr, buf.data(), size);
        if (n < size || size >= 32768) return Narrow(std::wstring_view(buf.data(), n));
    }
}

std::string ReadSystemFolder(UINT(WINAPI* get)(LPWSTR, UINT)) {
    // The first ask uses 128 characters; a longer path is read again in full.
    std::vector<wchar_t> buf(128, L'\0');
    UINT n = get(buf.data(), static_cast<UINT>(buf.size()));
    if (n >= buf.size()) {
        buf.assign(n + 1, L'\0');
        n = get(buf.data(), static_cast<UINT>(buf.size()));
        if (n >= buf.size()) n = 0;
    }
    return Narrow(std::wstring_view(buf.data(), n));
}

std::string ProgramFolder() {
    const std::string& given = TheEnvironment().folders.program;
    if (!given.empty()) return WithBackslash(given);
    const std::string exe = ExecutablePath();
    const auto slash = exe.find_last_of("\\/:");
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

std::string WindowsFolderPath() {
    const std::string& given = TheEnvironment().folders.windows;
    return WithBackslash(given.empty() ? ReadSystemFolder(&GetWindowsDirectoryW) : given);
}

std::string SystemFolder() {
    const std::string& given = TheEnvironment().folders.system;
    return WithBackslash(given.empty() ? ReadSystemFolder(&GetSystemDirectoryW) : given);
}

std::string TempFolder() {
    const std::string& given = TheEnvironment().folders.temp;
    return WithBackslash(given.empty() ? ReadSystemFolder(&TempPath) : given);
}

} // namespace corvane::ui
