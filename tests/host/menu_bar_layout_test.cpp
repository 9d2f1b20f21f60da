#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/frame/MenuBarLayout.h"

using namespace corvane::skin;

namespace {

TEST(ParseShortcut, ModifiersAndKeys) {
    struct Case {
        const char* text;
        ShortcutKey want;
    };
    const Case cases[] = {
        {"Ctrl+S", {'S', true, false, false}},
        {"ctrl+shift+s", {'S', true, true, false}},
        {"Alt+F4", {0x73, false, false, true}},
        {"F12", {0x7B}},
        {"F24", {0x87}},
        {"Shift+Del", {0x2E, false, true, false}},
        {"Ctrl+PgDn", {0x22, true, false, false}},
        {"Ctrl++", {0xBB, true, false, false}},
        {"7", {'7'}},
        // No key: empty, unknown, out of range, modifier alone, dangling '+'.
        {"", {}},
        {"Ctrl+", {}},
        {"Ctrl", {}},
        {"Hyper+S", {}},
        {"F0", {}},
        {"F25", {}},
        {"Ctrl+SS", {}},
        {"S+Ctrl", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseShortcut(c.text), c.want) << c.text;
}

TEST(LayoutMenuBar, ButtonsInOrderWrappingAtTheRightEdge) {
    const int p = kMenuBarButtonPadding;
    // 3 buttons of 40 + padding in a bar that holds two of them.
    const std::vector<Rect> rects = LayoutMenuBar({40, 40, 40}, 2 * (40 + p), 22);
    const std::vector<Rect> want = {{0, 0, 40 + p, 22}, {40 + p, 0, 2 * (40 + p), 22}, {0, 22, 40 + p, 44}};
    EXPECT_EQ(rects, want);
    EXPECT_EQ(MenuBarHeightFor(rects, 22), 44);
    // A button wider than the bar still takes the row's start, and no row is empty.
    const std::vector<Rect> wide = LayoutMenuBar({500, 10}, 100, 20);
    EXPECT_EQ(wide[0], (Rect{0, 0, 500 + p, 20}));
    EXPECT_EQ(wide[1], (Rect{0, 20, 10 + p, 40}));
    EXPECT_EQ(MenuBarHeightFor({}, 22), 22);
}

} // namespace
