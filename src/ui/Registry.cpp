#include "ui/Registry.h"
#include "ui/Errors.h"
#include "ui/WideText.h"
#include <vector>

namespace corvane::ui {

RegistryKey RegistryKey::open(HKEY root, const std::string& path, REGSAM access, bool create) {
    RegistryKey k;
    HKEY h = nullptr;
    const WideArg wpath(path);
    LONG rc = create ? RegCreateKeyExW(root, wpath, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &h, nullptr)
                     : RegOpenKeyExW(root, wpath, 0, access, &h);
    if (rc == ERROR_SUCCESS) k.key_.reset(h);
    return k;
}

bool RegistryKey::exists(HKEY root, const std::string& path) {
    return open(root, path, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, false).valid();
}

std::string RegistryKey::readString(const std::string& name) const {
    if (!key_) return {};
    const WideArg wname(name);
    // One call for the usual short value; a longer one is read again at its size.
    wchar_t small[512];
    DWORD type = 0, size = sizeof small;
    LONG rc = RegQueryValueExW(key_.get(), wname, nullptr, &type, reinterpret_cast<BYTE*>(small), &size);
    std::vector<wchar_t> big;
    const wchar_t* data = small;
    for (int attempt = 0; rc == ERROR_MORE_DATA && attempt < 4; ++attempt) {
        big.assign(size / sizeof(wchar_t) + 2, L'\0');
        DWORD got = static_cast<DWORD>(big.size() * sizeof(wchar_t));
        rc = RegQueryValueExW(key_.get(), wname, nullptr, &type, reinterpret_cast<BYTE*>(big.data()), &got);
        size = got;
        data = big.data();
    }
    if (rc != ERROR_SUCCESS) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        if (size == 0) return {};
        throw UiError(SystemMessageText("Invalid data type for '%s'", name));
    }
    // The text ends at the first NUL, or with the data when it was stored without one
    // (an odd last byte is no whole character).
    const size_t units = size / sizeof(wchar_t);
    size_t n = 0;
    while (n < units && data[n] != L'\0') ++n;
    return Narrow(std::wstring_view(data, n));
}

bool RegistryKey::writeString(const std::string& name, const std::string& text) const {
    if (!key_) return false;
    const std::wstring wide = Widen(text);
    return RegSetValueExW(key_.get(), WideArg(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool RegistryKey::deleteValue(const std::string& name) const {
    if (!key_) return false;
    LONG rc = RegDeleteValueW(key_.get(), WideArg(name));
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

} // namespace corvane::ui
