// The main window: the list of favourites and the commands of its tool bar. The list
// view is the only in-memory copy of the favourites; every command changes the rows
// and writes the change through to the store at once.
#pragma once
#include "app/Global.h"
#include "ui/Messages.h"
#include "app/StoreNames.h"
#include "skin/controls/ToolBar.h"
#include "skin/frame/FramePanel.h"
#include "skin/theme/FileTheme.h"
#include "ui/Actions.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"
#include "ui/ToolBar.h"
#include <utility>
#include <vector>

namespace corvane::app {

constexpr const char* kMainWindowClass = "Corvane Made by Tollbright";
constexpr int kNoRowChosen = -200;
// The help page ships beside the exe; Help opens it from the program folder.
constexpr const char* kHelpFile = "help.html";
constexpr const char* kNotFoldersMessage = "%s of the dropped items were not folders and were not added.";
constexpr const char* kMissingHelpMessage = "The help page %s was not found. Reinstall Corvane to restore it.";

class MainForm : public ui::Form, public FavouriteRows {
public:
    explicit MainForm(ui::Component* owner, std::string storeKey = kStoreKey);

    // The store operations, on this window's rows.
    void LoadFavourites(const std::string& key) { app::LoadFavourites(*this, key); }
    void WriteStoreValue(const std::string& key, const std::string& name, const std::string& text) {
        app::WriteStoreValue(key, name, text);
    }
    void RewriteStoreRange(const std::string& key, int first, int last) {
        app::RewriteStoreRange(*this, key, first, last);
    }
    void DeleteStorePair(const std::string& key, int index) { app::DeleteStorePair(key, index); }

    // Event handlers.
    void chooseRow(int item, bool selected);
    void colourChosenRow(int item, COLORREF& textColor, bool& defaultDraw);
    void editChosenRow();
    void addItem();
    // A folder handed over by the Corvane menu's "Add to Corvane": added as Add adds,
    // unless a row already holds that folder. Returns whether it added.
    bool addFolderFromMenu(const std::string& alias, const std::string& path);
    // Folders (and shortcuts to folders) dropped on the list, each added as Add adds a
    // browsed folder; anything else is counted in one message.
    void addDroppedFiles(const std::vector<std::string>& paths);
    void editItem();
    void deleteItem();
    void moveItemUp();
    void moveItemDown();
    void sortRows();
    void refreshRows();
    void showOptions();
    void showHelp();
    void importBackup();
    void exportBackup();
    void updateEditAction(ui::Action& a);
    void updateUpAction(ui::Action& a);
    void updateDownAction(ui::Action& a);
    void updateSortAction(ui::Action& a);

    // FavouriteRows over the list.
    int rowCount() const override { return list_->count(); }
    std::string rowAlias(int i) const override { return list_->caption(i); }
    std::string rowPath(int i) const override { return list_->subItem(i); }
    void appendRow(const std::string& alias, const std::string& path) override { list_->addItem(alias, path); }

    const std::string& storeKey() const { return storeKey_; }
    // The option flags, loaded when the window is created.
    OptionFlags& options() { return options_; }
    // Batches the list's repaints while a scope changes many rows.
    ui::ListUpdate batchRowChanges() { return ui::ListUpdate(*list_); }
    // The chosen row (painted red), kept apart from the list's selection.
    int chosenRow() const { return chosenRow_; }
    // The direction the next Sort takes.
    bool sortAscending() const { return sortAscending_; }
    void setSortAscending(bool v) { sortAscending_ = v; }

    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

    // The components, owned by the form (its component tree).
    ui::ImageList* images() const { return images_; }
    ui::ActionList* actionList() const { return actionList_; }
    ui::Action* editAction() const { return editAction_; }
    ui::Action* deleteAction() const { return deleteAction_; }
    ui::Action* upAction() const { return upAction_; }
    ui::Action* downAction() const { return downAction_; }
    ui::Action* sortAction() const { return sortAction_; }
    skin::ToolBar* toolBar() const { return toolBar_; }
    ui::ToolButton* addButton() const { return addButton_; }
    ui::ToolButton* sortButton() const { return sortButton_; }
    ui::ToolButton* refreshButton() const { return refreshButton_; }
    ui::ToolButton* importButton() const { return importButton_; }
    ui::ToolButton* exportButton() const { return exportButton_; }
    ui::ToolButton* optionsButton() const { return optionsButton_; }
    ui::ToolButton* helpButton() const { return helpButton_; }
    ui::ListView* list() const { return list_; }
    skin::FileTheme* themeFile() const { return themeFile_; }
    skin::FramePanel* frame() const { return frame_; }

protected:
    void createParams(ui::CreateParams& p) override;
    void buildComponents() override;
    void formCreate() override;
    void formShow() override;

private:
    bool rowExists(int i) const { return i >= 0 && i < rowCount(); }
    void exchangeRows(int a, int b);
    void loadRows(bool clearFirst);
    void selectRow(int i) { list_->select(i); }
    void activateInstance();
    void appendFavourite(const std::string& alias, const std::string& path);
    void addHandedFolders();

    std::vector<std::pair<std::string, std::string>> handedFolders_; // from the menu, not yet added
    std::string storeKey_;
    OptionFlags options_;
    int chosenRow_ = kNoRowChosen;
    bool sortAscending_ = true;
    ui::ImageList* images_ = nullptr;
    ui::ActionList* actionList_ = nullptr;
    ui::Action* editAction_ = nullptr;
    ui::Action* deleteAction_ = nullptr;
    ui::Action* upAction_ = nullptr;
    ui::Action* downAction_ = nullptr;
    ui::Action* sortAction_ = nullptr;
    skin::ToolBar* toolBar_ = nullptr;
    ui::ToolButton* addButton_ = nullptr;
    ui::ToolButton* sortButton_ = nullptr;
    ui::ToolButton* refreshButton_ = nullptr;
    ui::ToolButton* importButton_ = nullptr;
    ui::ToolButton* exportButton_ = nullptr;
    ui::ToolButton* optionsButton_ = nullptr;
    ui::ToolButton* helpButton_ = nullptr;
    ui::ListView* list_ = nullptr;
    skin::FileTheme* themeFile_ = nullptr;
    skin::FramePanel* frame_ = nullptr;
};

} // namespace corvane::app
