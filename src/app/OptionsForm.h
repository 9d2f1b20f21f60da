// The options dialog: the three option flags as check boxes. OK stores them in the
// flags it was given and in the options file; Cancel and the close box change nothing.
#pragma once
#include "app/Global.h"
#include "app/SkinnedDialog.h"

namespace corvane::app {

constexpr const char* kExploreFolderCaption = "Explore folder when opening it in a stand alone window";
constexpr const char* kAskDeleteCaption = "Ask before deleting a selected item";
constexpr const char* kShowTipsCaption = "Always show tips at startup";

class OptionsForm : public SkinnedDialog {
public:
    OptionsForm(ui::Component* owner, OptionFlags& options);

    void formCreate() override;
    void confirm();

    // The components, owned by the form (its component tree).
    ui::GroupBox* group() const { return group_; }
    ui::CheckBox* exploreFolderBox() const { return exploreFolderBox_; }
    ui::CheckBox* askDeleteBox() const { return askDeleteBox_; }
    ui::CheckBox* showTipsBox() const { return showTipsBox_; }
    ui::Button* okButton() const { return okButton_; }
    ui::Button* cancelButton() const { return cancelButton_; }

protected:
    void buildComponents() override;

private:
    OptionFlags& options_;
    ui::GroupBox* group_ = nullptr;
    ui::CheckBox* exploreFolderBox_ = nullptr;
    ui::CheckBox* askDeleteBox_ = nullptr;
    ui::CheckBox* showTipsBox_ = nullptr;
    ui::Button* okButton_ = nullptr;
    ui::Button* cancelButton_ = nullptr;
};

} // namespace corvane::app
