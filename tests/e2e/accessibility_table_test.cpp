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

using namespace corvane::exe;

namespace {

constexpr const char* kMainClass = "Corvane Made by Tollbright";

struct Row {
    int depth;
    long role;
    std::string name, value, states, action;
};

std::string Narrow(BSTR b) {
    if (!b) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, b, -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_ACP, 0, b, -1, s.data(), n, nullptr, nullptr);
    SysFreeString(b);
    return s;
}

std::string RoleText(long role) {
    char buf[128] = {};
    GetRoleTextA(static_cast<DWORD>(role), buf, sizeof buf);
    return buf;
}

std::string StateText(long state) {
    std::string out;
    for (long bit = 1; bit > 0 && bit <= STATE_SYSTEM_VALID; bit <<= 1) {
        if (!(state & bit)) continue;
        char buf[128] = {};
        GetStateTextA(static_cast<DWORD>(bit), buf, sizeof buf);
        if (!out.empty()) out += ", ";
        out += buf;
    }
    return out;
}

VARIANT Id(long id) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

Row Read(IAccessible* a, long id, int depth) {
    Row r{depth, 0, {}, {}, {}, {}};
    VARIANT v;
    VariantInit(&v);
    if (SUCCEEDED(a->get_accRole(Id(id), &v)) && v.vt == VT_I4) r.role = v.lVal;
    VariantInit(&v);
    if (SUCCEEDED(a->get_accState(Id(id), &v)) && v.vt == VT_I4) r.states = StateText(v.lVal);
    BSTR b = nullptr;
    if (a->get_accName(Id(id), &b) == S_OK) r.name = Narrow(b);
    b = nullptr;
    if (a->get_accValue(Id(id), &b) == S_OK) r.value = Narrow(b);
    b = nullptr;
    if (a->get_accDefaultAction(Id(id), &b) == S_OK) r.action = Narrow(b);
    return r;
}

void Walk(IAccessible* a, int depth, std::vector<Row>& out) {
    out.push_back(Read(a, CHILDID_SELF, depth));
    long count = 0;
    if (FAILED(a->get_accChildCount(&count)) || count <= 0) return;
    std::vector<VARIANT> kids(static_cast<size_t>(count));
    long got = 0;
    if (FAILED(AccessibleChildren(a, 0, count, kids.data(), &got))) return;
    for (long i = 0; i < got; ++i) {
        VARIANT& k = kids[static_cast<size_t>(i)];
        if (k.vt == VT_DISPATCH && k.pdispVal) {
            IAccessible* c = nullptr;
            if (SUCCEEDED(k.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&c))) && c) {
                Walk(c, depth + 1, out);
                c->Release();
            }
        } else if (k.vt == VT_I4) {
            out.push_back(Read(a, k.lVal, depth + 1));
        }
        VariantClear(&k);
    }
}

IAccessible* ObjectOf(HWND w) {
    IAccessible* a = nullptr;
    if (FAILED(AccessibleObjectFromWindow(w, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&a))))
        return nullptr;
    return a;
}

std::vector<Row> Table(HWND w) {
    std::vector<Row> rows;
    if (IAccessible* a = ObjectOf(w)) {
        Walk(a, 0, rows);
        a->Release();
    }
    return rows;
}

void Print(const char* window, const std::vector<Row>& rows) {
    std::printf("\n### %s\n\n| object | role | name | value | states | default action |\n|---|---|---|---|---|---|\n",
                window);
    for (const Row& r : rows)
        std::printf("| %s%s | %s | %s | %s | %s | %s |\n", std::string(static_cast<size_t>(r.depth) * 2, '.').c_str(),
                    r.depth ? "" : "window", RoleText(r.role).c_str(), r.name.c_str(), r.value.c_str(),
                    r.states.c_str(), r.action.c_str());
    std::fflush(stdout);
}

const Row* Find(const std::vector<Row>& rows, long role, const std::string& name) {
    for (const Row& r : rows)
        if (r.role == role && r.name == name) return &r;
    return nullptr;
}

// Runs the default action of the element or child named `name` under the window's object.
bool DoAction(HWND w, long role, const std::string& name) {
    IAccessible* a = ObjectOf(w);
    if (!a) return false;
    bool done = false;
    std::vector<IAccessible*> todo{a};
    while (!todo.empty() && !done) {
        IAccessible* cur = todo.back();
        todo.pop_back();
        long count = 0;
        cur->get_accChildCount(&count);
        std::vector<VARIANT> kids(static_cast<size_t>(count > 0 ? count : 1));
        long got = 0;
        if (count > 0) AccessibleChildren(cur, 0, count, kids.data(), &got);
        for (long i = 0; i < got; ++i) {
            VARIANT& k = kids[static_cast<size_t>(i)];
            if (!done && k.vt == VT_I4) {
                const Row r = Read(cur, k.lVal, 0);
                if (r.role == role && r.name == name) done = SUCCEEDED(cur->accDoDefaultAction(k));
            } else if (!done && k.vt == VT_DISPATCH && k.pdispVal) {
                IAccessible* c = nullptr;
                if (SUCCEEDED(k.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&c))) && c) {
                    const Row r = Read(c, CHILDID_SELF, 0);
                    if (r.role == role && r.name == name) done = SUCCEEDED(c->accDoDefaultAction(Id(CHILDID_SELF)));
                    todo.push_back(c);
                }
            }
            VariantClear(&k);
        }
        cur->Release();
    }
    for (IAccessible* left : todo) left->Release();
    return done;
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
    const bool hadStore = RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Corvane", 0, KEY_READ, &existing) == ERROR_SUCCESS;
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
    const auto tipsRows = Table(tips);
    Print("Tip of the day", tipsRows);
    ASSERT_FALSE(tipsRows.empty()) << "no object from the other process";
    EXPECT_NE(Find(tipsRows, ROLE_SYSTEM_PUSHBUTTON, "Next Tip"), nullptr);
    EXPECT_NE(Find(tipsRows, ROLE_SYSTEM_PANE, "Did you know..."), nullptr);
    ASSERT_TRUE(DoAction(tips, ROLE_SYSTEM_PUSHBUTTON, "Close"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(tips); }, 5000));

    HWND main = WaitForWindow(pi.dwProcessId, [](HWND w) { return ClassOf(w) == kMainClass; });
    ASSERT_NE(main, nullptr);
    WaitForInputIdle(pi.hProcess, 5000);
    const auto mainRows = Table(main);
    Print("Main window", mainRows);
    EXPECT_NE(Find(mainRows, ROLE_SYSTEM_TITLEBAR, " Corvane 1.2"), nullptr);
    const Row* edit = Find(mainRows, ROLE_SYSTEM_PUSHBUTTON, "Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_NE(edit->states.find("unavailable"), std::string::npos);

    ASSERT_TRUE(DoAction(main, ROLE_SYSTEM_PUSHBUTTON, "Options"));
    HWND options = shown("Options");
    ASSERT_NE(options, nullptr);
    WaitForInputIdle(pi.hProcess, 5000);
    const auto optionRows = Table(options);
    Print("Options", optionRows);
    const Row* ask = Find(optionRows, ROLE_SYSTEM_CHECKBUTTON, "Ask before deleting a selected item");
    ASSERT_NE(ask, nullptr);
    EXPECT_NE(ask->states.find("checked"), std::string::npos);
    ASSERT_TRUE(DoAction(options, ROLE_SYSTEM_PUSHBUTTON, "Cancel"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options) || !IsWindowVisible(options); }, 5000));

    ASSERT_TRUE(DoAction(main, ROLE_SYSTEM_PUSHBUTTON, "Add"));
    HWND item = shown("Add Item");
    ASSERT_NE(item, nullptr);
    WaitForInputIdle(pi.hProcess, 5000);
    const auto itemRows = Table(item);
    Print("Item editor", itemRows);
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
