#include "app/MainForm.h"
#include "app/AddItem.h"
#include "app/Backup.h"
#include "app/Global.h"
#include "app/Options.h"
#include "app/ShowTips.h"
#include "app/SortRules.h"
#include "ui/Errors.h"
#include "ui/UserPrompt.h"
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

TfrmMain::TfrmMain(ui::Component* owner, std::string storeKey)
    : ui::Form(owner, "frmMain"), storeKey_(std::move(storeKey)) {
    caption = " Corvane " CORVANE_VERSION_SHORT; // major.minor of the project version
    clientWidth = 539;
    clientHeight = 430;
    position = ui::FormPosition::ScreenCenter;
    color = GetSysColor(COLOR_BTNFACE);
}

TfrmMain::~TfrmMain() {
    destroyComponents();
    destroyHandle();
}

void TfrmMain::createParams(ui::CreateParams& p) {
    ui::Form::createParams(p);
    // Not resizable, with a minimise box; the task bar shows it.
    p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | WS_CLIPCHILDREN;
    p.exStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW;
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, p.style, FALSE, p.exStyle);
    p.width = r.right - r.left;
    p.height = r.bottom - r.top;
    p.x = (GetSystemMetrics(SM_CXSCREEN) - p.width) / 2;
    p.y = (GetSystemMetrics(SM_CYSCREEN) - p.height) / 2;
    // The class name is how a second start finds us: copied whole, NUL padded to the field.
    std::memset(p.winClassName, 0, sizeof p.winClassName);
    std::strncpy(p.winClassName, kMainWindowClass, sizeof p.winClassName);
}

void TfrmMain::buildComponents() {
    ImageList1 = new ui::ImageList(this, "ImageList1", 16, 16);
    ImageList1->addStripResource("TOOLBAR");

    ActionList1 = new ui::ActionList(this, "ActionList1");
    aEdit = ActionList1->add("aEdit", "Edit", 0);
    aDelete = ActionList1->add("aDelete", "Delete", 1);
    aItemUp = ActionList1->add("aItemUp", "Up", 2);
    aItemDown = ActionList1->add("aItemDown", "Down", 3);
    aSort = ActionList1->add("aSort", "Sort", 8, kSortAscendingHint);
    aEdit->onExecute = [this](ui::Action&) { aEditExecute(); };
    aDelete->onExecute = [this](ui::Action&) { aDeleteExecute(); };
    aItemUp->onExecute = [this](ui::Action&) { aItemUpExecute(); };
    aItemDown->onExecute = [this](ui::Action&) { aItemDownExecute(); };
    aSort->onExecute = [this](ui::Action&) { aSortExecute(); };
    aEdit->onUpdate = [this](ui::Action& a) { aEditUpdate(a); };
    aDelete->onUpdate = [this](ui::Action& a) { aEditUpdate(a); };
    aItemUp->onUpdate = [this](ui::Action& a) { aItemUpUpdate(a); };
    aItemDown->onUpdate = [this](ui::Action& a) { aItemDownUpdate(a); };
    aSort->onUpdate = [this](ui::Action& a) { aSortUpdate(a); };

    // The title strip of the frame takes the top 29 pixels.
    suiToolBar1 = new ui::ToolBar(this, "suiToolBar1", handle(), 0, 29, 539, 36, 44, 36, ImageList1);
    auto button = [this](const char* name, const char* cap, int image, const char* tip, void (TfrmMain::*h)()) {
        ui::ToolButton* b = suiToolBar1->addButton(name);
        b->setCaption(cap);
        b->setImageIndex(image);
        b->setHint(tip);
        b->onClick = [this, h] { ui::guarded([this, h] { (this->*h)(); }); };
        return b;
    };
    auto actionButton = [this](const char* name, ui::Action* a, const char* tip) {
        ui::ToolButton* b = suiToolBar1->addButton(name);
        b->setAction(a, tip == nullptr);
        if (tip) b->setHint(tip);
        return b;
    };
    tbAdd = button("tbAdd", "Add", 6, "Add a select folder", &TfrmMain::tbAddClick);
    actionButton("ToolButton2", aEdit, "Edit the selected folder");
    actionButton("ToolButton3", aDelete, "Delete the select folder item");
    suiToolBar1->addSeparator("ToolButton8");
    ToolButton4 = actionButton("ToolButton4", aSort, nullptr);
    actionButton("ToolButton5", aItemUp, "Move the selected folder item up the list");
    actionButton("ToolButton6", aItemDown, "Move the selected folder item down the list");
    suiToolBar1->addSeparator("ToolButton9");
    tbRefresh = button("tbRefresh", "Refresh", 1, "Refresh the folder list", &TfrmMain::tbRefreshClick);
    suiToolBar1->addSeparator("ToolButton12");
    bImport = button("bImport", "Import", 11, "Import the saved data of Alias and Path", &TfrmMain::bImportClick);
    bExport = button("bExport", "Export", 10, "Backup the data of Alias and Path", &TfrmMain::bExportClick);
    suiToolBar1->addSeparator("ToolButton13");
    ToolButton10 = button("ToolButton10", "Options", 9, "Open the options dialog to set", &TfrmMain::ToolButton10Click);
    suiToolBar1->addSeparator("ToolButton11");
    tbHelp = button("tbHelp", "Help", 4, "Corvane's help documents", &TfrmMain::tbHelpClick);

    lvMain = new ui::ListView(this, "lvMain", handle(), -1, 83, 538, 265,
                              LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                              LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    lvMain->setFont(font());
    lvMain->perform(LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
    lvMain->perform(LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
    lvMain->perform(LVM_SETTEXTCOLOR, 0, RGB(0, 0, 0));
    lvMain->addColumn("Alias", 190);
    lvMain->addColumn("Path", 315);
    lvMain->onSelectItem = [this](int item, bool selected) { lvMainSelectItem(item, selected); };
    lvMain->onCustomDrawItem = [this](int item, COLORREF& c, bool& d) { lvMainCustomDrawItem(item, c, d); };
    lvMain->onDblClick = [this] { ui::guarded([this] { lvMainDblClick(); }); };

    suiFileTheme1 = new TsuiFileTheme(this, "suiFileTheme1");
}

void TfrmMain::formCreate() {
    selectedIndex = kNoRowChosen;
    LoadSaveOptions(true);
    SortAscending = true;
    // The window's frame takes its look from the skin file when one is found.
    suiFileTheme1->setThemeFile("msn.ssk");
    SeedStoreIfMissing(storeKey_, WindowsFolder());
    RecordProgramPath(storeKey_, ExecutablePath());
    show();
    if (ShowTips) {
        TfrmTips frmTips(this);
        frmTips.showModal();
    }
}

void TfrmMain::formShow() {
    loadRows(false);
    // The frame draws its own title inside the client area, so the window's height
    // here is its client height.
    RECT r;
    GetClientRect(handle(), &r);
    lvMain->setHeight(r.bottom - lvMain->top() - 15);
}

LRESULT TfrmMain::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kActivateMessage) {
        activateInstance();
        return 0;
    }
    // Activated while a modal dialog disables us (a second start makes us the foreground
    // window after posting its hand-over): the dialog comes forward again.
    if (msg == WM_ACTIVATE && LOWORD(wp) != WA_INACTIVE && !IsWindowEnabled(handle()))
        PostMessageA(handle(), kActivateMessage, 0, 0);
    return ui::Form::wndProc(msg, wp, lp);
}

void TfrmMain::activateInstance() {
    if (!IsWindowVisible(handle())) ShowWindow(handle(), SW_SHOW);
    if (IsIconic(handle())) ShowWindow(handle(), SW_RESTORE);
    // The most recently active window comes forward: a modal dialog when one is open, also
    // when the disabled main window was the last one activated.
    HWND last = UsableWindow(GetLastActivePopup(handle()));
    if (last && IsWindowVisible(last) && IsWindowEnabled(last)) SetForegroundWindow(last);
}

void TfrmMain::lvMainSelectItem(int, bool) {
    int sel = lvMain->selectedIndex();
    if (sel >= 0) selectedIndex = sel;
    lvMain->clearSelection();
    lvMain->clearFocus();
    lvMain->invalidate();
}

void TfrmMain::lvMainCustomDrawItem(int item, COLORREF& textColor, bool&) {
    if (item == selectedIndex) textColor = kChosenRowColor;
}

void TfrmMain::lvMainDblClick() {
    if (selectedIndex >= 0) aEditExecute();
}

void TfrmMain::tbAddClick() {
    TfrmProperty frmProperty(this, "", "");
    if (frmProperty.showModal() != ui::mrOk) return;
    if (frmProperty.cAddSeparator->checked()) lvMain->addItem(kSeparatorAlias, kSeparatorPath);
    else lvMain->addItem(frmProperty.feName->text(), frmProperty.fePath->text());
    const int n = rowCount();
    WriteStoreValue(storeKey_, AliasValueName(n - 1), rowAlias(n - 1));
    WriteStoreValue(storeKey_, PathValueName(n - 1), rowPath(n - 1));
}

void TfrmMain::aEditExecute() {
    const int k = selectedIndex;
    if (!rowExists(k)) return; // the chosen row may be gone after a Delete or Refresh
    TfrmProperty frmProperty(this, rowAlias(k), rowPath(k));
    frmProperty.setFrameCaption("Edit Item");
    if (frmProperty.showModal() != ui::mrOk || !rowExists(k)) return;
    if (frmProperty.cAddSeparator->checked()) {
        lvMain->setCaption(k, kSeparatorAlias);
        lvMain->setSubItem(k, kSeparatorPath);
    } else {
        lvMain->setCaption(k, frmProperty.feName->text());
        lvMain->setSubItem(k, frmProperty.fePath->text());
    }
    WriteStoreValue(storeKey_, AliasValueName(k), rowAlias(k));
    WriteStoreValue(storeKey_, PathValueName(k), rowPath(k));
}

void TfrmMain::aDeleteExecute() {
    const int k = selectedIndex;
    if (!rowExists(k)) return; // nothing to ask about
    if (AskDelete && ui::prompt().messageBox(handle(), "Are you sure you want to delete the selected item?",
                                             "Corvane", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    // One repaint later instead of the list scrolling its rows up now.
    lvMain->beginUpdate();
    lvMain->deleteItem(k);
    lvMain->endUpdate();
    const int n = rowCount();
    DeleteStorePair(storeKey_, n);
    RewriteStoreRange(storeKey_, k, n - 1);
    if (k < n) selectRow(k);
    else if (n > 0) selectRow(0);
    else selectedIndex = kNoRowChosen; // Edit and Delete go off with the last row
}

void TfrmMain::exchangeRows(int a, int b) {
    std::string aliasA = lvMain->caption(a), pathA = lvMain->subItem(a);
    lvMain->setCaption(a, lvMain->caption(b));
    lvMain->setSubItem(a, lvMain->subItem(b));
    lvMain->setCaption(b, aliasA);
    lvMain->setSubItem(b, pathA);
}

void TfrmMain::aItemUpExecute() {
    const int k = selectedIndex;
    if (k <= 0 || !rowExists(k)) return;
    exchangeRows(k - 1, k);
    RewriteStoreRange(storeKey_, k - 1, k);
    selectRow(k - 1);
}

void TfrmMain::aItemDownExecute() {
    const int k = selectedIndex;
    if (k < 0 || !rowExists(k + 1)) return;
    exchangeRows(k, k + 1);
    RewriteStoreRange(storeKey_, k, k + 1);
    selectRow(k + 1);
}

void TfrmMain::aSortExecute() {
    // The exchange sort runs on a copy of the rows; only rows that moved are rewritten
    // in the list, which ends up exactly as exchanging the rows in place would leave it.
    const int n = rowCount();
    std::vector<FavouriteRow> rows;
    rows.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) rows.push_back({lvMain->caption(i), lvMain->subItem(i)});
    std::vector<FavouriteRow> before = rows;
    ExchangeSort(rows, SortAscending);
    lvMain->beginUpdate();
    for (int i = 0; i < n; ++i) {
        if (rows[i].alias != before[i].alias) lvMain->setCaption(i, rows[i].alias);
        if (rows[i].path != before[i].path) lvMain->setSubItem(i, rows[i].path);
    }
    lvMain->endUpdate();
    if (SortAscending) {
        SortAscending = false;
        aSort->setHint(kSortDescendingHint);
    } else {
        SortAscending = true;
        aSort->setHint(kSortAscendingHint);
    }
    RewriteStoreRange(storeKey_, 0, n - 1);
}

void TfrmMain::tbRefreshClick() { loadRows(true); }

void TfrmMain::loadRows(bool clearFirst) {
    // One repaint for the whole load; the list still shows the rows read before an error.
    lvMain->beginUpdate();
    try {
        if (clearFirst) lvMain->clear();
        LoadFavourites(storeKey_);
    } catch (...) {
        lvMain->endUpdate();
        if (rowCount() == 0) selectedIndex = kNoRowChosen;
        throw;
    }
    lvMain->endUpdate();
    // A chosen index survives a reload, but not one into an empty list.
    if (rowCount() == 0) selectedIndex = kNoRowChosen;
}

void TfrmMain::ToolButton10Click() {
    TfrmOptions frmOptions(this);
    frmOptions.showModal();
}

void TfrmMain::tbHelpClick() {
    const std::string page = ProgramFolder() + kHelpFile;
    if (GetFileAttributesA(page.c_str()) == INVALID_FILE_ATTRIBUTES) {
        // Opening a missing file would fail without a word from the shell.
        ui::prompt().messageBox(handle(), ui::formatMessage(kMissingHelpMessage, page), "Corvane",
                                MB_OK | MB_ICONERROR);
        return;
    }
    ui::prompt().shellOpen(handle(), page);
}

void TfrmMain::bImportClick() { ImportFavourites(*this); }

void TfrmMain::bExportClick() { ExportFavourites(*this); }

void TfrmMain::aEditUpdate(ui::Action& a) { a.setEnabled(selectedIndex != kNoRowChosen); }

void TfrmMain::aItemUpUpdate(ui::Action& a) { a.setEnabled(lvMain->visible() && selectedIndex > 0); }

void TfrmMain::aItemDownUpdate(ui::Action& a) {
    a.setEnabled(lvMain->visible() && selectedIndex >= 0 && selectedIndex < rowCount() - 1);
}

void TfrmMain::aSortUpdate(ui::Action& a) { a.setEnabled(lvMain->visible() && rowCount() > 1); }

} // namespace corvane::app
