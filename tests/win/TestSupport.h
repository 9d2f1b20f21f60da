// Helpers for the Win32 tests: a scripted user, a private registry key, a temporary
// folder and pixel capture of windows.
#pragma once
#include "ui/Form.h"
#include "ui/UserPrompt.h"
#include <windows.h>
#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace corvane::test {

struct PromptCall {
    std::string kind; // "message", "open", "save", "browse", "shell"
    std::string text;
    std::string caption;
    UINT flags = 0;
};

// Answers everything the program asks the user from a script, and records the questions.
class ScriptedPrompt : public ui::UserPrompt {
public:
    ScriptedPrompt();
    ~ScriptedPrompt() override;

    std::deque<int> messageAnswers;        // IDYES, IDNO...; IDOK when empty
    std::deque<std::string> fileAnswers;   // "" cancels
    std::deque<std::string> folderAnswers; // "" cancels
    std::vector<PromptCall> calls;
    std::vector<ui::FileDialogRequest> fileRequests;
    std::function<void()> duringMessage; // runs while a message box is "open"

    int messageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) override;
    bool openFile(HWND owner, ui::FileDialogRequest& req) override;
    bool saveFile(HWND owner, ui::FileDialogRequest& req) override;
    bool browseForFolder(HWND owner, const std::string& title, std::string& folder) override;
    void shellOpen(HWND owner, const std::string& target) override;

    int count(const std::string& kind) const;

private:
    bool fileDialog(const char* kind, ui::FileDialogRequest& req);
    ui::UserPrompt* previous_;
};

// A registry sub-key of HKEY_CURRENT_USER for one test, removed before and after.
class TestKey {
public:
    explicit TestKey(const std::string& name);
    ~TestKey();
    const std::string& path() const { return path_; }
    // Texts in UTF-8, written and read with the wide registry calls as another program would.
    void set(const std::string& name, const std::string& text) const;
    void setWide(const std::string& name, const std::wstring& text) const;
    std::wstring getWide(const std::string& name) const;
    void setDword(const std::string& name, DWORD v) const;
    // The value's text, or "<missing>"; "<type N>" for a value of another type.
    std::string get(const std::string& name) const;
    DWORD sizeOf(const std::string& name) const; // data size in bytes
    std::vector<std::string> valueNames() const;
    bool exists() const;
    void remove() const;

private:
    std::string path_;
};

// UTF-8 and UTF-16 through the system's own conversion, never the product's.
std::wstring ToUtf16(const std::string& utf8);
// Saves a shortcut (.lnk) at `lnk` to `target`; false when it could not be made.
bool MakeShortcut(const std::wstring& lnk, const std::wstring& target);
std::string ToUtf8(const std::wstring& utf16);

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& path() const { return path_; } // ends in a backslash
    std::string file(const std::string& name) const { return path_ + name; }
    void write(const std::string& name, const std::string& content) const;
    std::string read(const std::string& name) const;

private:
    std::string path_;
};

// A temporary folder the program takes as its own while this lives, holding an options
// file with `options` (by default: no tips dialog at start-up).
class ProgramFolder : public TempFolder {
public:
    explicit ProgramFolder(const std::string& options = "[Options]\r\nShowTips=0\r\n");
    ~ProgramFolder();
};

bool FileExists(const std::string& path);

// Handles the messages already queued, then runs the idle step; never waits.
void PumpPending();
// Runs the message loop until `done` holds or `timeoutMs` passes; false on the timeout.
// Wakes on every message, so it costs only as long as the condition takes.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);
// Runs the message loop for `ms` milliseconds: only for tests whose subject is time
// passing (a repeat timer's rate) or input the system delivers with no event to await.
void PumpFor(int ms);

// A copy of a window's client area, drawn by the window itself.
class Capture {
public:
    explicit Capture(HWND w);
    COLORREF pixel(int x, int y) const;
    int width() const { return w_; }
    int height() const { return h_; }
    // Pixels in [rect) that satisfy pred.
    int count(RECT r, const std::function<bool(COLORREF)>& pred) const;
    // The same picture, pixel for pixel.
    bool operator==(const Capture& other) const { return w_ == other.w_ && h_ == other.h_ && px_ == other.px_; }
    // The smallest rectangle holding every pixel in [rect) that satisfies pred; empty when none does.
    RECT bounds(RECT r, const std::function<bool(COLORREF)>& pred) const;

private:
    int w_ = 0, h_ = 0;
    std::vector<DWORD> px_;
};

// The size of `text` in the font the window reports (WM_GETFONT).
SIZE TextSizeIn(HWND w, const std::string& text);
// Real input, as a user gives it, sent with SendInput; each helper then runs the
// message loop until this thread has taken the last of it from its queue and handled
// it (seen through thread input hooks), and returns false when that did not happen
// within `timeoutMs`. Mouse input bound for no window of this thread is not waited for.
bool SendInputAndWait(const std::vector<INPUT>& in, int timeoutMs = 2000);
// The cursor to a point of a window's client area (screen coordinates with no window).
bool MoveMouseTo(HWND w, int x, int y);
// The left button pressed or released where the cursor is.
bool LeftButton(bool up);
// Keys pressed in order and released in reverse (Ctrl+S is {VK_CONTROL, 'S'}).
bool PressKeys(std::initializer_list<WORD> keys);
// The same keys sent without waiting: for a timer inside a loop of the system's (an
// open menu), whose keys this thread's own message loop must not take.
void SendKeys(std::initializer_list<WORD> keys);
// A pixel of the screen at a point of a window's client area.
COLORREF ScreenPixelOf(HWND w, int x, int y);

// Ends what a test's input failed to end, so that one missed input costs one case
// instead of hanging the run: after `ms` it runs `giveUp` once. Killed with its scope,
// so it never fires into a later test.
class GiveUpTimer {
public:
    GiveUpTimer(int ms, std::function<void()> giveUp);
    ~GiveUpTimer();
    GiveUpTimer(const GiveUpTimer&) = delete;
    GiveUpTimer& operator=(const GiveUpTimer&) = delete;
    bool fired() const { return fired_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
    std::function<void()> giveUp_;
    UINT_PTR id_ = 0;
    bool fired_ = false;
};
// The usual give-up: close any menu, end any window move loop, abort the form's modal loop.
void EndModalLoop(ui::Form& form);
// Cancels every visible dialog box (class "#32770") of this thread.
void CancelThreadDialogs();

inline bool IsReddish(COLORREF c) { return GetRValue(c) > 180 && GetGValue(c) < 80 && GetBValue(c) < 80; }

} // namespace corvane::test
