#include <algorithm>
#include "TestSupport.h"
#include "ui/Environment.h"
#include "app/Global.h"
#include "app/StoreNames.h"
#include "ui/Errors.h"
#include "ui/Registry.h"
#include <gtest/gtest.h>
#include <cstring>
#include <functional>

using namespace corvane;
using namespace corvane::app;
using corvane::test::TestKey;

namespace {

struct VectorRows : FavouriteRows {
    std::vector<std::pair<std::string, std::string>> rows;
    int rowCount() const override { return static_cast<int>(rows.size()); }
    std::string rowAlias(int i) const override { return rows[i].first; }
    std::string rowPath(int i) const override { return rows[i].second; }
    void appendRow(const std::string& a, const std::string& p) override { rows.emplace_back(a, p); }
};

std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ui::UiError& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST(Store, LoadStopsAtTheFirstGapAndLeavesLaterValues) {
    TestKey key("LoadGap");
    key.set("N0", "a");
    key.set("P0", "c:\\a");
    key.set("N1", "b"); // no P1
    key.set("N2", "c");
    key.set("P2", "c:\\c");
    VectorRows rows;
    LoadFavourites(rows, key.path());
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.rows[0], std::make_pair(std::string("a"), std::string("c:\\a")));
    EXPECT_EQ(key.get("N2"), "c");
    EXPECT_EQ(key.get("N1"), "b");

    // Filling the gap with an append brings the later pair back at the next load.
    rows.appendRow("new", "c:\\new");
    WriteStoreValue(key.path(), AliasValueName(1), "new");
    WriteStoreValue(key.path(), PathValueName(1), "c:\\new");
    VectorRows again;
    LoadFavourites(again, key.path());
    ASSERT_EQ(again.rowCount(), 3);
    EXPECT_EQ(again.rows[2].first, "c");
}

TEST(Store, EmptyFirstAliasGivesAnEmptyList) {
    TestKey key("EmptyN0");
    key.set("N0", "");
    key.set("P0", "c:\\x");
    key.set("N1", "b");
    key.set("P1", "c:\\b");
    VectorRows rows;
    LoadFavourites(rows, key.path());
    EXPECT_EQ(rows.rowCount(), 0);
    EXPECT_EQ(key.get("N1"), "b");
}

TEST(Store, MissingKeyIsCreatedByLoadAndGivesNoRows) {
    TestKey key("LoadCreates");
    VectorRows rows;
    LoadFavourites(rows, key.path());
    EXPECT_EQ(rows.rowCount(), 0);
    EXPECT_TRUE(key.exists());
}

TEST(Store, ValueOfAnotherTypeStopsTheLoadWithRowsReadSoFar) {
    TestKey key("Dword");
    key.set("N0", "a");
    key.set("P0", "c:\\a");
    key.setDword("N1", 7);
    key.set("P1", "c:\\b");
    VectorRows rows;
    EXPECT_EQ(ErrorOf([&] { LoadFavourites(rows, key.path()); }), "Invalid data type for 'N1'");
    EXPECT_EQ(rows.rowCount(), 1);

    TestKey first("DwordFirst");
    first.setDword("N0", 1);
    VectorRows none;
    EXPECT_EQ(ErrorOf([&] { LoadFavourites(none, first.path()); }), "Invalid data type for 'N0'");
    EXPECT_EQ(none.rowCount(), 0);
}

TEST(Store, ExpandStringsAreReadAsTheyStandAndTextEndsAtTheFirstNul) {
    TestKey key("Expand");
    HKEY h;
    RegCreateKeyExA(HKEY_CURRENT_USER, key.path().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    const char alias[] = "al\0ias";
    RegSetValueExA(h, "N0", 0, REG_SZ, reinterpret_cast<const BYTE*>(alias), sizeof alias);
    const char path[] = "%WINDIR%\\x";
    RegSetValueExA(h, "P0", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(path), sizeof path);
    // Stored without its terminating NUL by some other writer.
    RegSetValueExA(h, "N1", 0, REG_SZ, reinterpret_cast<const BYTE*>("raw"), 3);
    RegSetValueExA(h, "P1", 0, REG_SZ, reinterpret_cast<const BYTE*>("p"), 1);
    RegCloseKey(h);
    VectorRows rows;
    LoadFavourites(rows, key.path());
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.rows[0].first, "al");
    EXPECT_EQ(rows.rows[0].second, "%WINDIR%\\x");
    EXPECT_EQ(rows.rows[1].first, "raw");
}

TEST(Store, WritesAreRegSzWithTheTerminatingNul) {
    TestKey key("WriteNul");
    WriteStoreValue(key.path(), "N0", "abc");
    EXPECT_EQ(key.get("N0"), "abc");
    EXPECT_EQ(key.sizeOf("N0"), 8u); // UTF-16 with its NUL
    WriteStoreValue(key.path(), "P0", "");
    EXPECT_EQ(key.sizeOf("P0"), 2u);
}

TEST(Store, RewriteRangeWritesOnlyValidRanges) {
    TestKey key("Range");
    VectorRows rows;
    rows.rows = {{"a", "1"}, {"b", "2"}, {"c", "3"}};
    RewriteStoreRange(rows, key.path(), 3, 3); // first beyond the rows: not even opened
    EXPECT_FALSE(key.exists());
    RewriteStoreRange(rows, key.path(), 1, 0); // last before first: key created, nothing written
    EXPECT_TRUE(key.exists());
    EXPECT_TRUE(key.valueNames().empty());
    RewriteStoreRange(rows, key.path(), 1, 3); // last beyond the rows: nothing written
    EXPECT_TRUE(key.valueNames().empty());
    RewriteStoreRange(rows, key.path(), 1, 2);
    EXPECT_EQ(key.get("N1"), "b");
    EXPECT_EQ(key.get("P2"), "3");
    EXPECT_EQ(key.get("N0"), "<missing>");
}

TEST(Store, DeleteStorePairNeverCreatesTheKey) {
    TestKey key("DeletePair");
    DeleteStorePair(key.path(), 0);
    EXPECT_FALSE(key.exists());
    key.set("N3", "x");
    key.set("P3", "y");
    key.set("N2", "keep");
    DeleteStorePair(key.path(), 3);
    EXPECT_EQ(key.get("N3"), "<missing>");
    EXPECT_EQ(key.get("P3"), "<missing>");
    EXPECT_EQ(key.get("N2"), "keep");
}

TEST(Store, SeedingOnlyWhenTheKeyIsMissing) {
    TestKey key("Seed");
    EXPECT_TRUE(SeedStoreIfMissing(key.path(), "C:\\windows"));
    EXPECT_EQ(key.get("N0"), "Windows Directory");
    EXPECT_EQ(key.get("P0"), "C:\\windows");
    EXPECT_EQ(key.get("N1"), "C:\\");
    EXPECT_EQ(key.get("P1"), "C:\\");
    EXPECT_EQ(key.valueNames().size(), 4u);

    TestKey empty("SeedEmpty");
    HKEY h; // the key exists but holds no favourites
    RegCreateKeyExA(HKEY_CURRENT_USER, empty.path().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    RegCloseKey(h);
    EXPECT_FALSE(SeedStoreIfMissing(empty.path(), "C:\\windows"));
    EXPECT_EQ(empty.get("N0"), "<missing>");
}

namespace {
UINT WINAPI LongWindowsFolder(LPWSTR buf, UINT size) {
    static const std::wstring path = L"C:\\" + std::wstring(200, L'w');
    if (size <= path.size()) return static_cast<UINT>(path.size() + 1);
    std::copy_n(path.c_str(), path.size() + 1, buf);
    return static_cast<UINT>(path.size());
}

// Needs one character more on every ask, as a folder renamed between the reads would.
UINT WINAPI GrowingWindowsFolder(LPWSTR, UINT size) { return size + 1; }

// Fills what fits (with its NUL) and returns the size, as the system does with a short buffer.
std::string g_modulePath;
DWORD WINAPI LongModuleName(HMODULE, LPWSTR buf, DWORD size) {
    const std::wstring path(g_modulePath.begin(), g_modulePath.end()); // ASCII in these cases
    if (size <= path.size()) {
        std::copy_n(path.c_str(), size - 1, buf);
        buf[size - 1] = L'\0';
        return size;
    }
    std::copy_n(path.c_str(), path.size() + 1, buf);
    return static_cast<DWORD>(path.size());
}
} // namespace

TEST(Store, WindowsFolderIsReadInFullWhenLongerThan128) {
    EXPECT_EQ(WindowsFolder(&LongWindowsFolder), "C:\\" + std::string(200, 'w'));
    char real[MAX_PATH];
    GetWindowsDirectoryA(real, MAX_PATH);
    EXPECT_EQ(WindowsFolder(), real);
    // Still too long on the second read: no folder, and the seeding then keeps C:\ visible.
    EXPECT_EQ(WindowsFolder(&GrowingWindowsFolder), "");
    TestKey key("SeedNoWindows");
    EXPECT_TRUE(SeedStoreIfMissing(key.path(), ""));
    EXPECT_EQ(key.get("N0"), "C:\\");
    EXPECT_EQ(key.get("P0"), "C:\\");
    EXPECT_EQ(key.get("N1"), "<missing>");
}

TEST(Store, ExecutablePathLongerThanMaxPathIsReadInFull) {
    for (size_t length : {size_t(MAX_PATH - 1), size_t(MAX_PATH), size_t(MAX_PATH + 1), size_t(700)}) {
        g_modulePath = "C:\\" + std::string(length - 3, 'x');
        EXPECT_EQ(ui::ExecutablePath(&LongModuleName), g_modulePath) << length;
    }
}

TEST(Store, ValuesLongerThanTheFirstBufferAreReadInFull) {
    TestKey key("LongValues");
    for (size_t length : {1023u, 1024u, 1025u, 5000u}) {
        const std::string alias(length, 'a'), path = "c:\\" + std::string(length, 'p');
        key.set("N0", alias);
        key.set("P0", path);
        VectorRows rows;
        LoadFavourites(rows, key.path());
        ASSERT_EQ(rows.rowCount(), 1) << length;
        EXPECT_EQ(rows.rows[0].first, alias) << length;
        EXPECT_EQ(rows.rows[0].second, path) << length;
    }
}

TEST(Store, SettingIsRewrittenWhenAnyCharacterDiffers) {
    TestKey key("Setting");
    RecordProgramPath(key.path(), "C:\\Apps\\Corvane.exe");
    EXPECT_EQ(key.get("Setting"), "C:\\Apps\\Corvane.exe");
    RecordProgramPath(key.path(), "C:\\apps\\Corvane.exe"); // only the case differs
    EXPECT_EQ(key.get("Setting"), "C:\\apps\\Corvane.exe");
    key.set("Setting", "");
    RecordProgramPath(key.path(), "C:\\apps\\Corvane.exe");
    EXPECT_EQ(key.get("Setting"), "C:\\apps\\Corvane.exe");
}

TEST(Store, RefusedWriteIsReportedWithTheValueName) {
    TestKey key("Refused");
    key.set("N0", "a");
    // A read-only handle makes the system refuse the write.
    ui::RegistryKey ro = ui::RegistryKey::open(HKEY_CURRENT_USER, key.path(), KEY_READ, false);
    ASSERT_TRUE(ro.valid());
    EXPECT_FALSE(ro.writeString("N0", "b"));
    // A value name longer than the registry allows is refused too, through the store operation.
    std::string longName(20000, 'N');
    EXPECT_EQ(ErrorOf([&] { WriteStoreValue(key.path(), longName, "x"); }),
              "Failed to set data for '" + longName + "'");
    EXPECT_EQ(key.get("N0"), "a");
}
