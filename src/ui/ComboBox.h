// The platform's combo box in its drop-down list form (no typing): items, the chosen
// item's index, and a change event.
#pragma once
#include "ui/Control.h"
#include <functional>
#include <string>

namespace corvane::ui {

class ComboBox : public WinControl {
public:
    // `height` is the height of the dropped list; the closed box takes its font's height.
    ComboBox(Component* owner, std::string name, HWND parent, int x, int y, int w, int height, HFONT font);

    void addItem(const std::string& text);
    int count() const;
    std::string item(int index) const;
    int itemIndex() const;        // -1 when nothing is chosen
    void setItemIndex(int index); // does not raise onChange, as a program change

    std::function<void()> onChange; // the user chose another item

    bool reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

} // namespace corvane::ui
