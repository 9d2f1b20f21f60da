#include "ui/IniFile.h"
#include <windows.h>
#include <vector>

namespace corvane::ui {

std::string IniFile::readString(const std::string& section, const std::string& key, const std::string& def,
                                unsigned maxChars) const {
    std::vector<char> buf(maxChars + 1, '\0');
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buf.data(),
                                       static_cast<DWORD>(buf.size()), path_.c_str());
    return std::string(buf.data(), n);
}

std::string IniFile::readWholeString(const std::string& section, const std::string& key, const std::string& def) const {
    // A value that fills the buffer to its last character may have been cut.
    for (unsigned size = 2048;; size *= 2) {
        std::vector<char> buf(size, '\0');
        const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buf.data(), size,
                                                 path_.c_str());
        if (n + 1 < size || size >= (1u << 26)) return std::string(buf.data(), n);
    }
}

bool IniFile::writeString(const std::string& section, const std::string& key, const std::string& value) const {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) != FALSE;
}

} // namespace corvane::ui
