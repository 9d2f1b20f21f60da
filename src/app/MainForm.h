// The main window: the list of favourites and the commands of its tool bar. The list
// view is the only in-memory copy of the favourites; every command changes the rows
// and writes the change through to the store at once.
#pragma once
#include "app/Store.h"
#include "skin/theme/FileTheme.h"
#include "ui/Actions.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"
#include "ui/ToolBar.h"

namespace corvane::app {

constexpr const char* kMainWindowClass = "Corvane Made by Tollbright";
constexpr UINT kActivateMessage = 0x1403; // WM_USER + 0x1003, posted by a second start
constexpr int kNoRowChosen = -200;
// The help page ships beside the exe; Help opens it from the program folder.
constexpr const char* kHelpFile = "help.html";
constexpr const char* kMissingHelpMessage = "The help page %s was not found. Reinstall Corvane to restore it.";

class TfrmMain : public ui::Form, public FavouriteRows {
public:
    explicit TfrmMain(ui::Component* owner, std::string storeKey = kStoreKey);
    ~TfrmMain() override;

    // The store operations, on this window's rows.
    void LoadFavourites(const std::string& key) { app::LoadFavourites(*this, key); }
    virtual void WriteStoreValue(const std::string& key, const std::string& name, const std::string& text) {
        app::WriteStoreValue(key, name, text);
    }
    void RewriteStoreRange(const std::string& key, int first, int last) {
        app::RewriteStoreRange(*this, key, first, last);
    }
    void DeleteStorePair(const std::string& key, int index) { app::DeleteStorePair(key, index); }

    // Event handlers.
    void lvMainSelectItem(int item, bool selected);
    void lvMainCustomDrawItem(int item, COLORREF& textColor, bool& defaultDraw);
    void lvMainDblClick();
    void tbAddClick();
    void aEditExecute();
    void aDeleteExecute();
    void aItemUpExecute();
    void aItemDownExecute();
    void aSortExecute();
    void tbRefreshClick();
    void ToolButton10Click();
    void tbHelpClick();
    void bImportClick();
    void bExportClick();
    void aEditUpdate(ui::Action& a);
    void aItemUpUpdate(ui::Action& a);
    void aItemDownUpdate(ui::Action& a);
    void aSortUpdate(ui::Action& a);

    // FavouriteRows over lvMain.
    int rowCount() const override { return lvMain->count(); }
    std::string rowAlias(int i) const override { return lvMain->caption(i); }
    std::string rowPath(int i) const override { return lvMain->subItem(i); }
    void appendRow(const std::string& alias, const std::string& path) override { lvMain->addItem(alias, path); }

    const std::string& storeKey() const { return storeKey_; }
    int selectedIndex = kNoRowChosen;
    bool SortAscending = true;

    ui::ImageList* ImageList1 = nullptr;
    ui::ActionList* ActionList1 = nullptr;
    ui::Action* aEdit = nullptr;
    ui::Action* aDelete = nullptr;
    ui::Action* aItemUp = nullptr;
    ui::Action* aItemDown = nullptr;
    ui::Action* aSort = nullptr;
    ui::ToolBar* suiToolBar1 = nullptr;
    ui::ToolButton* tbAdd = nullptr;
    ui::ToolButton* ToolButton4 = nullptr; // Sort
    ui::ToolButton* tbRefresh = nullptr;
    ui::ToolButton* bImport = nullptr;
    ui::ToolButton* bExport = nullptr;
    ui::ToolButton* ToolButton10 = nullptr; // Options
    ui::ToolButton* tbHelp = nullptr;
    ui::ListView* lvMain = nullptr;
    TsuiFileTheme* suiFileTheme1 = nullptr;

    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

protected:
    void createParams(ui::CreateParams& p) override;
    void buildComponents() override;
    void formCreate() override;
    void formShow() override;

private:
    bool rowExists(int i) const { return i >= 0 && i < rowCount(); }
    void exchangeRows(int a, int b);
    void loadRows(bool clearFirst);
    void selectRow(int i) { lvMain->select(i); }
    void activateInstance();

    std::string storeKey_;
};

} // namespace corvane::app
