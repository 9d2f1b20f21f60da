#include "ui/Registry.h"
#include "ui/Errors.h"
#include <vector>

namespace corvane::ui {

RegistryKey RegistryKey::open(HKEY root, const std::string& path, REGSAM access, bool create) {
    RegistryKey k;
    HKEY h = nullptr;
    LONG rc = create ? RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &h, nullptr)
                     : RegOpenKeyExA(root, path.c_str(), 0, access, &h);
    if (rc == ERROR_SUCCESS) k.key_.reset(h);
    return k;
}

bool RegistryKey::exists(HKEY root, const std::string& path) {
    return open(root, path, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, false).valid();
}

std::string RegistryKey::readString(const std::string& name) const {
    if (!key_) return {};
    DWORD type = 0, size = 0;
    LONG rc = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size);
    if (rc != ERROR_SUCCESS) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        if (size == 0) return {};
        throw UiError(formatMessage("Invalid data type for '%s'", name));
    }
    // The value may change between the two calls; retry when it grew.
    for (int attempt = 0; attempt < 4; ++attempt) {
        std::vector<char> buf(size + 1, '\0');
        DWORD got = size;
        rc = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &got);
        if (rc == ERROR_MORE_DATA) { size = got; continue; }
        if (rc != ERROR_SUCCESS) return {};
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            throw UiError(formatMessage("Invalid data type for '%s'", name));
        buf[got < buf.size() ? got : buf.size() - 1] = '\0';
        return std::string(buf.data()); // up to the first NUL
    }
    return {};
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
