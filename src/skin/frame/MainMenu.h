// The main menu of a skinned form: a tree of items shown in the frame's menu bar,
// whose top-level items open their sub-items as skinned popups, and whose items'
// shortcut texts ("Ctrl+S") are keys the form performs.
#pragma once
#include <windows.h>
#include <string>

#include "skin/frame/MenuBarLayout.h"
#include "skin/frame/PopupMenu.h"

namespace corvane::skin {

class FramePanel;

class MainMenu : public SkinnedMenu {
public:
    explicit MainMenu(ui::Component* owner, std::string name = {});
    ~MainMenu() override;

    // Changes an item and tells the bar; after changing items directly, call changed().
    void setCaption(MenuItem& item, std::string caption);
    void setEnabled(MenuItem& item, bool enabled);
    void changed();

    // The frame whose bar shows the menu; the frame sets it and clears it as it goes.
    FramePanel* frame() const { return frame_; }
    void setFrame(FramePanel* frame) { frame_ = frame; }

    // The enabled item (under enabled parents) whose shortcut is `key`, or null.
    MenuItem* findShortcut(const ShortcutKey& key);
    // The item whose shortcut is the key of a WM_KEYDOWN or WM_SYSKEYDOWN with the
    // modifiers held now, or null; isShortcut also performs it.
    MenuItem* shortcutItem(const MSG& m);
    bool isShortcut(const MSG& m);

    // Opens the sub-items of a top-level item at a screen point, or performs an item
    // without sub-items.
    void open(const MenuItem& item, int x, int y, HWND owner);

protected:
    void applyLook() override;

private:
    FramePanel* frame_ = nullptr;
};

} // namespace corvane::skin
