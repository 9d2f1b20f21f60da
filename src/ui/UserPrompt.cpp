#include "ui/UserPrompt.h"
#include "ui/Environment.h"
#include "ui/WideText.h"
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
    std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
    const std::wstring proposed = Widen(req.fileName);
    proposed.copy(file.data(), file.size() - 1);
    // The filter's NUL separators survive the conversion: it is converted with its length.
    const std::wstring filter = Widen(ToDialogFilter(req.filter));
    const WideArg title(req.title), defaultExt(req.defaultExt);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(req.filterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = req.title.empty() ? nullptr : static_cast<const wchar_t*>(title);
    ofn.lpstrDefExt = req.defaultExt.empty() ? nullptr : static_cast<const wchar_t*>(defaultExt);
    ofn.Flags = req.flags | OFN_EXPLORER;
    BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok) return false;
    req.fileName = Narrow(file.data());
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
    return MessageBoxW(owner, WideArg(text), WideArg(caption), flags);
}

bool Win32Prompt::openFile(HWND owner, FileDialogRequest& req) { return RunFileDialog(owner, req, false); }
bool Win32Prompt::saveFile(HWND owner, FileDialogRequest& req) { return RunFileDialog(owner, req, true); }

bool Win32Prompt::browseForFolder(HWND owner, const std::string& title, std::string& folder) {
    BROWSEINFOW bi{};
    wchar_t name[MAX_PATH] = {};
    const WideArg wtitle(title);
    bi.hwndOwner = owner;
    bi.pszDisplayName = name;
    bi.lpszTitle = wtitle;
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST pidl = SHBrowseForFolderW(&bi);
    if (!pidl) return false;
    const std::string path = PathFromIdList(pidl);
    CoTaskMemFree(pidl);
    if (!path.empty()) folder = path;
    return !path.empty();
}

void Win32Prompt::shellOpen(HWND owner, const std::string& target) {
    ShellExecuteW(owner, L"Open", WideArg(target), nullptr, nullptr, SW_SHOW);
}

std::string PathFromIdList(LPCITEMIDLIST pidl) {
    if (!pidl) return {};
    wchar_t path[MAX_PATH] = {};
    return SHGetPathFromIDListW(pidl, path) ? Narrow(path) : std::string();
}

} // namespace corvane::ui
