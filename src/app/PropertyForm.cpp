#include "app/PropertyForm.h"
#include "app/Global.h"
#include "app/PathRules.h"
#include "app/Store.h"
#include "app/StoredFrame.h"
#include "ui/Files.h"
#include "ui/UserPrompt.h"

namespace corvane::app {

namespace {
constexpr COLORREF kFrameColor = 0xE8E8E8;
constexpr COLORREF kGroupFontColor = 0xCF4602;
} // namespace

PropertyForm::PropertyForm(ui::Component* owner, const std::string& alias, const std::string& path, bool framed)
    : ui::Form(owner, "frmProperty"), alias_(alias), path_(path), framed_(framed) {
    caption = "Add Item";
    clientWidth = 309;
    clientHeight = 226;
    position = ui::FormPosition::OwnerFormCenter;
    dialogNavigation = true;
    color = kFrameColor;
    create();
}

void PropertyForm::buildComponents() {
    if (framed_) frame_ = AddStoredFrame(*this, -11);
    HWND parent = frame_ ? frame_->handle() : handle();
    // Positions are the frame's: its title strip fills the top of the client area.
    group_ = new ui::GroupBox(this, "GroupBox1", parent, 8, 51, 291, 100);
    group_->fontColor = kGroupFontColor;
    aliasLabel_ = new ui::Label(this, "Label1", group_->handle(), 12, 24, "Alias");
    pathLabel_ = new ui::Label(this, "Label2", group_->handle(), 12, 64, "Path");
    aliasEdit_ = new ui::Edit(this, "feName", group_->handle(), 46, 21, 201, 21);
    pathEdit_ = new ui::Edit(this, "fePath", group_->handle(), 46, 61, 201, 21);
    browseButton_ = new ui::Button(this, "fsbBrowse", group_->handle(), 256, 60, 24, 24, "...");
    browseButton_->onClick = [this] { browse(); };
    separatorBox_ = new ui::CheckBox(this, "cAddSeparator", parent, 8, 160, "Add a Separator Line");
    separatorBox_->onClick = [this] { separatorChanged(); };
    okButton_ = new ui::Button(this, "fbOk", parent, 134, 187, 75, 25, "&OK");
    okButton_->onClick = [this] { confirm(); };
    cancelButton_ = new ui::Button(this, "fbCancel", parent, 224, 187, 75, 25, "&Cancel");
    cancelButton_->modalResult = ui::ModalResult::Cancel;
    themeManager_ = new skin::ThemeManager(this, "suiThemeManager1");
    themeManager_->setUIStyle(skin::UIStyle::FromThemeFile);
    themeFile_ = new skin::FileTheme(this, "suiFileTheme1");

    // The fields, then the separator state; the creation handler runs only after this.
    aliasEdit_->setText(alias_);
    pathEdit_->setText(path_);
    if (alias_ == kSeparatorAlias && path_ == kSeparatorPath) {
        group_->setEnabled(false);
        separatorBox_->setChecked(true); // raises separatorChanged
    }
}

void PropertyForm::formCreate() {
    themeFile_->setThemeFile("msn.ssk");
    if (frame_) frame_->setFileTheme(themeFile_);
    themeManager_->setFileTheme(themeFile_);
}

void PropertyForm::separatorChanged() {
    const bool fields = !separatorBox_->checked();
    group_->setEnabled(fields);
    aliasEdit_->setEnabled(fields);
    pathEdit_->setEnabled(fields);
}

void PropertyForm::browse() {
    std::string folder;
    if (!ui::prompt().browseForFolder(handle(), kBrowseTitle, folder)) return;
    pathEdit_->setText(folder);
    aliasEdit_->setText(AliasFromPath(folder));
}

void PropertyForm::confirm() {
    if (separatorBox_->checked()) {
        setModalResult(ui::ModalResult::Ok);
        return;
    }
    // Taken as typed: not trimmed, and a relative path is tested from the current folder.
    const std::string name = aliasEdit_->text();
    const std::string path = pathEdit_->text();
    if (name.empty() || path.empty()) {
        ui::prompt().messageBox(GetActiveWindow(), kEmptyFieldMessage, "Corvane", MB_OK | MB_ICONERROR);
        return;
    }
    if (ui::directoryExists(path)) {
        setModalResult(ui::ModalResult::Ok);
        return;
    }
    ui::prompt().messageBox(GetActiveWindow(), path + "," + kMissingFolderMessage, "Corvane", MB_OK | MB_ICONERROR);
    pathEdit_->setFocus();
}

} // namespace corvane::app
