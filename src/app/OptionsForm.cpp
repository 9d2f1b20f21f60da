#include "app/OptionsForm.h"
#include "app/Global.h"
#include "app/StoredFrame.h"

namespace corvane::app {

namespace {
constexpr COLORREF kFrameColor = 0xE8E8E8;
constexpr COLORREF kGroupFontColor = 0xCF4602;
} // namespace

OptionsForm::OptionsForm(ui::Component* owner, OptionFlags& options)
    : ui::Form(owner, "frmOptions"), options_(options) {
    caption = "Options";
    clientWidth = 342;
    clientHeight = 218;
    position = ui::FormPosition::OwnerFormCenter;
    dialogNavigation = true;
    color = kFrameColor;
    create();
}

void OptionsForm::buildComponents() {
    frame_ = AddStoredFrame(*this, -11);
    // Positions are the frame's: its title strip fills the top of the client area.
    group_ = new ui::GroupBox(this, "GroupBox1", frame_->handle(), 9, 53, 321, 111);
    group_->fontColor = kGroupFontColor;
    exploreFolderBox_ = new ui::CheckBox(this, "cbExploreFolder", group_->handle(), 16, 16, kExploreFolderCaption);
    askDeleteBox_ = new ui::CheckBox(this, "cbAskDelete", group_->handle(), 16, 48, kAskDeleteCaption);
    showTipsBox_ = new ui::CheckBox(this, "cbShowTips", group_->handle(), 16, 80, kShowTipsCaption);
    okButton_ = new ui::Button(this, "bOK", frame_->handle(), 167, 178, 75, 25, "&OK");
    okButton_->onClick = [this] { confirm(); };
    cancelButton_ = new ui::Button(this, "bCancel", frame_->handle(), 255, 178, 75, 25, "&Cancel");
    cancelButton_->modalResult = ui::ModalResult::Cancel;
    themeManager_ = new skin::ThemeManager(this, "suiThemeManager1");
    themeManager_->setUIStyle(skin::UIStyle::FromThemeFile);
    themeFile_ = new skin::FileTheme(this, "suiFileTheme1");
}

void OptionsForm::formCreate() {
    exploreFolderBox_->setChecked(options_.exploreFolder);
    askDeleteBox_->setChecked(options_.askDelete);
    showTipsBox_->setChecked(options_.showTips);
    themeFile_->setThemeFile("msn.ssk");
    frame_->setFileTheme(themeFile_);
    themeManager_->setFileTheme(themeFile_);
}

void OptionsForm::confirm() {
    options_.exploreFolder = exploreFolderBox_->checked();
    options_.askDelete = askDeleteBox_->checked();
    options_.showTips = showTipsBox_->checked();
    LoadSaveOptions(options_, false); // on failure the error box shows and the dialog stays open
    setModalResult(ui::ModalResult::Ok);
}

} // namespace corvane::app
