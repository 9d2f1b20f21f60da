// The tip-of-the-day dialog: one of five pages of hints, Next Tip to page through
// them, and the choice whether it opens at start-up.
#pragma once
#include "app/Global.h"
#include "flat/FlatButton.h"
#include "flat/FlatComboBox.h"
#include "ui/Form.h"
#include <random>
#include <vector>

namespace corvane::app {

struct TipLabel {
    int left, top;
    const char* text;
};

struct TipPage {
    const char* name;
    std::vector<TipLabel> labels;
};

const std::vector<TipPage>& TipPages();

// The white panel with the heading, the picture strip, the rule and the pages of
// tips; exactly one page shows. Drawing only: the dialog decides the page.
class TipsPanel : public ui::WinControl {
public:
    TipsPanel(ui::Component* owner, std::string name, HWND parent, int x, int y, int w, int h);

    int pageCount() const { return static_cast<int>(TipPages().size()); }
    int pageIndex() const { return page_; }
    void setPageIndex(int i);
    // The lines of the page that shows.
    const std::vector<TipLabel>& labels() const { return TipPages()[static_cast<size_t>(page_)].labels; }
    // Where line `index` of the page shows, in the panel's client coordinates.
    RECT labelBounds(int index) const;

    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    ui::AccessibleSourceFactory accessibleFactory() const override;
    // Fonts and the picture are made for the panel's DPI.
    void dpiChanged(const ui::Scaler& from, const ui::Scaler& to) override;

private:
    void makeLook(const ui::Scaler& s);
    void paint(HDC dc);

    int page_ = 0;
    ui::FontHandle headingFont_;
    ui::FontHandle pageFont_;
    ui::IconHandle picture_;
};

class TipsForm : public ui::Form {
public:
    TipsForm(ui::Component* owner, OptionFlags& options);

    void nextTip();
    void closeTips();

    // The components, owned by the form (its component tree).
    TipsPanel* panel() const { return panel_; }
    flat::FlatComboBox* startupChoice() const { return startupChoice_; }
    flat::FlatButton* nextButton() const { return nextButton_; }
    flat::FlatButton* closeButton() const { return closeButton_; }

protected:
    void buildComponents() override;
    void formShow() override;

private:
    OptionFlags& options_;
    std::mt19937 random_;
    TipsPanel* panel_ = nullptr;
    flat::FlatComboBox* startupChoice_ = nullptr;
    flat::FlatButton* nextButton_ = nullptr;
    flat::FlatButton* closeButton_ = nullptr;
};

} // namespace corvane::app
