#include "app/PropertyForm.h"
#include "app/Global.h"
#include "app/PathRules.h"
#include "app/Store.h"
#include "ui/Files.h"
#include "ui/UserPrompt.h"

namespace corvane::app {

namespace {
constexpr COLORREF kFrameColor = 0xE8E8E8;
constexpr COLORREF kGroupFontColor = 0xCF4602;
} // namespace

PropertyForm::PropertyForm(ui::Component* owner, const std::string& alias, const std::string& path)
    : ui::Form(owner, "frmProperty"), alias_(alias), path_(path) {
    caption = "Add Item";
    clientWidth = 309;
    clientHeight = 226;
    position = ui::FormPosition::OwnerFormCenter;
    dialogNavigation = true;
    color = kFrameColor;
    create();
}

void PropertyForm::buildComponents() {
    // Positions are the frame's: its title strip will fill the top of the client area.
    GroupBox1 = new ui::GroupBox(this, "GroupBox1", handle(), 8, 51, 291, 100);
    GroupBox1->fontColor = kGroupFontColor;
    Label1 = new ui::Label(this, "Label1", GroupBox1->handle(), 12, 24, "Alias");
    Label2 = new ui::Label(this, "Label2", GroupBox1->handle(), 12, 64, "Path");
    feName = new ui::Edit(this, "feName", GroupBox1->handle(), 46, 21, 201, 21);
    fePath = new ui::Edit(this, "fePath", GroupBox1->handle(), 46, 61, 201, 21);
    fsbBrowse = new ui::Button(this, "fsbBrowse", GroupBox1->handle(), 256, 60, 24, 24, "...");
    fsbBrowse->onClick = [this] { fsbBrowseClick(); };
    cAddSeparator = new ui::CheckBox(this, "cAddSeparator", handle(), 8, 160, "Add a Separator Line");
    cAddSeparator->onClick = [this] { suitempcAddSeparatorClick(); };
    fbOk = new ui::Button(this, "fbOk", handle(), 134, 187, 75, 25, "&OK");
    fbOk->onClick = [this] { suitempfbOkClick(); };
    fbCancel = new ui::Button(this, "fbCancel", handle(), 224, 187, 75, 25, "&Cancel");
    fbCancel->modalResult = ui::ModalResult::Cancel;
    suiThemeManager1 = new skin::ThemeManager(this, "suiThemeManager1");
    suiThemeManager1->setUIStyle(skin::UIStyle::FromThemeFile);
    suiFileTheme1 = new skin::FileTheme(this, "suiFileTheme1");

    // The fields, then the separator state; the creation handler runs only after this.
    feName->setText(alias_);
    fePath->setText(path_);
    if (alias_ == kSeparatorAlias && path_ == kSeparatorPath) {
        GroupBox1->setEnabled(false);
        cAddSeparator->setChecked(true); // raises suitempcAddSeparatorClick
    }
}

void PropertyForm::formCreate() {
    suiFileTheme1->setThemeFile("msn.ssk");
    // The skinned frame takes the theme first once the dialog has one.
    suiThemeManager1->setFileTheme(suiFileTheme1);
}

void PropertyForm::suitempcAddSeparatorClick() {
    const bool fields = !cAddSeparator->checked();
    GroupBox1->setEnabled(fields);
    feName->setEnabled(fields);
    fePath->setEnabled(fields);
}

void PropertyForm::fsbBrowseClick() {
    std::string folder;
    if (!ui::prompt().browseForFolder(handle(), kBrowseTitle, folder)) return;
    fePath->setText(folder);
    feName->setText(AliasFromPath(folder));
}

void PropertyForm::suitempfbOkClick() {
    if (cAddSeparator->checked()) {
        setModalResult(ui::ModalResult::Ok);
        return;
    }
    // Taken as typed: not trimmed, and a relative path is tested from the current folder.
    const std::string name = feName->text();
    const std::string path = fePath->text();
    if (name.empty() || path.empty()) {
        ui::prompt().messageBox(GetActiveWindow(), kEmptyFieldMessage, "Corvane", MB_OK | MB_ICONERROR);
        return;
    }
    if (ui::directoryExists(path)) {
        setModalResult(ui::ModalResult::Ok);
        return;
    }
    ui::prompt().messageBox(GetActiveWindow(), path + "," + kMissingFolderMessage, "Corvane", MB_OK | MB_ICONERROR);
    fePath->setFocus();
}

} // namespace corvane::app
