// Stands in for what the shell does around an upgrade, for scripts/package-tests.sh:
//
//   sessionsim.exe hold DLL STOPFILE   keeps DLL loaded, as Explorer keeps the Corvane
//                                      menu, until STOPFILE appears (a minute at most)
//   sessionsim.exe logon               runs and removes the current user's RunOnce
//                                      commands, as Explorer does at sign-in (Wine's
//                                      own start-up runs only the machine's)
#include <windows.h>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const wchar_t* kRunOnce = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

int Hold(const wchar_t* dll, const wchar_t* stopFile) {
    HMODULE module = LoadLibraryW(dll);
    if (!module) {
        std::printf("sessionsim: cannot load the DLL (error %lu)\n", GetLastError());
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    for (int i = 0; i < 600 && GetFileAttributesW(stopFile) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
    FreeLibrary(module);
    return 0;
}

int Logon() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunOnce, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS) return 0;
    std::vector<std::pair<std::wstring, std::wstring>> commands;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameSize = 256, type = 0, dataSize = 0;
        if (RegEnumValueW(key, i, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS) break;
        std::wstring data(dataSize / sizeof(wchar_t) + 1, L'\0');
        nameSize = 256;
        dataSize = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        if (RegEnumValueW(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &dataSize) ==
                ERROR_SUCCESS &&
            type == REG_SZ)
            commands.emplace_back(name, data.c_str());
    }
    int failed = 0;
    for (auto& [name, command] : commands) {
        RegDeleteValueW(key, name.c_str()); // Windows too removes it before running it
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            ++failed;
            continue;
        }
        WaitForSingleObject(pi.hProcess, 30000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    RegCloseKey(key);
    std::printf("ran %u commands\n", static_cast<unsigned>(commands.size()));
    return failed ? 1 : 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wstring(argv[1]) == L"hold") return Hold(argv[2], argv[3]);
    if (argc == 2 && std::wstring(argv[1]) == L"logon") return Logon();
    std::printf("usage: sessionsim hold DLL STOPFILE | sessionsim logon\n");
    return 2;
}
