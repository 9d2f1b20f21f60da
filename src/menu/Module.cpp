#include "menu/Module.h"
#include "ui/WideText.h"
#include <vector>

namespace corvane::menu {

namespace {
HMODULE g_module = nullptr;
LONG g_objects = 0;
LONG g_locks = 0;
} // namespace

void SetModule(HMODULE module) { g_module = module; }
HMODULE Module() { return g_module; }

// Wide and however long: the DLL may sit in a profile folder named in any script.
std::string ModulePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(g_module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return ui::Narrow(std::wstring_view(buffer.data(), n));
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

void ObjectCreated() { InterlockedIncrement(&g_objects); }
void ObjectDestroyed() { InterlockedDecrement(&g_objects); }
void LockServer(bool lock) { lock ? InterlockedIncrement(&g_locks) : InterlockedDecrement(&g_locks); }
bool CanUnload() { return g_objects == 0 && g_locks == 0; }

} // namespace corvane::menu
