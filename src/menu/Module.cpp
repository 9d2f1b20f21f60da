#include "menu/Module.h"
#include "ui/Environment.h"

namespace corvane::menu {

namespace {
HMODULE g_module = nullptr;
LONG g_objects = 0;
LONG g_locks = 0;

DWORD WINAPI ModuleFileName(HMODULE, LPWSTR buffer, DWORD size) { return GetModuleFileNameW(g_module, buffer, size); }
} // namespace

void SetModule(HMODULE module) { g_module = module; }
HMODULE Module() { return g_module; }

std::string ModulePath() { return ui::ExecutablePath(&ModuleFileName); }

std::string ModuleFolder() {
    std::string path = ModulePath();
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void ObjectCreated() { InterlockedIncrement(&g_objects); }
void ObjectDestroyed() { InterlockedDecrement(&g_objects); }
void LockServer(bool lock) { lock ? InterlockedIncrement(&g_locks) : InterlockedDecrement(&g_locks); }
bool CanUnload() { return g_objects == 0 && g_locks == 0; }

} // namespace corvane::menu
