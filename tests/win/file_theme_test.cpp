#include "TestSupport.h"
#include "ui/Environment.h"
#include "skin/theme/FileTheme.h"
#include "skin/theme/StyleBitmaps.h"
#include "skin/theme/ThemeManager.h"
#include "skin/theme/Themed.h"
#include "skinpack/SkinWriter.h"
#include "ui/Errors.h"
#include "ui/Dpi.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include <gtest/gtest.h>
#include <memory>

using namespace corvane::skin;

using namespace corvane;
using namespace corvane::test;
using skinpack::Bytes;
using skinpack::DescriptionWriter;

namespace {

COLORREF PixelOf(HBITMAP b, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, b);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> out;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return out;
    do {
        std::string n = fd.cFileName;
        if (n != "." && n != "..") out.push_back(n);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return out;
}

// Every folder the theme looks in, and its temporary folder, are the test's own.
class FileTheme : public ::testing::Test {
protected:
    void SetUp() override {
        previous = ui::TheEnvironment().folders;
        ui::TheEnvironment().folders = {program.path(), windows.path(), system.path(), temp.path()};
    }
    void TearDown() override { ui::TheEnvironment().folders = previous; }

    std::string writeSkin(const TempFolder& where, const std::string& name, const DescriptionWriter& d,
                          const std::string& password = {}) {
        return writeBytes(where, name, skinpack::BuildSkin(d, password));
    }
    std::string writeBytes(const TempFolder& where, const std::string& name, const Bytes& bytes) {
        EXPECT_TRUE(skinpack::WriteFile(where.file(name), bytes));
        return where.file(name);
    }

    TempFolder program, windows, system, temp, other;
    ui::Folders previous;
};

TEST_F(FileTheme, TerminatorOnlyDescriptionIsReadyAndAnswersNothing) {
    skin::FileTheme theme(nullptr);
    EXPECT_FALSE(theme.ready());
    const std::string path = writeSkin(other, "empty.ssk", DescriptionWriter{});
    theme.setThemeFile(path);
    EXPECT_TRUE(theme.ready());
    EXPECT_EQ(theme.themeFile(), path);
    for (int k = 0; k < kColorKeyCount; ++k) EXPECT_EQ(theme.lookupColor(static_cast<ColorKey>(k)), -1) << k;
    for (int k = 0; k < kIntKeyCount; ++k) EXPECT_EQ(theme.lookupInt(static_cast<IntKey>(k)), -1) << k;
    for (int k = 0; k < kBoolKeyCount; ++k) EXPECT_FALSE(theme.lookupBool(static_cast<BoolKey>(k))) << k;
    for (int k = 0; k < kBitmapKeyCount; ++k) EXPECT_EQ(theme.lookupBitmap(static_cast<BitmapKey>(k)), nullptr) << k;
    // The destination held a picture: an absent key must empty it, not leave it.
    for (int partNo : {1, 0}) {
        ui::BitmapHandle part(CreateBitmap(4, 4, 1, 32, nullptr));
        ASSERT_TRUE(part);
        part = theme.lookupBitmapPart(BitmapKey::TITLEBAR1, partNo ? 3 : 0, partNo);
        EXPECT_FALSE(part) << partNo;
    }
    EXPECT_TRUE(FilesIn(temp.path()).empty());
}

TEST_F(FileTheme, EachKindOfItemFirstNameWins) {
    DescriptionWriter d;
    // Column x of the strip has red x, so parts can be told apart.
    d.addBitmap("SKIN2_TITLEBAR1", skinpack::MakeBmp24(100, 4, [](int x, int) { return uint32_t(x); }));
    d.addBitmap("SKIN2_TITLEBAR1", skinpack::MakeBmp24(7, 7, [](int, int) { return 0xFF0000u; }));
    d.addBitmap("skin2_formleftborder", skinpack::MakeBmp24(5, 9, [](int, int y) { return y == 0 ? 0x00FF00u : 0u; }));
    d.addInt("SKIN2_FORMCOLOR", 0x123456);
    d.addInt("SKIN2_FORMCOLOR", 0x654321);
    d.addInt("SKIN2_TITLEBARICONPOSX", -5);
    d.addBool("SKIN2_TITLEFIVESECT", true);
    d.addBool("SKIN2_BUTTONTRANS", false);
    d.add("SKIN2_TABCONTROLTRANS", 2, Bytes{7});
    d.addString("SKIN2_TRANSCOLOR", "not a number");
    d.add("SKIN2_TOOLBAR", 9, Bytes{1, 2, 3});
    skin::FileTheme theme(nullptr);
    theme.setThemeFile(writeSkin(other, "kinds.ssk", d));
    ASSERT_TRUE(theme.ready());

    HBITMAP title = theme.lookupBitmap(BitmapKey::TITLEBAR1);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(ui::BitmapSize(title).cx, 100);
    EXPECT_EQ(PixelOf(title, 42, 2), RGB(42, 0, 0));
    HBITMAP left = theme.lookupBitmap(BitmapKey::FORMLEFTBORDER);
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(PixelOf(left, 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(theme.lookupBitmap(BitmapKey::TOOLBAR), nullptr);

    EXPECT_EQ(theme.lookupColor(ColorKey::FORMCOLOR), 0x123456);
    EXPECT_EQ(theme.lookupColor(ColorKey::TRANSCOLOR), -1); // a text item is no integer
    EXPECT_EQ(theme.lookupInt(IntKey::TITLEBARICONPOSX), -5);
    EXPECT_TRUE(theme.lookupBool(BoolKey::TITLEFIVESECT));
    EXPECT_FALSE(theme.lookupBool(BoolKey::BUTTONTRANS));
    EXPECT_TRUE(theme.lookupBool(BoolKey::TABCONTROLTRANS));

    // Parts of 33 columns; the last one takes the rightmost columns.
    ui::BitmapHandle part;
    part = theme.lookupBitmapPart(BitmapKey::TITLEBAR1, 3, 2);
    ASSERT_TRUE(part);
    EXPECT_EQ(ui::BitmapSize(part.get()).cx, 33);
    EXPECT_EQ(ui::BitmapSize(part.get()).cy, 4);
    EXPECT_EQ(PixelOf(part.get(), 0, 0), RGB(33, 0, 0));
    part = theme.lookupBitmapPart(BitmapKey::TITLEBAR1, 3, 3);
    EXPECT_EQ(PixelOf(part.get(), 0, 0), RGB(67, 0, 0));
    EXPECT_EQ(PixelOf(part.get(), 32, 3), RGB(99, 0, 0));
    part = theme.lookupBitmapPart(BitmapKey::TITLEBAR1, 0, 0);
    EXPECT_EQ(ui::BitmapSize(part.get()).cx, 100);
    EXPECT_NE(part.get(), title); // a copy: the theme keeps its own
    part = theme.lookupBitmapPart(BitmapKey::TOOLBAR, 0, 0);
    EXPECT_FALSE(part);
}

TEST_F(FileTheme, ResolvesBesideExeThenWindowsThenSystemFolder) {
    DescriptionWriter d;
    d.addInt("SKIN2_FORMCOLOR", 1);
    const std::string name = "corvane-theme-search.ssk";
    writeSkin(system, name, d);
    {
        skin::FileTheme theme(nullptr);
        theme.setThemeFile(name);
        EXPECT_EQ(theme.themeFile(), system.file(name));
        EXPECT_TRUE(theme.ready());
    }
    writeSkin(windows, name, d);
    writeSkin(program, name, d);
    skin::FileTheme theme(nullptr);
    // Only the file-name part of the given name counts in the folders.
    theme.setThemeFile("no-such-folder\\" + name);
    EXPECT_EQ(theme.themeFile(), program.file(name));
    EXPECT_TRUE(theme.ready());
    DeleteFileA(program.file(name).c_str());
    theme.setThemeFile(name);
    EXPECT_EQ(theme.themeFile(), windows.file(name));
}

TEST_F(FileTheme, NothingFoundChangesNothing) {
    skin::FileTheme theme(nullptr);
    theme.setThemeFile("corvane-theme-missing.ssk");
    EXPECT_EQ(theme.themeFile(), "");
    EXPECT_FALSE(theme.ready());
    // A folder of that name is no theme file.
    CreateDirectoryA(program.file("corvane-theme-dir.ssk").c_str(), nullptr);
    theme.setThemeFile("corvane-theme-dir.ssk");
    EXPECT_EQ(theme.themeFile(), "");

    DescriptionWriter d;
    d.addInt("SKIN2_FORMCOLOR", 77);
    const std::string path = writeSkin(other, "good.ssk", d);
    theme.setThemeFile(path);
    theme.setThemeFile("corvane-theme-missing.ssk");
    EXPECT_EQ(theme.themeFile(), path);
    EXPECT_TRUE(theme.ready());
    EXPECT_EQ(theme.lookupColor(ColorKey::FORMCOLOR), 77);
}

TEST_F(FileTheme, HostileSkinsEndNotReadyWithoutTemporaryFiles) {
    DescriptionWriter good;
    good.addInt("SKIN2_FORMCOLOR", 5);
    good.addBitmap("SKIN2_TITLEBAR1", skinpack::MakeBmp24(3, 3, [](int, int) { return 0u; }));
    const Bytes goodSkin = skinpack::BuildSkin(good);

    std::vector<std::pair<std::string, Bytes>> hostile;
    hostile.push_back({"garbage", Bytes(300, 0x5A)});
    hostile.push_back({"short", Bytes{'S', 'K', 3}});
    Bytes pk = goodSkin;
    pk[0] = 'P';
    hostile.push_back({"pk", pk});
    hostile.push_back({"truncated", Bytes(goodSkin.begin(), goodSkin.begin() + goodSkin.size() / 2)});
    {
        DescriptionWriter d;
        Bytes bmp = skinpack::MakeBmp24(4, 4, [](int, int) { return 0u; });
        bmp[18] = 0xFF;
        bmp[19] = 0xFF;
        bmp[20] = 0xFF;
        bmp[21] = 0x7F; // width far beyond the pixel data
        d.addBitmap("SKIN2_TITLEBAR1", bmp);
        hostile.push_back({"bad bitmap", skinpack::BuildSkin(d)});
    }
    {
        DescriptionWriter d;
        d.addInt("SKIN2_FORMCOLOR", 1);
        d.addInt("SKIN2_TRANSCOLOR", 2);
        Bytes desc = d.build();
        // The second record points back at the first: a chain without end.
        const std::size_t second = DescriptionWriter::recordOffset(1);
        const std::size_t first = DescriptionWriter::recordOffset(0);
        for (int i = 0; i < 4; ++i) desc[second + 73 + i] = static_cast<uint8_t>(first >> (8 * i));
        skinpack::ArchiveWriter a;
        a.addEntry("SKINDATA.SK2", desc);
        hostile.push_back({"looping chain", a.build()});
    }
    {
        skinpack::ArchiveWriter a;
        a.addEntry("OTHER.BIN", good.build());
        hostile.push_back({"no description", a.build()});
    }
    hostile.push_back({"needs password", skinpack::BuildSkin(good, "secret")});

    skin::FileTheme theme(nullptr);
    for (const auto& [what, bytes] : hostile) {
        theme.setThemeFile(writeBytes(other, "good.ssk", goodSkin));
        ASSERT_TRUE(theme.ready()) << what;
        theme.setThemeFile(writeBytes(other, "hostile.ssk", bytes));
        EXPECT_FALSE(theme.ready()) << what;
        EXPECT_EQ(theme.themeFile(), other.file("hostile.ssk")) << what;
        EXPECT_EQ(theme.lookupColor(ColorKey::FORMCOLOR), -1) << what;
        EXPECT_EQ(theme.lookupBitmap(BitmapKey::TITLEBAR1), nullptr) << what;
        EXPECT_TRUE(FilesIn(temp.path()).empty()) << what;
    }
}

TEST_F(FileTheme, UnusableTemporaryFolderLeavesItNotReadyAndNothingBehind) {
    const std::string skin = writeSkin(other, "good.ssk", DescriptionWriter{});
    other.write("plain-file", "x");
    // A folder that is not there, and a file where the folder should be.
    for (const std::string& unusable : {temp.file("gone\\"), other.file("plain-file")}) {
        ui::TheEnvironment().folders = {program.path(), windows.path(), system.path(), unusable};
        skin::FileTheme theme(nullptr);
        theme.setThemeFile(skin);
        EXPECT_FALSE(theme.ready()) << unusable;
        EXPECT_EQ(FilesIn(other.path()).size(), 2u) << unusable;
        EXPECT_TRUE(FilesIn(temp.path()).empty()) << unusable;
    }
}

TEST_F(FileTheme, PasswordReloadsTheCurrentFile) {
    DescriptionWriter d;
    d.addInt("SKIN2_FORMCOLOR", 9);
    skin::FileTheme theme(nullptr);
    theme.setPassword("secret"); // nothing to reload yet
    EXPECT_FALSE(theme.ready());
    theme.setPassword("");
    theme.setThemeFile(writeSkin(other, "locked.ssk", d, "secret"));
    EXPECT_FALSE(theme.ready());
    theme.setPassword("wrong");
    EXPECT_FALSE(theme.ready());
    theme.setPassword("secret");
    EXPECT_TRUE(theme.ready());
    EXPECT_EQ(theme.lookupColor(ColorKey::FORMCOLOR), 9);
    theme.setReady(false);
    EXPECT_TRUE(theme.ready());
    EXPECT_TRUE(FilesIn(temp.path()).empty());
}

TEST_F(FileTheme, BitmapsComeOnlyFromSoundBmpBytes) {
    const Bytes bmp = skinpack::MakeBmp24(2, 2, [](int x, int y) { return x == 1 && y == 0 ? 0x0000FFu : 0u; });
    ui::BitmapHandle b(BitmapFromBmpBytes(bmp));
    ASSERT_TRUE(b);
    EXPECT_EQ(PixelOf(b.get(), 1, 0), RGB(255, 0, 0));
    EXPECT_FALSE(BitmapFromBmpBytes(Bytes(bmp.begin(), bmp.end() - 3)));
    EXPECT_FALSE(BitmapFromBmpBytes({}));
}

// A skin whose colour and left border picture both carry `value`.
DescriptionWriter MarkedSkin(int value, int width = 2) {
    DescriptionWriter d;
    d.addInt("SKIN2_FORMCOLOR", value);
    d.addBitmap("SKIN2_FORMLEFTBORDER",
                skinpack::MakeBmp24(width, 2, [value](int, int) { return static_cast<uint32_t>(value); }));
    return d;
}

void SetWriteTime(const std::string& path, uint64_t time) {
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    const FILETIME ft{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    EXPECT_TRUE(SetFileTime(h, nullptr, nullptr, &ft));
    CloseHandle(h);
}

// What a theme shows once it loaded `name`: its colour and the pixel its picture carries.
std::pair<int, COLORREF> Shown(const skin::FileTheme& theme) {
    return {theme.lookupColor(ColorKey::FORMCOLOR), PixelOf(theme.lookupBitmap(BitmapKey::FORMLEFTBORDER), 0, 0)};
}

TEST_F(FileTheme, ALoadedSkinIsSharedUntilItsFileChanges) {
    const uint64_t kTime = 0x01D9000000000000ull; // some day in 2023
    const std::string path = writeSkin(other, "shared.ssk", MarkedSkin(0x000011));
    SetWriteTime(path, kTime);
    auto first = std::make_unique<skin::FileTheme>(nullptr);
    first->setThemeFile(path);
    ASSERT_TRUE(first->ready());
    skin::FileTheme second(nullptr);
    second.setThemeFile(path);
    ASSERT_TRUE(second.ready());
    EXPECT_EQ(second.lookupBitmap(BitmapKey::FORMLEFTBORDER), first->lookupBitmap(BitmapKey::FORMLEFTBORDER));
    first.reset(); // the pictures outlive the theme that read them
    EXPECT_EQ(Shown(second), std::make_pair(0x11, RGB(0x11, 0, 0)));

    // Rewritten: another write time at the same size, or another size at the same time.
    struct Rewrite {
        int value, width;
        uint64_t time;
    };
    const Rewrite rewrites[] = {{0x000022, 2, kTime + 10'000'000}, {0x000033, 3, kTime + 10'000'000}};
    for (const Rewrite& r : rewrites) {
        writeSkin(other, "shared.ssk", MarkedSkin(r.value, r.width));
        SetWriteTime(path, r.time);
        skin::FileTheme again(nullptr);
        again.setThemeFile(path);
        ASSERT_TRUE(again.ready()) << r.value;
        EXPECT_EQ(Shown(again), std::make_pair(r.value, RGB(r.value, 0, 0))) << r.value;
    }
    // The same file with another password is read with that one.
    const std::string lockedPath = writeSkin(other, "locked.ssk", MarkedSkin(0x000077), "secret");
    for (const auto& [password, opens] : {std::pair<const char*, bool>{"secret", true}, {"wrong", false}}) {
        skin::FileTheme locked(nullptr);
        locked.setPassword(password);
        locked.setThemeFile(lockedPath);
        EXPECT_EQ(locked.ready(), opens) << password;
    }
    EXPECT_TRUE(FilesIn(temp.path()).empty());
}

TEST_F(FileTheme, TheSameNameIsLookedUpAfreshForEachLoad) {
    // The current folder comes first and may change between two loads of the same name.
    TempFolder a, b;
    writeSkin(a, "same.ssk", MarkedSkin(0x000044));
    writeSkin(b, "same.ssk", MarkedSkin(0x000055));
    writeSkin(program, "same.ssk", MarkedSkin(0x000066));
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    const std::pair<const TempFolder*, int> order[] = {{&a, 0x44}, {&b, 0x55}, {&other, 0x66}, {&a, 0x44}};
    for (const auto& [folder, value] : order) {
        SetCurrentDirectoryA(folder->path().c_str());
        skin::FileTheme theme(nullptr);
        theme.setThemeFile("same.ssk");
        ASSERT_TRUE(theme.ready()) << value;
        EXPECT_EQ(Shown(theme), std::make_pair(value, RGB(value, 0, 0))) << value;
    }
    SetCurrentDirectoryA(previous);
}

// A skinned frame and a skinned control stand-in that record what they are given.
struct Recorder : public Themed {
    skin::FileTheme* fileTheme() const override { return theme; }
    void setFileTheme(skin::FileTheme* t) override {
        theme = t;
        log.push_back(t ? "theme" : "none");
    }
    skin::UIStyle uiStyle() const override { return style; }
    void setUIStyle(skin::UIStyle s) override {
        style = s;
        log.push_back("style" + std::to_string(int(s)));
    }
    skin::FileTheme* theme = nullptr;
    skin::UIStyle style = skin::UIStyle::DeepBlue;
    std::vector<std::string> log;
};
struct FakeControl : public ui::Component, public Recorder {
    using ui::Component::Component;
};
struct FakeFrame : public ui::Component, public ThemedFrame {
    using ui::Component::Component;
    skin::FileTheme* fileTheme() const override { return rec.fileTheme(); }
    void setFileTheme(skin::FileTheme* t) override { rec.setFileTheme(t); }
    skin::UIStyle uiStyle() const override { return rec.uiStyle(); }
    void setUIStyle(skin::UIStyle s) override { rec.setUIStyle(s); }
    std::uint32_t frameColor() const override { return 0xE8E8E8; }
    Recorder rec;
};

class FrameForm : public ui::Form {
public:
    FrameForm() : ui::Form(nullptr, "frmTheme") {}
    int frameChanges = 0;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_WINDOWPOSCHANGING) {
            const auto* p = reinterpret_cast<WINDOWPOS*>(lp);
            if ((p->flags & 0x37) == 0x37) ++frameChanges;
        }
        return ui::Form::wndProc(msg, wp, lp);
    }
};

TEST_F(FileTheme, EveryLoadButTheFirstRecomputesTheFrame) {
    DescriptionWriter d;
    d.addInt("SKIN2_FORMCOLOR", 3);
    const std::string path = writeSkin(other, "frame.ssk", d);
    FrameForm form;
    form.create();
    auto* theme = new skin::FileTheme(&form, "suiFileTheme1");
    auto* frame = new FakeFrame(&form, "suiForm1");
    auto* mine = new FakeControl(&form, "button");
    auto* elsewhere = new FakeControl(&form, "button2");
    skin::FileTheme otherTheme(nullptr);
    frame->setFileTheme(theme);
    mine->setFileTheme(theme);
    elsewhere->setFileTheme(&otherTheme);
    frame->rec.log.clear();
    mine->log.clear();
    elsewhere->log.clear();
    form.frameChanges = 0;

    theme->setThemeFile(path);
    ASSERT_TRUE(theme->ready());
    EXPECT_EQ(frame->rec.log, (std::vector<std::string>{"none", "theme"}));
    EXPECT_EQ(mine->log, (std::vector<std::string>{"none", "theme"}));
    EXPECT_TRUE(elsewhere->log.empty());
    EXPECT_EQ(form.frameChanges, 0);

    theme->setThemeFile(path);
    EXPECT_EQ(form.frameChanges, 1);
    EXPECT_EQ(mine->log.size(), 4u);

    // A failed load refreshes nobody.
    writeBytes(other, "frame.ssk", Bytes(40, 1));
    theme->setThemeFile(path);
    EXPECT_FALSE(theme->ready());
    EXPECT_EQ(form.frameChanges, 1);
    EXPECT_EQ(mine->log.size(), 4u);
}

TEST(ResolveUIStyle, TakesTheFileThemeOnlyWhenAskedAndReady) {
    skin::FileTheme unready(nullptr);
    skin::UIStyle out = skin::UIStyle::MacOS;
    EXPECT_FALSE(ResolveUIStyle(nullptr, skin::UIStyle::FromThemeFile, out));
    EXPECT_EQ(out, skin::UIStyle::DeepBlue);
    EXPECT_FALSE(ResolveUIStyle(&unready, skin::UIStyle::FromThemeFile, out));
    EXPECT_EQ(out, skin::UIStyle::DeepBlue);
    EXPECT_FALSE(ResolveUIStyle(&unready, skin::UIStyle::WinXP, out));
    EXPECT_EQ(out, skin::UIStyle::WinXP);

    TempFolder f;
    skinpack::WriteFile(f.file("r.ssk"), skinpack::BuildSkin(DescriptionWriter{}));
    skin::FileTheme ready(nullptr);
    ready.setThemeFile(f.file("r.ssk"));
    ASSERT_TRUE(ready.ready());
    EXPECT_TRUE(ResolveUIStyle(&ready, skin::UIStyle::FromThemeFile, out));
    EXPECT_EQ(out, skin::UIStyle::FromThemeFile);
    EXPECT_FALSE(ResolveUIStyle(&ready, skin::UIStyle::BlueGlass, out));
    EXPECT_EQ(out, skin::UIStyle::BlueGlass);
}

TEST(ThemeManager, FiresOnlyWhenTheStyleChanges) {
    skin::ThemeManager mgr(nullptr);
    EXPECT_EQ(mgr.uiStyle(), skin::UIStyle::DeepBlue);
    int fired = 0;
    ui::Component* sender = nullptr;
    mgr.onUIStyleChanged = [&](ui::Component* s) {
        ++fired;
        sender = s;
    };
    mgr.setUIStyle(skin::UIStyle::DeepBlue);
    EXPECT_EQ(fired, 0);
    mgr.setUIStyle(skin::UIStyle::WinXP);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(sender, &mgr);
    skin::FileTheme theme(nullptr);
    mgr.setFileTheme(&theme);
    EXPECT_EQ(fired, 1);
}

// The skin's pictures drawn at 150 percent sit in an entry of their own: a window at 144
// or 120 DPI takes them (resized at 120), a picture of the wrong size is not taken, and
// the 96-DPI description is what the skin had before.
TEST_F(FileTheme, TakesThePicturesTheSkinDrewForTheScale) {
    const auto solid = [](int w, int h, uint32_t bgr) {
        return skinpack::MakeBmp24(w, h, [bgr](int, int) { return bgr; });
    };
    DescriptionWriter design, drawn;
    design.addBitmap("SKIN2_FORMLEFTBORDER", solid(4, 8, 0x0000FF)); // red
    design.addBitmap("SKIN2_FORMRIGHTBORDER", solid(4, 8, 0x0000FF));
    design.addBitmap("SKIN2_TITLEBUTTONS", solid(36, 19, 0x0000FF));  // 18 parts of 2
    drawn.addBitmap("SKIN2_FORMLEFTBORDER", solid(6, 12, 0xFF0000));  // blue, fits
    drawn.addBitmap("SKIN2_FORMRIGHTBORDER", solid(8, 12, 0xFF0000)); // drawn for 200 percent
    drawn.addBitmap("SKIN2_TITLEBUTTONS", solid(54, 29, 0xFF0000));   // 18 parts of 3
    const std::string path = writeBytes(other, "drawn.ssk",
                                        skinpack::BuildSkin(design, {}, {{"SKINDATA150.SK2", drawn.build()}}));
    struct Case {
        int dpi;
        SIZE left;
        COLORREF leftPixel, rightPixel;
        SIZE button;
    } cases[] = {
        {96, {4, 8}, RGB(255, 0, 0), RGB(255, 0, 0), {2, 19}},
        {144, {6, 12}, RGB(0, 0, 255), RGB(255, 0, 0), {3, 29}},
        {120, {5, 10}, RGB(0, 0, 255), RGB(255, 0, 0), {3, 24}}, // 2.5 and 23.75 rounded
    };
    for (const Case& c : cases) {
        ui::Form form(nullptr, "dlg");
        form.create();
        ui::SetWindowDpi(form.handle(), c.dpi);
        auto* theme = new skin::FileTheme(&form, "suiFileTheme1");
        theme->setThemeFile(path);
        ASSERT_TRUE(theme->ready());
        HBITMAP left = theme->lookupBitmap(BitmapKey::FORMLEFTBORDER);
        const SIZE got = ui::BitmapSize(left);
        EXPECT_EQ(c.left.cx, got.cx) << c.dpi;
        EXPECT_EQ(c.left.cy, got.cy) << c.dpi;
        EXPECT_EQ(c.leftPixel, PixelOf(left, 1, 1)) << c.dpi;
        EXPECT_EQ(c.rightPixel, PixelOf(theme->lookupBitmap(BitmapKey::FORMRIGHTBORDER), 1, 1)) << c.dpi;
        const ui::BitmapHandle part = theme->lookupBitmapPart(BitmapKey::TITLEBUTTONS, 18, 5);
        EXPECT_EQ(c.button.cx, ui::BitmapSize(part.get()).cx) << c.dpi;
        EXPECT_EQ(c.button.cy, ui::BitmapSize(part.get()).cy) << c.dpi;
        EXPECT_EQ(c.leftPixel, PixelOf(part.get(), 0, 0)) << c.dpi;
    }
    EXPECT_TRUE(FilesIn(temp.path()).empty()) << "the drawn entry's copy is removed too";
    // Every dialog loads the file again: the pictures made for a DPI are made once.
    HBITMAP seen[2] = {};
    for (HBITMAP& b : seen) {
        ui::Form form(nullptr, "dlg");
        form.create();
        ui::SetWindowDpi(form.handle(), 144);
        auto* theme = new skin::FileTheme(&form, "suiFileTheme1");
        theme->setThemeFile(path);
        b = theme->lookupBitmap(BitmapKey::FORMLEFTBORDER);
    }
    EXPECT_EQ(seen[0], seen[1]);
}

TEST(ThemeManager, KeepsItsThemeWhenAnEarlierOneIsDestroyed) {
    ui::Form form(nullptr, "dlg");
    auto* first = new skin::FileTheme(&form, "themeA");
    auto* second = new skin::FileTheme(&form, "themeB");
    auto* mgr = new skin::ThemeManager(&form, "suiThemeManager1");
    mgr->setUIStyle(skin::UIStyle::MacOS);
    mgr->setFileTheme(first);
    mgr->setFileTheme(second);
    delete first;
    EXPECT_EQ(mgr->fileTheme(), second);
    EXPECT_EQ(mgr->uiStyle(), skin::UIStyle::MacOS);
}

TEST(ThemeManager, AppliesToListedComponentsAndForgetsDestroyedOnes) {
    ui::Form form(nullptr, "dlg");
    auto* theme = new skin::FileTheme(&form, "suiFileTheme1");
    auto* a = new FakeControl(&form, "GroupBox1");
    auto* b = new FakeControl(&form, "Edit1");
    auto* unlisted = new FakeControl(&form, "Other");
    auto* mgr = new skin::ThemeManager(&form, "suiThemeManager1");
    mgr->setCompList({"groupbox1", "Edit1", "Missing"});
    a->log.clear();
    mgr->setUIStyle(skin::UIStyle::MacOS);
    EXPECT_EQ(a->log, (std::vector<std::string>{"style1", "none"}));
    mgr->setFileTheme(theme);
    EXPECT_EQ(b->theme, theme);
    EXPECT_EQ(b->log.back(), "theme");
    EXPECT_TRUE(unlisted->log.empty());

    delete b;
    EXPECT_EQ(mgr->compList(), (std::vector<std::string>{"groupbox1", "Missing"}));
    int fired = 0;
    mgr->onUIStyleChanged = [&](ui::Component*) { ++fired; };
    a->log.clear();
    delete theme;
    EXPECT_EQ(mgr->fileTheme(), nullptr);
    EXPECT_EQ(mgr->uiStyle(), skin::UIStyle::DeepBlue);
    EXPECT_EQ(fired, 0);
    EXPECT_TRUE(a->log.empty()); // forgetting applies nothing

    // A listed component that publishes no style is an error.
    new ui::Component(&form, "Plain");
    mgr->setCompList({"Plain"});
    EXPECT_THROW(mgr->setUIStyle(skin::UIStyle::WinXP), ui::UiError);
}

} // namespace
