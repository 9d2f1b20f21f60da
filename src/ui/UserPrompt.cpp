#include "ui/UserPrompt.h"
#include "ui/Environment.h"
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <vector>

namespace corvane::ui {

namespace {
Win32Prompt& TheWin32Prompt() {
    static Win32Prompt p;
    return p;
}

bool RunFileDialog(HWND owner, FileDialogRequest& req, bool save) {
    std::vector<char> file(MAX_PATH * 4, '\0');
    req.fileName.copy(file.data(), file.size() - 1);
    std::string filter = ToDialogFilter(req.filter);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(req.filterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = req.title.empty() ? nullptr : req.title.c_str();
    ofn.lpstrDefExt = req.defaultExt.empty() ? nullptr : req.defaultExt.c_str();
    ofn.Flags = req.flags | OFN_EXPLORER;
    BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!ok) return false;
    req.fileName = file.data();
    req.filterIndex = static_cast<int>(ofn.nFilterIndex);
    return true;
}
} // namespace

UserPrompt& ThePrompt() {
    UserPrompt* p = TheEnvironment().prompt;
    return p ? *p : TheWin32Prompt();
}

UserPrompt* SetPrompt(UserPrompt* p) {
    UserPrompt* old = TheEnvironment().prompt;
    TheEnvironment().prompt = p;
    return old;
}

std::string ToDialogFilter(const std::string& filter) {
    if (filter.empty()) return {};
    std::string out = filter;
    for (char& c : out)
        if (c == '|') c = '\0';
    out.push_back('\0');
    out.push_back('\0');
    return out;
}

int Win32Prompt::messageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

bool Win32Prompt::openFile(HWND owner, FileDialogRequest& req) { return RunFileDialog(owner, req, false); }
bool Win32Prompt::saveFile(HWND owner, FileDialogRequest& req) { return RunFileDialog(owner, req, true); }

bool Win32Prompt::browseForFolder(HWND owner, const std::string& title, std::string& folder) {
    BROWSEINFOA bi{};
    char name[MAX_PATH] = {};
    bi.hwndOwner = owner;
    bi.pszDisplayName = name;
    bi.lpszTitle = title.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST pidl = SHBrowseForFolderA(&bi);
    if (!pidl) return false;
    char path[MAX_PATH] = {};
    bool ok = SHGetPathFromIDListA(pidl, path) != FALSE;
    CoTaskMemFree(pidl);
    if (ok) folder = path;
    return ok;
}

void Win32Prompt::shellOpen(HWND owner, const std::string& target) {
    ShellExecuteA(owner, "Open", target.c_str(), nullptr, nullptr, SW_SHOW);
}

} // namespace corvane::ui
