#include "TestSupport.h"
#include "ui/Application.h"
#include <shlwapi.h>
#include <algorithm>
#include <fstream>
#include <sstream>

namespace corvane::test {

ScriptedPrompt::ScriptedPrompt() : previous_(ui::setPrompt(this)) {}
ScriptedPrompt::~ScriptedPrompt() { ui::setPrompt(previous_); }

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

TestKey::TestKey(const std::string& name) : path_("Software\\CorvaneTests\\" + name) { remove(); }
TestKey::~TestKey() { remove(); }

void TestKey::remove() const { SHDeleteKeyA(HKEY_CURRENT_USER, path_.c_str()); }

bool TestKey::exists() const {
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
}

void TestKey::set(const std::string& name, const std::string& text) const {
    HKEY h;
    RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    RegSetValueExA(h, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(h);
}

void TestKey::setDword(const std::string& name, DWORD v) const {
    HKEY h;
    RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    RegSetValueExA(h, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
    RegCloseKey(h);
}

std::string TestKey::get(const std::string& name) const {
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return "<missing>";
    DWORD type = 0, size = 0;
    std::string out = "<missing>";
    if (RegQueryValueExA(h, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        if (type != REG_SZ) {
            out = "<type " + std::to_string(type) + ">";
        } else {
            std::string buf(size, '\0');
            RegQueryValueExA(h, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &size);
            out = std::string(buf.c_str());
        }
    }
    RegCloseKey(h);
    return out;
}

DWORD TestKey::sizeOf(const std::string& name) const {
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return 0;
    DWORD type = 0, size = 0;
    RegQueryValueExA(h, name.c_str(), nullptr, &type, nullptr, &size);
    RegCloseKey(h);
    return size;
}

std::vector<std::string> TestKey::valueNames() const {
    std::vector<std::string> names;
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return names;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD len = sizeof name;
        if (RegEnumValueA(h, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, len);
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

void MoveMouseTo(HWND w, int x, int y) {
    POINT p{x, y};
    if (w) ClientToScreen(w, &p);
    SetCursorPos(p.x, p.y);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof in);
}

void PressKeys(std::initializer_list<WORD> keys) {
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
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

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
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w_;
    bi.bmiHeader.biHeight = -h_;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
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
            if (pred(pixel(x, y))) b = {std::min<LONG>(b.left, x), std::min<LONG>(b.top, y),
                                        std::max<LONG>(b.right, x + 1), std::max<LONG>(b.bottom, y + 1)};
    return b.left < b.right ? b : RECT{};
}

} // namespace corvane::test
