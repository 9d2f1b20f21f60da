#include "app/OptionsForm.h"
#include "app/Global.h"
#include "app/StoredControls.h"

namespace corvane::app {

OptionsForm::OptionsForm(ui::Component* owner, OptionFlags& options)
    : SkinnedDialog(owner, "frmOptions", "Options", 342, 218, true), options_(options) {
    create();
}

void OptionsForm::buildComponents() {
    addFrame();
    group_ = addGroup(9, 53, 321, 111);
    exploreFolderBox_ = StoredCheckBox(this, "cbExploreFolder", group_->handle(), 16, 16, kExploreFolderCaption);
    askDeleteBox_ = StoredCheckBox(this, "cbAskDelete", group_->handle(), 16, 48, kAskDeleteCaption);
    showTipsBox_ = StoredCheckBox(this, "cbShowTips", group_->handle(), 16, 80, kShowTipsCaption);
    okButton_ = StoredButton(this, "bOK", controlParent(), 167, 178, 75, 25, "&OK", ui::ModalResult::None);
    okButton_->onClick = [this] { confirm(); };
    cancelButton_ = StoredButton(this, "bCancel", controlParent(), 255, 178, 75, 25, "&Cancel", ui::ModalResult::Cancel);
    addThemeComponents();
}

void OptionsForm::formCreate() {
    exploreFolderBox_->setChecked(options_.exploreFolder);
    askDeleteBox_->setChecked(options_.askDelete);
    showTipsBox_->setChecked(options_.showTips);
    SkinnedDialog::formCreate();
}

void OptionsForm::confirm() {
    options_.exploreFolder = exploreFolderBox_->checked();
    options_.askDelete = askDeleteBox_->checked();
    options_.showTips = showTipsBox_->checked();
    LoadSaveOptions(options_, false); // on failure the error box shows and the dialog stays open
    setModalResult(ui::ModalResult::Ok);
}

} // namespace corvane::app
