// One resize step of a skinned window at 1024 x 768 with a five-section skin that
// needs both regions, beside the floor: the same resize step of a window without the
// frame, plus one SetWindowRgn of the frame's region and one BitBlt of the window's area.
#include <windows.h>
#include <cstdio>
#include <memory>
#include <string>

#include "Bench.h"
#include "MessageProfile.h"
#include "../win/FrameSkin.h"
#include "skin/frame/FramePanel.h"
#include "skin/theme/FileTheme.h"
#include "skinpack/SkinWriter.h"
#include "app/PropertyForm.h"
#include "ui/Environment.h"
#include "ui/Form.h"
#include "ui/Gdi.h"

using namespace corvane;

namespace {

constexpr uint32_t T = 0xFF00FF;

skinpack::Bytes TitlePicture(int w, bool roundLeft, bool roundRight) {
    return skinpack::MakeBmp24(w, 30, [=](int x, int y) -> uint32_t {
        // Rounded outer corners over the first rows.
        if (y < 5 && ((roundLeft && x < 5 - y) || (roundRight && x >= w - (5 - y)))) return T;
        return 0x804020 + static_cast<uint32_t>(y);
    });
}

std::string WriteBenchSkin(const std::string& folder) {
    skinpack::DescriptionWriter d;
    d.addBitmap("SKIN2_TITLEBAR1", TitlePicture(60, true, false));
    d.addBitmap("SKIN2_TITLEBAR2", TitlePicture(20, false, false));
    d.addBitmap("SKIN2_TITLEBAR3", TitlePicture(30, false, false));
    d.addBitmap("SKIN2_TITLEBAR4", TitlePicture(10, false, false));
    d.addBitmap("SKIN2_TITLEBAR5", TitlePicture(90, false, true));
    d.addBool("SKIN2_TITLEFIVESECT", true);
    test::AddFrameBasics(d, T);
    d.addBitmap("SKIN2_FORMBOTTOMBORDER1", skinpack::MakeBmp24(30, 7, [](int x, int y) -> uint32_t {
                    return y >= 4 && (x < y - 3 || x >= 30 - (y - 3)) ? T : 0x0000FF;
                }));
    d.addInt("SKIN2_TITLEBARREGIONMINY", -1);
    d.addInt("SKIN2_TITLEBARREGIONMAXY", 5);
    d.addInt("SKIN2_BOTTOMREGIONMINY", 3);
    d.addInt("SKIN2_BOTTOMREGIONMAXY", 6);
    d.addBool("SKIN2_TITLEBARNEEDREGION", true);
    d.addBool("SKIN2_BOTTOMBORDERNEEDREGION", true);
    const std::string path = folder + "bench.ssk";
    skinpack::WriteFile(path, skinpack::BuildSkin(d));
    return path;
}

class BenchForm : public ui::Form {
public:
    BenchForm() : ui::Form(nullptr, "frmBench") {
        caption = "Resize bench";
        clientWidth = 1018;
        clientHeight = 740;
        position = ui::FormPosition::Designed;
    }
    skin::FramePanel* frame = nullptr;

protected:
    void buildComponents() override { frame = new skin::FramePanel(this, "suiForm1"); }
};

void pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

} // namespace

CORVANE_BENCH(SkinFrameResize) {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    const std::string skinPath = WriteBenchSkin(tmp);
    skin::FileTheme theme(nullptr);
    theme.setThemeFile(skinPath);
    if (!theme.ready()) {
        bench::problem("SkinFrameResize: the bench skin did not load");
        DeleteFileA(skinPath.c_str());
        return;
    }
    BenchForm form;
    form.create();
    form.frame->setUIStyle(skin::UIStyle::FromThemeFile);
    form.frame->setFileTheme(&theme);
    SetWindowPos(form.handle(), nullptr, 0, 0, 1024, 768, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(form.handle(), SW_SHOWNOACTIVATE);
    pump();
    HWND h = form.handle();
    ui::WindowDc dc(h, true);
    ui::OffscreenBitmap image(dc.get(), 1024, 768);
    // The floor's window: the same resize step of a window without the frame.
    ui::Form plain(nullptr, "frmPlain");
    plain.clientWidth = 1018;
    plain.clientHeight = 740;
    plain.create();
    SetWindowPos(plain.handle(), nullptr, 0, 0, 1024, 768, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(plain.handle(), SW_SHOWNOACTIVATE);
    pump();
    ui::WindowDc plainDc(plain.handle(), true);

    // The frame's region at both sizes of the drag, taken once: the floor sets the
    // one for the size it goes to, the checks compare the frame's with it.
    // Every step goes to the other of the two sizes, so every step changes the size.
    auto otherSize = [](HWND w) {
        RECT r{};
        GetWindowRect(w, &r);
        return r.right - r.left == 1023 ? 2 : 1;
    };
    auto resizeTo = [](HWND w, int d) {
        // One step of a drag: the size changes by a pixel, the window follows.
        SetWindowPos(w, nullptr, 0, 0, 1024 - d, 768 - d, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateWindow(w);
    };
    ui::RegionHandle shapes[3] = {ui::RegionHandle(CreateRectRgn(0, 0, 0, 0)),
                                  ui::RegionHandle(CreateRectRgn(0, 0, 0, 0)),
                                  ui::RegionHandle(CreateRectRgn(0, 0, 0, 0))};
    for (int d : {1, 2}) {
        resizeTo(h, d);
        GetWindowRgn(h, shapes[d].get());
    }
    // The window is 1024 - d by 768 - d and its region as wide as the frame's shape at
    // that size, which is not the one it had before.
    RECT box{};
    auto resizedWithRegion = [&](HWND w, int d, HRGN before) {
        RECT r{};
        GetWindowRect(w, &r);
        ui::RegionHandle now(CreateRectRgn(0, 0, 0, 0));
        if (GetWindowRgn(w, now.get()) == ERROR) return false;
        GetRgnBox(now.get(), &box);
        return r.right - r.left == 1024 - d && r.bottom - r.top == 768 - d && box.left == 0 && box.top == 0 &&
               box.right == 1024 - d && box.bottom == 768 - d && (!before || !EqualRgn(now.get(), before));
    };
    ui::RegionHandle before(CreateRectRgn(0, 0, 0, 0));
    int goingTo = 0;
    auto noteBefore = [&](HWND w) {
        goingTo = otherSize(w);
        if (GetWindowRgn(w, before.get()) == ERROR) SetRectRgn(before.get(), 0, 0, 0, 0);
    };
    bench::Side product{"", [&] { noteBefore(h); },
                        [&] {
                            resizeTo(h, goingTo);
                            GdiFlush();
                            return true;
                        },
                        [&] { return resizedWithRegion(h, goingTo, before.get()); }, nullptr};
    // The floor: the unskinned window's resize step, one region set, one blit of the
    // frame's whole window area.
    bench::Side floor{"", [&] { noteBefore(plain.handle()); },
                      [&] {
                          resizeTo(plain.handle(), goingTo);
                          HRGN copy = CreateRectRgn(0, 0, 0, 0);
                          CombineRgn(copy, shapes[goingTo].get(), nullptr, RGN_COPY);
                          const bool set = SetWindowRgn(plain.handle(), copy, TRUE) != 0;
                          if (!set) DeleteObject(copy);
                          BitBlt(plainDc.get(), 0, 0, 1024 - goingTo, 768 - goingTo, image.dc(), 0, 0, SRCCOPY);
                          GdiFlush();
                          return set;
                      },
                      [&] {
                          // The region it set: the frame's, at the size it went to.
                          ui::RegionHandle now(CreateRectRgn(0, 0, 0, 0));
                          return resizedWithRegion(plain.handle(), goingTo, nullptr) &&
                                 GetWindowRgn(plain.handle(), now.get()) != ERROR &&
                                 EqualRgn(now.get(), shapes[goingTo].get());
                      },
                      nullptr};
    bench::Side blit = bench::side("floor: BitBlt alone", nullptr, [&] {
        BitBlt(plainDc.get(), 0, 0, 1023, 767, image.dc(), 0, 0, SRCCOPY);
        GdiFlush();
    });
    bench::Side region = bench::side(
        "product: region rebuild alone", nullptr,
        [&] {
            form.frame->rebuildRegion();
            GdiFlush();
        },
        [&] {
            RECT r{};
            GetWindowRect(h, &r);
            ui::RegionHandle now(CreateRectRgn(0, 0, 0, 0));
            return GetWindowRgn(h, now.get()) != ERROR && EqualRgn(now.get(), shapes[1024 - (r.right - r.left)].get());
        });
    bench::Side paint = bench::side("product: frame paint alone", nullptr, [&] {
        form.frame->paintFrame();
        GdiFlush();
    });
    // On the floor's window, which keeps the region it has.
    bench::Side bare = bench::side("unskinned window, same resize step, no region", nullptr, [&] {
        resizeTo(plain.handle(), otherSize(plain.handle()));
        GdiFlush();
    });
    bench::interleave({&product, &floor, &blit, &region, &paint, &bare}, 3, 30);
    bench::report("skinned frame resize step, 1024x768, 5 sections", product, floor);
    for (const bench::Side* x : {&blit, &region, &paint, &bare}) bench::reportExtra(*x);
    resizeTo(h, 0);
    pump();
    ui::RegionHandle full(CreateRectRgn(0, 0, 0, 0));
    GetWindowRgn(h, full.get());
    GetRgnBox(full.get(), &box);
    bench::reportValue("region width", box.right - box.left, "px");
    bench::reportValue("frame panel width", form.frame->width(), "px");
    DeleteFileA(skinPath.c_str());
}

// The item editor's surroundings: "msn.ssk" in a folder of its own that is the current
// folder and every folder the program looks in, until the scope ends.
class EditorSkinFolder {
public:
    EditorSkinFolder() {
        char tmp[MAX_PATH];
        GetTempPathA(MAX_PATH, tmp);
        folder_ = std::string(tmp) + "corvane-bench-editor\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        const std::string written = WriteBenchSkin(folder_);
        MoveFileExA(written.c_str(), (folder_ + "msn.ssk").c_str(), MOVEFILE_REPLACE_EXISTING);
        ui::TheEnvironment().folders = {folder_, folder_, folder_, folder_};
        GetCurrentDirectoryA(MAX_PATH, previous_);
        SetCurrentDirectoryA(folder_.c_str());
    }
    ~EditorSkinFolder() {
        SetCurrentDirectoryA(previous_);
        ui::TheEnvironment().folders = {};
        DeleteFileA((folder_ + "msn.ssk").c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    EditorSkinFolder(const EditorSkinFolder&) = delete;
    EditorSkinFolder& operator=(const EditorSkinFolder&) = delete;

private:
    std::string folder_;
    char previous_[MAX_PATH] = {};
};

// Opening the item editor: creation, skin load, frame and first paint, beside the
// same dialog without its frame.
CORVANE_BENCH(ItemEditorOpen) {
    EditorSkinFolder skinFolder;
    // Both sides load the skin file; the framed one hands it to its frame.
    auto open = [](bool framed) {
        return bench::checkedSide(
            [framed] {
                app::PropertyForm editor(nullptr, "alias", "C:\\", framed);
                ShowWindow(editor.handle(), SW_SHOWNOACTIVATE);
                UpdateWindow(editor.handle());
                GdiFlush();
                const bool loaded = editor.themeFile() && editor.themeFile()->ready();
                return loaded &&
                       (framed ? editor.frame() && editor.frame()->fileTheme() == editor.themeFile() : !editor.frame());
            },
            nullptr);
    };
    bench::Side framed = open(true), plain = open(false);
    bench::interleave({&framed, &plain}, 2, 15);
    bench::report("item editor open, skinned frame, file theme", framed, plain);
}

// Where the resize step and the editor's opening spend their time, message by message,
// beside the windows they are measured against; and the frame's own pieces alone.
CORVANE_BENCH(SkinFrameResizeProfile) {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    const std::string skinPath = WriteBenchSkin(tmp);
    skin::FileTheme theme(nullptr);
    theme.setThemeFile(skinPath);
    BenchForm form;
    form.create();
    form.frame->setUIStyle(skin::UIStyle::FromThemeFile);
    form.frame->setFileTheme(&theme);
    SetWindowPos(form.handle(), nullptr, 0, 0, 1024, 768, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(form.handle(), SW_SHOWNOACTIVATE);
    ui::Form plain(nullptr, "frmPlain");
    plain.clientWidth = 1018;
    plain.clientHeight = 740;
    plain.create();
    SetWindowPos(plain.handle(), nullptr, 0, 0, 1024, 768, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(plain.handle(), SW_SHOWNOACTIVATE);
    pump();
    auto step = [](HWND w, int d) {
        SetWindowPos(w, nullptr, 0, 0, 1024 - d, 768 - d, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateWindow(w);
        GdiFlush();
    };
    const int runs = bench::quickMode() ? 2 : 20;
    bench::MessageProfile p;
    p.start();
    if (!p.hooked()) bench::problem("SkinFrameResizeProfile: the message hooks could not be set");
    for (int i = 0; i < runs; ++i) p.run("skinned frame resize step", [&] { step(form.handle(), 1 + i % 2); });
    for (int i = 0; i < runs; ++i) p.run("unskinned window resize step", [&] { step(plain.handle(), 1 + i % 2); });
    for (int i = 0; i < runs; ++i)
        p.run("region rebuild alone", [&] {
            form.frame->rebuildRegion();
            GdiFlush();
        });
    for (int i = 0; i < runs; ++i)
        p.run("title bar composition alone", [&] {
            form.frame->titleBar()->redraw();
            form.frame->titleBar()->render();
            GdiFlush();
        });
    for (int i = 0; i < runs; ++i)
        p.run("frame paint alone", [&] {
            form.frame->paintFrame();
            GdiFlush();
        });
    p.stop();
    for (const char* what : {"skinned frame resize step", "unskinned window resize step", "region rebuild alone",
                             "title bar composition alone", "frame paint alone"})
        p.print(what, runs);
    pump();
    DeleteFileA(skinPath.c_str());
}

CORVANE_BENCH(ItemEditorOpenProfile) {
    EditorSkinFolder skinFolder;
    const int runs = bench::quickMode() ? 2 : 10;
    bench::MessageProfile p;
    p.start();
    for (bool framed : {true, false})
        for (int i = 0; i < runs; ++i) {
            const std::string what = framed ? "item editor open, framed" : "item editor open, unframed";
            std::unique_ptr<app::PropertyForm> editor;
            p.run(what + ": construction",
                  [&] { editor = std::make_unique<app::PropertyForm>(nullptr, "alias", "C:\\", framed); });
            p.run(what + ": show and first paint", [&] {
                ShowWindow(editor->handle(), SW_SHOWNOACTIVATE);
                UpdateWindow(editor->handle());
                GdiFlush();
            });
            p.run(what + ": close", [&] { editor.reset(); });
        }
    // The dialogs load the same unchanged file, whose description and pictures are shared.
    for (int i = 0; i < runs; ++i)
        p.run("skin file load alone (unchanged file: shared)", [&] {
            skin::FileTheme t(nullptr);
            t.setThemeFile("msn.ssk");
        });
    p.stop();
    for (const char* what : {"item editor open, framed: construction", "item editor open, framed: show and first paint",
                             "item editor open, framed: close", "item editor open, unframed: construction",
                             "item editor open, unframed: show and first paint", "item editor open, unframed: close",
                             "skin file load alone (unchanged file: shared)"})
        p.print(what, runs);
}
