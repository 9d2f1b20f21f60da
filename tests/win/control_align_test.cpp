// Aligned children of a plain parent: the order edges are served in, what a resize,
// a hidden child, a resized child and a destroyed child do to the layout.
#include "ui/Form.h"
#include "ui/StdControls.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace corvane;

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

::testing::AssertionResult At(const ui::WinControl& c, RECT expected) {
    const RECT r = c.boundsRect();
    if (SameRect(r, expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at (" << r.left << "," << r.top << "," << r.right << "," << r.bottom
                                         << "), expected (" << expected.left << "," << expected.top << ","
                                         << expected.right << "," << expected.bottom << ")";
}

class Parent : public ui::Form {
public:
    Parent() : ui::Form(nullptr, "AlignParent") {
        clientWidth = 300;
        clientHeight = 200;
    }
};

struct Child {
    ui::Align align;
    RECT start; // where it is placed before it is aligned
    bool visible;
    RECT expected;
};

struct Layout {
    const char* what;
    std::vector<Child> children; // in creation order
};

TEST(ControlAlign, EdgesServedInOrderInAPlainParent) {
    using A = ui::Align;
    const Layout layouts[] = {
        {"one of each, created client first",
         {{A::Client, {0, 0, 10, 10}, true, {40, 20, 250, 170}},
          {A::Right, {0, 0, 50, 10}, true, {250, 20, 300, 170}},
          {A::Left, {0, 0, 40, 10}, true, {0, 20, 40, 170}},
          {A::Bottom, {0, 0, 10, 30}, true, {0, 170, 300, 200}},
          {A::Top, {0, 0, 10, 20}, true, {0, 0, 300, 20}},
          {A::None, {5, 6, 25, 16}, true, {5, 6, 25, 16}}}},
        // Aligned one after another: a child placed nearer the edge than the ones
        // already there goes before them.
        {"the child nearer its edge goes first",
         {{A::Top, {0, 0, 10, 20}, true, {0, 10, 300, 30}},
          {A::Top, {0, -5, 10, 5}, true, {0, 0, 300, 10}},
          {A::Top, {0, 100, 10, 110}, true, {0, 30, 300, 40}},
          {A::Bottom, {0, 0, 10, 7}, true, {0, 183, 300, 190}},
          {A::Bottom, {0, 195, 10, 205}, true, {0, 190, 300, 200}},
          {A::Left, {0, 0, 30, 10}, true, {10, 40, 40, 183}},
          {A::Left, {-3, 0, 7, 10}, true, {0, 40, 10, 183}},
          {A::Right, {0, 0, 15, 10}, true, {265, 40, 280, 183}},
          {A::Right, {290, 0, 310, 10}, true, {280, 40, 300, 183}}}},
        {"a hidden child takes no room",
         {{A::Top, {0, 0, 10, 20}, false, {0, 0, 10, 20}},
          {A::Top, {0, 30, 10, 40}, true, {0, 0, 300, 10}},
          {A::Client, {0, 0, 10, 10}, true, {0, 10, 300, 200}}}},
    };
    for (const Layout& l : layouts) {
        SCOPED_TRACE(l.what);
        Parent parent;
        parent.create();
        std::vector<ui::Button*> made;
        for (const Child& c : l.children) {
            auto* b = new ui::Button(&parent, "", parent.handle(), c.start.left, c.start.top,
                                     c.start.right - c.start.left, c.start.bottom - c.start.top, "");
            b->setVisible(c.visible);
            made.push_back(b);
        }
        for (size_t i = 0; i < made.size(); ++i) made[i]->setAlign(l.children[i].align);
        for (size_t i = 0; i < made.size(); ++i) EXPECT_TRUE(At(*made[i], l.children[i].expected)) << "child " << i;
    }
}

TEST(ControlAlign, LayoutFollowsTheParentAndItsChildren) {
    Parent parent;
    parent.create();
    auto* top = new ui::Button(&parent, "", parent.handle(), 0, 0, 10, 20, "");
    auto* left = new ui::Button(&parent, "", parent.handle(), 0, 0, 40, 10, "");
    auto* fill = new ui::Button(&parent, "", parent.handle(), 0, 0, 10, 10, "");
    top->setAlign(ui::Align::Top);
    left->setAlign(ui::Align::Left);
    fill->setAlign(ui::Align::Client);
    EXPECT_TRUE(At(*fill, {40, 20, 300, 200}));

    RECT outer{0, 0, 400, 260};
    AdjustWindowRectEx(&outer, GetWindowLongA(parent.handle(), GWL_STYLE), FALSE,
                       GetWindowLongA(parent.handle(), GWL_EXSTYLE));
    SetWindowPos(parent.handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(At(*top, {0, 0, 400, 20}));
    EXPECT_TRUE(At(*fill, {40, 20, 400, 260}));

    top->setHeight(35); // an aligned child resized by its own code
    EXPECT_TRUE(At(*left, {0, 35, 40, 260}));
    EXPECT_TRUE(At(*fill, {40, 35, 400, 260}));
    top->setVisible(false);
    EXPECT_TRUE(At(*fill, {40, 0, 400, 260}));
    top->setVisible(true);
    left->setAlign(ui::Align::None); // stays where it was, and leaves the room
    EXPECT_TRUE(At(*left, {0, 35, 40, 260}));
    EXPECT_TRUE(At(*fill, {0, 35, 400, 260}));
    delete top;
    EXPECT_TRUE(At(*fill, {0, 0, 400, 260}));
}

} // namespace
