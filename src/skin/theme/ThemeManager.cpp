#include "skin/theme/ThemeManager.h"
#include "ui/WideText.h"

#include <windows.h>
#include <algorithm>

#include "skin/theme/FileTheme.h"
#include "ui/Errors.h"
#include "ui/Form.h"

namespace corvane::skin {

namespace {

bool SameName(const std::string& a, const std::string& b) { return lstrcmpiW(ui::WideArg(a), ui::WideArg(b)) == 0; }

} // namespace

ThemeManager::ThemeManager(ui::Component* owner, std::string name) : ui::Component(owner, std::move(name)) {
    setUIStyle(UIStyle::DeepBlue);
}

void ThemeManager::setUIStyle(UIStyle style) {
    const UIStyle old = uiStyle_;
    uiStyle_ = style;
    apply();
    if (old != uiStyle_ && onUIStyleChanged) onUIStyleChanged(this);
}

void ThemeManager::setFileTheme(FileTheme* theme) {
    // A theme of another owner still tells us when it goes.
    watch(fileTheme_, theme);
    setUIStyle(uiStyle_);
}

void ThemeManager::apply() {
    auto* form = dynamic_cast<ui::Form*>(owner());
    if (!form) return;
    for (const std::string& name : compList_) {
        ui::Component* target = nullptr;
        for (ui::Component* c : form->components())
            if (SameName(c->name(), name)) {
                target = c;
                break;
            }
        if (!target || target == this) continue;
        auto* themed = dynamic_cast<Themed*>(target);
        if (!themed) throw ui::UiError("Property UIStyle does not exist");
        themed->setUIStyle(uiStyle_);
        themed->setFileTheme(fileTheme_);
    }
}

void ThemeManager::notification(ui::Component* component, ui::Operation op) {
    ui::Component::notification(component, op);
    if (op != ui::Operation::Remove || !component) return;
    const std::string& gone = component->name();
    if (!gone.empty())
        compList_.erase(
            std::remove_if(compList_.begin(), compList_.end(), [&](const std::string& n) { return SameName(n, gone); }),
            compList_.end());
    if (fileTheme_ && static_cast<ui::Component*>(fileTheme_) == component) {
        fileTheme_ = nullptr;
        uiStyle_ = UIStyle::DeepBlue;
    }
}

} // namespace corvane::skin
