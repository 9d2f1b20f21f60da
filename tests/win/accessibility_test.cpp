// The program's windows as a screen reader meets them: objects reached through
// AccessibleObjectFromWindow and AccessibleChildren, default actions, the WinEvents
// that follow focus, state and names, and the keyboard reaching every control.
#include "MsaaReader.h"
#include "TestSupport.h"
#include "app/Global.h"
#include "app/MainForm.h"
#include "app/OptionsForm.h"
#include "app/PropertyForm.h"
#include "app/TipsForm.h"
#include "ui/Environment.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using namespace corvane;
using namespace corvane::app;
using namespace corvane::test;

namespace {

std::vector<std::string> ElementNames(HWND w) { return ChildNames(Tree(w)); }

long ElementNamed(const std::vector<Node>& nodes, const std::string& name) {
    const Node* n = Find(nodes, ROLE_SYSTEM_PUSHBUTTON, name);
    if (!n) n = Find(nodes, ROLE_SYSTEM_BUTTONMENU, name);
    return n ? n->id : 0;
}

std::vector<std::tuple<DWORD, HWND, LONG>> events;
void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND w, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) events.emplace_back(event, w, child);
}
bool Seen(DWORD event, HWND w) {
    for (const auto& [e, h, c] : events)
        if (e == event && h == w) return true;
    return false;
}

class EventHook {
public:
    EventHook() {
        events.clear();
        hook_ = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, &RecordEvent,
                                GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    }
    ~EventHook() {
        if (hook_) UnhookWinEvent(hook_);
    }
    bool installed() const { return hook_ != nullptr; }

private:
    HWINEVENTHOOK hook_ = nullptr;
};

class Accessibility : public ::testing::Test {
protected:
    ProgramFolder folder;
    TestKey key{"AccessibilityTest"};
    ScriptedPrompt user;
    OptionFlags options;
};

struct Expected {
    const char* what;
    HWND window;
    long role;
    std::string name;
    long statesOn, statesOff;
    std::string value, shortcut, action;
};

void Check(const std::vector<Expected>& table) {
    for (const Expected& e : table) {
        SCOPED_TRACE(e.what);
        const AccPtr a = ObjectOf(e.window);
        ASSERT_TRUE(a);
        const Reading r = Read(a.get());
        EXPECT_EQ(r.role, e.role);
        EXPECT_EQ(r.name, e.name);
        EXPECT_EQ(r.state & e.statesOn, e.statesOn);
        EXPECT_EQ(r.state & e.statesOff, 0);
        EXPECT_EQ(r.value, e.value);
        EXPECT_EQ(r.shortcut, e.shortcut);
        EXPECT_EQ(r.action, e.action);
    }
}

constexpr long kUnavailable = STATE_SYSTEM_UNAVAILABLE;
constexpr long kChecked = STATE_SYSTEM_CHECKED;
constexpr long kFocusable = STATE_SYSTEM_FOCUSABLE;

} // namespace

TEST_F(Accessibility, EachKindOfControlReadsBackItsRoleNameValueAndStates) {
    options.askDelete = false;
    OptionsForm opts(nullptr, options);
    opts.show();
    PropertyForm item(nullptr, "Music", "C:\\Music");
    item.show();
    TipsForm tips(nullptr, options);
    tips.create();
    tips.show();
    PumpPending();
    const std::string page = Read(ObjectOf(tips.panel()->handle()).get()).value;
    Check({
        {"button", item.okButton()->handle(), ROLE_SYSTEM_PUSHBUTTON, "OK", kFocusable, kUnavailable, "", "Alt+O",
         "Press"},
        {"browse", item.browseButton()->handle(), ROLE_SYSTEM_PUSHBUTTON, "...", kFocusable, 0, "", "", "Press"},
        {"check box", item.separatorBox()->handle(), ROLE_SYSTEM_CHECKBUTTON, "Add a Separator Line", kFocusable,
         kChecked, "", "", "Check"},
        {"edit", item.aliasEdit()->handle(), ROLE_SYSTEM_TEXT, "Alias", kFocusable, kUnavailable, "Music", "", ""},
        {"edit", item.pathEdit()->handle(), ROLE_SYSTEM_TEXT, "Path", kFocusable, 0, "C:\\Music", "", ""},
        {"group box", item.group()->handle(), ROLE_SYSTEM_GROUPING, "", 0, kFocusable, "", "", ""},
        {"title bar", item.frame()->titleBar()->handle(), ROLE_SYSTEM_TITLEBAR, "Add Item", 0, kFocusable, "", "", ""},
        {"checked box", opts.exploreFolderBox()->handle(), ROLE_SYSTEM_CHECKBUTTON,
         "Explore folder when opening it in a stand alone window", kChecked, 0, "", "", "Uncheck"},
        {"unchecked box", opts.askDeleteBox()->handle(), ROLE_SYSTEM_CHECKBUTTON, "Ask before deleting a selected item",
         0, kChecked, "", "", "Check"},
        {"flat button", tips.nextButton()->handle(), ROLE_SYSTEM_PUSHBUTTON, "Next Tip", STATE_SYSTEM_FOCUSED, 0, "",
         "Alt+N", "Press"},
        {"flat combo box", tips.startupChoice()->handle(), ROLE_SYSTEM_COMBOBOX, "", STATE_SYSTEM_COLLAPSED, 0,
         "Always show tips at startup", "", "Open"},
        {"tips panel", tips.panel()->handle(), ROLE_SYSTEM_PANE, "Did you know...", 0, 0, page, "", ""},
    });
    // The page's text, its lines joined, is the panel's value and its static texts.
    const auto& lines = TipPages()[static_cast<size_t>(tips.panel()->pageIndex())].labels;
    EXPECT_EQ(page.substr(0, std::string(lines[0].text).size()), lines[0].text);
    const auto texts = ElementNames(tips.panel()->handle());
    ASSERT_EQ(texts.size(), lines.size());
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(texts[i], lines[i].text);

    // The group box holds its fields; a separator entry greys all of them.
    std::vector<long> roles;
    for (const Node& n : Tree(item.group()->handle()))
        if (n.depth == 1) roles.push_back(n.reading.role);
    EXPECT_EQ(roles, (std::vector<long>{ROLE_SYSTEM_STATICTEXT, ROLE_SYSTEM_STATICTEXT, ROLE_SYSTEM_TEXT,
                                        ROLE_SYSTEM_TEXT, ROLE_SYSTEM_PUSHBUTTON}));
    item.separatorBox()->setChecked(true);
    Check({{"greyed edit", item.aliasEdit()->handle(), ROLE_SYSTEM_TEXT, "Alias", kUnavailable, 0, "Music", "", ""},
           {"browse in a greyed group", item.browseButton()->handle(), ROLE_SYSTEM_PUSHBUTTON, "...", kUnavailable, 0,
            "", "", "Press"}});
}

TEST_F(Accessibility, MainWindowToolButtonsAndRowsAreElements) {
    key.set("N0", "a");
    key.set("P0", "C:\\");
    key.set("N1", "b");
    key.set("P1", "D:\\");
    MainForm form(nullptr, key.path());
    form.create();
    form.show();
    PumpPending();
    const auto bar = Tree(form.toolBar()->handle());
    ASSERT_FALSE(bar.empty());
    EXPECT_EQ(bar[0].reading.role, ROLE_SYSTEM_TOOLBAR);
    EXPECT_EQ(ChildNames(bar), (std::vector<std::string>{"Add", "Edit", "Delete", "Sort", "Up", "Down", "Refresh",
                                                         "Import", "Export", "Options", "Help"}));
    EXPECT_TRUE(Find(bar, ROLE_SYSTEM_PUSHBUTTON, "Edit")->reading.state & kUnavailable);
    EXPECT_FALSE(Find(bar, ROLE_SYSTEM_PUSHBUTTON, "Add")->reading.state & kUnavailable);
    // Nothing chosen: the action refuses without running Edit.
    EXPECT_EQ(bar[0].holder->accDoDefaultAction(Id(ElementNamed(bar, "Edit"))), E_FAIL);
    // The row the window marks in red is the one a screen reader hears as selected.
    const AccPtr list = ObjectOf(form.list()->handle());
    EXPECT_EQ(Read(list.get()).role, ROLE_SYSTEM_LIST);
    EXPECT_FALSE(Read(list.get(), 2).state & STATE_SYSTEM_SELECTED);
    form.list()->select(1);
    PumpPending();
    const Reading row = Read(list.get(), 2);
    EXPECT_EQ(row.role, ROLE_SYSTEM_LISTITEM);
    EXPECT_EQ(row.name, "b");
    EXPECT_EQ(row.value, "D:\\");
    EXPECT_TRUE(row.state & STATE_SYSTEM_SELECTED);
    EXPECT_FALSE(Read(list.get(), 1).state & STATE_SYSTEM_SELECTED);
    EXPECT_EQ(ElementNames(form.frame()->titleBar()->handle()),
              (std::vector<std::string>{"System menu", "Minimize", "Close"}));
}

namespace {
std::vector<std::string> menuTexts;
bool menuSeen = false;

// Runs inside the menu loop: reads what a screen reader gets from the open menu's items.
void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR id, DWORD) {
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup)) return;
    KillTimer(nullptr, id);
    menuSeen = true;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_DATA;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mi);
        const auto* info = reinterpret_cast<const MSAAMENUINFO*>(mi.dwItemData);
        if (!info || info->dwMSAASignature != static_cast<DWORD>(MSAA_MENU_SIG)) {
            menuTexts.push_back("<no text>");
            continue;
        }
        char text[128] = {};
        WideCharToMultiByte(CP_ACP, 0, info->pszWText, static_cast<int>(info->cchWText), text, sizeof text - 1, nullptr,
                            nullptr);
        menuTexts.push_back(text);
    }
    EndMenu();
}
} // namespace

TEST_F(Accessibility, TitleBarButtonsHavePlacesAndDoWhatAClickDoes) {
    PropertyForm item(nullptr, "", "");
    item.show();
    PumpPending();
    const auto nodes = Tree(item.frame()->titleBar()->handle());
    ASSERT_EQ(ChildNames(nodes), (std::vector<std::string>{"System menu", "Minimize", "Close"}));
    IAccessible* bar = nodes[0].holder.get();
    // Drawn over the title bar's strip, which the frame's top border overlaps.
    RECT area;
    GetWindowRect(item.handle(), &area);
    const long close = ElementNamed(nodes, "Close");
    long x = 0, y = 0, w = 0, h = 0;
    ASSERT_EQ(bar->accLocation(&x, &y, &w, &h, Id(close)), S_OK);
    EXPECT_TRUE(w > 0 && h > 0 && x >= area.left && x + w <= area.right && y >= area.top && y + h <= area.bottom);
    VARIANT hit;
    VariantInit(&hit);
    ASSERT_EQ(bar->accHitTest(x + w / 2, y + h / 2, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, close);

    // The system menu, drawn by us, opens from its button; its items still carry their captions.
    SetForegroundWindow(item.handle());
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &ReadOpenMenu);
    ASSERT_EQ(bar->accDoDefaultAction(Id(ElementNamed(nodes, "System menu"))), S_OK);
    EXPECT_TRUE(PumpUntil([] { return menuSeen; }));
    KillTimer(nullptr, timer);
    ASSERT_EQ(menuTexts.size(), 4u);
    EXPECT_NE(menuTexts[0].find("nimize"), std::string::npos) << menuTexts[0];
    EXPECT_EQ(menuTexts[2], "-");
    EXPECT_NE(menuTexts[3].find("Close"), std::string::npos) << menuTexts[3];

    ASSERT_EQ(bar->accDoDefaultAction(Id(close)), S_OK);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(item.handle()); }));
}

TEST_F(Accessibility, WinEventsFollowFocusStateNameAndValue) {
    EventHook hook;
    ASSERT_TRUE(hook.installed());
    PropertyForm item(nullptr, "", "");
    item.show();
    TipsForm tips(nullptr, options);
    tips.create();
    tips.show();
    PumpPending();

    item.aliasEdit()->setFocus();
    EXPECT_TRUE(PumpUntil([&] { return Seen(EVENT_OBJECT_FOCUS, item.aliasEdit()->handle()); }));
    EXPECT_TRUE(Read(ObjectOf(item.aliasEdit()->handle()).get()).state & STATE_SYSTEM_FOCUSED);

    // The check box's own action toggles it, and the fields it greys say so.
    const AccPtr box = ObjectOf(item.separatorBox()->handle());
    ASSERT_EQ(box->accDoDefaultAction(Id(CHILDID_SELF)), S_OK);
    EXPECT_TRUE(PumpUntil([&] { return item.separatorBox()->checked(); }));
    EXPECT_TRUE(PumpUntil([&] {
        return Seen(EVENT_OBJECT_STATECHANGE, item.separatorBox()->handle()) &&
               Seen(EVENT_OBJECT_STATECHANGE, item.pathEdit()->handle());
    }));
    EXPECT_TRUE(Read(box.get()).state & kChecked);

    item.frame()->setCaption("Edit Item");
    EXPECT_TRUE(PumpUntil([&] { return Seen(EVENT_OBJECT_NAMECHANGE, item.frame()->titleBar()->handle()); }));
    EXPECT_EQ(Read(ObjectOf(item.frame()->titleBar()->handle()).get()).name, "Edit Item");
    item.okButton()->setCaption("&Save");
    EXPECT_TRUE(PumpUntil([&] { return Seen(EVENT_OBJECT_NAMECHANGE, item.okButton()->handle()); }));

    tips.nextTip();
    EXPECT_TRUE(PumpUntil([&] { return Seen(EVENT_OBJECT_VALUECHANGE, tips.panel()->handle()); }));
    tips.startupChoice()->setItemIndex(1);
    EXPECT_TRUE(PumpUntil([&] { return Seen(EVENT_OBJECT_VALUECHANGE, tips.startupChoice()->handle()); }));
}

// Tab and Shift+Tab, typed for real, reach every control that takes the focus, in
// order and round again, and the focus event names each.
TEST_F(Accessibility, TabAndShiftTabReachEveryControlOfEachDialog) {
    EventHook hook;
    PropertyForm item(nullptr, "", "");
    OptionsForm opts(nullptr, options);
    TipsForm tips(nullptr, options);
    tips.create();
    struct Dialog {
        ui::Form* form;
        std::vector<HWND> order;
    };
    const Dialog dialogs[] = {
        {&item,
         {item.aliasEdit()->handle(), item.pathEdit()->handle(), item.browseButton()->handle(),
          item.separatorBox()->handle(), item.okButton()->handle(), item.cancelButton()->handle()}},
        {&opts,
         {opts.exploreFolderBox()->handle(), opts.askDeleteBox()->handle(), opts.showTipsBox()->handle(),
          opts.okButton()->handle(), opts.cancelButton()->handle()}},
        {&tips, {tips.nextButton()->handle(), tips.closeButton()->handle(), tips.startupChoice()->handle()}},
    };
    for (const Dialog& d : dialogs) {
        SCOPED_TRACE(d.form->name());
        d.form->show();
        SetForegroundWindow(d.form->handle());
        SetFocus(d.order[0]);
        PumpPending();
        const size_t n = d.order.size();
        for (size_t i = 1; i <= n; ++i) {
            HWND next = d.order[i % n];
            events.clear();
            PressKeys({VK_TAB});
            EXPECT_TRUE(PumpUntil([&] { return GetFocus() == next || IsChild(next, GetFocus()); })) << i;
            EXPECT_TRUE(PumpUntil([&] { return Seen(EVENT_OBJECT_FOCUS, GetFocus()); })) << i;
        }
        for (size_t i = n; i-- > 0;) {
            PressKeys({VK_SHIFT, VK_TAB});
            HWND previous = d.order[i];
            EXPECT_TRUE(PumpUntil([&] { return GetFocus() == previous || IsChild(previous, GetFocus()); })) << i;
        }
        d.form->hide();
    }
}
