#include "TestSupport.h"
#include "ui/Environment.h"
#include "app/Backup.h"
#include "app/Global.h"
#include "app/MainForm.h"
#include "ui/Errors.h"
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <shlwapi.h>

using namespace corvane;
using namespace corvane::app;
using namespace corvane::test;

namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

// A main window whose list refuses the n-th appended row.
class FailingForm : public MainForm {
public:
    FailingForm(const std::string& key, int failAt) : MainForm(nullptr, key), failAt_(failAt) {}
    void appendRow(const std::string& alias, const std::string& path) override {
        if (++appended_ == failAt_) throw ui::UiError("Out of memory");
        MainForm::appendRow(alias, path);
    }
    // The first read of this row's alias deletes the store key: the store write reading
    // it fails on the handle it opened before.
    mutable int deleteKeyAtAlias = -1;
    std::string rowAlias(int i) const override {
        if (i == std::exchange(deleteKeyAtAlias, i == deleteKeyAtAlias ? -1 : deleteKeyAtAlias))
            SHDeleteKeyA(HKEY_CURRENT_USER, storeKey().c_str());
        return MainForm::rowAlias(i);
    }

private:
    int failAt_;
    int appended_ = 0;
};

// Three rows whose last alias cannot be read.
struct BrokenRows : FavouriteRows {
    int rowCount() const override { return 3; }
    std::string rowAlias(int i) const override { return i < 2 ? "a" : throw ui::UiError("Out of memory"); }
    std::string rowPath(int) const override { return "c:\\a"; }
    void appendRow(const std::string&, const std::string&) override {}
};

class BackupFiles : public ::testing::Test {
protected:
    void TearDown() override { form.reset(); }

    void open(const Rows& rows, int failAt = 0) {
        for (size_t i = 0; i < rows.size(); ++i) {
            key.set(AliasValueName(static_cast<int>(i)), rows[i].first);
            key.set(PathValueName(static_cast<int>(i)), rows[i].second);
        }
        key.set("Setting", "");
        if (failAt) form = std::make_unique<FailingForm>(key.path(), failAt);
        else form = std::make_unique<MainForm>(nullptr, key.path());
        form->create();
        PumpPending();
    }

    Rows rows() const {
        Rows out;
        for (int i = 0; i < form->rowCount(); ++i) out.emplace_back(form->rowAlias(i), form->rowPath(i));
        return out;
    }
    Rows stored() const {
        Rows out;
        for (int i = 0;; ++i) {
            std::string a = key.get(AliasValueName(i)), p = key.get(PathValueName(i));
            if (a == "<missing>" || p == "<missing>") return out;
            out.emplace_back(a, p);
        }
    }

    void exportTo(const std::string& name) {
        user.fileAnswers.push_back(name);
        ui::Guarded([this] { ExportFavourites(*form); });
    }
    void importFrom(const std::string& name) {
        user.fileAnswers.push_back(name);
        ui::Guarded([this] { ImportFavourites(*form); });
    }

    ProgramFolder folder;
    TestKey key{"Backup"};
    ScriptedPrompt user;
    std::unique_ptr<MainForm> form;
};

const Rows kMusic = {{"Music", "C:\\Music"}};

} // namespace

TEST_F(BackupFiles, ExportOfAnEmptyListWritesOnlyCount) {
    open({});
    exportTo(folder.file("empty"));
    ASSERT_EQ(user.count("save"), 1);
    EXPECT_EQ(user.fileRequests[0].title, "Export Alias and Path");
    EXPECT_EQ(user.fileRequests[0].filter, "Backup files (*.kvr)|*.KVR|All files (*.*)| *.*");
    EXPECT_EQ(user.fileRequests[0].defaultExt, "");
    EXPECT_EQ(user.fileRequests[0].flags, 0u);
    EXPECT_EQ(folder.read("empty.kvr"), "[Corvane]\r\nCount=0\r\n");
    EXPECT_EQ(user.count("message"), 0);
}

TEST_F(BackupFiles, ExportWritesCountThenThePairsInRowOrder) {
    open({{"b", "c:\\b"}, {kSeparatorAlias, kSeparatorPath}, {"a", "c:\\a"}});
    exportTo(folder.file("list.kvr"));
    EXPECT_EQ(folder.read("list.kvr"),
              "[Corvane]\r\nCount=3\r\nN0=b\r\nP0=c:\\b\r\nN1=*Separator*\r\nP1=-\r\nN2=a\r\nP2=c:\\a\r\n");
    EXPECT_EQ(stored().size(), 3u); // the store is not touched
}

TEST_F(BackupFiles, ExportNamesGetTheKvrExtensionUnlessTheyHaveIt) {
    open(kMusic);
    exportTo(folder.file("backup"));
    exportTo(folder.file("mixed.KVR"));
    exportTo(folder.file("notes.txt"));
    EXPECT_TRUE(FileExists(folder.file("backup.kvr")));
    EXPECT_FALSE(FileExists(folder.file("backup")));
    EXPECT_TRUE(FileExists(folder.file("mixed.KVR")));
    EXPECT_FALSE(FileExists(folder.file("mixed.KVR.kvr")));
    EXPECT_TRUE(FileExists(folder.file("notes.txt.kvr")));
    EXPECT_FALSE(FileExists(folder.file("notes.txt")));
    EXPECT_EQ(user.count("message"), 0);
    // backup.kvr exists now: choosing it again is the same file, and asks.
    user.messageAnswers.push_back(IDYES);
    exportTo(folder.file("backup.kvr"));
    ASSERT_EQ(user.count("message"), 1);
    EXPECT_EQ(user.calls.back().text, folder.file("backup.kvr") + " has existed,overite it?");
}

TEST_F(BackupFiles, OverwriteQuestionNoKeepsTheFileAndYesKeepsOtherContent) {
    open(kMusic);
    const std::string old = "[Other]\r\nKeep=1\r\n[Corvane]\r\nCount=3\r\nN2=old\r\nP2=c:\\old\r\n";
    folder.write("b.kvr", old);
    user.messageAnswers.push_back(IDNO);
    exportTo(folder.file("b"));
    ASSERT_EQ(user.count("message"), 1);
    EXPECT_EQ(user.calls.back().text, folder.file("b.kvr") + " has existed,overite it?");
    EXPECT_EQ(user.calls.back().caption, "Corvane");
    EXPECT_EQ(user.calls.back().flags, 0x144u);
    EXPECT_EQ(folder.read("b.kvr"), old);

    user.messageAnswers.push_back(IDYES);
    exportTo(folder.file("b.kvr"));
    const std::string path = folder.file("b.kvr");
    char buf[64];
    GetPrivateProfileStringA("Other", "Keep", "", buf, sizeof buf, path.c_str());
    EXPECT_STREQ(buf, "1");
    GetPrivateProfileStringA("Corvane", "Count", "", buf, sizeof buf, path.c_str());
    EXPECT_STREQ(buf, "1");
    GetPrivateProfileStringA("Corvane", "N0", "", buf, sizeof buf, path.c_str());
    EXPECT_STREQ(buf, "Music");
    GetPrivateProfileStringA("Corvane", "N2", "", buf, sizeof buf, path.c_str());
    EXPECT_STREQ(buf, "old"); // beyond Count, left as it was
}

TEST_F(BackupFiles, CancelledDialogsDoNothing) {
    open(kMusic);
    user.fileAnswers.push_back("");
    ExportFavourites(*form);
    user.fileAnswers.push_back("");
    ImportFavourites(*form);
    EXPECT_EQ(user.count("save"), 1);
    EXPECT_EQ(user.count("open"), 1);
    EXPECT_EQ(user.count("message"), 0);
    EXPECT_EQ(rows(), kMusic);
}

TEST_F(BackupFiles, ExportOntoAnUnwritableNameShowsTheError) {
    open(kMusic);
    CreateDirectoryA(folder.file("dir.kvr").c_str(), nullptr); // a folder of that name
    exportTo(folder.file("dir.kvr"));
    ASSERT_EQ(user.count("message"), 1);
    EXPECT_EQ(user.calls.back().text, "Unable to write to " + folder.file("dir.kvr") + ".");
    EXPECT_EQ(user.calls.back().flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    exportTo(folder.file("missing\\b.kvr"));
    EXPECT_EQ(user.count("message"), 2);
}

TEST_F(BackupFiles, ImportMatchesAliasExactlyAndPathNormalised) {
    open(kMusic);
    folder.write("in.kvr", "[Corvane]\r\nCount=4\r\nN0=Music\r\nP0=c:\\music\\\r\nN1=music\r\nP1=C:\\Music\r\n"
                           "N2=music\r\nP2=c:\\MUSIC\\\r\nN3=Docs\r\nP3=D:\\Docs\r\n");
    importFrom(folder.file("in.kvr"));
    EXPECT_EQ(user.fileRequests[0].title, "Import Alias and Path");
    EXPECT_EQ(user.fileRequests[0].filter, "Backup files (*.kvr)|*.KVR|All files (*.*)| *.*");
    EXPECT_EQ(user.fileRequests[0].defaultExt, "");
    // The second music is found among the rows this import added.
    const Rows want = {{"Music", "C:\\Music"}, {"music", "C:\\Music"}, {"Docs", "D:\\Docs"}};
    EXPECT_EQ(rows(), want);
    EXPECT_EQ(stored(), want);
    EXPECT_EQ(form->chosenRow(), kNoRowChosen);
    EXPECT_EQ(user.count("message"), 0);
}

TEST_F(BackupFiles, ExportThenImportAddsNothingAndKeepsAnsiText) {
    // UTF-8 inside; the file keeps them as code-page bytes.
    const Rows list = {{"Caf\xC3\xA9", "C:\\Donn\xC3\xA9"
                                       "es"},
                       {kSeparatorAlias, kSeparatorPath},
                       {"\xC3\x80 faire", "d:\\x\\"}};
    open(list);
    exportTo(folder.file("round"));
    const std::string raw = folder.read("round.kvr");
    EXPECT_NE(raw.find("N0=Caf\xE9\r\n"), std::string::npos) << raw;
    EXPECT_NE(raw.find("P0=C:\\Donn\xE9"
                       "es\r\n"),
              std::string::npos)
        << raw;
    importFrom(folder.file("round.kvr"));
    EXPECT_EQ(rows(), list);

    // Into an empty list every entry comes back byte for byte, in the file's order.
    form.reset();
    key.remove();
    open({});
    importFrom(folder.file("round.kvr"));
    EXPECT_EQ(rows(), list);
    EXPECT_EQ(stored(), list);
}

TEST_F(BackupFiles, ImportReadsCountInDecimalOrHexAndOnlyEntriesBelowIt) {
    open({});
    folder.write("two.kvr", "[Corvane]\r\nCount=2\r\nN0=a\r\nP0=c:\\a\r\nN1=b\r\nP1=c:\\b\r\nN2=c\r\nP2=c:\\c\r\n");
    importFrom(folder.file("two.kvr"));
    EXPECT_EQ(rows(), (Rows{{"a", "c:\\a"}, {"b", "c:\\b"}}));

    folder.write("hex.kvr", "[Corvane]\r\nCount=0x3\r\nN2=c\r\nP2=c:\\c\r\n");
    importFrom(folder.file("hex.kvr"));
    EXPECT_EQ(form->rowCount(), 3);

    // A huge Count reads only what is there.
    folder.write("huge.kvr",
                 "[Corvane]\r\nCount=0x7FFFFFFF\r\nN5=d\r\nP5=c:\\d\r\nN2147483646=e\r\nP2147483646=c:\\e\r\n");
    importFrom(folder.file("huge.kvr"));
    EXPECT_EQ(form->rowCount(), 5);
    EXPECT_EQ(form->rowAlias(4), "e");

    for (const char* bad : {"[Corvane]\r\nCount=abc\r\nN0=x\r\nP0=c:\\x\r\n", "[Corvane]\r\nN0=x\r\nP0=c:\\x\r\n",
                            "[Other]\r\nCount=1\r\nN0=x\r\nP0=c:\\x\r\n", "[Corvane]\r\nCount=-1\r\nN0=x\r\nP0=x\r\n",
                            "\x01\xFF garbage \r\n=\r\n[[\r\n"}) {
        folder.write("bad.kvr", bad);
        importFrom(folder.file("bad.kvr"));
    }
    importFrom(folder.file("does-not-exist.kvr"));
    EXPECT_EQ(form->rowCount(), 5);
    EXPECT_EQ(stored().size(), 5u);
    EXPECT_EQ(user.count("message"), 0);
}

TEST_F(BackupFiles, ImportSkipsEntriesWithAnEmptyAliasOrPath) {
    open({});
    folder.write("gaps.kvr",
                 "[Corvane]\r\nCount=4\r\nN0=\r\nP0=c:\\x\r\nN1=noPath\r\nN2=ok\r\nP2=c:\\ok\r\nP3=c:\\y\r\n");
    importFrom(folder.file("gaps.kvr"));
    EXPECT_EQ(rows(), (Rows{{"ok", "c:\\ok"}}));
    // The store holds no gap, so the next start loads everything.
    form.reset();
    open({});
    EXPECT_EQ(rows(), (Rows{{"ok", "c:\\ok"}}));
}

TEST_F(BackupFiles, ImportThatFailsHalfWayKeepsWhatItAddedAndSaysNothing) {
    open({}, 2);
    folder.write("three.kvr", "[Corvane]\r\nCount=3\r\nN0=a\r\nP0=c:\\a\r\nN1=b\r\nP1=c:\\b\r\nN2=c\r\nP2=c:\\c\r\n");
    importFrom(folder.file("three.kvr"));
    EXPECT_EQ(rows(), (Rows{{"a", "c:\\a"}}));
    EXPECT_EQ(stored(), (Rows{{"a", "c:\\a"}}));
    EXPECT_EQ(user.count("message"), 0);
    EXPECT_TRUE(IsWindowVisible(form->list()->handle()));
}

TEST_F(BackupFiles, ImportOfALargeFileReadsKeyNamesPastTheFirstBuffer) {
    open({});
    // 600 pairs: their key names alone take about 5.5 KiB.
    std::string text = "[Corvane]\r\nCount=600\r\n";
    for (int i = 0; i < 600; ++i) {
        const std::string n = std::to_string(i);
        text += "N" + n + "=a" + n + "\r\nP" + n + "=c:\\" + n + "\r\n";
    }
    folder.write("large.kvr", text);
    importFrom(folder.file("large.kvr"));
    ASSERT_EQ(form->rowCount(), 600);
    EXPECT_EQ(form->rowAlias(599), "a599");
    EXPECT_EQ(form->rowPath(599), "c:\\599");
    EXPECT_EQ(key.get("N599"), "a599");
    EXPECT_EQ(key.get("P599"), "c:\\599");
}

TEST_F(BackupFiles, LongTextsRoundTripWhole) {
    const Rows list = {{"long", "C:\\" + std::string(4997, 'x')}, {std::string(3000, 'a'), "D:\\a"}};
    open(list);
    exportTo(folder.file("long"));
    importFrom(folder.file("long.kvr"));
    EXPECT_EQ(rows(), list); // nothing added, not even a cut copy
}

TEST_F(BackupFiles, ImportShowsARefusedStoreWriteAndStops) {
    open({}, -1);
    static_cast<FailingForm&>(*form).deleteKeyAtAlias = 1;
    folder.write("three.kvr", "[Corvane]\r\nCount=3\r\nN0=a\r\nP0=c:\\a\r\nN1=b\r\nP1=c:\\b\r\nN2=c\r\nP2=c:\\c\r\n");
    importFrom(folder.file("three.kvr"));
    ASSERT_EQ(user.count("message"), 1);
    EXPECT_EQ(user.calls.back().text, "Failed to set data for 'N1'");
    EXPECT_EQ(rows(), (Rows{{"a", "c:\\a"}, {"b", "c:\\b"}})); // as after Add; the import ends there
}

TEST_F(BackupFiles, ExportThatFailsHalfWayOrMeetsAReadOnlyFileLeavesItWhole) {
    const std::string old = "[Other]\r\nKeep=1\r\n[Corvane]\r\nCount=1\r\nN0=old\r\nP0=c:\\old\r\n";
    folder.write("b.kvr", old);
    EXPECT_THROW(WriteBackupFile(BrokenRows(), folder.file("b.kvr")), ui::UiError);
    EXPECT_EQ(folder.read("b.kvr"), old);
    WIN32_FIND_DATAA found;
    EXPECT_EQ(FindFirstFileA(folder.file("*.tmp").c_str(), &found), INVALID_HANDLE_VALUE); // no copy left

    open(kMusic);
    SetFileAttributesA(folder.file("b.kvr").c_str(), FILE_ATTRIBUTE_READONLY);
    user.messageAnswers.push_back(IDYES);
    exportTo(folder.file("b.kvr"));
    SetFileAttributesA(folder.file("b.kvr").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(user.calls.back().text, "Unable to write to " + folder.file("b.kvr") + ".");
    EXPECT_EQ(folder.read("b.kvr"), old);
}
