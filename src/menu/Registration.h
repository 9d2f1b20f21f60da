// The per-user registration: the class under HKCU\Software\Classes\CLSID and a
// handler named "Corvane" for folders, folder backgrounds (and the desktop), drives and files.
#pragma once
#include <windows.h>
#include <string>

namespace corvane::menu {

// The handler keys, below HKCU\Software\Classes.
constexpr const char* kHandlerParents[] = {
    "Directory\\shellex\\ContextMenuHandlers",
    "Directory\\Background\\shellex\\ContextMenuHandlers",
    "Drive\\shellex\\ContextMenuHandlers",
    "*\\shellex\\ContextMenuHandlers",
};

// Writes the class (InprocServer32 = dllPath, apartment threaded) and the handlers.
HRESULT RegisterMenu(const std::string& dllPath);
// Removes every key RegisterMenu wrote; keys that are gone already are no error.
HRESULT UnregisterMenu();

} // namespace corvane::menu
