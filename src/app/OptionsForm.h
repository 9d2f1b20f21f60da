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
    skin::GroupBox* group() const { return group_; }
    skin::CheckBox* exploreFolderBox() const { return exploreFolderBox_; }
    skin::CheckBox* askDeleteBox() const { return askDeleteBox_; }
    skin::CheckBox* showTipsBox() const { return showTipsBox_; }
    skin::Button* okButton() const { return okButton_; }
    skin::Button* cancelButton() const { return cancelButton_; }

protected:
    void buildComponents() override;

private:
    OptionFlags& options_;
    skin::GroupBox* group_ = nullptr;
    skin::CheckBox* exploreFolderBox_ = nullptr;
    skin::CheckBox* askDeleteBox_ = nullptr;
    skin::CheckBox* showTipsBox_ = nullptr;
    skin::Button* okButton_ = nullptr;
    skin::Button* cancelButton_ = nullptr;
};

} // namespace corvane::app
