#include "ui/Files.h"
#include <windows.h>

namespace corvane::ui {

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

FileReplacement::FileReplacement(const std::string& target) : target_(target) {
    const DWORD a = GetFileAttributesA(target.c_str());
    if (a != INVALID_FILE_ATTRIBUTES && (a & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return;
    const size_t cut = target.find_last_of("\\/:");
    const std::string folder = cut == std::string::npos ? std::string(".") : target.substr(0, cut + 1);
    char name[MAX_PATH + 1] = {};
    if (!GetTempFileNameA(folder.c_str(), "cvn", 0, name)) return;
    path_ = name;
    if (a != INVALID_FILE_ATTRIBUTES && !CopyFileA(target.c_str(), name, FALSE)) {
        DeleteFileA(name);
        path_.clear();
    }
}

FileReplacement::~FileReplacement() {
    if (!path_.empty()) DeleteFileA(path_.c_str());
}

bool FileReplacement::commit() {
    if (path_.empty()) return false;
    if (!MoveFileExA(path_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return false;
    path_.clear();
    return true;
}

} // namespace corvane::ui
