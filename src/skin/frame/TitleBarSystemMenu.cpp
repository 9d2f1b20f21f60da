// The window's system menu that the title bar owns.
#include "skin/frame/TitleBar.h"
#include "ui/WideText.h"

#include <string>

#include "ui/Form.h"

namespace corvane::skin {

namespace {

std::string ResourceText(UINT id, const char* fallback) {
    wchar_t buf[128] = {};
    return LoadStringW(GetModuleHandleW(nullptr), id, buf, 128) > 0 ? ui::Narrow(buf) : std::string(fallback);
}

} // namespace

TitleBarPopupMenu::TitleBarPopupMenu(ui::Component* owner, TitleBar* bar) : PopupMenu(owner), bar_(bar) {
    autoHotkeys = false;
    minimizeItem = root().add(ResourceText(65256, "Mi&nimize"), [this] {
        for (int i = 0; i < bar_->buttons().count(); ++i)
            if (bar_->buttons()[i].buttonType() == TitleBarButtonType::Min) {
                bar_->buttons()[i].perform();
                return;
            }
        if (ui::Form* f = bar_->parentForm()) ShowWindow(f->handle(), SW_MINIMIZE);
    });
    maximizeItem = root().add(ResourceText(65257, "Ma&ximize/Restore"), [this] {
        for (int i = 0; i < bar_->buttons().count(); ++i) {
            TitleBarButton& b = bar_->buttons()[i];
            if (b.buttonType() == TitleBarButtonType::Max && b.visible()) b.perform();
        }
    });
    root().add("-");
    closeItem = root().add(ResourceText(65258, "&Close"), [this] {
        if (ui::Form* f = bar_->parentForm()) f->close();
    });
    installHandlers();
}

void TitleBarPopupMenu::popupAt(int x, int y) {
    rightToLeft = bar_->rightToLeft; // the window's menu reads as its title bar does
    if (readsRightToLeft()) x += 176;
    auto visibleOf = [this](TitleBarButtonType t) {
        for (int i = 0; i < bar_->buttons().count(); ++i)
            if (bar_->buttons()[i].buttonType() == t && bar_->buttons()[i].visible()) return true;
        return false;
    };
    minimizeItem->enabled = visibleOf(TitleBarButtonType::Min);
    maximizeItem->enabled = visibleOf(TitleBarButtonType::Max);
    closeItem->enabled = visibleOf(TitleBarButtonType::Close);
    ui::Form* form = bar_->parentForm();
    popup(x, y, form ? form->handle() : nullptr);
}

} // namespace corvane::skin
