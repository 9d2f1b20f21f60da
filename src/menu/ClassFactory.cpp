#include "menu/ClassFactory.h"
#include "menu/ContextMenu.h"
#include "menu/Module.h"
#include <new>

namespace corvane::menu {

STDMETHODIMP ClassFactory::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

// A reference held on the class object keeps the DLL loaded, like a server lock.
STDMETHODIMP_(ULONG) ClassFactory::AddRef() {
    menu::LockServer(true);
    return 2;
}

STDMETHODIMP_(ULONG) ClassFactory::Release() {
    menu::LockServer(false);
    return 1;
}

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* object = new (std::nothrow) ContextMenu();
    if (!object) return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(riid, ppv);
    object->Release();
    return hr;
}

STDMETHODIMP ClassFactory::LockServer(BOOL lock) {
    menu::LockServer(lock != FALSE);
    return S_OK;
}

ClassFactory& TheClassFactory() {
    static ClassFactory factory;
    return factory;
}

} // namespace corvane::menu
