// Reads the running program's four windows from another process as a screen reader
// does (AccessibleObjectFromWindow, AccessibleChildren, default actions) and prints
// every object with its role, name, value and states.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <cstdio>
#include <string>
#include <vector>

#include "ExeWindows.h"
#include "../win/MsaaReader.h"

using namespace corvane::exe;
using namespace corvane::test;

namespace {

constexpr const char* kMainClass = "Corvane Made by Tollbright";

std::string RoleText(long role) {
    char buf[128] = {};
    GetRoleTextA(static_cast<DWORD>(role), buf, sizeof buf);
    return buf;
}

std::string StateText(long state) {
    std::string out;
    for (long bit = 1; bit > 0 && bit <= STATE_SYSTEM_VALID; bit <<= 1) {
        char buf[128] = {};
        if (!(state & bit) || !GetStateTextA(static_cast<DWORD>(bit), buf, sizeof buf)) continue;
        out += (out.empty() ? "" : ", ") + std::string(buf);
    }
    return out;
}

std::vector<Node> PrintTree(const char* window, HWND w) {
    const auto nodes = Tree(w);
    std::printf("\n### %s\n\n| object | role | name | value | states | default action |\n|---|---|---|---|---|---|\n",
                window);
    for (const Node& n : nodes)
        std::printf("| %s | %s | %s | %s | %s | %s |\n",
                    n.depth ? std::string(static_cast<size_t>(n.depth) * 2, '.').c_str() : "window",
                    RoleText(n.reading.role).c_str(), n.reading.name.c_str(), n.reading.value.c_str(),
                    StateText(n.reading.state).c_str(), n.reading.action.c_str());
    std::fflush(stdout);
    return nodes;
}

// Runs the default action of the object named `name` in the window, as a screen reader's user would.
bool DoAction(HWND w, long role, const std::string& name) {
    const auto nodes = Tree(w);
    const Node* n = Find(nodes, role, name);
    return n && SUCCEEDED(n->holder->accDoDefaultAction(Id(n->id)));
}

std::string OwnFolder() {
    char buf[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    std::string s(buf, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

} // namespace

TEST(ScreenReader, ReadsEveryWindowOfTheRunningProgram) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    // A first start seeds the store; a store that was not there goes again.
    HKEY existing = nullptr;
    const bool hadStore = RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Corvane", 0, KEY_READ, &existing) ==
                          ERROR_SUCCESS;
    if (existing) RegCloseKey(existing);
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    const std::string folder = std::string(tmp) + "corvane-msaa-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string exe = folder + "Corvane.exe";
    ASSERT_TRUE(CopyFileA((OwnFolder() + "Corvane.exe").c_str(), exe.c_str(), FALSE));

    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + exe + "\"";
    ASSERT_TRUE(CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi));
    auto shown = [&](const char* caption) {
        return WaitForWindow(pi.dwProcessId, [caption](HWND w) { return IsWindowVisible(w) && TextOf(w) == caption; });
    };

    // No options file: the tips open first.
    HWND tips = shown("Corvane Tip of the Day");
    ASSERT_NE(tips, nullptr);
    WaitForInputIdle(pi.hProcess, 5000);
    const auto tipsRows = PrintTree("Tip of the day", tips);
    ASSERT_FALSE(tipsRows.empty()) << "no object from the other process";
    EXPECT_NE(Find(tipsRows, ROLE_SYSTEM_PUSHBUTTON, "Next Tip"), nullptr);
    EXPECT_NE(Find(tipsRows, ROLE_SYSTEM_PANE, "Did you know..."), nullptr);
    ASSERT_TRUE(DoAction(tips, ROLE_SYSTEM_PUSHBUTTON, "Close"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(tips); }, 5000));

    HWND main = WaitForWindow(pi.dwProcessId, [](HWND w) { return ClassOf(w) == kMainClass; });
    ASSERT_NE(main, nullptr);
    WaitForInputIdle(pi.hProcess, 5000);
    const auto mainRows = PrintTree("Main window", main);
    EXPECT_NE(Find(mainRows, ROLE_SYSTEM_TITLEBAR, " Corvane 1.2"), nullptr);
    const Node* edit = Find(mainRows, ROLE_SYSTEM_PUSHBUTTON, "Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->reading.state & STATE_SYSTEM_UNAVAILABLE);

    ASSERT_TRUE(DoAction(main, ROLE_SYSTEM_PUSHBUTTON, "Options"));
    HWND options = shown("Options");
    ASSERT_NE(options, nullptr);
    WaitForInputIdle(pi.hProcess, 5000);
    const auto optionRows = PrintTree("Options", options);
    const Node* ask = Find(optionRows, ROLE_SYSTEM_CHECKBUTTON, "Ask before deleting a selected item");
    ASSERT_NE(ask, nullptr);
    EXPECT_TRUE(ask->reading.state & STATE_SYSTEM_CHECKED);
    ASSERT_TRUE(DoAction(options, ROLE_SYSTEM_PUSHBUTTON, "Cancel"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options) || !IsWindowVisible(options); }, 5000));

    ASSERT_TRUE(DoAction(main, ROLE_SYSTEM_PUSHBUTTON, "Add"));
    HWND item = shown("Add Item");
    ASSERT_NE(item, nullptr);
    WaitForInputIdle(pi.hProcess, 5000);
    const auto itemRows = PrintTree("Item editor", item);
    EXPECT_NE(Find(itemRows, ROLE_SYSTEM_TEXT, "Alias"), nullptr);
    ASSERT_TRUE(DoAction(item, ROLE_SYSTEM_PUSHBUTTON, "Close")); // the title bar's drawn button
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(item) || !IsWindowVisible(item); }, 5000));

    PostMessageA(main, WM_CLOSE, 0, 0);
    WaitForSingleObject(pi.hProcess, 15000);
    TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    DeleteFileA(exe.c_str());
    DeleteFileA((folder + "options.ini").c_str());
    RemoveDirectoryA(folder.c_str());
    if (!hadStore) SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Corvane");
    CoUninitialize();
}
