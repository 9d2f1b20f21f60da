#include "menu/Registration.h"
#include "menu/Module.h"
#include "ui/Registry.h"
#include <olectl.h>
#include <shlwapi.h>

namespace corvane::menu {

namespace {

constexpr const char* kClasses = "Software\\Classes\\";

std::string ClassKey() { return std::string(kClasses) + "CLSID\\" + kMenuClassIdText; }
std::string HandlerKey(const char* parent) { return std::string(kClasses) + parent + "\\" + kHandlerName; }

bool Write(const std::string& key, const char* name, const std::string& value) {
    ui::RegistryKey k = ui::RegistryKey::open(HKEY_CURRENT_USER, key, KEY_SET_VALUE, true);
    return k.valid() && k.writeString(name ? name : "", value);
}

bool Gone(LSTATUS rc) { return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND || rc == ERROR_PATH_NOT_FOUND; }

} // namespace

HRESULT RegisterMenu(const std::string& dllPath) {
    if (dllPath.empty()) return SELFREG_E_CLASS;
    bool ok = Write(ClassKey(), nullptr, kClassDescription) &&
              Write(ClassKey() + "\\InprocServer32", nullptr, dllPath) &&
              Write(ClassKey() + "\\InprocServer32", "ThreadingModel", "Apartment");
    for (const char* parent : kHandlerParents) ok = ok && Write(HandlerKey(parent), nullptr, kMenuClassIdText);
    if (ok) return S_OK;
    UnregisterMenu(); // no half registration left behind
    return SELFREG_E_CLASS;
}

HRESULT UnregisterMenu() {
    bool ok = true;
    for (const char* parent : kHandlerParents)
        ok = Gone(SHDeleteKeyA(HKEY_CURRENT_USER, HandlerKey(parent).c_str())) && ok;
    ok = Gone(SHDeleteKeyA(HKEY_CURRENT_USER, ClassKey().c_str())) && ok;
    return ok ? S_OK : SELFREG_E_CLASS;
}

} // namespace corvane::menu
