// What the item editor and the options dialog share: a dialog on the frame's colour,
// centred on its owner, whose fields sit in a group box captioned in the frame's font
// colour, that closes with OK (once its input is taken) or Cancel, and whose skin file goes
// to a theme manager when the dialog is created. Both are made for one use: the scope that
// makes one destroys it (ui::Lifetime::Scope).
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
    skin::GroupBox* group() const { return group_; }
    skin::Button* okButton() const { return okButton_; }
    skin::Button* cancelButton() const { return cancelButton_; }

    // OK: takes the input and closes the dialog with the OK result, or leaves it open
    // when the input is refused or cannot be kept.
    virtual void confirm() = 0;

    // Loads "msn.ssk" and hands the theme to the frame and the theme manager.
    void formCreate() override;

protected:
    // Derived constructors call create() once their own members are set.
    // `framed` false leaves out the skinned frame (the benchmark's comparison).
    SkinnedDialog(ui::Component* owner, std::string name, const std::string& caption, int clientWidth, int clientHeight,
                  bool framed);
    // The skinned frame, the dialog's first component; its controls go on it.
    void addFrame();
    HWND controlParent() const;
    // Positions are the frame's: its title strip will fill the top of the client area.
    skin::GroupBox* addGroup(int x, int y, int w, int h);
    // OK, which runs confirm(), and Cancel, which closes with the Cancel result; neither
    // is marked as the default or the cancel button.
    void addOkCancel(const char* okName, int okX, const char* cancelName, int cancelX, int y);
    // The theme manager and the file theme, created after the dialog's controls.
    void addThemeComponents();

private:
    skin::ThemeManager* themeManager_ = nullptr;
    skin::FileTheme* themeFile_ = nullptr;
    skin::FramePanel* frame_ = nullptr;
    skin::GroupBox* group_ = nullptr;
    skin::Button* okButton_ = nullptr;
    skin::Button* cancelButton_ = nullptr;
    bool framed_;
};

} // namespace corvane::app
