#include "app/Global.h"
#include "ui/WideText.h"
#include "ui/Application.h"
#include "ui/Environment.h"
#include "ui/Errors.h"
#include "ui/Files.h"
#include "ui/Modal.h"
#include "ui/UserPrompt.h"
#include <shlobj.h>
#include <vector>

namespace corvane::app {

void ConfigureApplication() {
    ui::Application::instance().setTitle(kProgramTitle);
    ui::Application::instance().setIconResource(kIconResource);
    ui::Application::instance().setFormClassName(kFormClass);
}

std::string OptionsFilePath() { return ui::ProgramFolder() + kOptionsFileName; }

void LoadSaveOptions(OptionFlags& options, bool load) {
    if (load) options = ReadOptions(OptionsFilePath());
    else WriteOptions(OptionsFilePath(), options);
}

std::string WindowsFolder(UINT(WINAPI* get)(LPWSTR, UINT)) { return ui::ReadSystemFolder(get); }

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

// Releases a COM interface when the scope ends.
template <class T>
struct ComRef {
    T* p = nullptr;
    ~ComRef() {
        if (p) p->Release();
    }
};

} // namespace

bool BrowseForFolder(const std::string& title, const std::wstring& root, std::string& directory, HWND owner) {
    if (!ui::DirectoryExists(directory)) directory.clear();
    ComRef<IMalloc> malloc;
    if (FAILED(SHGetMalloc(&malloc.p)) || !malloc.p) return false;
    auto* buffer = static_cast<wchar_t*>(malloc.p->Alloc(MAX_PATH * sizeof(wchar_t)));
    if (!buffer) return false;
    buffer[0] = L'\0';
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

    const ui::WideArg wtitle(title);
    BROWSEINFOW bi{};
    bi.hwndOwner = owner;
    bi.pidlRoot = rootList;
    bi.pszDisplayName = buffer;
    bi.lpszTitle = wtitle;
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    bi.lpfn = &CentreBrowseDialog;
    bi.lParam = 0;

    LPITEMIDLIST chosen = nullptr;
    {
        ui::ModalScope others;
        const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
        chosen = SHBrowseForFolderW(&bi);
        SetErrorMode(oldMode);
    }
    // The owner was disabled when the browser closed, so activation went elsewhere.
    if (owner && IsWindow(owner)) SetActiveWindow(owner);

    bool ok = false;
    if (chosen) {
        // A chosen item without a file-system path gives no folder rather than an empty one.
        const std::string path = ui::PathFromIdList(chosen);
        ok = !path.empty();
        malloc.p->Free(chosen);
        if (ok) directory = path;
    }
    if (rootList) malloc.p->Free(rootList);
    malloc.p->Free(buffer);
    return ok;
}

bool ProductPrompt::browseForFolder(HWND owner, const std::string& title, std::string& folder) {
    return BrowseForFolder(title, std::wstring(), folder, owner);
}

} // namespace corvane::app
