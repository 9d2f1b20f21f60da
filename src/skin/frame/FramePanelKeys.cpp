// The application-wide key observer: menu shortcuts and Alt+Space for the frames alive.
#include "skin/frame/FramePanel.h"

#include <algorithm>
#include <vector>

#include "skin/frame/FramePanelParts.h"
#include "skin/frame/PopupMenu.h"
#include "ui/Application.h"
#include "ui/Errors.h"
#include "ui/Form.h"

namespace corvane::skin {

using detail::FramesList;

bool FramePanel::observeMessage(MSG& m) {
    const std::vector<FramePanel*> alive = FramesList();
    auto stillAlive = [](FramePanel* f) {
        return std::find(FramesList().begin(), FramesList().end(), f) != FramesList().end();
    };
    const bool systemMenuKey = m.message == WM_SYSKEYDOWN && m.wParam == VK_SPACE;
    if (!systemMenuKey) {
        if (m.message != WM_KEYDOWN && m.message != WM_SYSKEYDOWN) return false;
        // Only the active form's menu can take the key.
        for (auto it = alive.rbegin(); it != alive.rend(); ++it) {
            MenuItem* item = stillAlive(*it) ? (*it)->menuShortcutItem(m) : nullptr;
            if (!item) continue;
            // Taken even when its action fails: the guard shows the error, once.
            if (item->onClick) ui::Guarded([item] { item->onClick(); });
            return true;
        }
        return false;
    }
    bool handled = false;
    ui::Form* main = ui::Application::instance().mainForm();
    RECT mr{};
    if (main && main->handle()) GetWindowRect(main->handle(), &mr);
    for (auto it = alive.rbegin(); it != alive.rend(); ++it) {
        FramePanel* f = *it;
        if (!stillAlive(f) || !f->titleBar_ || !f->formHwnd_) continue;
        f->titleBar_->popupSystemMenu(mr.left, mr.top + f->titleBar_->height());
        handled = true;
    }
    return handled;
}

} // namespace corvane::skin
