// Pushes a style and a file theme to named components of its form.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "skin/theme/Themed.h"
#include "ui/Component.h"

namespace corvane::skin {

class TsuiThemeManager : public ui::Component, public Themed {
public:
    explicit TsuiThemeManager(ui::Component* owner, std::string name = {});

    TsuiUIStyle uiStyle() const override { return uiStyle_; }
    // Applies; fires OnUIStyleChanged only when the value changed.
    void setUIStyle(TsuiUIStyle style) override;
    TsuiFileTheme* fileTheme() const override { return fileTheme_; }
    // Applies again with the current style.
    void setFileTheme(TsuiFileTheme* theme) override;

    // Names of the form's components to restyle.
    const std::vector<std::string>& compList() const { return compList_; }
    void setCompList(const std::vector<std::string>& names) { compList_ = names; }

    std::function<void(ui::Component* sender)> OnUIStyleChanged;

    void notification(ui::Component* component, ui::Operation op) override;

private:
    void apply();

    TsuiUIStyle uiStyle_ = TsuiUIStyle::FromThemeFile;
    TsuiFileTheme* fileTheme_ = nullptr;
    std::vector<std::string> compList_;
};

} // namespace corvane::skin
