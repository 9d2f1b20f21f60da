#include "ui/ComboBox.h"
#include "ui/WideText.h"
#include <vector>

namespace corvane::ui {

ComboBox::ComboBox(Component* owner, std::string name, HWND parent, int x, int y, int w, int height, HFONT font)
    : WinControl(owner, std::move(name)) {
    const Placement at = designed(parent, x, y, w, height);
    createControl("COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_VISIBLE, 0, at.x, at.y, at.w, at.h,
                  parent);
    if (font) setFont(font, false);
}

void ComboBox::addItem(const std::string& text) {
    perform(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const wchar_t*>(WideArg(text))));
}

int ComboBox::count() const { return static_cast<int>(perform(CB_GETCOUNT)); }

std::string ComboBox::item(int index) const {
    LRESULT n = perform(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (n == CB_ERR) return {};
    std::vector<wchar_t> buf(static_cast<size_t>(n) + 1, L'\0');
    perform(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf.data()));
    return Narrow(buf.data());
}

int ComboBox::itemIndex() const { return static_cast<int>(perform(CB_GETCURSEL)); }

void ComboBox::setItemIndex(int index) { perform(CB_SETCURSEL, static_cast<WPARAM>(index)); }

bool ComboBox::reflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wp) == CBN_SELCHANGE) {
        if (onChange) onChange();
        result = 0;
        return true;
    }
    return false;
}

} // namespace corvane::ui
