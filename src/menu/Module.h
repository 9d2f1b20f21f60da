// The DLL's module state: its handle, its live objects and server locks (what
// DllCanUnloadNow answers from), and the class id it is registered under.
#pragma once
#include <windows.h>
#include <string>

namespace corvane::menu {

// {30686F35-109B-4760-826D-29855D804D71}
constexpr CLSID kMenuClassId = {0x30686f35, 0x109b, 0x4760, {0x82, 0x6d, 0x29, 0x85, 0x5d, 0x80, 0x4d, 0x71}};
constexpr const char* kMenuClassIdText = "{30686F35-109B-4760-826D-29855D804D71}";
constexpr const char* kHandlerName = "Corvane";
constexpr const char* kClassDescription = "Corvane menu";

void SetModule(HMODULE module);
HMODULE Module();
// The DLL's full path (UTF-8).
std::string ModulePath();

void ObjectCreated();
void ObjectDestroyed();
void LockServer(bool lock);
bool CanUnload();

} // namespace corvane::menu
