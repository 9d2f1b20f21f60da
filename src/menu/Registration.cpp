#include "menu/Registration.h"
#include "menu/Module.h"
#include "ui/Registry.h"
#include "ui/WideText.h"
#include <olectl.h>
#include <shlobj.h>
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
bool DeleteTree(const std::string& key) { return Gone(SHDeleteKeyW(HKEY_CURRENT_USER, ui::WideArg(key))); }

// The handler keys are shared by the 64- and 32-bit views of the per-user classes, the
// class keys are not: whether the other architecture's DLL is still registered.
bool OtherArchitectureRegistered() {
#ifdef _WIN64
    // Where the 32-bit view of the per-user classes lies, named from the 64-bit one.
    const std::string key = std::string(kClasses) + "Wow6432Node\\CLSID\\" + kMenuClassIdText + "\\InprocServer32";
    const REGSAM view = 0;
#else
    // Only 32-bit Windows has no other view; there the key below is our own, just deleted.
    const std::string key = ClassKey() + "\\InprocServer32";
    const REGSAM view = KEY_WOW64_64KEY;
#endif
    try {
        ui::RegistryKey k = ui::RegistryKey::open(HKEY_CURRENT_USER, key, KEY_QUERY_VALUE | view, false);
        return k.valid() && !k.readString("").empty();
    } catch (const std::exception&) {
        return true; // a default value of another type: something is there, leave the handlers
    }
}

// Explorer rereads its handlers.
void AnnounceChange() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }

} // namespace

HRESULT RegisterMenu(const std::string& dllPath) {
    if (dllPath.empty()) return SELFREG_E_CLASS;
    bool ok = Write(ClassKey(), nullptr, kClassDescription) &&
              Write(ClassKey() + "\\InprocServer32", nullptr, dllPath) &&
              Write(ClassKey() + "\\InprocServer32", "ThreadingModel", "Apartment");
    for (const char* parent : kHandlerParents) ok = ok && Write(HandlerKey(parent), nullptr, kMenuClassIdText);
    if (!ok) {
        UnregisterMenu(); // no half registration left behind
        return SELFREG_E_CLASS;
    }
    AnnounceChange();
    return S_OK;
}

HRESULT UnregisterMenu() {
    bool ok = DeleteTree(ClassKey());
    if (!OtherArchitectureRegistered())
        for (const char* parent : kHandlerParents) ok = DeleteTree(HandlerKey(parent)) && ok;
    AnnounceChange();
    return ok ? S_OK : SELFREG_E_CLASS;
}

} // namespace corvane::menu
