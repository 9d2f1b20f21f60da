#include "app/MainForm.h"
#include "app/PropertyForm.h"
#include "app/Backup.h"
#include "app/Global.h"
#include "app/OptionsForm.h"
#include "app/TipsForm.h"
#include "app/SortRules.h"
#include "app/StoredFrame.h"
#include "ui/Accessible.h"
#include "ui/Environment.h"
#include "ui/Files.h"
#include "ui/WideText.h"
#include "ui/Errors.h"
#include "ui/UserPrompt.h"
#include "ui/WideText.h"
#include <cstring>
#include <vector>

namespace corvane::app {

namespace {
constexpr COLORREF kChosenRowColor = 0x0000FF; // red
constexpr const char* kSortAscendingHint = "Sort by Alias(Ascending)";
constexpr const char* kSortDescendingHint = "Sort by Alias(Descending)";

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwnedPopup(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<OwnedSearch*>(lp);
    if (GetWindow(w, GW_OWNER) != s->owner || !IsWindowVisible(w)) return TRUE;
    s->found = w;
    return FALSE;
}

// The Corvane menu's hand-over: UTF-8, or code-page text from a menu of an older version
// that Explorer still holds loaded after an upgrade.
bool DecodeHandedFolder(const COPYDATASTRUCT& cds, std::string& alias, std::string& path) {
    const bool utf8 = cds.dwData == kAddFolderUtf8Tag;
    if ((!utf8 && cds.dwData != kAddFolderTag) || !DecodeFolderHandover(cds.lpData, cds.cbData, alias, path))
        return false;
    if (!utf8) {
        alias = ui::FromCodePage(alias);
        path = ui::FromCodePage(path);
    }
    return true;
}

// A menu in a program of lower integrity (Explorer, beside an editor run as administrator)
// may hand over folders; the rest of the message filter stays.
void AcceptHandover(HWND w) {
    using Filter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    HMODULE user = GetModuleHandleW(L"user32.dll");
    auto filter = user ? reinterpret_cast<Filter>(
                             reinterpret_cast<void*>(GetProcAddress(user, "ChangeWindowMessageFilterEx")))
                       : nullptr;
    if (filter) filter(w, WM_COPYDATA, 1 /* MSGFLT_ALLOW */, nullptr);
}

// Where a disabled window's modal chain ends: down through its visible owned popups.
HWND UsableWindow(HWND w) {
    for (int depth = 0; w && !IsWindowEnabled(w) && depth < 8; ++depth) {
        OwnedSearch s{w, nullptr};
        EnumThreadWindows(GetCurrentThreadId(), &FindOwnedPopup, reinterpret_cast<LPARAM>(&s));
        w = s.found;
    }
    return w;
}
} // namespace

MainForm::MainForm(ui::Component* owner, std::string storeKey)
    : ui::Form(owner, "frmMain"), storeKey_(std::move(storeKey)) {
    caption = " Corvane " CORVANE_VERSION_SHORT; // major.minor of the project version
    clientWidth = 539;
    clientHeight = 430;
    position = ui::FormPosition::ScreenCenter;
    color = GetSysColor(COLOR_BTNFACE);
}

void MainForm::createParams(ui::CreateParams& p) {
    ui::Form::createParams(p);
    // Not resizable, with a minimise box; the task bar shows it.
    p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | WS_CLIPCHILDREN;
    p.exStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW;
    const ui::Scaler s(creationDpi());
    RECT r{0, 0, s(clientWidth), s(clientHeight)};
    AdjustWindowRectEx(&r, p.style, FALSE, p.exStyle);
    p.width = r.right - r.left;
    p.height = r.bottom - r.top;
    p.x = (GetSystemMetrics(SM_CXSCREEN) - p.width) / 2;
    p.y = (GetSystemMetrics(SM_CYSCREEN) - p.height) / 2;
    // The class name is how a second start finds us: copied whole, NUL padded to the field.
    std::memset(p.winClassName, 0, sizeof p.winClassName);
    std::strncpy(p.winClassName, kMainWindowClass, sizeof p.winClassName);
}

void MainForm::buildComponents() {
    images_ = new ui::ImageList(this, "ImageList1", 16, 16);
    images_->addStripResource("TOOLBAR");

    actionList_ = new ui::ActionList(this, "ActionList1");
    editAction_ = actionList_->add("aEdit", "Edit", 0);
    deleteAction_ = actionList_->add("aDelete", "Delete", 1);
    upAction_ = actionList_->add("aItemUp", "Up", 2);
    downAction_ = actionList_->add("aItemDown", "Down", 3);
    sortAction_ = actionList_->add("aSort", "Sort", 8, kSortAscendingHint);
    editAction_->onExecute = [this](ui::Action&) { editItem(); };
    deleteAction_->onExecute = [this](ui::Action&) { deleteItem(); };
    upAction_->onExecute = [this](ui::Action&) { moveItemUp(); };
    downAction_->onExecute = [this](ui::Action&) { moveItemDown(); };
    sortAction_->onExecute = [this](ui::Action&) { sortRows(); };
    editAction_->onUpdate = [this](ui::Action& a) { updateEditAction(a); };
    deleteAction_->onUpdate = [this](ui::Action& a) { updateEditAction(a); };
    upAction_->onUpdate = [this](ui::Action& a) { updateUpAction(a); };
    downAction_->onUpdate = [this](ui::Action& a) { updateDownAction(a); };
    sortAction_->onUpdate = [this](ui::Action& a) { updateSortAction(a); };

    frame_ = AddStoredFrame(*this, -13);
    // The title strip of the frame takes the top 29 pixels.
    toolBar_ = new skin::ToolBar(this, "suiToolBar1", frame_->handle(), 0, 29, 539, 36, 44, 36, images_);
    toolBar_->setFont(font()); // the frame's panel between them has no font to hand on
    toolBar_->setColor(0xE8E8E8);
    toolBar_->setButtonColor(0xEFEFEF);
    toolBar_->setButtonBorderColor(0x474747);
    toolBar_->setButtonDownColor(0xD8D8D8);
    toolBar_->setTransparent(false);
    // Without a file theme of its own the bar draws in DeepBlue.
    toolBar_->setUIStyle(skin::UIStyle::FromThemeFile);
    auto button = [this](const char* name, const char* cap, int image, const char* tip, void (MainForm::*h)()) {
        ui::ToolButton* b = toolBar_->addButton(name);
        b->setCaption(cap);
        b->setImageIndex(image);
        b->setHint(tip);
        b->onClick = [this, h] { (this->*h)(); };
        return b;
    };
    auto actionButton = [this](const char* name, ui::Action* a, const char* tip) {
        ui::ToolButton* b = toolBar_->addButton(name);
        b->setAction(a, tip == nullptr);
        if (tip) b->setHint(tip);
        return b;
    };
    addButton_ = button("tbAdd", "Add", 6, "Add a select folder", &MainForm::addItem);
    actionButton("ToolButton2", editAction_, "Edit the selected folder");
    actionButton("ToolButton3", deleteAction_, "Delete the select folder item");
    toolBar_->addSeparator("ToolButton8");
    sortButton_ = actionButton("ToolButton4", sortAction_, nullptr);
    actionButton("ToolButton5", upAction_, "Move the selected folder item up the list");
    actionButton("ToolButton6", downAction_, "Move the selected folder item down the list");
    toolBar_->addSeparator("ToolButton9");
    refreshButton_ = button("tbRefresh", "Refresh", 1, "Refresh the folder list", &MainForm::refreshRows);
    toolBar_->addSeparator("ToolButton12");
    importButton_ = button("bImport", "Import", 11, "Import the saved data of Alias and Path", &MainForm::importBackup);
    exportButton_ = button("bExport", "Export", 10, "Backup the data of Alias and Path", &MainForm::exportBackup);
    toolBar_->addSeparator("ToolButton13");
    optionsButton_ = button("ToolButton10", "Options", 9, "Open the options dialog to set", &MainForm::showOptions);
    toolBar_->addSeparator("ToolButton11");
    helpButton_ = button("tbHelp", "Help", 4, "Corvane's help documents", &MainForm::showHelp);

    list_ = new ui::ListView(this, "lvMain", frame_->handle(), -1, 83, 538, 265,
                             LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    list_->setFont(font());
    list_->perform(LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
    list_->perform(LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
    list_->perform(LVM_SETTEXTCOLOR, 0, RGB(0, 0, 0));
    list_->addColumn("Alias", 190);
    list_->addColumn("Path", 315);
    list_->onSelectItem = [this](int item, bool selected) { chooseRow(item, selected); };
    list_->onCustomDrawItem = [this](int item, COLORREF& c, bool& d) { colourChosenRow(item, c, d); };
    list_->onDblClick = [this] { editChosenRow(); };
    list_->onDropFiles = [this](const std::vector<std::string>& paths) { addDroppedFiles(paths); };
    list_->acceptDrops();
    list_->markedRow = [this] { return chosenRow_ >= 0 && chosenRow_ < rowCount() ? chosenRow_ : -1; };

    themeFile_ = new skin::FileTheme(this, "suiFileTheme1");
}

void MainForm::formCreate() {
    chosenRow_ = kNoRowChosen;
    LoadSaveOptions(options_, true);
    sortAscending_ = true;
    // The window's frame takes its look from the skin file when one is found.
    themeFile_->setThemeFile("msn.ssk");
    frame_->setFileTheme(themeFile_);
    SeedStoreIfMissing(storeKey_, WindowsFolder());
    RecordProgramPath(storeKey_, ui::ExecutablePath());
    AcceptHandover(handle());
    show();
    if (options_.showTips) {
        TipsForm frmTips(this, options_);
        frmTips.showModal();
    }
}

void MainForm::formShow() {
    loadRows(false);
    RECT r;
    GetWindowRect(handle(), &r);
    list_->setHeight(r.bottom - r.top - list_->top() - scaler()(15));
}

LRESULT MainForm::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == ui::msg::Activate) {
        activateInstance();
        return 0;
    }
    if (msg == WM_COPYDATA) {
        const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        std::string alias, path;
        if (!cds || !DecodeHandedFolder(*cds, alias, path)) return FALSE;
        handedFolders_.emplace_back(std::move(alias), std::move(path));
        PostMessageW(handle(), ui::msg::AddHandedFolders, 0, 0);
        return TRUE;
    }
    if (msg == ui::msg::AddHandedFolders) {
        addHandedFolders();
        return 0;
    }
    // Activated while a modal dialog disables us (a second start makes us the foreground
    // window after posting its hand-over): the dialog comes forward again.
    if (msg == WM_ACTIVATE && LOWORD(wp) != WA_INACTIVE && !IsWindowEnabled(handle()))
        PostMessageW(handle(), ui::msg::Activate, 0, 0);
    return ui::Form::wndProc(msg, wp, lp);
}

void MainForm::activateInstance() {
    if (!IsWindowVisible(handle())) ShowWindow(handle(), SW_SHOW);
    if (IsIconic(handle())) ShowWindow(handle(), SW_RESTORE);
    // The most recently active window comes forward: a modal dialog when one is open, also
    // when the disabled main window was the last one activated.
    HWND last = UsableWindow(GetLastActivePopup(handle()));
    if (last && IsWindowVisible(last) && IsWindowEnabled(last)) SetForegroundWindow(last);
}

// The list shows no platform selection: a click only chooses the row, which custom
// draw then paints red, so the chosen row keeps its look when the list loses the focus.
void MainForm::chooseRow(int, bool) {
    int sel = list_->selectedIndex();
    if (sel >= 0) {
        chosenRow_ = sel;
        ui::NotifyAccessible(list_->handle(), EVENT_OBJECT_SELECTION, sel + 1);
    }
    list_->clearSelection();
    list_->clearFocus();
    list_->invalidate();
}

void MainForm::colourChosenRow(int item, COLORREF& textColor, bool&) {
    if (item == chosenRow_) textColor = kChosenRowColor;
}

void MainForm::editChosenRow() {
    if (chosenRow_ >= 0) editItem();
}

void MainForm::addItem() {
    PropertyForm frmProperty(this, "", "");
    if (frmProperty.showModal() != ui::ModalResult::Ok) return;
    if (frmProperty.separatorBox()->checked()) appendFavourite(kSeparatorAlias, kSeparatorPath);
    else appendFavourite(frmProperty.aliasEdit()->text(), frmProperty.pathEdit()->text());
}

void MainForm::appendFavourite(const std::string& alias, const std::string& path) {
    list_->addItem(alias, path);
    const int n = rowCount();
    RewriteStoreRange(storeKey_, n - 1, n - 1);
}

bool MainForm::addFolderFromMenu(const std::string& alias, const std::string& path) {
    for (int i = 0; i < rowCount(); ++i)
        if (SamePath(rowPath(i), path)) return false;
    appendFavourite(alias, path);
    return true;
}

void MainForm::addDroppedFiles(const std::vector<std::string>& paths) {
    int notFolders = 0;
    for (const std::string& dropped : paths) {
        std::string path = dropped;
        if (ui::FileExists(path)) {
            const std::string target = ui::ShortcutTarget(path);
            if (!target.empty()) path = target;
        }
        if (!ui::DirectoryExists(ui::ExpandEnvironment(path))) {
            ++notFolders;
            continue;
        }
        appendFavourite(AliasFromPath(path), path);
    }
    if (notFolders > 0)
        ui::ThePrompt().messageBox(handle(), ui::SystemMessageText(kNotFoldersMessage, std::to_string(notFolders)),
                                   "Corvane", MB_OK | MB_ICONINFORMATION);
}

// The menu waits on its WM_COPYDATA: the folders are added after it has its answer, so an
// error box about a failed write never holds up the program that showed the menu.
void MainForm::addHandedFolders() {
    auto folders = std::move(handedFolders_);
    handedFolders_.clear();
    for (const auto& [alias, path] : folders) ui::Guarded([&] { addFolderFromMenu(alias, path); });
}

void MainForm::editItem() {
    const int k = chosenRow_;
    if (!rowExists(k)) return; // the chosen row may be gone after a Delete or Refresh
    PropertyForm frmProperty(this, rowAlias(k), rowPath(k));
    frmProperty.setFrameCaption("Edit Item");
    if (frmProperty.showModal() != ui::ModalResult::Ok || !rowExists(k)) return;
    if (frmProperty.separatorBox()->checked()) {
        list_->setCaption(k, kSeparatorAlias);
        list_->setSubItem(k, kSeparatorPath);
    } else {
        list_->setCaption(k, frmProperty.aliasEdit()->text());
        list_->setSubItem(k, frmProperty.pathEdit()->text());
    }
    RewriteStoreRange(storeKey_, k, k);
}

void MainForm::deleteItem() {
    const int k = chosenRow_;
    if (!rowExists(k)) return; // nothing to ask about
    if (options_.askDelete &&
        ui::ThePrompt().messageBox(handle(), "Are you sure you want to delete the selected item?", "Corvane",
                                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    {
        // One repaint later instead of the list scrolling its rows up now.
        ui::ListUpdate batch(*list_);
        list_->deleteItem(k);
    }
    const int n = rowCount();
    DeleteStorePair(storeKey_, n);
    RewriteStoreRange(storeKey_, k, n - 1);
    if (k < n) selectRow(k);
    else if (n > 0) selectRow(0);
    else chosenRow_ = kNoRowChosen; // Edit and Delete go off with the last row
}

void MainForm::exchangeRows(int a, int b) {
    std::string aliasA = list_->caption(a), pathA = list_->subItem(a);
    list_->setCaption(a, list_->caption(b));
    list_->setSubItem(a, list_->subItem(b));
    list_->setCaption(b, aliasA);
    list_->setSubItem(b, pathA);
}

void MainForm::moveItemUp() {
    const int k = chosenRow_;
    if (k <= 0 || !rowExists(k)) return;
    exchangeRows(k - 1, k);
    RewriteStoreRange(storeKey_, k - 1, k);
    selectRow(k - 1);
}

void MainForm::moveItemDown() {
    const int k = chosenRow_;
    if (k < 0 || !rowExists(k + 1)) return;
    exchangeRows(k, k + 1);
    RewriteStoreRange(storeKey_, k, k + 1);
    selectRow(k + 1);
}

namespace {
AliasKey AliasSortKey(const std::string& alias) {
    AliasKey key;
    const std::wstring wide = ui::Widen(alias);
    key.units.assign(wide.begin(), wide.end());
    key.inCodePage = ui::ToCodePage(alias, key.bytes);
    return key;
}
} // namespace

void MainForm::sortRows() {
    // The exchange sort runs on a copy of the rows; only rows that moved are rewritten
    // in the list, which ends up exactly as exchanging the rows in place would leave it.
    const int n = rowCount();
    std::vector<FavouriteRow> rows;
    rows.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) rows.push_back({list_->caption(i), list_->subItem(i)});
    std::vector<FavouriteRow> before = rows;
    ExchangeSort(rows, sortAscending_, &AliasSortKey);
    {
        ui::ListUpdate batch(*list_);
        for (int i = 0; i < n; ++i) {
            if (rows[i].alias != before[i].alias) list_->setCaption(i, rows[i].alias);
            if (rows[i].path != before[i].path) list_->setSubItem(i, rows[i].path);
        }
    }
    if (sortAscending_) {
        sortAscending_ = false;
        sortAction_->setHint(kSortDescendingHint);
    } else {
        sortAscending_ = true;
        sortAction_->setHint(kSortAscendingHint);
    }
    RewriteStoreRange(storeKey_, 0, n - 1);
}

void MainForm::refreshRows() { loadRows(true); }

void MainForm::loadRows(bool clearFirst) {
    // One repaint for the whole load; the list still shows the rows read before an error.
    // A chosen index survives a reload, but not one into an empty list, error or not.
    auto forgetIfEmpty = [this] {
        if (rowCount() == 0) chosenRow_ = kNoRowChosen;
    };
    try {
        ui::ListUpdate batch(*list_);
        if (clearFirst) list_->clear();
        LoadFavourites(storeKey_);
    } catch (...) {
        forgetIfEmpty();
        throw;
    }
    forgetIfEmpty();
}

void MainForm::showOptions() {
    OptionsForm frmOptions(this, options_);
    frmOptions.showModal();
}

void MainForm::showHelp() {
    const std::string page = ui::ProgramFolder() + kHelpFile;
    if (GetFileAttributesW(ui::WideArg(page)) == INVALID_FILE_ATTRIBUTES) {
        // Opening a missing file would fail without a word from the shell.
        ui::ThePrompt().messageBox(handle(), ui::SystemMessageText(kMissingHelpMessage, page), "Corvane",
                                   MB_OK | MB_ICONERROR);
        return;
    }
    ui::ThePrompt().shellOpen(handle(), page);
}

void MainForm::importBackup() { ImportFavourites(*this); }

void MainForm::exportBackup() { ExportFavourites(*this); }

void MainForm::updateEditAction(ui::Action& a) { a.setEnabled(chosenRow_ != kNoRowChosen); }

void MainForm::updateUpAction(ui::Action& a) { a.setEnabled(list_->visible() && chosenRow_ > 0); }

void MainForm::updateDownAction(ui::Action& a) {
    a.setEnabled(list_->visible() && chosenRow_ >= 0 && chosenRow_ < rowCount() - 1);
}

void MainForm::updateSortAction(ui::Action& a) { a.setEnabled(list_->visible() && rowCount() > 1); }

} // namespace corvane::app
