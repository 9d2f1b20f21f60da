// Hooks in front of a control's own handling of its messages: their order, leaving
// while the control lives, and the control's window going first; the frame on them.
#include "skin/frame/FramePanel.h"
#include "ui/Form.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

using namespace corvane;

namespace {

constexpr UINT kProbe = WM_APP + 0x51;

class ProbeForm : public ui::Form {
public:
    explicit ProbeForm(std::string& seen) : ui::Form(nullptr, "frmHookProbe"), seen_(seen) {}
    using ui::WinControl::destroyHandle;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == skin::kFrameInsetQuery) seen_ += 'I';
        if (msg != kProbe) return ui::Form::wndProc(msg, wp, lp);
        seen_ += 'F';
        return 7;
    }

private:
    std::string& seen_;
};

// Notes the probe under its name, then passes it on or keeps it.
std::unique_ptr<ui::MessageHook> Noting(std::string& seen, char name, bool keeps, int* unhooked = nullptr) {
    return std::make_unique<ui::MessageHook>(
        [&seen, name, keeps](UINT msg, WPARAM wp, LPARAM lp, const ui::MessageChain& next) -> LRESULT {
            if (msg == kProbe) seen += name;
            if (msg == WM_NCDESTROY) seen += '~';
            return msg == kProbe && keeps ? 9 : next(msg, wp, lp);
        },
        [unhooked] {
            if (unhooked) ++*unhooked;
        });
}

TEST(MessageHook, NewestFirstAndLeavingWhileTheControlLives) {
    struct Case {
        const char* what;
        const char* added;   // hook names, in the order added
        const char* removed; // destroyed before the probe
        char keeper;         // the hook that keeps the probe, if any
        const char* seen;
        LRESULT result;
    };
    const Case cases[] = {
        {"no hook", "", "", 0, "F", 7},
        {"one hook, before the form", "a", "", 0, "aF", 7},
        {"the newest first", "abc", "", 0, "cbaF", 7},
        {"a hook gone while the form lives", "abc", "b", 0, "caF", 7},
        {"a hook that keeps the message", "abc", "", 'b', "cb", 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string seen;
        ProbeForm form(seen);
        form.create();
        std::unique_ptr<ui::MessageHook> hooks[26];
        for (const char* n = c.added; *n; ++n) {
            hooks[*n - 'a'] = Noting(seen, *n, *n == c.keeper);
            form.addMessageHook(*hooks[*n - 'a']);
        }
        for (const char* n = c.removed; *n; ++n) hooks[*n - 'a'].reset();
        EXPECT_EQ(form.perform(kProbe), c.result);
        EXPECT_EQ(seen, c.seen);
    }
}

TEST(MessageHook, TheControlLetsGoWhenItsWindowGoes) {
    enum class Way { DestroyWindow, DestroyHandle, DeleteControl };
    struct Case {
        const char* what;
        Way way;
        const char* seen; // the window's last message reaches the hook only when the platform ends it
    };
    const Case cases[] = {
        {"the window destroyed", Way::DestroyWindow, "~"},
        {"the object drops its window", Way::DestroyHandle, ""},
        {"the object deleted", Way::DeleteControl, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string seen;
        int unhooked = 0;
        auto form = std::make_unique<ProbeForm>(seen);
        form->create();
        auto hook = Noting(seen, 'a', false, &unhooked);
        form->addMessageHook(*hook);
        switch (c.way) {
        case Way::DestroyWindow: DestroyWindow(form->handle()); break;
        case Way::DestroyHandle: form->destroyHandle(); break;
        case Way::DeleteControl: form.reset(); break;
        }
        EXPECT_EQ(seen, c.seen);
        EXPECT_EQ(unhooked, 1);
        EXPECT_EQ(hook->control(), nullptr);
        hook.reset(); // after the control let go, the hook touches nothing of it
    }
}

TEST(MessageHook, FrameSeesTheFormsMessagesUntilOneOfThemGoes) {
    std::string seen;
    ProbeForm form(seen);
    form.create();
    auto* frame = new skin::FramePanel(&form, "suiForm1");
    ASSERT_TRUE(frame->attached());
    SendMessageA(form.handle(), skin::kFrameInsetQuery, 0, 0); // the frame answers it alone
    EXPECT_EQ(form.perform(kProbe), 7);
    EXPECT_EQ(seen, "F");
    delete frame;
    EXPECT_TRUE(GetWindowLongA(form.handle(), GWL_STYLE) & WS_CAPTION);
    SendMessageA(form.handle(), skin::kFrameInsetQuery, 0, 0);
    EXPECT_EQ(seen, "FI");

    // The form's window first: the frame that stays lets go of it.
    frame = new skin::FramePanel(&form, "suiForm1");
    ASSERT_TRUE(frame->attached());
    form.destroyHandle();
    EXPECT_FALSE(frame->attached());
    delete frame;
}

} // namespace
