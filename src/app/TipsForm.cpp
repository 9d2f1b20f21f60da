#include "app/TipsForm.h"
#include "ui/WideText.h"
#include "app/Global.h"
#include "ui/Accessible.h"
#include "ui/Gdi.h"
#include <chrono>

namespace corvane::app {

namespace {
constexpr const char* kPanelClass = "CorvaneTipsPanel";
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGray = RGB(128, 128, 128);

// Places inside the panel.
constexpr RECT kPictureStrip{0, 2, 0 + 45, 2 + 175};
constexpr POINT kPicture{7, 32}; // inside the strip
constexpr RECT kRule{45, 35, 45 + 300, 35 + 2};
constexpr POINT kHeadingAt{65, 8};
constexpr RECT kNotebook{59, 37, 59 + 271, 37 + 123};

// A lowered bevel: shadow on the top and left edges, highlight on the bottom and right.
void LoweredBevel(HDC dc, RECT r, int width) {
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    for (int i = 0; i < width; ++i) {
        ui::FillSolid(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, shadow);
        ui::FillSolid(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, shadow);
        ui::FillSolid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, light);
        ui::FillSolid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, light);
        InflateRect(&r, -1, -1);
    }
}
} // namespace

const std::vector<TipPage>& TipPages() {
    static const std::vector<TipPage> pages = {
        {"Default",
         {{5, 10, "Corvane runs automatically as part"},
          {5, 28, "of the Windows Explorer context menu,"},
          {5, 46, "so you will never need to start the program"},
          {5, 65, "otherwise you want to edit the list of folders."}}},
        {"1",
         {{4, 10, "You can run only one copy of Corvane"},
          {7, 27, "to edit select folders. "},
          {4, 51, "Attempting to run additional copies of"},
          {4, 69, "Corvane will bring the currently"},
          {4, 86, "running Corvane to the front."}}},
        {"2",
         {{6, 10, "You access the \"Corvane\" menu by "},
          {6, 28, "right-clicking anywhere in the following:"},
          {6, 46, "1.File, Directory,Directory Background"},
          {17, 64, "(right pane) of Windows Explorer"},
          {6, 82, "2.Common Open/Save dialogs"},
          {6, 100, "3.Desktop"},
          {105, 100, "4.Start Button"}}},
        {"3",
         {{6, 8, "How to add a favorite folder"},
          {6, 27, "1.Start Corvane. Click the button \"Add\"."},
          {6, 46, "2.Right click a folder in Windows Explorer"},
          {16, 65, "and then click the menu item labeled "},
          {16, 84, "\"Add to Corvane\"."}}},
        {"4",
         {{8, 10, "How to edit a favorite folder?"},
          {8, 28, "Start Corvane. You could"},
          {8, 47, "1.Delete a favorite folder"},
          {8, 65, "2.Edit existing favorite folder"},
          {8, 84, "3.Move Existing favorite folder"},
          {8, 103, "4.Sort all favorite folders"}}},
    };
    return pages;
}

namespace {
constexpr const char* kHeading = "Did you know...";

// The panel reads as its heading with the page's text as its value, and each line
// of the page as static text.
class TipsPanelSource : public ui::AccessibleSource {
public:
    using ui::AccessibleSource::AccessibleSource;
    bool connected() const override { return panel() != nullptr; }
    long role() const override { return ROLE_SYSTEM_PANE; }
    std::string name() const override { return kHeading; }
    std::string shortcut() const override { return {}; }
    std::string value() const override {
        std::string text;
        for (const TipLabel& l : lines()) {
            std::string line = l.text;
            while (!line.empty() && line.back() == ' ') line.pop_back();
            if (!text.empty()) text += ' ';
            text += line;
        }
        return text;
    }
    int elementCount() const override { return static_cast<int>(lines().size()); }
    ui::AccessibleElement element(int index) const override {
        const TipLabel& l = lines().at(static_cast<size_t>(index));
        ui::AccessibleElement e;
        e.role = ROLE_SYSTEM_STATICTEXT;
        e.name = l.text;
        e.state = STATE_SYSTEM_READONLY;
        const ui::Scaler s = panel()->scaler();
        const int x = s(kNotebook.left + l.left), y = s(kNotebook.top + l.top);
        e.bounds = panel()->labelBounds(index);
        if (e.bounds.right <= e.bounds.left) e.bounds = RECT{x, y, x + 1, y + 1};
        return e;
    }

private:
    TipsPanel* panel() const { return dynamic_cast<TipsPanel*>(control()); }
    const std::vector<TipLabel>& lines() const { return panel()->labels(); }
};

std::unique_ptr<ui::AccessibleSource> TipsPanelAccessible(HWND w) { return std::make_unique<TipsPanelSource>(w); }
} // namespace

TipsPanel::TipsPanel(ui::Component* owner, std::string name, HWND parent, int x, int y, int w, int h)
    : ui::WinControl(owner, std::move(name)) {
    makeLook(ui::ScalerOf(parent));
    const Placement at = designed(parent, x, y, w, h);
    createWindow(ui::WindowClass{kPanelClass}, WS_CHILD | WS_VISIBLE, 0, at.x, at.y, at.w, at.h, parent);
}

void TipsPanel::makeLook(const ui::Scaler& s) {
    headingFont_.reset(ui::MakeUiFont(s(-16), "Verdana", FW_BOLD));
    pageFont_.reset(ui::MakeUiFont(s(-11), "Verdana"));
    picture_.reset(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), ui::WideArg(kIconResource), IMAGE_ICON, s(32), s(32), 0)));
}

void TipsPanel::dpiChanged(const ui::Scaler& from, const ui::Scaler& to) {
    makeLook(to);
    ui::WinControl::dpiChanged(from, to);
}

void TipsPanel::setPageIndex(int i) {
    if (i < 0 || i >= pageCount() || i == page_) return;
    page_ = i;
    invalidate();
    ui::NotifyAccessible(handle(), EVENT_OBJECT_VALUECHANGE);
    ui::NotifyAccessible(handle(), EVENT_OBJECT_REORDER);
}

RECT TipsPanel::labelBounds(int index) const {
    if (index < 0 || index >= static_cast<int>(labels().size()) || !handle()) return {};
    const TipLabel& l = labels()[static_cast<size_t>(index)];
    ui::WindowDc dc(handle());
    ui::SelectObjectScope font(dc.get(), pageFont_.get());
    const SIZE size = ui::TextExtent(dc.get(), l.text);
    const ui::Scaler s = scaler();
    const POINT at{s(kNotebook.left + l.left), s(kNotebook.top + l.top)};
    RECT r{at.x, at.y, at.x + size.cx, at.y + size.cy};
    const RECT notebook = ui::Scaled(s, kNotebook);
    IntersectRect(&r, &r, &notebook);
    return r;
}

ui::AccessibleSourceFactory TipsPanel::accessibleFactory() const { return &TipsPanelAccessible; }

LRESULT TipsPanel::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    // Composed off screen first, so a page change does not flicker.
    const auto composed = [this](HDC dc) {
        const RECT r = clientRect();
        ui::OffscreenBitmap off(dc, r.right, r.bottom);
        paint(off.dc());
        BitBlt(dc, 0, 0, r.right, r.bottom, off.dc(), 0, 0, SRCCOPY);
    };
    if (LRESULT r = 0; paintsItself(msg, wp, composed, r)) return r;
    return ui::WinControl::wndProc(msg, wp, lp);
}

void TipsPanel::paint(HDC dc) {
    const RECT all = clientRect();
    const ui::Scaler s = scaler();
    const RECT strip = ui::Scaled(s, kPictureStrip), rule = ui::Scaled(s, kRule), notebook = ui::Scaled(s, kNotebook);
    const POINT heading = ui::Scaled(s, kHeadingAt), picture = ui::Scaled(s, kPicture);
    const int icon = s(32);
    ui::FillSolid(dc, all, kWhite);
    LoweredBevel(dc, all, s(2));

    // The picture strip runs past the panel's bottom; the panel clips it.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, all.left, all.top, all.right, all.bottom);
    ui::FillSolid(dc, strip, kGray);
    LoweredBevel(dc, strip, s(1));
    if (picture_)
        DrawIconEx(dc, strip.left + picture.x, strip.top + picture.y, picture_.get(), icon, icon, 0, nullptr,
                   DI_NORMAL);
    ui::FillSolid(dc, rule, GetSysColor(COLOR_GRAYTEXT));

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    {
        ui::SelectObjectScope font(dc, headingFont_.get());
        ui::TextOutUtf8(dc, heading.x, heading.y, kHeading);
    }
    IntersectClipRect(dc, notebook.left, notebook.top, notebook.right, notebook.bottom);
    ui::SelectObjectScope font(dc, pageFont_.get());
    for (const TipLabel& l : labels())
        ui::TextOutUtf8(dc, s(kNotebook.left + l.left), s(kNotebook.top + l.top), l.text);
    RestoreDC(dc, saved);
}

TipsForm::TipsForm(ui::Component* owner, OptionFlags& options)
    : ui::Form(owner, "frmTips", ui::Lifetime::Scope), options_(options) {
    caption = "Corvane Tip of the Day";
    clientWidth = 352;
    clientHeight = 206;
    position = ui::FormPosition::ScreenCenter;
    dialogNavigation = true;
}

void TipsForm::buildComponents() {
    panel_ = new TipsPanel(this, "Panel1", handle(), 6, 6, 338, 163);
    // nextButton_ is created first: first in the tab order.
    nextButton_ = new flat::FlatButton(this, "bNext", handle(), 188, 175, 73, 25);
    nextButton_->setCaption("&Next Tip");
    closeButton_ = new flat::FlatButton(this, "bClose", handle(), 272, 175, 73, 25);
    closeButton_->setCaption("&Close");
    startupChoice_ = new flat::FlatComboBox(this, "cbOption", handle(), 8, 177, 166, 21,
                                            flat::ComboBoxStyle::DropDownList);
    startupChoice_->setColor(ui::SystemColor(COLOR_WINDOW));
    startupChoice_->setItemHeight(13);
    startupChoice_->addItem("Always show tips at startup");
    startupChoice_->addItem("Never show tips at startup");
    nextButton_->onClick = [this] { nextTip(); };
    closeButton_->onClick = [this] { closeTips(); };
}

void TipsForm::formShow() {
    startupChoice_->setItemIndex(options_.showTips ? 0 : 1);
    const auto now = static_cast<unsigned long long>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::seed_seq seed{static_cast<unsigned>(now), static_cast<unsigned>(now >> 32)};
    random_.seed(seed);
    // Any page but the last.
    std::uniform_int_distribution<int> first(0, panel_->pageCount() - 2);
    panel_->setPageIndex(first(random_));
    setActiveControl(nextButton_->handle());
    nextButton_->setFocus();
}

void TipsForm::nextTip() {
    const int page = panel_->pageIndex();
    panel_->setPageIndex(page < panel_->pageCount() - 1 ? page + 1 : 0);
}

void TipsForm::closeTips() {
    const bool choice = startupChoice_->itemIndex() == 0;
    if (choice != options_.showTips) {
        options_.showTips = choice;
        LoadSaveOptions(options_, false);
    }
    setModalResult(ui::ModalResult::Ok);
}

} // namespace corvane::app
