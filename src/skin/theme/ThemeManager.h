// Pushes a style and a file theme to named components of its form.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "skin/theme/Themed.h"
#include "ui/Component.h"

namespace corvane::skin {

class ThemeManager : public ui::Component, public Themed {
public:
    explicit ThemeManager(ui::Component* owner, std::string name = {});

    UIStyle uiStyle() const override { return uiStyle_; }
    // Applies; fires onUIStyleChanged only when the value changed.
    void setUIStyle(UIStyle style) override;
    FileTheme* fileTheme() const override { return fileTheme_; }
    // Applies again with the current style.
    void setFileTheme(FileTheme* theme) override;

    // Names of the form's components to restyle.
    const std::vector<std::string>& compList() const { return compList_; }
    void setCompList(const std::vector<std::string>& names) { compList_ = names; }

    std::function<void(ui::Component* sender)> onUIStyleChanged;

    void notification(ui::Component* component, ui::Operation op) override;

private:
    void apply();

    UIStyle uiStyle_ = UIStyle::FromThemeFile;
    FileTheme* fileTheme_ = nullptr;
    std::vector<std::string> compList_;
};

} // namespace corvane::skin
