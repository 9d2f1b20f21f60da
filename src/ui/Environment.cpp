#include "ui/Environment.h"
#include <vector>

namespace corvane::ui {

namespace {
std::string withBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder;
}

UINT WINAPI tempPath(LPSTR buf, UINT size) { return GetTempPathA(size, buf); }
} // namespace

Environment& environment() {
    static Environment e;
    return e;
}

bool systemReadsRightToLeft() {
    if (const std::optional<bool>& given = environment().rightToLeftSystem) return *given;
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

bool rightToLeftReading(bool asked) { return asked && systemReadsRightToLeft(); }

std::string executablePath(DWORD(WINAPI* get)(HMODULE, LPSTR, DWORD)) {
    for (DWORD size = MAX_PATH;; size *= 2) {
        std::vector<char> buf(size);
        DWORD n = get(nullptr, buf.data(), size);
        if (n < size || size >= 32768) return std::string(buf.data(), n);
    }
}

std::string readSystemFolder(UINT(WINAPI* get)(LPSTR, UINT)) {
    // The first ask uses 128 characters; a longer path is read again in full.
    std::vector<char> buf(128, '\0');
    UINT n = get(buf.data(), static_cast<UINT>(buf.size()));
    if (n >= buf.size()) {
        buf.assign(n + 1, '\0');
        n = get(buf.data(), static_cast<UINT>(buf.size()));
        if (n >= buf.size()) n = 0;
    }
    return std::string(buf.data(), n);
}

std::string programFolder() {
    const std::string& given = environment().folders.program;
    if (!given.empty()) return withBackslash(given);
    const std::string exe = executablePath();
    const auto slash = exe.find_last_of("\\/:");
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

std::string windowsFolder() {
    const std::string& given = environment().folders.windows;
    return withBackslash(given.empty() ? readSystemFolder(&GetWindowsDirectoryA) : given);
}

std::string systemFolder() {
    const std::string& given = environment().folders.system;
    return withBackslash(given.empty() ? readSystemFolder(&GetSystemDirectoryA) : given);
}

std::string tempFolder() {
    const std::string& given = environment().folders.temp;
    return withBackslash(given.empty() ? readSystemFolder(&tempPath) : given);
}

} // namespace corvane::ui
