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
    void confirm() override;

    // The components, owned by the form (its component tree).
    skin::CheckBox* exploreFolderBox() const { return exploreFolderBox_; }
    skin::CheckBox* askDeleteBox() const { return askDeleteBox_; }
    skin::CheckBox* showTipsBox() const { return showTipsBox_; }

protected:
    void buildComponents() override;

private:
    OptionFlags& options_;
    skin::CheckBox* exploreFolderBox_ = nullptr;
    skin::CheckBox* askDeleteBox_ = nullptr;
    skin::CheckBox* showTipsBox_ = nullptr;
};

} // namespace corvane::app
