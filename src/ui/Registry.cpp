#include "ui/Registry.h"
#include "ui/Errors.h"
#include <vector>

namespace corvane::ui {

RegistryKey RegistryKey::open(HKEY root, const std::string& path, REGSAM access, bool create) {
    RegistryKey k;
    HKEY h = nullptr;
    LONG rc = create ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &h,
                                       nullptr)
                     : RegOpenKeyExA(root, path.c_str(), 0, access, &h);
    if (rc == ERROR_SUCCESS) k.key_.reset(h);
    return k;
}

bool RegistryKey::exists(HKEY root, const std::string& path) {
    return open(root, path, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, false).valid();
}

std::string RegistryKey::readString(const std::string& name) const {
    if (!key_) return {};
    // One call for the usual short value; a longer one is read again at its size.
    char small[1024];
    DWORD type = 0, size = sizeof small;
    LONG rc = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(small), &size);
    std::vector<char> big;
    char* data = small;
    for (int attempt = 0; rc == ERROR_MORE_DATA && attempt < 4; ++attempt) {
        big.assign(size + 1, '\0');
        DWORD got = size;
        rc = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(big.data()), &got);
        size = got;
        data = big.data();
    }
    if (rc != ERROR_SUCCESS) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        if (size == 0) return {};
        throw UiError(SystemMessageText("Invalid data type for '%s'", name));
    }
    // The text ends at the first NUL, or with the data when it was stored without one.
    size_t n = 0;
    while (n < size && data[n] != '\0') ++n;
    return std::string(data, n);
}

bool RegistryKey::writeString(const std::string& name, const std::string& text) const {
    if (!key_) return false;
    return RegSetValueExA(key_.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool RegistryKey::deleteValue(const std::string& name) const {
    if (!key_) return false;
    LONG rc = RegDeleteValueA(key_.get(), name.c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

} // namespace corvane::ui
