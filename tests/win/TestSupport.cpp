#include "TestSupport.h"
#include "ui/Environment.h"
#include "ui/Gdi.h"
#include "ui/Application.h"
#include <shlobj.h>
#include <shlwapi.h>
#include <algorithm>
#include <fstream>
#include <sstream>

namespace corvane::test {

ScriptedPrompt::ScriptedPrompt() : previous_(ui::SetPrompt(this)) {}
ScriptedPrompt::~ScriptedPrompt() { ui::SetPrompt(previous_); }

int ScriptedPrompt::messageBox(HWND, const std::string& text, const std::string& caption, UINT flags) {
    calls.push_back({"message", text, caption, flags});
    if (duringMessage) duringMessage();
    if (messageAnswers.empty()) return IDOK;
    int a = messageAnswers.front();
    messageAnswers.pop_front();
    return a;
}

bool ScriptedPrompt::fileDialog(const char* kind, ui::FileDialogRequest& req) {
    calls.push_back({kind, req.title, req.filter, req.flags});
    fileRequests.push_back(req);
    if (fileAnswers.empty()) return false;
    std::string a = fileAnswers.front();
    fileAnswers.pop_front();
    if (a.empty()) return false;
    req.fileName = a;
    return true;
}

bool ScriptedPrompt::openFile(HWND, ui::FileDialogRequest& req) { return fileDialog("open", req); }
bool ScriptedPrompt::saveFile(HWND, ui::FileDialogRequest& req) { return fileDialog("save", req); }

bool ScriptedPrompt::browseForFolder(HWND, const std::string& title, std::string& folder) {
    calls.push_back({"browse", title, "", 0});
    if (folderAnswers.empty()) return false;
    std::string a = folderAnswers.front();
    folderAnswers.pop_front();
    if (a.empty()) return false;
    folder = a;
    return true;
}

void ScriptedPrompt::shellOpen(HWND, const std::string& target) { calls.push_back({"shell", target, "", 0}); }

int ScriptedPrompt::count(const std::string& kind) const {
    int n = 0;
    for (auto& c : calls) n += c.kind == kind;
    return n;
}

namespace {
// The tests' own conversion, straight through the system, never the product's.
std::wstring Utf16(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}
std::string Utf8(const std::wstring& w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
    return out;
}
} // namespace

bool MakeShortcut(const std::wstring& lnk, const std::wstring& target) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return false;
    link->SetPath(target.c_str());
    IPersistFile* file = nullptr;
    bool saved = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
                 SUCCEEDED(file->Save(lnk.c_str(), TRUE));
    if (file) file->Release();
    link->Release();
    return saved;
}

std::wstring ToUtf16(const std::string& utf8) { return Utf16(utf8); }
std::string ToUtf8(const std::wstring& utf16) { return Utf8(utf16); }

TestKey::TestKey(const std::string& name) : path_("Software\\CorvaneTests\\" + name) { remove(); }
TestKey::~TestKey() { remove(); }

void TestKey::remove() const { SHDeleteKeyW(HKEY_CURRENT_USER, Utf16(path_).c_str()); }

bool TestKey::exists() const {
    HKEY h;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Utf16(path_).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
}

void TestKey::set(const std::string& name, const std::string& text) const { setWide(name, Utf16(text)); }

void TestKey::setWide(const std::string& name, const std::wstring& text) const {
    HKEY h;
    RegCreateKeyExW(HKEY_CURRENT_USER, Utf16(path_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    RegSetValueExW(h, Utf16(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
}

void TestKey::setDword(const std::string& name, DWORD v) const {
    HKEY h;
    RegCreateKeyExW(HKEY_CURRENT_USER, Utf16(path_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    RegSetValueExW(h, Utf16(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
    RegCloseKey(h);
}

std::string TestKey::get(const std::string& name) const { return Utf8(getWide(name)); }

std::wstring TestKey::getWide(const std::string& name) const {
    HKEY h;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Utf16(path_).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return L"<missing>";
    DWORD type = 0, size = 0;
    std::wstring out = L"<missing>";
    const std::wstring wname = Utf16(name);
    if (RegQueryValueExW(h, wname.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        if (type != REG_SZ) {
            out = L"<type " + std::to_wstring(type) + L">";
        } else {
            std::wstring buf(size / sizeof(wchar_t) + 1, L'\0');
            RegQueryValueExW(h, wname.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &size);
            out = std::wstring(buf.c_str());
        }
    }
    RegCloseKey(h);
    return out;
}

DWORD TestKey::sizeOf(const std::string& name) const {
    HKEY h;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Utf16(path_).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return 0;
    DWORD type = 0, size = 0;
    RegQueryValueExW(h, Utf16(name).c_str(), nullptr, &type, nullptr, &size);
    RegCloseKey(h);
    return size;
}

std::vector<std::string> TestKey::valueNames() const {
    std::vector<std::string> names;
    HKEY h;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Utf16(path_).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return names;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD len = 256;
        if (RegEnumValueW(h, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.push_back(Utf8(std::wstring(name, len)));
    }
    RegCloseKey(h);
    return names;
}

TempFolder::TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    for (;;) {
        path_ = std::string(base) + "corvane-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++counter) + "\\";
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
}

ProgramFolder::ProgramFolder(const std::string& options) {
    ui::TheEnvironment().folders.program = path();
    write("options.ini", options);
}

ProgramFolder::~ProgramFolder() { ui::TheEnvironment().folders.program = ""; }

TempFolder::~TempFolder() {
    std::string from = path_.substr(0, path_.size() - 1);
    from.push_back('\0');
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

void TempFolder::write(const std::string& name, const std::string& content) const {
    std::ofstream f(file(name), std::ios::binary);
    f << content;
}

std::string TempFolder::read(const std::string& name) const {
    std::ifstream f(file(name), std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void PumpPending() { ui::Application::instance().processMessages(); }

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        PumpPending();
        if (done()) return true;
        const DWORD spent = GetTickCount() - start;
        if (spent >= static_cast<DWORD>(timeoutMs)) return false;
        // Timers and other threads post without waking us otherwise; 10 ms bounds the wait.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(int ms) {
    PumpUntil([] { return false; }, ms);
}

namespace {

// What the hooks wait for: the last input sent, as this thread's queue hands it out.
struct AwaitedInput {
    bool keyboard = false;
    WORD vk = 0;
    bool keyUp = false;
    DWORD mouseFlags = 0; // MOUSEEVENTF_LEFTDOWN, _LEFTUP, or a move
    POINT at{};
    bool seen = false;
};
AwaitedInput* g_awaited = nullptr;

bool MatchesButton(WPARAM msg, DWORD flags) {
    if (flags & MOUSEEVENTF_LEFTDOWN)
        return msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_NCLBUTTONDOWN || msg == WM_NCLBUTTONDBLCLK;
    if (flags & MOUSEEVENTF_LEFTUP) return msg == WM_LBUTTONUP || msg == WM_NCLBUTTONUP;
    return msg == WM_MOUSEMOVE || msg == WM_NCMOUSEMOVE;
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && g_awaited && g_awaited->keyboard && wp == g_awaited->vk &&
        ((static_cast<DWORD>(lp) >> 31) != 0) == g_awaited->keyUp)
        g_awaited->seen = true;
    return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK MouseHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && g_awaited && !g_awaited->keyboard && MatchesButton(wp, g_awaited->mouseFlags)) {
        const POINT p = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lp)->pt;
        const bool move = !(g_awaited->mouseFlags & (MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP));
        if (!move || (p.x == g_awaited->at.x && p.y == g_awaited->at.y)) g_awaited->seen = true;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

bool OfThisThread(HWND w) { return w && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId(); }

INPUT MouseInput(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    return in;
}

} // namespace

bool SendInputAndWait(const std::vector<INPUT>& in, int timeoutMs) {
    if (in.empty()) return true;
    AwaitedInput awaited;
    const INPUT& last = in.back();
    awaited.keyboard = last.type == INPUT_KEYBOARD;
    awaited.vk = last.ki.wVk;
    awaited.keyUp = (last.ki.dwFlags & KEYEVENTF_KEYUP) != 0;
    awaited.mouseFlags = last.type == INPUT_MOUSE ? last.mi.dwFlags : 0;
    HHOOK keys = SetWindowsHookExA(WH_KEYBOARD, &KeyboardHook, nullptr, GetCurrentThreadId());
    HHOOK mouse = SetWindowsHookExA(WH_MOUSE, &MouseHook, nullptr, GetCurrentThreadId());
    AwaitedInput* outer = g_awaited; // a wait inside another (a timer's input during a modal loop)
    g_awaited = &awaited;
    SendInput(static_cast<UINT>(in.size()), const_cast<INPUT*>(in.data()), sizeof(INPUT));
    GetCursorPos(&awaited.at);
    // Mouse input goes to the window under the cursor, or to the one holding the capture.
    const bool ours = awaited.keyboard || OfThisThread(GetCapture()) || OfThisThread(WindowFromPoint(awaited.at));
    const bool arrived = !ours || PumpUntil([&] { return awaited.seen; }, timeoutMs);
    g_awaited = outer;
    UnhookWindowsHookEx(mouse);
    UnhookWindowsHookEx(keys);
    return arrived;
}

bool MoveMouseTo(HWND w, int x, int y) {
    POINT p{x, y};
    if (w) ClientToScreen(w, &p);
    SetCursorPos(p.x, p.y);
    return SendInputAndWait({MouseInput(MOUSEEVENTF_MOVE)});
}

bool LeftButton(bool up) { return SendInputAndWait({MouseInput(up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN)}); }

namespace {
std::vector<INPUT> KeyInputs(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in;
    for (WORD k : keys) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        in.push_back(i);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = *--it;
        i.ki.dwFlags = KEYEVENTF_KEYUP;
        in.push_back(i);
    }
    return in;
}
} // namespace

bool PressKeys(std::initializer_list<WORD> keys) { return SendInputAndWait(KeyInputs(keys)); }

void SendKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in = KeyInputs(keys);
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

namespace {
std::vector<GiveUpTimer*>& liveTimers() {
    static std::vector<GiveUpTimer*> timers;
    return timers;
}
} // namespace

GiveUpTimer::GiveUpTimer(int ms, std::function<void()> giveUp) : giveUp_(std::move(giveUp)) {
    id_ = SetTimer(nullptr, 0, static_cast<UINT>(ms), &GiveUpTimer::Tick);
    liveTimers().push_back(this);
}

GiveUpTimer::~GiveUpTimer() {
    KillTimer(nullptr, id_);
    auto& all = liveTimers();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void CALLBACK GiveUpTimer::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    for (GiveUpTimer* t : liveTimers())
        if (t->id_ == id && !t->fired_) {
            t->fired_ = true;
            t->giveUp_();
            return;
        }
}

void EndModalLoop(ui::Form& form) {
    EndMenu(); // a menu left open would hold the loop
    // So would a window's move loop that a press on its caption began: a release ends it.
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & GUI_INMOVESIZE) && info.hwndMoveSize)
        PostMessageA(info.hwndMoveSize, WM_LBUTTONUP, 0, 0);
    if (form.isModal()) form.setModalResult(ui::ModalResult::Abort);
}

namespace {
BOOL CALLBACK CancelDialog(HWND w, LPARAM) {
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (IsWindowVisible(w) && std::string(cls) == "#32770") PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}
} // namespace

void CancelThreadDialogs() { EnumThreadWindows(GetCurrentThreadId(), &CancelDialog, 0); }

COLORREF ScreenPixelOf(HWND w, int x, int y) {
    POINT p{x, y};
    ClientToScreen(w, &p);
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, p.x, p.y);
    ReleaseDC(nullptr, dc);
    return c;
}

Capture::Capture(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    w_ = r.right;
    h_ = r.bottom;
    BITMAPINFO bi = ui::TopDown32(w_, h_);
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT all{0, 0, w_, h_};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    // The window paints into our bitmap: no screen, no overlapping windows involved.
    SendMessageA(w, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    GdiFlush();
    px_.assign(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + static_cast<size_t>(w_) * h_);
    for (DWORD& v : px_) v &= 0xFFFFFF; // what GDI leaves in the fourth byte is no part of the picture
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bmp);
}

COLORREF Capture::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return CLR_INVALID;
    DWORD v = px_[static_cast<size_t>(y) * w_ + x]; // 0x00RRGGBB in a DIB
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

SIZE TextSizeIn(HWND w, const std::string& text) {
    HDC dc = GetDC(w);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(w, WM_GETFONT, 0, 0)));
    SIZE s{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &s);
    SelectObject(dc, old);
    ReleaseDC(w, dc);
    return s;
}

int Capture::count(RECT r, const std::function<bool(COLORREF)>& pred) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (pred(pixel(x, y))) ++n;
    return n;
}

RECT Capture::bounds(RECT r, const std::function<bool(COLORREF)>& pred) const {
    RECT b{r.right, r.bottom, r.left, r.top};
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (pred(pixel(x, y)))
                b = {std::min<LONG>(b.left, x), std::min<LONG>(b.top, y), std::max<LONG>(b.right, x + 1),
                     std::max<LONG>(b.bottom, y + 1)};
    return b.left < b.right ? b : RECT{};
}

} // namespace corvane::test
