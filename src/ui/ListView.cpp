#include "ui/ListView.h"
#include "ui/WideText.h"
#include <shellapi.h>
#include "ui/Accessible.h"
#include <vector>

namespace corvane::ui {

namespace {
// Rows as list items: the caption names one, its first sub-item is its value.
class ListViewSource : public AccessibleSource {
public:
    using AccessibleSource::AccessibleSource;
    bool connected() const override { return list() != nullptr; }
    long role() const override { return ROLE_SYSTEM_LIST; }
    std::string name() const override { return {}; }
    std::string shortcut() const override { return {}; }
    long state() const override { return AccessibleSource::state() | STATE_SYSTEM_FOCUSABLE; }
    int elementCount() const override { return list()->count(); }
    AccessibleElement element(int index) const override {
        const ListView& l = *list();
        AccessibleElement e;
        e.role = ROLE_SYSTEM_LISTITEM;
        e.name = l.caption(index);
        e.value = l.subItem(index);
        e.bounds = l.itemRect(index);
        e.state = STATE_SYSTEM_SELECTABLE;
        const int marked = l.markedRow ? l.markedRow() : l.selectedIndex();
        if (index == marked) e.state |= STATE_SYSTEM_SELECTED;
        RECT client = l.clientRect();
        RECT seen{};
        if (!IntersectRect(&seen, &client, &e.bounds)) e.state |= STATE_SYSTEM_OFFSCREEN | STATE_SYSTEM_INVISIBLE;
        return e;
    }

private:
    ListView* list() const { return dynamic_cast<ListView*>(control()); }
};

std::unique_ptr<AccessibleSource> ListViewAccessible(HWND w) { return std::make_unique<ListViewSource>(w); }
} // namespace

AccessibleSourceFactory ListView::accessibleFactory() const { return &ListViewAccessible; }

void ListView::acceptDrops() {
    if (handle()) DragAcceptFiles(handle(), TRUE);
}

LRESULT ListView::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DROPFILES) {
        const auto drop = reinterpret_cast<HDROP>(wp);
        std::vector<std::string> paths;
        const UINT n = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < n; ++i) {
            std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
            const UINT got = DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size()));
            paths.push_back(Narrow(std::wstring_view(path.data(), got)));
        }
        DragFinish(drop);
        if (onDropFiles) onDropFiles(paths);
        return 0;
    }
    return WinControl::wndProc(msg, wp, lp);
}

ListView::ListView(Component* owner, std::string name, HWND parent, int x, int y, int w, int h, DWORD style,
                   DWORD exListStyle)
    : WinControl(owner, std::move(name)) {
    const Placement at = designed(parent, x, y, w, h);
    createControl("SysListView32", style | WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE, at.x, at.y, at.w, at.h, parent);
    if (exListStyle) perform(LVM_SETEXTENDEDLISTVIEWSTYLE, exListStyle, exListStyle);
}

void ListView::dpiChanged(const Scaler& from, const Scaler& to) {
    WinControl::dpiChanged(from, to);
    const int columns = Header_GetItemCount(reinterpret_cast<HWND>(perform(LVM_GETHEADER)));
    for (int i = 0; i < columns; ++i) {
        const int w = static_cast<int>(perform(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i)));
        perform(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MulDiv(w, to.dpi(), from.dpi()));
    }
}

void ListView::addColumn(const std::string& caption, int width) {
    std::wstring text = Widen(caption);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = text.data();
    col.cx = scaler()(width); // given at 96 DPI
    int n = Header_GetItemCount(reinterpret_cast<HWND>(perform(LVM_GETHEADER)));
    col.iSubItem = n;
    perform(LVM_INSERTCOLUMNW, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(&col));
}

int ListView::count() const { return static_cast<int>(perform(LVM_GETITEMCOUNT)); }

int ListView::addItem(const std::string& caption, const std::string& sub) {
    std::wstring text = Widen(caption);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = count();
    item.pszText = text.data();
    int index = static_cast<int>(perform(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (index >= 0) setSubItem(index, sub);
    return index;
}

void ListView::deleteItem(int index) { perform(LVM_DELETEITEM, static_cast<WPARAM>(index)); }
void ListView::clear() { perform(LVM_DELETEALLITEMS); }

std::string ListView::subItem(int index, int column) const {
    // Grows the buffer until the text fits: a text that fills the buffer may have been
    // cut. Paths may be long; 1 MiB is where we stop asking.
    for (int size = 512;; size *= 4) {
        std::vector<wchar_t> buf(static_cast<size_t>(size));
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buf.data();
        item.cchTextMax = size;
        int n = static_cast<int>(
            perform(LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
        if (n < size - 1 || size >= (1 << 20))
            return Narrow(std::wstring_view(buf.data(), n > 0 ? static_cast<size_t>(n) : 0));
    }
}

std::string ListView::caption(int index) const { return subItem(index, 0); }

void ListView::setSubItem(int index, const std::string& s, int column) {
    std::wstring text = Widen(s);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    perform(LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void ListView::setCaption(int index, const std::string& s) { setSubItem(index, s, 0); }

int ListView::selectedIndex() const {
    return static_cast<int>(perform(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListView::select(int index) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    perform(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

namespace {
// Clears `flag` on the rows that carry it, found one by one: setting the state of row -1
// would visit every row. The lists are single-selection, so one round normally ends it;
// the bound stops a control that keeps reporting a row from spinning.
void ClearState(const ListView& lv, UINT flag) {
    for (int round = 0; round < 4; ++round) {
        int i = static_cast<int>(lv.perform(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), flag));
        if (i < 0) return;
        LVITEMW item{};
        item.stateMask = flag;
        item.state = 0;
        lv.perform(LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}
} // namespace

void ListView::clearSelection() { ClearState(*this, LVIS_SELECTED); }

void ListView::clearFocus() { ClearState(*this, LVIS_FOCUSED); }

RECT ListView::itemRect(int index) const {
    RECT r{};
    r.left = LVIR_BOUNDS;
    perform(LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

void ListView::beginUpdate() {
    if (updating_++ == 0) perform(WM_SETREDRAW, FALSE);
}

void ListView::endUpdate() {
    if (updating_ > 0 && --updating_ == 0) {
        perform(WM_SETREDRAW, TRUE);
        invalidate();
    }
}

bool ListView::reflected(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_NOTIFY) return false;
    auto* hdr = reinterpret_cast<NMHDR*>(lp);
    switch (hdr->code) {
    case LVN_ITEMCHANGED: {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(lp);
        if ((nm->uChanged & LVIF_STATE) && ((nm->uNewState ^ nm->uOldState) & LVIS_SELECTED) && nm->iItem >= 0) {
            if (onSelectItem) onSelectItem(nm->iItem, (nm->uNewState & LVIS_SELECTED) != 0);
        }
        result = 0;
        return true;
    }
    case NM_CUSTOMDRAW: {
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(lp);
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) {
            result = onCustomDrawItem ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
            return true;
        }
        if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && onCustomDrawItem) {
            bool defaultDraw = true;
            COLORREF text = cd->clrText;
            onCustomDrawItem(static_cast<int>(cd->nmcd.dwItemSpec), text, defaultDraw);
            cd->clrText = text;
            result = defaultDraw ? CDRF_NEWFONT : CDRF_SKIPDEFAULT;
            return true;
        }
        result = CDRF_DODEFAULT;
        return true;
    }
    case NM_DBLCLK:
        if (onDblClick) onDblClick();
        result = 0;
        return true;
    }
    return false;
}

} // namespace corvane::ui
