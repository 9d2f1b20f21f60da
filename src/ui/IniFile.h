// INI file access through the platform's private profile functions.
#pragma once
#include <string>

namespace corvane::ui {

class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }
    // Reads at most maxChars characters; `def` when the key is missing.
    std::string readString(const std::string& section, const std::string& key, const std::string& def,
                           unsigned maxChars = 2047) const;
    // Reads the whole value however long it is; `def` when the key is missing.
    std::string readWholeString(const std::string& section, const std::string& key, const std::string& def) const;
    bool writeString(const std::string& section, const std::string& key, const std::string& value) const;

private:
    std::string path_;
};

} // namespace corvane::ui
