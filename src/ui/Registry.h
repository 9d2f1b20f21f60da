// Registry access under one key: each object opens its own handle and closes it.
#pragma once
#include "ui/Handles.h"
#include <optional>
#include <string>

namespace corvane::ui {

class RegistryKey {
public:
    // Opens root\path; with create set the key is made when missing.
    static RegistryKey open(HKEY root, const std::string& path, REGSAM access, bool create);
    static bool exists(HKEY root, const std::string& path);

    bool valid() const { return static_cast<bool>(key_); }
    HKEY handle() const { return key_.get(); }

    // Text of a REG_SZ or REG_EXPAND_SZ value up to its first NUL; empty when missing.
    // Throws UiError "Invalid data type for '%s'" for other types holding data.
    std::string readString(const std::string& name) const;
    // Writes REG_SZ with the terminating NUL; false when the system refuses.
    bool writeString(const std::string& name, const std::string& text) const;
    // True when the value was deleted or did not exist.
    bool deleteValue(const std::string& name) const;
    void close() { key_.reset(); }

private:
    KeyHandle key_;
};

} // namespace corvane::ui
