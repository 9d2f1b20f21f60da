// The options dialog: the three option flags as check boxes. OK stores them in the
// flags it was given and in the options file; Cancel and the close box change nothing.
#pragma once
#include "app/Global.h"
#include "skin/controls/Button.h"
#include "skin/controls/CheckBox.h"
#include "skin/controls/GroupBox.h"
#include "skin/theme/FileTheme.h"
#include "skin/theme/ThemeManager.h"
#include "ui/Form.h"

namespace corvane::app {

constexpr const char* kExploreFolderCaption = "Explore folder when opening it in a stand alone window";
constexpr const char* kAskDeleteCaption = "Ask before deleting a selected item";
constexpr const char* kShowTipsCaption = "Always show tips at startup";

class OptionsForm : public ui::Form {
public:
    OptionsForm(ui::Component* owner, OptionFlags& options);

    void formCreate() override;
    void confirm();

    skin::GroupBox* group_ = nullptr;
    skin::GroupBox* group() const { return group_; }
    skin::CheckBox* exploreFolderBox_ = nullptr;
    skin::CheckBox* exploreFolderBox() const { return exploreFolderBox_; }
    skin::CheckBox* askDeleteBox_ = nullptr;
    skin::CheckBox* askDeleteBox() const { return askDeleteBox_; }
    skin::CheckBox* showTipsBox_ = nullptr;
    skin::CheckBox* showTipsBox() const { return showTipsBox_; }
    skin::Button* okButton_ = nullptr;
    skin::Button* okButton() const { return okButton_; }
    skin::Button* cancelButton_ = nullptr;
    skin::Button* cancelButton() const { return cancelButton_; }
    skin::ThemeManager* themeManager_ = nullptr;
    skin::ThemeManager* themeManager() const { return themeManager_; }
    skin::FileTheme* themeFile_ = nullptr;
    skin::FileTheme* themeFile() const { return themeFile_; }

protected:
    void buildComponents() override;

private:
    OptionFlags& options_;
};

} // namespace corvane::app
