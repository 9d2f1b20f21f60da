// The floor of loading the Corvane menu: a DLL that does nothing, built like it.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
