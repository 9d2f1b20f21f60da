// The item editor: one favourite's alias and folder, or a separator line. It only
// collects and checks the input; the caller reads the fields after an OK result and
// writes the favourite itself.
#pragma once
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
    PropertyForm(ui::Component* owner, const std::string& alias, const std::string& path);

    // The title the frame shows ("Add Item" until the caller changes it). Stands in for
    // the skinned frame's Caption, which will pass it on to its title bar as well.
    void setFrameCaption(const std::string& s) { setCaption(s); }

    void formCreate() override;
    void fsbBrowseClick();
    void suitempfbOkClick();
    void suitempcAddSeparatorClick();

    ui::GroupBox* GroupBox1 = nullptr;
    ui::Label* Label1 = nullptr; // "Alias"
    ui::Label* Label2 = nullptr; // "Path"
    ui::Edit* feName = nullptr;
    ui::Edit* fePath = nullptr;
    ui::Button* fsbBrowse = nullptr;
    ui::CheckBox* cAddSeparator = nullptr;
    ui::Button* fbOk = nullptr;
    ui::Button* fbCancel = nullptr;
    skin::ThemeManager* suiThemeManager1 = nullptr;
    skin::FileTheme* suiFileTheme1 = nullptr;

protected:
    void buildComponents() override;

private:
    std::string alias_;
    std::string path_;
};

} // namespace corvane::app
