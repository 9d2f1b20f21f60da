// The item editor: one favourite's alias and folder, or a separator line. It only
// collects and checks the input; the caller reads the fields after an OK result and
// writes the favourite itself.
#pragma once
#include "app/SkinnedDialog.h"
#include <string>

namespace corvane::app {

constexpr const char* kBrowseTitle = "Please select the directory to add Corvane";
constexpr const char* kEmptyFieldMessage = "Alias or Path box was empty. Please enter some words in these box.";
constexpr const char* kMissingFolderMessage = "the input path does not exist.";

class PropertyForm : public SkinnedDialog {
public:
    // Creates the window with the fields filled; a separator entry starts with the
    // separator box checked and the fields disabled.
    // `framed` false leaves out the skinned frame (the benchmark's comparison).
    PropertyForm(ui::Component* owner, const std::string& alias, const std::string& path, bool framed = true);

    // The title the frame shows ("Add Item" until the caller changes it); the frame
    // passes it on to its title bar and the window.
    void setFrameCaption(const std::string& s) {
        caption = s;
        if (frame()) frame()->setCaption(s);
        else setCaption(s);
    }

    void browse();
    void confirm() override;
    void separatorChanged();

    // The components, owned by the form (its component tree).
    ui::Label* aliasLabel() const { return aliasLabel_; }
    ui::Label* pathLabel() const { return pathLabel_; }
    skin::Edit* aliasEdit() const { return aliasEdit_; }
    skin::Edit* pathEdit() const { return pathEdit_; }
    skin::Button* browseButton() const { return browseButton_; }
    skin::CheckBox* separatorBox() const { return separatorBox_; }

protected:
    void buildComponents() override;

private:
    std::string alias_;
    std::string path_;
    ui::Label* aliasLabel_ = nullptr;
    ui::Label* pathLabel_ = nullptr;
    skin::Edit* aliasEdit_ = nullptr;
    skin::Edit* pathEdit_ = nullptr;
    skin::Button* browseButton_ = nullptr;
    skin::CheckBox* separatorBox_ = nullptr;
};

} // namespace corvane::app
