// What the item editor and the options dialog share: a dialog on the frame's colour,
// centred on its owner, whose fields sit in a group box captioned in the frame's font
// colour, and whose skin file goes to a theme manager when the dialog is created. Both
// are made for one use: the scope that makes one destroys it (ui::Lifetime::Scope).
#pragma once
#include "app/StoredControls.h"
#include "skin/frame/FramePanel.h"
#include "skin/theme/FileTheme.h"
#include "skin/theme/ThemeManager.h"
#include "ui/Form.h"
#include "ui/StdControls.h"
#include <string>

namespace corvane::app {

// The group box caption and the labels inside it.
constexpr COLORREF kGroupFontColor = 0xCF4602;

class SkinnedDialog : public ui::Form {
public:
    skin::ThemeManager* themeManager() const { return themeManager_; }
    skin::FileTheme* themeFile() const { return themeFile_; }
    skin::FramePanel* frame() const { return frame_; }

    // Loads "msn.ssk" and hands the theme to the frame and the theme manager.
    void formCreate() override;

protected:
    // Derived constructors call create() once their own members are set.
    // `framed` false leaves out the skinned frame (the benchmark's comparison).
    SkinnedDialog(ui::Component* owner, std::string name, const std::string& caption, int clientWidth,
                  int clientHeight, bool framed);
    // The skinned frame, the dialog's first component; its controls go on it.
    void addFrame();
    HWND controlParent() const;
    // Positions are the frame's: its title strip will fill the top of the client area.
    skin::GroupBox* addGroup(int x, int y, int w, int h);
    // The theme manager and the file theme, created after the dialog's controls.
    void addThemeComponents();

private:
    skin::ThemeManager* themeManager_ = nullptr;
    skin::FileTheme* themeFile_ = nullptr;
    skin::FramePanel* frame_ = nullptr;
    bool framed_;
};

} // namespace corvane::app
