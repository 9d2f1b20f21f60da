// The Corvane menu beside its floors: building the menu against the same registry reads
// and one menu item per favourite (the build's probes of fixed drives, bounded in time,
// are the product's own work); loading the DLL and making its object against loading a
// DLL that does nothing.
#include "Bench.h"
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <string>
#include <vector>

using namespace corvane::bench;

namespace {

constexpr const char* kStoreKey = "Software\\Corvane"; // the menu reads only this key
// {30686F35-109B-4760-826D-29855D804D71}, the class the menu registers.
constexpr CLSID kMenuClass = {0x30686f35, 0x109b, 0x4760, {0x82, 0x6d, 0x29, 0x85, 0x5d, 0x80, 0x4d, 0x71}};
using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);

std::string folderForBench() {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    std::string path = std::string(tmp) + "corvane-bench-menu";
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

void fillStore(int n, const std::string& folder) {
    SHDeleteKeyA(HKEY_CURRENT_USER, kStoreKey);
    HKEY h;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kStoreKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) !=
        ERROR_SUCCESS)
        return;
    for (int i = 0; i < n; ++i) {
        const std::string index = std::to_string(i);
        const std::string alias = std::string("Favourite ") += index;
        RegSetValueExA(h, (std::string("N") += index).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(alias.c_str()),
                       static_cast<DWORD>(alias.size() + 1));
        RegSetValueExA(h, (std::string("P") += index).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                       static_cast<DWORD>(folder.size() + 1));
    }
    RegCloseKey(h);
}

// The floor: the values read (wide) to the first gap, the editor's path, one item each.
int readAndInsert(HMENU sub, UINT firstId) {
    HKEY h;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Corvane", 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return 0;
    wchar_t alias[512], path[512];
    int i = 0;
    for (;; ++i) {
        const std::wstring index = std::to_wstring(i);
        DWORD sa = sizeof alias, sp = sizeof path;
        if (RegQueryValueExW(h, (L"N" + index).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(alias), &sa) ||
            RegQueryValueExW(h, (L"P" + index).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(path), &sp) ||
            !alias[0] || !path[0])
            break;
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_STATE;
        item.wID = firstId + i;
        item.dwTypeData = alias;
        InsertMenuItemW(sub, i, TRUE, &item);
    }
    DWORD size = sizeof path;
    RegQueryValueExW(h, L"Setting", nullptr, nullptr, reinterpret_cast<BYTE*>(path), &size);
    RegCloseKey(h);
    return i;
}

int submenuItems(HMENU menu) {
    HMENU sub = GetSubMenu(menu, 0);
    return sub ? GetMenuItemCount(sub) : -1;
}

void benchBuild(IContextMenu* object, int n, const std::string& folder) {
    fillStore(n, folder);
    HMENU productMenu = nullptr, floorMenu = nullptr;
    auto fresh = [](HMENU& m) {
        if (m) DestroyMenu(m);
        m = CreatePopupMenu();
    };
    Side product = side(
        "", [&] { fresh(productMenu); }, [&] { object->QueryContextMenu(productMenu, 0, 1, 0x7FFF, CMF_NORMAL); },
        [&] { return submenuItems(productMenu) == n + 2; }); // favourites, separator, Edit
    int floorCount = 0;
    Side floor = side(
        "", [&] { fresh(floorMenu); },
        [&] {
            HMENU sub = CreatePopupMenu();
            floorCount = readAndInsert(sub, 5);
            InsertMenuW(floorMenu, 0, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub),
                        L"Corvane");
        },
        [&] { return floorCount == n; });
    interleave({&product, &floor}, 2, n > 5000 ? 7 : 21);
    report("menu with " + std::to_string(n) + " favourites vs reads+items", product, floor);
    if (productMenu) DestroyMenu(productMenu);
    if (floorMenu) DestroyMenu(floorMenu);
}

std::string besideExe(const char* name) {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path = exe;
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

} // namespace

CORVANE_BENCH(menu_build) {
    const std::string dllPath = besideExe("CorvaneMenu.dll");
    HMODULE dll = LoadLibraryA(dllPath.c_str());
    auto get = dll ? reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")))
                   : nullptr;
    IClassFactory* factory = nullptr;
    IContextMenu* object = nullptr;
    if (!get || FAILED(get(kMenuClass, IID_IClassFactory, reinterpret_cast<void**>(&factory))) ||
        FAILED(factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void**>(&object)))) {
        problem("CorvaneMenu.dll beside the benchmark could not be loaded: " + dllPath);
    } else {
        const std::string folder = folderForBench();
        benchBuild(object, 100, folder);
        benchBuild(object, 10000, folder);
        SHDeleteKeyA(HKEY_CURRENT_USER, kStoreKey);
        RemoveDirectoryA(folder.c_str());
    }
    if (object) object->Release();
    if (factory) factory->Release();
    if (dll) FreeLibrary(dll);
}

CORVANE_BENCH(menu_load) {
    const std::string menuPath = besideExe("CorvaneMenu.dll"), emptyPath = besideExe("BenchEmpty.dll");
    bool loaded = true;
    Side product = checkedSide(
        [&] {
            HMODULE dll = LoadLibraryA(menuPath.c_str());
            if (!dll) return false;
            auto get = reinterpret_cast<GetClassObject>(
                reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
            IClassFactory* factory = nullptr;
            IShellExtInit* object = nullptr;
            bool ok = get && SUCCEEDED(get(kMenuClass, IID_IClassFactory, reinterpret_cast<void**>(&factory))) &&
                      SUCCEEDED(factory->CreateInstance(nullptr, IID_IShellExtInit, reinterpret_cast<void**>(&object)));
            if (object) object->Release();
            if (factory) factory->Release();
            FreeLibrary(dll);
            return ok;
        },
        [&] { return loaded; });
    Side floor = checkedSide(
        [&] {
            HMODULE dll = LoadLibraryA(emptyPath.c_str());
            if (dll) FreeLibrary(dll);
            return dll != nullptr;
        },
        [&] { return loaded; });
    interleave({&product, &floor}, 3, 31);
    report("load CorvaneMenu.dll + object vs an empty DLL", product, floor);
}
