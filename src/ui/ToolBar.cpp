#include "ui/ToolBar.h"
#include "ui/WideText.h"
#include "ui/Errors.h"
#include <algorithm>

namespace corvane::ui {

ToolButton::ToolButton(ToolBar* bar, std::string name, bool separator, int separatorWidth)
    : Component(bar, std::move(name)), bar_(bar), separator_(separator), separatorWidth_(separatorWidth),
      id_(bar->nextId_++) {}

ToolButton::~ToolButton() { BindAction(*this, *this, action_, nullptr); }

void ToolButton::setCaption(const std::string& s) {
    caption_ = s;
    bar_->refreshButton(this);
}
void ToolButton::setImageIndex(int i) {
    imageIndex_ = i;
    bar_->refreshButton(this);
}

void ToolButton::setEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    if (bar_->handle()) bar_->perform(TB_ENABLEBUTTON, static_cast<WPARAM>(id_), MAKELPARAM(e ? TRUE : FALSE, 0));
}

void ToolButton::setAction(Action* a, bool followActionHint) {
    followHint_ = followActionHint;
    BindAction(*this, *this, action_, a);
}

void ToolButton::actionChanged(Action& a) {
    caption_ = a.caption();
    imageIndex_ = a.imageIndex();
    if (followHint_) hint_ = a.hint();
    bar_->refreshButton(this);
    setEnabled(a.enabled());
}

void ToolButton::notification(Component* c, Operation op) {
    if (op == Operation::Remove && c == action_) action_ = nullptr;
}

void ToolButton::click() {
    if (!enabled_) return;
    // An entry point of its own (programs and tests click too), so it guards.
    Guarded([this] {
        if (action_) action_->execute();
        else if (onClick) onClick();
    });
}

RECT ToolButton::itemRect() const {
    RECT r{};
    int i = bar_->indexOf(this);
    if (i >= 0) bar_->perform(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return r;
}

ToolBar::ToolBar(Component* owner, std::string name, HWND parent, int x, int y, int w, int h, int buttonWidth,
                 int buttonHeight, ImageList* images)
    : WinControl(owner, std::move(name)), designButtonWidth_(buttonWidth), designButtonHeight_(buttonHeight),
      images_(images) {
    const Placement at = designed(parent, x, y, w, h);
    // Buttons and separators are given at 96 DPI too.
    const Scaler s = ScalerOf(parent);
    buttonWidth_ = s(buttonWidth);
    buttonHeight_ = s(buttonHeight);
    createControl("ToolbarWindow32",
                  WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE |
                      CCS_NOPARENTALIGN,
                  0, at.x, at.y, at.w, at.h, parent);
    perform(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    if (auto* form = WinControl::fromHandle(parent)) perform(WM_SETFONT, form->perform(WM_GETFONT), FALSE);
    if (images_) {
        perform(TB_SETBITMAPSIZE, 0, MAKELPARAM(images_->width(), images_->height()));
        perform(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->handle()));
    }
    perform(TB_SETBUTTONWIDTH, 0, MAKELPARAM(buttonWidth_, buttonWidth_));
    perform(TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
    perform(TB_SETMAXTEXTROWS, 1);
    if (HWND tips = reinterpret_cast<HWND>(perform(TB_GETTOOLTIPS))) SetNotifyTarget(tips, this);
}

void ToolBar::dpiChanged(const Scaler& from, const Scaler& to) {
    WinControl::dpiChanged(from, to);
    buttonWidth_ = to(designButtonWidth_);
    buttonHeight_ = to(designButtonHeight_);
    if (images_) {
        // The list was made again before the bar (it is the older component).
        perform(TB_SETBITMAPSIZE, 0, MAKELPARAM(images_->width(), images_->height()));
        perform(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->handle()));
    }
    for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
        if (!buttons_[static_cast<size_t>(i)]->separator_) continue;
        TBBUTTONINFOW info{sizeof info, TBIF_SIZE | TBIF_BYINDEX};
        info.cx = static_cast<WORD>(to(buttons_[static_cast<size_t>(i)]->separatorWidth_));
        perform(TB_SETBUTTONINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
    }
    perform(TB_SETBUTTONWIDTH, 0, MAKELPARAM(buttonWidth_, buttonWidth_));
    perform(TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
}

ToolButton* ToolBar::addButton(std::string name) {
    auto* b = new ToolButton(this, std::move(name));
    insertButton(b);
    return b;
}

ToolButton* ToolBar::addSeparator(std::string name, int width) {
    auto* b = new ToolButton(this, std::move(name), true, width);
    insertButton(b);
    return b;
}

void ToolBar::insertButton(ToolButton* b) {
    buttons_.push_back(b);
    const std::wstring caption = Widen(b->caption_); // the bar keeps its own copy
    TBBUTTON tb{};
    tb.idCommand = b->id_;
    tb.fsState = TBSTATE_ENABLED;
    if (b->separator_) {
        tb.fsStyle = BTNS_SEP;
        tb.iBitmap = scaler()(b->separatorWidth_);
    } else {
        tb.fsStyle = BTNS_BUTTON;
        tb.iBitmap = b->imageIndex_ < 0 ? I_IMAGENONE : b->imageIndex_;
        tb.iString = reinterpret_cast<INT_PTR>(caption.c_str());
    }
    perform(TB_INSERTBUTTONW, static_cast<WPARAM>(buttons_.size() - 1), reinterpret_cast<LPARAM>(&tb));
    perform(TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
}

int ToolBar::indexOf(const ToolButton* b) const {
    auto it = std::find(buttons_.begin(), buttons_.end(), b);
    return it == buttons_.end() ? -1 : static_cast<int>(it - buttons_.begin());
}

void ToolBar::refreshButton(ToolButton* b) {
    if (!handle() || b->separator_ || indexOf(b) < 0) return;
    std::wstring caption = Widen(b->caption_);
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_IMAGE;
    info.pszText = caption.data();
    info.iImage = b->imageIndex_ < 0 ? I_IMAGENONE : b->imageIndex_;
    perform(TB_SETBUTTONINFOW, static_cast<WPARAM>(b->id_), reinterpret_cast<LPARAM>(&info));
    perform(TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
}

ToolButton* ToolBar::buttonById(int id) const {
    for (ToolButton* b : buttons_)
        if (b->id_ == id) return b;
    return nullptr;
}

void ToolBar::notification(Component* c, Operation op) {
    if (op == Operation::Remove)
        std::erase_if(buttons_, [c](ToolButton* b) { return static_cast<Component*>(b) == c; });
}

bool ToolBar::reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_COMMAND) {
        if (ToolButton* b = buttonById(LOWORD(wp))) {
            b->click();
            result = 0;
            return true;
        }
        return false;
    }
    if (msg == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        if (hdr->code == TTN_GETDISPINFOA) {
            auto* info = reinterpret_cast<NMTTDISPINFOA*>(lp);
            ToolButton* b = buttonById(static_cast<int>(hdr->idFrom));
            // Only a tool tip of the code page asks this way; a hint it cannot hold shows none.
            if (!ToCodePage(b ? b->hint() : std::string(), tipBuffer_)) tipBuffer_.clear();
            info->lpszText = const_cast<char*>(tipBuffer_.c_str());
            info->hinst = nullptr;
            result = 0;
            return true;
        }
        if (hdr->code == TTN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lp);
            ToolButton* b = buttonById(static_cast<int>(hdr->idFrom));
            // Kept until the next ask: the tip reads it after we return.
            wideTipBuffer_ = Widen(b ? b->hint() : std::string());
            info->lpszText = wideTipBuffer_.data();
            info->hinst = nullptr;
            result = 0;
            return true;
        }
    }
    return false;
}

} // namespace corvane::ui
