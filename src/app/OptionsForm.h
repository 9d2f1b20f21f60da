// The options dialog: the three option flags as check boxes. OK stores them in the
// flags it was given and in the options file; Cancel and the close box change nothing.
#pragma once
#include "app/Global.h"
#include "skin/frame/Form.h"
#include "skin/theme/FileTheme.h"
#include "skin/theme/ThemeManager.h"
#include "ui/Form.h"
#include "ui/StdControls.h"

namespace corvane::app {

constexpr const char* kExploreFolderCaption = "Explore folder when opening it in a stand alone window";
constexpr const char* kAskDeleteCaption = "Ask before deleting a selected item";
constexpr const char* kShowTipsCaption = "Always show tips at startup";

class OptionsForm : public ui::Form {
public:
    OptionsForm(ui::Component* owner, OptionFlags& options);

    void formCreate() override;
    void confirm();

    ui::GroupBox* group_ = nullptr;
    ui::GroupBox* group() const { return group_; }
    ui::CheckBox* exploreFolderBox_ = nullptr;
    ui::CheckBox* exploreFolderBox() const { return exploreFolderBox_; }
    ui::CheckBox* askDeleteBox_ = nullptr;
    ui::CheckBox* askDeleteBox() const { return askDeleteBox_; }
    ui::CheckBox* showTipsBox_ = nullptr;
    ui::CheckBox* showTipsBox() const { return showTipsBox_; }
    ui::Button* okButton_ = nullptr;
    ui::Button* okButton() const { return okButton_; }
    ui::Button* cancelButton_ = nullptr;
    ui::Button* cancelButton() const { return cancelButton_; }
    skin::ThemeManager* themeManager_ = nullptr;
    skin::ThemeManager* themeManager() const { return themeManager_; }
    skin::FileTheme* themeFile_ = nullptr;
    skin::Form* frame_ = nullptr;
    skin::Form* frame() const { return frame_; }
    skin::FileTheme* themeFile() const { return themeFile_; }

protected:
    void buildComponents() override;

private:
    OptionFlags& options_;
};

} // namespace corvane::app
