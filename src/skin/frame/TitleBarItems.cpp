// The title bar's sections and buttons, and the collections that hold them.
#include "skin/frame/TitleBar.h"

#include <type_traits>
#include <utility>

#include "skin/theme/FileTheme.h"
#include "skin/theme/SkinPublic.h"
#include "skin/theme/StyleBitmaps.h"
#include "skin/theme/StyleTable.h"
#include "ui/Application.h"
#include "ui/Environment.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/UserPrompt.h"

namespace corvane::skin {

namespace {

void ShowError(HWND owner, const char* text) {
    ui::ThePrompt().messageBox(owner, text, ui::Application::instance().title(), MB_OK | MB_ICONERROR);
}

} // namespace

void TitleBarSection::changed() {
    if (!bar_) return;
    bar_->sectionsEdited();
    bar_->redraw();
}

void TitleBarSection::setAutoSize(bool v) {
    autoSize_ = v;
    if (v && picture_) width_ = ui::BitmapSize(picture_.get()).cx;
    changed();
}

void TitleBarSection::setAlign(TitleBarAlign a) {
    const auto isClient = [](const TitleBarSection& s) { return s.align() == TitleBarAlign::Client; };
    if (a == TitleBarAlign::Client && bar_ && bar_->sections().any(isClient)) {
        ShowError(bar_->handle(), "Sorry, only one section's Align property can be \"suiClient\"");
        return;
    }
    align_ = a;
    if (a == TitleBarAlign::Client) stretch_ = true;
    changed();
}

void TitleBarSection::setPicture(HBITMAP source) {
    picture_ = ui::CopyBitmap(source);
    if (autoSize_) width_ = ui::BitmapSize(picture_.get()).cx;
    changed();
}

void TitleBarSection::assign(const TitleBarSection& o) {
    width_ = o.width_;
    align_ = o.align_;
    picture_ = ui::CopyBitmap(o.picture_.get());
    stretch_ = o.stretch_;
    autoSize_ = o.autoSize_;
    changed();
}

void TitleBarButton::changed() {
    if (bar_) bar_->redraw();
}

void TitleBarButton::setUIStyle(UIStyle s) {
    uiStyle_ = s;
    loadPictures();
}

void TitleBarButton::setButtonType(TitleBarButtonType t) {
    const auto isControlBox = [](const TitleBarButton& b) { return b.buttonType() == TitleBarButtonType::ControlBox; };
    if (t == TitleBarButtonType::ControlBox && bar_ && bar_->buttons().any(isControlBox)) {
        ShowError(bar_->handle(), "Sorry, only one button's ButtonType property can be \"suiControlBox\"");
        return;
    }
    type_ = t;
    loadPictures();
}

void TitleBarButton::setPictures(HBITMAP normal, HBITMAP mouseOn, HBITMAP mouseDown) {
    picsPending_ = false;
    pics_[0] = ui::CopyBitmap(normal);
    pics_[1] = ui::CopyBitmap(mouseOn);
    pics_[2] = ui::CopyBitmap(mouseDown);
    changed();
}

void TitleBarButton::assign(const TitleBarButton& o) {
    uiStyle_ = o.uiStyle_;
    type_ = o.type_;
    transparent_ = o.transparent_;
    top_ = o.top_;
    controlBoxMenu_ = o.controlBoxMenu_;
    visible_ = o.visible_;
    for (int i = 0; i < 3; ++i) pics_[i] = ui::CopyBitmap(o.picture(i));
    picsPending_ = false;
    changed();
}

namespace {
// A button looks as its bar's theme and DPI say, in its own style.
Look ButtonLook(const TitleBar* bar, UIStyle style) {
    return Look(bar ? bar->fileTheme() : nullptr, style, bar ? bar->scaler().dpi() : ui::kDesignDpi);
}
} // namespace

void TitleBarButton::loadParts(int k) {
    loadedPart_ = k;
    const Look look = ButtonLook(bar_, uiStyle_);
    transparent_ = look.flag(role::TitleButtonsTransparent);
    top_ = look.integer(role::TitleButtonsTop);
    for (auto& p : pics_) p.reset();
    picsPending_ = true;
}

HBITMAP TitleBarButton::picture(int i) const {
    if (picsPending_) {
        picsPending_ = false;
        const Look look = ButtonLook(bar_, uiStyle_);
        for (int j = 0; j < 3; ++j) pics_[j] = look.picture(role::TitleButtons, 18, loadedPart_ + j);
    }
    return pics_[i].get();
}

void TitleBarButton::loadPictures() {
    int k = 0;
    switch (type_) {
    case TitleBarButtonType::ControlBox: k = 1; break;
    case TitleBarButtonType::Help: k = 4; break;
    case TitleBarButtonType::Max: k = 7; break;
    case TitleBarButtonType::Min: k = 13; break;
    case TitleBarButtonType::Close: k = 16; break;
    case TitleBarButtonType::Custom: return;
    }
    loadParts(k);
    if (type_ == TitleBarButtonType::Max) refreshMaxPictures();
    changed();
}

void TitleBarButton::refreshMaxPictures() {
    if (type_ != TitleBarButtonType::Max || !bar_ || bar_->custom()) return;
    ui::Form* form = bar_->parentForm();
    const int k = form && form->handle() && IsZoomed(form->handle()) ? 10 : 7;
    if (k != loadedPart_) loadParts(k);
}

void TitleBarButton::perform() {
    ui::Form* form = bar_ ? bar_->parentForm() : nullptr;
    if (!form || !form->handle()) return;
    HWND w = form->handle();
    switch (type_) {
    case TitleBarButtonType::Max:
        if (IsZoomed(w)) {
            ShowWindow(w, SW_RESTORE);
        } else {
            ShowWindow(w, SW_MAXIMIZE);
            if (!bar_->onFrame()) {
                const RECT a = GetWorkArea();
                const Rect m = MaximizedBounds({a.left, a.top, a.right, a.bottom});
                SetWindowPos(w, nullptr, m.left, m.top, m.right - m.left, m.bottom - m.top, SWP_NOZORDER);
            }
        }
        refreshMaxPictures();
        changed();
        break;
    case TitleBarButtonType::Min:
        if (ui::Application::instance().mainForm() == form) SendMessageW(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        else ShowWindow(w, SW_MINIMIZE);
        break;
    case TitleBarButtonType::Close: form->close(); break;
    case TitleBarButtonType::ControlBox:
        if (controlBoxMenu_) {
            POINT p{ui::RightToLeftReading(bar_->rightToLeft) ? 176 : 0, bar_->height()};
            ClientToScreen(bar_->handle(), &p);
            controlBoxMenu_->popup(std::max<int>(p.x, 0), p.y, form->handle());
        }
        break;
    case TitleBarButtonType::Help:
    case TitleBarButtonType::Custom: break;
    }
}

namespace {
template <class Item>
void NoteEditOf(TitleBar* bar) {
    if constexpr (std::is_same_v<Item, TitleBarSection>)
        if (bar) bar->sectionsEdited();
}
} // namespace

template <class Item>
Item* TitleBarItems<Item>::add() {
    items_.push_back(std::make_unique<Item>(bar_));
    NoteEditOf<Item>(bar_);
    if (bar_) bar_->redraw();
    return items_.back().get();
}

template <class Item>
void TitleBarItems<Item>::clear() {
    items_.clear();
    NoteEditOf<Item>(bar_);
    if (bar_) bar_->redraw();
}

template <class Item>
void TitleBarItems<Item>::assign(const TitleBarItems& other) {
    if (&other == this) return;
    items_.clear();
    for (const auto& it : other.items_) {
        items_.push_back(std::make_unique<Item>(bar_));
        items_.back()->assign(*it);
    }
    NoteEditOf<Item>(bar_);
    if (bar_) bar_->redraw();
}

template class TitleBarItems<TitleBarSection>;
template class TitleBarItems<TitleBarButton>;

} // namespace corvane::skin
