// The platform's report-style list view: rows with a caption and sub-items,
// selection events, per-item custom draw and double-click.
#pragma once
#include "ui/Control.h"
#include <commctrl.h>
#include <functional>
#include <string>
#include <vector>

namespace corvane::ui {

class ListView : public WinControl {
public:
    // Columns keep their share: each width scaled by the change.
    void dpiChanged(const Scaler& from, const Scaler& to) override;
    ListView(Component* owner, std::string name, HWND parent, int x, int y, int w, int h, DWORD style,
             DWORD exListStyle);

    void addColumn(const std::string& caption, int width);
    int count() const;
    int addItem(const std::string& caption, const std::string& subItem);
    void deleteItem(int index);
    void clear();
    std::string caption(int index) const;
    std::string subItem(int index, int column = 1) const;
    void setCaption(int index, const std::string& s);
    void setSubItem(int index, const std::string& s, int column = 1);

    int selectedIndex() const; // first selected row or -1
    void select(int index);    // selects row index (raises onSelectItem)
    void clearSelection();
    void clearFocus();
    RECT itemRect(int index) const;

    // Batches redraws while many rows change.
    void beginUpdate();
    void endUpdate();

    std::function<void(int item, bool selected)> onSelectItem;
    // Before a row is drawn: may change the text colour; set defaultDraw false to skip.
    std::function<void(int item, COLORREF& textColor, bool& defaultDraw)> onCustomDrawItem;
    std::function<void()> onDblClick;
    // Files and folders dropped on the list from the shell, in the order given; the list
    // takes drops only while this is set (acceptDrops).
    std::function<void(const std::vector<std::string>& paths)> onDropFiles;
    void acceptDrops();
    // The row the program marks as chosen (its own selection model), which screen
    // readers hear as the selected row; -1 for none. Unset: the list view's selection.
    std::function<int()> markedRow;

    bool reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    AccessibleSourceFactory accessibleFactory() const override;

private:
    int updating_ = 0;
};

// Batches the list's redraws for one scope, also when the scope ends with an error.
class ListUpdate {
public:
    explicit ListUpdate(ListView& list) : list_(list) { list_.beginUpdate(); }
    ~ListUpdate() { list_.endUpdate(); }
    ListUpdate(const ListUpdate&) = delete;
    ListUpdate& operator=(const ListUpdate&) = delete;

private:
    ListView& list_;
};

} // namespace corvane::ui
