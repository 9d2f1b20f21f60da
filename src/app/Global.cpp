#include "app/Global.h"
#include "app/IniNumbers.h"
#include "ui/Errors.h"
#include "ui/IniFile.h"
#include <shlobj.h>
#include <vector>

namespace corvane::app {

namespace {
std::string g_folderOverride;
} // namespace

std::string ExecutablePath(DWORD(WINAPI* get)(HMODULE, LPSTR, DWORD)) {
    for (DWORD size = MAX_PATH;; size *= 2) {
        std::vector<char> buf(size);
        DWORD n = get(nullptr, buf.data(), size);
        if (n < size || size >= 32768) return std::string(buf.data(), n);
    }
}

std::string ProgramFolder() {
    if (!g_folderOverride.empty()) return g_folderOverride;
    std::string exe = ExecutablePath();
    auto slash = exe.find_last_of("\\/:");
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

void SetProgramFolderOverride(const std::string& folder) {
    g_folderOverride = folder;
    if (!g_folderOverride.empty() && g_folderOverride.back() != '\\') g_folderOverride += '\\';
}

std::string OptionsFilePath() { return ProgramFolder() + "options.ini"; }

void LoadSaveOptions(bool load) {
    ui::IniFile ini(OptionsFilePath());
    struct Flag { const char* key; bool* value; };
    const Flag flags[] = {{"ExploreFolder", &ExploreFolder}, {"AskDelete", &AskDelete}, {"ShowTips", &ShowTips}};
    for (const Flag& f : flags) {
        if (load) {
            *f.value = ParseOptionValue(ini.readString(kOptionsSection, f.key, ""), true);
        } else if (!ini.writeString(kOptionsSection, f.key, *f.value ? "1" : "0")) {
            throw ui::UiError(ui::formatMessage("Unable to write to %s", ini.path()));
        }
    }
}

std::string WindowsFolder(UINT(WINAPI* get)(LPSTR, UINT)) {
    // The first ask uses 128 characters; a longer path is read again in full.
    std::vector<char> buf(128, '\0');
    UINT n = get(buf.data(), static_cast<UINT>(buf.size()));
    if (n >= buf.size()) {
        buf.assign(n + 1, '\0');
        n = get(buf.data(), static_cast<UINT>(buf.size()));
        if (n >= buf.size()) n = 0;
    }
    return std::string(buf.data(), n);
}

bool DirectoryExists(const std::string& path) {
    const DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

int CALLBACK CentreBrowseDialog(HWND window, UINT message, LPARAM, LPARAM) {
    if (message == BFFM_INITIALIZED) {
        int x = 0, y = 0;
        RECT r;
        // By the client size, so the dialog sits a little right of and below the centre.
        if (GetClientRect(window, &r)) {
            x = (GetSystemMetrics(SM_CXSCREEN) - r.right) / 2;
            y = (GetSystemMetrics(SM_CYSCREEN) - r.bottom) / 2;
        }
        SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;
}

namespace {

struct DisabledWindows {
    std::vector<HWND> windows;
};

BOOL CALLBACK DisableProgramWindow(HWND w, LPARAM lp) {
    if (IsWindowEnabled(w)) {
        EnableWindow(w, FALSE);
        reinterpret_cast<DisabledWindows*>(lp)->windows.push_back(w);
    }
    return TRUE;
}

// Releases a COM interface when the scope ends.
template <class T>
struct ComRef {
    T* p = nullptr;
    ~ComRef() { if (p) p->Release(); }
};

} // namespace

bool BrowseForFolder(const std::string& title, const std::wstring& root, std::string& directory, HWND owner) {
    if (!DirectoryExists(directory)) directory.clear();
    ComRef<IMalloc> malloc;
    if (FAILED(SHGetMalloc(&malloc.p)) || !malloc.p) return false;
    auto* buffer = static_cast<char*>(malloc.p->Alloc(MAX_PATH));
    if (!buffer) return false;
    buffer[0] = '\0';
    if (!owner) owner = GetActiveWindow();

    LPITEMIDLIST rootList = nullptr;
    if (!root.empty()) {
        ComRef<IShellFolder> desktop;
        if (SUCCEEDED(SHGetDesktopFolder(&desktop.p)) && desktop.p) {
            std::wstring name = root; // the parser wants a writable string
            ULONG eaten = 0;
            if (FAILED(desktop.p->ParseDisplayName(owner, nullptr, name.data(), &eaten, &rootList, nullptr)))
                rootList = nullptr;
        }
    }

    BROWSEINFOA bi{};
    bi.hwndOwner = owner;
    bi.pidlRoot = rootList;
    bi.pszDisplayName = buffer;
    bi.lpszTitle = title.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    bi.lpfn = &CentreBrowseDialog;
    bi.lParam = 0;

    DisabledWindows disabled;
    EnumThreadWindows(GetCurrentThreadId(), &DisableProgramWindow, reinterpret_cast<LPARAM>(&disabled));
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    LPITEMIDLIST chosen = SHBrowseForFolderA(&bi);
    SetErrorMode(oldMode);
    for (HWND w : disabled.windows)
        if (IsWindow(w)) EnableWindow(w, TRUE);
    // The owner was disabled when the browser closed, so activation went elsewhere.
    if (owner && IsWindow(owner)) SetActiveWindow(owner);

    bool ok = false;
    if (chosen) {
        // A chosen item without a file-system path gives no folder rather than an empty one.
        ok = SHGetPathFromIDListA(chosen, buffer) != FALSE;
        malloc.p->Free(chosen);
        if (ok) directory = buffer;
    }
    if (rootList) malloc.p->Free(rootList);
    malloc.p->Free(buffer);
    return ok;
}

bool ProductPrompt::browseForFolder(HWND owner, const std::string& title, std::string& folder) {
    return BrowseForFolder(title, std::wstring(), folder, owner);
}

} // namespace corvane::app
