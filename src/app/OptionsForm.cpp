#include "app/OptionsForm.h"
#include "app/Global.h"

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
    // Positions are the frame's: its title strip will fill the top of the client area.
    GroupBox1 = new ui::GroupBox(this, "GroupBox1", handle(), 9, 53, 321, 111);
    GroupBox1->fontColor = kGroupFontColor;
    cbExploreFolder = new ui::CheckBox(this, "cbExploreFolder", GroupBox1->handle(), 16, 16, kExploreFolderCaption);
    cbAskDelete = new ui::CheckBox(this, "cbAskDelete", GroupBox1->handle(), 16, 48, kAskDeleteCaption);
    cbShowTips = new ui::CheckBox(this, "cbShowTips", GroupBox1->handle(), 16, 80, kShowTipsCaption);
    bOK = new ui::Button(this, "bOK", handle(), 167, 178, 75, 25, "&OK");
    bOK->onClick = [this] { suitempbOKClick(); };
    bCancel = new ui::Button(this, "bCancel", handle(), 255, 178, 75, 25, "&Cancel");
    bCancel->modalResult = ui::ModalResult::Cancel;
    suiThemeManager1 = new skin::ThemeManager(this, "suiThemeManager1");
    suiThemeManager1->setUIStyle(skin::UIStyle::FromThemeFile);
    suiFileTheme1 = new skin::FileTheme(this, "suiFileTheme1");
}

void OptionsForm::formCreate() {
    cbExploreFolder->setChecked(options_.exploreFolder);
    cbAskDelete->setChecked(options_.askDelete);
    cbShowTips->setChecked(options_.showTips);
    suiFileTheme1->setThemeFile("msn.ssk");
    // The skinned frame takes the theme first once the dialog has one.
    suiThemeManager1->setFileTheme(suiFileTheme1);
}

void OptionsForm::suitempbOKClick() {
    options_.exploreFolder = cbExploreFolder->checked();
    options_.askDelete = cbAskDelete->checked();
    options_.showTips = cbShowTips->checked();
    LoadSaveOptions(options_, false); // on failure the error box shows and the dialog stays open
    setModalResult(ui::ModalResult::Ok);
}

} // namespace corvane::app
