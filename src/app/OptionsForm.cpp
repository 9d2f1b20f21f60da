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
    HWND inGroup = addGroup(9, 53, 321, 111)->handle();
    exploreFolderBox_ = StoredCheckBox(this, "cbExploreFolder", inGroup, 16, 16, kExploreFolderCaption);
    askDeleteBox_ = StoredCheckBox(this, "cbAskDelete", inGroup, 16, 48, kAskDeleteCaption);
    showTipsBox_ = StoredCheckBox(this, "cbShowTips", inGroup, 16, 80, kShowTipsCaption);
    addOkCancel("bOK", 167, "bCancel", 255, 178);
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
