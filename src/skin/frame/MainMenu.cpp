#include "skin/frame/MainMenu.h"

#include "skin/frame/FramePanel.h"

namespace corvane::skin {

namespace {

MenuItem* FindIn(MenuItem& parent, const ShortcutKey& key) {
    for (auto& item : parent.items) {
        if (!item->enabled) continue; // nor anything under it
        if (item->items.empty()) {
            if (!item->isSeparator() && !item->shortcut.empty() && ParseShortcut(item->shortcut) == key)
                return item.get();
        } else if (MenuItem* found = FindIn(*item, key)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

MainMenu::MainMenu(ui::Component* owner, std::string name) : SkinnedMenu(owner, std::move(name)) {}

MainMenu::~MainMenu() {
    // The frame drops its bar on the removal notification; nothing may reach us after.
    frame_ = nullptr;
}

void MainMenu::setCaption(MenuItem& item, std::string caption) {
    item.caption = std::move(caption);
    changed();
}

void MainMenu::setEnabled(MenuItem& item, bool enabled) {
    item.enabled = enabled;
    changed();
}

void MainMenu::changed() {
    if (frame_) frame_->menuChanged();
}

void MainMenu::applyLook() {
    SkinnedMenu::applyLook();
    changed(); // the bar's font may have changed
}

MenuItem* MainMenu::findShortcut(const ShortcutKey& key) {
    if (!key.key) return nullptr;
    return FindIn(root(), key);
}

MenuItem* MainMenu::shortcutItem(const MSG& m) {
    if (m.message != WM_KEYDOWN && m.message != WM_SYSKEYDOWN) return nullptr;
    ShortcutKey k;
    k.key = static_cast<unsigned>(m.wParam);
    k.ctrl = GetKeyState(VK_CONTROL) < 0;
    k.shift = GetKeyState(VK_SHIFT) < 0;
    k.alt = GetKeyState(VK_MENU) < 0;
    return findShortcut(k);
}

bool MainMenu::isShortcut(const MSG& m) {
    MenuItem* item = shortcutItem(m);
    if (item && item->onClick) item->onClick();
    return item != nullptr;
}

void MainMenu::open(const MenuItem& item, int x, int y, HWND owner) {
    if (!item.enabled) return;
    if (item.items.empty()) {
        if (item.onClick) item.onClick();
        return;
    }
    popupItems(item, x, y, owner);
}

} // namespace corvane::skin
