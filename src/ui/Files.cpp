#include "ui/Files.h"
#include "ui/WideText.h"
#include <windows.h>

namespace corvane::ui {

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesW(WideArg(path));
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    const DWORD a = GetFileAttributesW(WideArg(path));
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

FileReplacement::FileReplacement(const std::string& target) : target_(target) {
    const DWORD a = GetFileAttributesW(WideArg(target));
    if (a != INVALID_FILE_ATTRIBUTES && (a & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return;
    const size_t cut = target.find_last_of("\\/:");
    const std::string folder = cut == std::string::npos ? std::string(".") : target.substr(0, cut + 1);
    wchar_t name[MAX_PATH + 1] = {};
    if (!GetTempFileNameW(WideArg(folder), L"cvn", 0, name)) return;
    path_ = Narrow(name);
    if (a != INVALID_FILE_ATTRIBUTES && !CopyFileW(WideArg(target), name, FALSE)) {
        DeleteFileW(name);
        path_.clear();
    }
}

FileReplacement::~FileReplacement() {
    if (!path_.empty()) DeleteFileW(WideArg(path_));
}

bool FileReplacement::commit() {
    if (path_.empty()) return false;
    if (!MoveFileExW(WideArg(path_), WideArg(target_), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return false;
    path_.clear();
    return true;
}

} // namespace corvane::ui
