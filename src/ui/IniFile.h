// INI file access through the platform's private profile functions (their wide forms).
// The functions read and write a file that starts with a UTF-16LE byte-order mark as
// Unicode, and any other as text in the system's code page.
#pragma once
#include <string>
#include <vector>

namespace corvane::ui {

class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }
    // Reads at most maxChars characters (never half of one); `def` when the key is missing.
    std::string readString(const std::string& section, const std::string& key, const std::string& def,
                           unsigned maxChars = 2047) const;
    // Reads the whole value however long it is; `def` when the key is missing.
    std::string readWholeString(const std::string& section, const std::string& key, const std::string& def) const;
    bool writeString(const std::string& section, const std::string& key, const std::string& value) const;
    // The key names of a section, read in full however many there are.
    std::vector<std::string> keyNames(const std::string& section) const;

private:
    std::string path_;
};

enum class TextEncoding { CodePage, Utf16Le, Utf8 }; // the last two by their byte-order marks

// How a file's text is encoded, from its first bytes; CodePage for a missing or empty file.
TextEncoding FileTextEncoding(const std::string& path);
// Rewrites a file's whole text as UTF-16LE with its byte-order mark (a missing file is
// made holding the mark alone), decoding it from the code page or UTF-8 as its mark says.
bool RewriteAsUtf16(const std::string& path);

} // namespace corvane::ui
