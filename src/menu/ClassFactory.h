// The class object DllGetClassObject hands out: makes Corvane menu objects.
#pragma once
#include <windows.h>
#include <unknwn.h>

namespace corvane::menu {

class ClassFactory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    // Lives as long as the DLL: its references are the server's lock count instead.
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL lock) override;
};

ClassFactory& TheClassFactory();

} // namespace corvane::menu
