#include "app/SkinnedDialog.h"
#include "app/StoredFrame.h"

namespace corvane::app {

namespace {
constexpr COLORREF kFrameColor = 0xE8E8E8;
} // namespace

SkinnedDialog::SkinnedDialog(ui::Component* owner, std::string name, const std::string& caption, int width, int height,
                             bool framed)
    : ui::Form(owner, std::move(name), ui::Lifetime::Scope), framed_(framed) {
    this->caption = caption;
    clientWidth = width;
    clientHeight = height;
    position = ui::FormPosition::OwnerFormCenter;
    dialogNavigation = true;
    color = kFrameColor;
}

void SkinnedDialog::addFrame() {
    if (framed_) frame_ = AddStoredFrame(*this, -11);
}

HWND SkinnedDialog::controlParent() const { return frame_ ? frame_->handle() : handle(); }

skin::GroupBox* SkinnedDialog::addGroup(int x, int y, int w, int h) {
    group_ = StoredGroupBox(this, "GroupBox1", controlParent(), x, y, w, h, kGroupFontColor);
    return group_;
}

void SkinnedDialog::addOkCancel(const char* okName, int okX, const char* cancelName, int cancelX, int y) {
    okButton_ = StoredButton(this, okName, controlParent(), okX, y, 75, 25, "&OK", ui::ModalResult::None);
    okButton_->onClick = [this] { confirm(); };
    cancelButton_ = StoredButton(this, cancelName, controlParent(), cancelX, y, 75, 25, "&Cancel",
                                 ui::ModalResult::Cancel);
}

void SkinnedDialog::addThemeComponents() {
    themeManager_ = new skin::ThemeManager(this, "suiThemeManager1");
    themeManager_->setUIStyle(skin::UIStyle::FromThemeFile);
    themeFile_ = new skin::FileTheme(this, "suiFileTheme1");
}

void SkinnedDialog::formCreate() {
    themeFile_->setThemeFile("msn.ssk");
    // The skinned frame takes the theme first.
    if (frame_) frame_->setFileTheme(themeFile_);
    themeManager_->setFileTheme(themeFile_);
}

} // namespace corvane::app
