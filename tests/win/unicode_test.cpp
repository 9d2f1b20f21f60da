// Folder names in any script, on a machine whose code page (1252 here) holds none of
// them: written with the wide calls as another program would, compared in UTF-16.
#include "TestSupport.h"
#include "app/Backup.h"
#include "app/MainForm.h"
#include "ui/Environment.h"
#include "ui/Errors.h"
#include "ui/Files.h"
#include <gtest/gtest.h>
#include <aclapi.h>
#include <memory>
#include <sddl.h>
#include <shellapi.h>
#include <shlobj.h>

using namespace corvane;
using namespace corvane::app;
using namespace corvane::test;

namespace {

struct WideRow {
    std::wstring alias, path;
    bool operator==(const WideRow&) const = default;
};
using WideRows = std::vector<WideRow>;

// Cyrillic, Chinese, Greek, an emoji (a surrogate pair) and a combining mark.
const WideRows kScripts = {{L"\u041F\u0430\u043F\u043A\u0430", L"C:\\\u041F\u0430\u043F\u043A\u0430"},
                           {L"\u6587\u4EF6", L"C:\\\u6587\u4EF6\\\u65B0"},
                           {L"\u0388\u03C1\u03B3\u03B1", L"D:\\\u0388\u03C1\u03B3\u03B1"},
                           {L"Fotos \U0001F4F7", L"C:\\\U0001F4F7"},
                           {L"Cafe\u0301", L"C:\\Cafe\u0301"}};

class ScriptsInTheList : public ::testing::Test {
protected:
    void TearDown() override { form.reset(); }
    void open(const WideRows& rows) {
        for (size_t i = 0; i < rows.size(); ++i) {
            key.setWide(AliasValueName(static_cast<int>(i)), rows[i].alias);
            key.setWide(PathValueName(static_cast<int>(i)), rows[i].path);
        }
        key.set("Setting", ""); // the key exists: no first-run seeding
        form = std::make_unique<MainForm>(nullptr, key.path());
        form->create();
        PumpPending();
    }
    // What the list view itself holds, asked with the wide message.
    WideRows shown() const {
        WideRows out;
        HWND lv = form->list()->handle();
        const int n = static_cast<int>(SendMessageW(lv, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            WideRow r;
            for (int col = 0; col < 2; ++col) {
                wchar_t buf[512] = {};
                LVITEMW item{};
                item.iSubItem = col;
                item.pszText = buf;
                item.cchTextMax = 512;
                SendMessageW(lv, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
                (col ? r.path : r.alias) = buf;
            }
            out.push_back(r);
        }
        return out;
    }
    WideRows stored() const {
        WideRows out;
        for (int i = 0;; ++i) {
            WideRow r{key.getWide(AliasValueName(i)), key.getWide(PathValueName(i))};
            if (r.alias == L"<missing>" || r.path == L"<missing>") return out;
            out.push_back(r);
        }
    }
    void run(void (MainForm::*command)()) {
        ui::Guarded([&] { (form.get()->*command)(); });
    }

    ProgramFolder folder{"[Options]\r\nShowTips=0\r\nAskDelete=0\r\n"};
    TestKey key{"Scripts"};
    ScriptedPrompt user;
    std::unique_ptr<MainForm> form;
};

} // namespace

TEST_F(ScriptsInTheList, ShownAndKeptWholeThroughDeleteMovesSortAndEdit) {
    open(kScripts);
    EXPECT_EQ(shown(), kScripts);

    // Every command rewrites rows: none may come back as question marks.
    form->list()->select(0);
    PumpPending();
    run(&MainForm::deleteItem);
    WideRows expected(kScripts.begin() + 1, kScripts.end());
    EXPECT_EQ(stored(), expected);
    form->list()->select(1);
    PumpPending();
    run(&MainForm::moveItemUp);
    std::swap(expected[0], expected[1]);
    EXPECT_EQ(stored(), expected);
    form->list()->select(2);
    PumpPending();
    run(&MainForm::moveItemDown);
    std::swap(expected[2], expected[3]);
    EXPECT_EQ(stored(), expected);
    run(&MainForm::sortRows);
    // Outside the code page the order is by UTF-16 unit: Latin, Greek, CJK.
    const WideRows sorted = {kScripts[4], kScripts[3], kScripts[2], kScripts[1]};
    EXPECT_EQ(stored(), sorted);
    EXPECT_EQ(shown(), sorted);
    EXPECT_EQ(user.count("message"), 0);
}

TEST_F(ScriptsInTheList, AnAnsiListSortsByItsCodePageBytesAsBefore) {
    // 1252 bytes: 'a' folds to 'A' (0x41) < 'Z' (0x5A) < euro (0x80) < e acute (0xE9).
    open({{L"\u00E9cole", L"c:\\e"}, {L"\u20ACuro", L"c:\\u"}, {L"Zebra", L"c:\\z"}, {L"apple", L"c:\\a"}});
    run(&MainForm::sortRows);
    EXPECT_EQ(
        stored(),
        (WideRows{{L"apple", L"c:\\a"}, {L"Zebra", L"c:\\z"}, {L"\u20ACuro", L"c:\\u"}, {L"\u00E9cole", L"c:\\e"}}));
}

TEST_F(ScriptsInTheList, ExportWritesUnicodeOnlyWhenTheCodePageCannotHoldTheList) {
    struct Case {
        WideRows rows;
        bool unicodeFile;
    };
    const Case cases[] = {{{{L"Caf\u00E9", L"C:\\Caf\u00E9"}}, false}, {kScripts, true}};
    for (const Case& c : cases) {
        form.reset();
        key.remove();
        folder.write("other.kvr", "[Other]\r\nKeep=1\r\n");
        open(c.rows);
        user.messageAnswers.push_back(IDYES);
        user.fileAnswers.push_back(folder.file("other.kvr"));
        ui::Guarded([this] { ExportFavourites(*form); });
        const std::string raw = folder.read("other.kvr");
        EXPECT_EQ(raw.rfind("\xFF\xFE", 0) == 0, c.unicodeFile) << raw;
        if (!c.unicodeFile) {
            EXPECT_NE(raw.find("N0=Caf\xE9\r\n"), std::string::npos) << raw;
        }
        // The other section survives, read back by the system's own reader.
        wchar_t keep[8] = {};
        GetPrivateProfileStringW(L"Other", L"Keep", L"", keep, 8, ToUtf16(folder.file("other.kvr")).c_str());
        EXPECT_STREQ(keep, L"1");

        form.reset();
        key.remove();
        open({});
        user.fileAnswers.push_back(folder.file("other.kvr"));
        ui::Guarded([this] { ImportFavourites(*form); });
        EXPECT_EQ(stored(), c.rows);
    }
}

TEST_F(ScriptsInTheList, ImportReadsCodePageUtf16AndUtf8Files) {
    const std::wstring text = L"[Corvane]\r\nCount=1\r\nN0=\u6587\u4EF6\r\nP0=C:\\\u6587\u4EF6\r\n";
    std::string utf16 = "\xFF\xFE";
    for (wchar_t c : text) utf16 += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    struct Case {
        const char* name;
        std::string bytes;
        WideRow row;
    };
    const Case cases[] = {
        {"ansi.kvr", "[Corvane]\r\nCount=1\r\nN0=Caf\xE9\r\nP0=C:\\Caf\xE9\r\n", {L"Caf\u00E9", L"C:\\Caf\u00E9"}},
        {"utf16.kvr", utf16, {L"\u6587\u4EF6", L"C:\\\u6587\u4EF6"}},
        {"utf8.kvr",
         "\xEF\xBB\xBF[Corvane]\r\nCount=1\r\nN0=\xD0\x9F\r\nP0=C:\\\xD0\x9F\r\n",
         {L"\u041F", L"C:\\\u041F"}},
    };
    for (const Case& c : cases) {
        form.reset();
        key.remove();
        open({});
        folder.write(c.name, c.bytes);
        user.fileAnswers.push_back(folder.file(c.name));
        ui::Guarded([this] { ImportFavourites(*form); });
        EXPECT_EQ(stored(), WideRows{c.row}) << c.name;
    }
}

TEST_F(ScriptsInTheList, AStoreThatRefusesWritesSaysSoAndStillShowsItsList) {
    open({{L"a", L"c:\\a"}, {L"b", L"c:\\b"}});
    form.reset();
    // Read-only through the key's own ACL (everyone: read), which the system enforces.
    HKEY h = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, ToUtf16(key.path()).c_str(), 0, WRITE_DAC, &h), ERROR_SUCCESS);
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_TRUE(
        ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KR;;;WD)", SDDL_REVISION_1, &sd, nullptr));
    ASSERT_EQ(RegSetKeySecurity(h, DACL_SECURITY_INFORMATION, sd), ERROR_SUCCESS);
    LocalFree(sd);
    RegCloseKey(h);

    form = std::make_unique<MainForm>(nullptr, key.path());
    form->create();
    PumpPending();
    EXPECT_EQ(shown(), (WideRows{{L"a", L"c:\\a"}, {L"b", L"c:\\b"}}));
    EXPECT_EQ(user.count("message"), 0); // the start-up writes stay silent

    form->list()->select(1);
    PumpPending();
    struct Case {
        void (MainForm::*command)();
        const char* text;
    };
    for (const Case& c : {Case{&MainForm::moveItemUp, "Failed to set data for 'N0'"},
                          Case{&MainForm::sortRows, "Failed to set data for 'N0'"},
                          Case{&MainForm::deleteItem, "Failed to set data for 'N1'"}}) {
        const size_t before = user.calls.size();
        run(c.command);
        ASSERT_EQ(user.calls.size(), before + 1);
        EXPECT_EQ(user.calls.back().text, c.text);
    }
    EXPECT_EQ(stored(), (WideRows{{L"a", L"c:\\a"}, {L"b", L"c:\\b"}}));

    // Give the key back its write access, or it cannot be removed.
    ASSERT_TRUE(
        ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KA;;;WD)", SDDL_REVISION_1, &sd, nullptr));
    RegOpenKeyExW(HKEY_CURRENT_USER, ToUtf16(key.path()).c_str(), 0, WRITE_DAC, &h);
    RegSetKeySecurity(h, DACL_SECURITY_INFORMATION, sd);
    LocalFree(sd);
    RegCloseKey(h);
}

namespace {
// A shell drop of `paths`, as Explorer hands it over: DROPFILES with wide names.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    size_t chars = 1;
    for (const auto& p : paths) chars += p.size() + 1;
    HGLOBAL mem = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
    df->pFiles = sizeof(DROPFILES);
    df->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(df + 1);
    for (const auto& p : paths) {
        std::copy(p.begin(), p.end(), out);
        out += p.size() + 1;
    }
    GlobalUnlock(mem);
    return static_cast<HDROP>(mem);
}

} // namespace

TEST_F(ScriptsInTheList, DroppedFoldersAndShortcutsToFoldersAreAddedAndTheRestCounted) {
    const std::wstring base = ToUtf16(folder.path());
    const std::wstring music = base + L"\u041C\u0443\u0437\u044B\u043A\u0430", work = base + L"Work";
    CreateDirectoryW(music.c_str(), nullptr);
    CreateDirectoryW(work.c_str(), nullptr);
    folder.write("notes.txt", "x");
    ASSERT_TRUE(MakeShortcut(base + L"work.lnk", work));
    ASSERT_TRUE(MakeShortcut(base + L"notes.lnk", base + L"notes.txt"));
    open({{L"a", L"c:\\a"}});
    SendMessageW(
        form->list()->handle(), WM_DROPFILES,
        reinterpret_cast<WPARAM>(MakeDrop({music, base + L"notes.txt", base + L"work.lnk", base + L"notes.lnk"})), 0);
    EXPECT_EQ(stored(),
              (WideRows{{L"a", L"c:\\a"}, {L"\u041C\u0443\u0437\u044B\u043A\u0430", music}, {L"Work", work}}));
    ASSERT_EQ(user.count("message"), 1);
    EXPECT_EQ(user.calls.back().text, "2 of the dropped items were not folders and were not added.");
}

TEST_F(ScriptsInTheList, PathsNamingEnvironmentVariablesAreTestedExpandedAndKeptAsTyped) {
    SetEnvironmentVariableW(L"CORVANE_TEST_HOME", ToUtf16(folder.path()).c_str());
    CreateDirectoryW((ToUtf16(folder.path()) + L"Projects").c_str(), nullptr);
    CreateDirectoryW((ToUtf16(folder.path()) + L"100%").c_str(), nullptr);
    struct Case {
        std::string typed, expanded;
    };
    const Case cases[] = {
        {"%CORVANE_TEST_HOME%Projects", folder.path() + "Projects"},               // defined
        {"%CORVANE_UNDEFINED%\\x", "%CORVANE_UNDEFINED%\\x"},                      // left as it stands
        {folder.path() + "100%", folder.path() + "100%"},                          // a lone percent sign
        {"%CORVANE_TEST_HOME%%CORVANE_TEST_HOME%", folder.path() + folder.path()}, // twice
    };
    for (const Case& c : cases) EXPECT_EQ(ui::ExpandEnvironment(c.typed), c.expanded) << c.typed;
    // A result past MAX_PATH is expanded whole.
    const std::string longValue(3000, 'v');
    SetEnvironmentVariableW(L"CORVANE_TEST_LONG", ToUtf16(longValue).c_str());
    EXPECT_EQ(ui::ExpandEnvironment("%CORVANE_TEST_LONG%\\x"), longValue + "\\x");
    SetEnvironmentVariableW(L"CORVANE_TEST_LONG", nullptr);
    SetEnvironmentVariableW(L"CORVANE_TEST_HOME", nullptr);
}
