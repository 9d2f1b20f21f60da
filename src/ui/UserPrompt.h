// The one seam for everything that waits for the user: message boxes, file dialogs,
// the folder browser and shell open. The product uses the Win32 implementation;
// tests install a scripted one.
#pragma once
#include <windows.h>
#include <shtypes.h>
#include <string>

namespace corvane::ui {

struct FileDialogRequest {
    std::string title;
    std::string filter; // "Text|pattern|Text|pattern", as the program gives it
    std::string defaultExt;
    std::string fileName; // in: proposed name; out: chosen path
    DWORD flags = 0;
    int filterIndex = 1;
};

class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    virtual int messageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) = 0;
    virtual bool openFile(HWND owner, FileDialogRequest& req) = 0;
    virtual bool saveFile(HWND owner, FileDialogRequest& req) = 0;
    // Returns the chosen folder, or false when the user cancelled.
    virtual bool browseForFolder(HWND owner, const std::string& title, std::string& folder) = 0;
    virtual void shellOpen(HWND owner, const std::string& target) = 0;
};

// The real dialogs of the platform.
class Win32Prompt : public UserPrompt {
public:
    int messageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) override;
    bool openFile(HWND owner, FileDialogRequest& req) override;
    bool saveFile(HWND owner, FileDialogRequest& req) override;
    bool browseForFolder(HWND owner, const std::string& title, std::string& folder) override;
    void shellOpen(HWND owner, const std::string& target) override;
};

// The environment's prompt (ui/Environment.h), or the Win32 one.
UserPrompt& ThePrompt();
// Installs another prompt (nullptr puts the Win32 one back); returns the previous one.
UserPrompt* SetPrompt(UserPrompt* p);

// "a|b|c|d" to the double-NUL-terminated form the common dialogs want.
std::string ToDialogFilter(const std::string& filter);

// The file-system path of a shell item ID list; empty when it has none.
std::string PathFromIdList(LPCITEMIDLIST pidl);

} // namespace corvane::ui
