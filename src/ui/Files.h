// Existence tests for files and folders; a relative path is taken from the current folder.
#pragma once
#include <string>

namespace corvane::ui {

bool FileExists(const std::string& path);      // an existing file, not a folder
bool DirectoryExists(const std::string& path); // an existing folder

// The text with each %NAME% of a defined environment variable replaced by its value; an
// undefined one stays as it stands, so a folder named with percent signs still works.
std::string ExpandEnvironment(const std::string& text);

// Where a shortcut (.lnk) points, resolved without searching and without any window;
// empty when the file is no shortcut or it points nowhere.
std::string ShortcutTarget(const std::string& shortcut);

// A temporary file beside `target` that starts as a copy of it (empty when there is no
// target yet), so a write that stops half-way never reaches the target: commit() moves
// it into place, and one not committed is deleted. A read-only target is not replaced.
class FileReplacement {
public:
    explicit FileReplacement(const std::string& target);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    bool valid() const { return !path_.empty(); }
    const std::string& path() const { return path_; } // empty when it could not be made
    bool commit();

private:
    std::string target_, path_;
};

} // namespace corvane::ui
