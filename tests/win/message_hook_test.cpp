// Hooks in front of a control's own handling: their order, leaving while the control
// lives, the control's window going first; the frame panel on its form either way round.
#include "skin/frame/FramePanel.h"
#include "ui/Form.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

using namespace corvane;

namespace {

constexpr UINT kProbe = WM_APP + 0x51;

// Notes in `seen` the probe ('F', answered 7) and the frame's inset query ('I').
struct ProbeForm : ui::Form {
    explicit ProbeForm(std::string& s) : ui::Form(nullptr, "frmHookProbe"), seen(s) { create(); }
    using ui::WinControl::destroyHandle;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == kProbe || msg == ui::msg::FrameInsetQuery) seen += msg == kProbe ? 'F' : 'I';
        return msg == kProbe ? 7 : ui::Form::wndProc(msg, wp, lp);
    }
    std::string& seen;
};

// Notes the probe (and the window's last message) under its name; passes it on unless it keeps it.
auto Noting(std::string& seen, char name, bool keeps, int* unhooked = nullptr) {
    return std::make_unique<ui::MessageHook>(
        [&seen, name, keeps](UINT msg, WPARAM wp, LPARAM lp, const ui::MessageChain& next) -> LRESULT {
            if (msg == kProbe || msg == WM_NCDESTROY) seen += msg == kProbe ? name : '~';
            return msg == kProbe && keeps ? 9 : next(msg, wp, lp);
        },
        [unhooked] {
            if (unhooked) ++*unhooked;
        });
}

TEST(MessageHook, NewestFirstAndLeavingWhileTheControlLives) {
    struct Case {
        const char* what;
        char gone, keeper;
        const char* seen;
        LRESULT result;
    };
    const Case cases[] = {{"the newest first", 0, 0, "cbaF", 7},
                          {"a hook gone while the form lives", 'b', 0, "caF", 7},
                          {"a hook that keeps the message", 0, 'b', "cb", 9}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string seen;
        ProbeForm form(seen);
        std::unique_ptr<ui::MessageHook> hooks[3];
        for (char n : {'a', 'b', 'c'}) form.addMessageHook(*(hooks[n - 'a'] = Noting(seen, n, n == c.keeper)));
        if (c.gone) hooks[c.gone - 'a'].reset();
        EXPECT_EQ(form.perform(kProbe), c.result);
        EXPECT_EQ(seen, c.seen);
    }
}

TEST(MessageHook, TheControlLetsGoWhenItsWindowGoes) {
    enum class Way { DestroyWindow, DestroyHandle, DeleteControl };
    // The window's last message reaches the hook only when the platform ends the window.
    const std::pair<Way, const char*> cases[] = {
        {Way::DestroyWindow, "~"}, {Way::DestroyHandle, ""}, {Way::DeleteControl, ""}};
    for (const auto& [way, expected] : cases) {
        SCOPED_TRACE(static_cast<int>(way));
        std::string seen;
        int unhooked = 0;
        auto form = std::make_unique<ProbeForm>(seen);
        auto hook = Noting(seen, 'a', false, &unhooked);
        form->addMessageHook(*hook);
        if (way == Way::DestroyWindow) DestroyWindow(form->handle());
        if (way == Way::DestroyHandle) form->destroyHandle();
        if (way == Way::DeleteControl) form.reset();
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(unhooked, 1);
        EXPECT_EQ(hook->control(), nullptr); // and destroying the hook touches nothing of the control
    }
}

TEST(MessageHook, FrameSeesTheFormsMessagesUntilOneOfThemGoes) {
    std::string seen;
    ProbeForm form(seen);
    auto* frame = new skin::FramePanel(&form, "suiForm1");
    SendMessageA(form.handle(), ui::msg::FrameInsetQuery, 0, 0); // the frame answers it alone
    EXPECT_EQ(form.perform(kProbe), 7);
    delete frame; // before its form
    EXPECT_TRUE(GetWindowLongA(form.handle(), GWL_STYLE) & WS_CAPTION);
    SendMessageA(form.handle(), ui::msg::FrameInsetQuery, 0, 0);
    EXPECT_EQ(seen, "FI");

    frame = new skin::FramePanel(&form, "suiForm1");
    ASSERT_TRUE(frame->attached());
    form.destroyHandle(); // the form's window first: the frame lets go of it
    EXPECT_FALSE(frame->attached());
    delete frame;
}

} // namespace
