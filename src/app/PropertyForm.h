// The item editor: one favourite's alias and folder, or a separator line. It only
// collects and checks the input; the caller reads the fields after an OK result and
// writes the favourite itself.
#pragma once
#include "skin/frame/Form.h"
#include "skin/theme/FileTheme.h"
#include "skin/theme/ThemeManager.h"
#include "ui/Form.h"
#include "ui/StdControls.h"
#include <string>

namespace corvane::app {

constexpr const char* kBrowseTitle = "Please select the directory to add Corvane";
constexpr const char* kEmptyFieldMessage = "Alias or Path box was empty. Please enter some words in these box.";
constexpr const char* kMissingFolderMessage = "the input path does not exist.";

class PropertyForm : public ui::Form {
public:
    // Creates the window with the fields filled; a separator entry starts with the
    // separator box checked and the fields disabled.
    // `framed` false leaves out the skinned frame (the benchmark's comparison).
    PropertyForm(ui::Component* owner, const std::string& alias, const std::string& path, bool framed = true);

    // The title the frame shows ("Add Item" until the caller changes it); the frame
    // passes it on to its title bar and the window.
    void setFrameCaption(const std::string& s) {
        caption = s;
        if (frame_) frame_->setCaption(s);
        else setCaption(s);
    }

    void formCreate() override;
    void browse();
    void confirm();
    void separatorChanged();

    ui::GroupBox* group_ = nullptr;
    ui::GroupBox* group() const { return group_; }
    ui::Label* aliasLabel_ = nullptr; // "Alias"
    ui::Label* aliasLabel() const { return aliasLabel_; }
    ui::Label* pathLabel_ = nullptr; // "Path"
    ui::Label* pathLabel() const { return pathLabel_; }
    ui::Edit* aliasEdit_ = nullptr;
    ui::Edit* aliasEdit() const { return aliasEdit_; }
    ui::Edit* pathEdit_ = nullptr;
    ui::Edit* pathEdit() const { return pathEdit_; }
    ui::Button* browseButton_ = nullptr;
    ui::Button* browseButton() const { return browseButton_; }
    ui::CheckBox* separatorBox_ = nullptr;
    ui::CheckBox* separatorBox() const { return separatorBox_; }
    ui::Button* okButton_ = nullptr;
    ui::Button* okButton() const { return okButton_; }
    ui::Button* cancelButton_ = nullptr;
    ui::Button* cancelButton() const { return cancelButton_; }
    skin::ThemeManager* themeManager_ = nullptr;
    skin::ThemeManager* themeManager() const { return themeManager_; }
    skin::FileTheme* themeFile_ = nullptr;
    skin::Form* frame_ = nullptr;
    skin::Form* frame() const { return frame_; }
    skin::FileTheme* themeFile() const { return themeFile_; }

protected:
    void buildComponents() override;

private:
    std::string alias_;
    std::string path_;
    bool framed_ = true;
};

} // namespace corvane::app
