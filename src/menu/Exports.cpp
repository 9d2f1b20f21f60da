// The DLL's entry points, as COM and regsvr32 call them.
#include "menu/ClassFactory.h"
#include "menu/Module.h"
#include "menu/Registration.h"
#include <exception>

using namespace corvane::menu;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        SetModule(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(clsid, kMenuClassId)) return CLASS_E_CLASSNOTAVAILABLE;
    return TheClassFactory().QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow() { return CanUnload() ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
    try {
        return RegisterMenu(ModulePath());
    } catch (...) {
        return E_FAIL;
    }
}

STDAPI DllUnregisterServer() {
    try {
        return UnregisterMenu();
    } catch (...) {
        return E_FAIL;
    }
}
