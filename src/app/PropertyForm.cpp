#include "app/PropertyForm.h"
#include "app/Global.h"
#include "app/StoreNames.h"
#include "app/StoredControls.h"
#include "ui/Files.h"
#include "ui/UserPrompt.h"

namespace corvane::app {

PropertyForm::PropertyForm(ui::Component* owner, const std::string& alias, const std::string& path, bool framed)
    : SkinnedDialog(owner, "frmProperty", "Add Item", 309, 226, framed), alias_(alias), path_(path) {
    create();
}

void PropertyForm::buildComponents() {
    addFrame();
    HWND inGroup = addGroup(8, 51, 291, 100)->handle();
    aliasLabel_ = new ui::Label(this, "Label1", inGroup, 12, 24, "Alias");
    aliasLabel_->fontColor = kGroupFontColor; // the group's font
    pathLabel_ = new ui::Label(this, "Label2", inGroup, 12, 64, "Path");
    pathLabel_->fontColor = kGroupFontColor;
    aliasEdit_ = StoredEdit(this, "feName", inGroup, 46, 21, 201, 21);
    pathEdit_ = StoredEdit(this, "fePath", inGroup, 46, 61, 201, 21);
    browseButton_ = StoredButton(this, "fsbBrowse", inGroup, 256, 60, 24, 24, "...", ui::ModalResult::None);
    browseButton_->onClick = [this] { browse(); };
    separatorBox_ = StoredCheckBox(this, "cAddSeparator", controlParent(), 8, 160, "Add a Separator Line");
    separatorBox_->onClick = [this] { separatorChanged(); };
    addOkCancel("fbOk", 134, "fbCancel", 224, 187);
    addThemeComponents();

    // The fields, then the separator state; the creation handler runs only after this.
    aliasEdit_->setText(alias_);
    pathEdit_->setText(path_);
    if (alias_ == kSeparatorAlias && path_ == kSeparatorPath) {
        group()->setEnabled(false);
        separatorBox_->setChecked(true); // raises separatorChanged
    }
}

void PropertyForm::separatorChanged() {
    const bool fields = !separatorBox_->checked();
    group()->setEnabled(fields);
    aliasEdit_->setEnabled(fields);
    pathEdit_->setEnabled(fields);
}

void PropertyForm::browse() {
    std::string folder;
    if (!ui::ThePrompt().browseForFolder(handle(), kBrowseTitle, folder)) return;
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
        ui::ThePrompt().messageBox(GetActiveWindow(), kEmptyFieldMessage, "Corvane", MB_OK | MB_ICONERROR);
        return;
    }
    // A path may name environment variables (%USERPROFILE%\Projects): stored as typed,
    // tested as the system expands it.
    if (ui::DirectoryExists(ui::ExpandEnvironment(path))) {
        setModalResult(ui::ModalResult::Ok);
        return;
    }
    ui::ThePrompt().messageBox(GetActiveWindow(), path + "," + kMissingFolderMessage, "Corvane", MB_OK | MB_ICONERROR);
    pathEdit_->setFocus();
}

} // namespace corvane::app
