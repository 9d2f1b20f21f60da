#include "ui/Files.h"
#include "ui/WideText.h"
#include <windows.h>
#include <shlobj.h>

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

std::string ExpandEnvironment(const std::string& text) {
    if (text.find('%') == std::string::npos) return text;
    const std::wstring wide = Widen(text);
    std::wstring out(wide.size() + 64, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD n = ExpandEnvironmentStringsW(wide.c_str(), out.data(), static_cast<DWORD>(out.size()));
        if (n == 0) return text;
        if (n <= out.size()) return Narrow(std::wstring_view(out.data(), n - 1));
        out.assign(n, L'\0');
    }
    return text;
}

// A target on a share that does not answer costs the caller this much at most.
constexpr DWORD kResolveWaitMs = 1000;

std::string ShortcutTarget(const std::string& shortcut) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return {};
    std::string target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(WideArg(shortcut), STGM_READ)) &&
            SUCCEEDED(
                link->Resolve(nullptr, SLR_NO_UI | SLR_NOSEARCH | SLR_NOTRACK | SLR_NOUPDATE | kResolveWaitMs << 16))) {
            // The ID list first: it names the target in full, where the link's own path
            // text may have passed through the code page (Wine's does).
            wchar_t path[MAX_PATH] = {};
            PIDLIST_ABSOLUTE pidl = nullptr;
            if (SUCCEEDED(link->GetIDList(&pidl)) && pidl) {
                if (SHGetPathFromIDListW(pidl, path)) target = Narrow(path);
                CoTaskMemFree(pidl);
            }
            if (target.empty() && SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0))) target = Narrow(path);
        }
        file->Release();
    }
    link->Release();
    return target;
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
