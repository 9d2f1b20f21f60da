// One reference to a COM object, released with its scope; shell functions looked up
// where the shell has them.
#pragma once
#include <windows.h>

namespace corvane::menu {

template <class T>
struct ComRef {
    T* p = nullptr;
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (p) p->Release();
    }
    T* operator->() const { return p; }
    void** out() { return reinterpret_cast<void**>(&p); }
};

// A shell32 function of Vista and later, found at run time so that the DLL still loads
// where an older shell lacks it.
template <class F>
F ShellFunction(const char* name) {
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    return shell ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(shell, name))) : nullptr;
}

} // namespace corvane::menu
