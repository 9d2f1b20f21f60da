// The title bar itself: construction, applying a style, where the buttons are, clicks
// and its own window's messages.
#include "skin/frame/TitleBar.h"
#include "skin/frame/FramePanel.h"
#include "skin/frame/FrameAccessibility.h"
#include "ui/Accessible.h"

#include <algorithm>
#include <utility>

#include "skin/theme/FileTheme.h"
#include "skin/theme/SkinPublic.h"
#include "skin/theme/StyleBitmaps.h"
#include "skin/theme/StyleTable.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/Pictures.h"

namespace corvane::skin {

TitleBar::TitleBar(ui::WinControl* parent, std::string name) : Skinned(parent, std::move(name)) {
    static const ui::WindowClass cls{"CorvaneTitleBar", CS_DBLCLKS};
    RECT pr{};
    if (parent && parent->handle()) GetClientRect(parent->handle(), &pr);
    createWindow(cls, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, pr.right,
                 ui::ScalerOf(parent ? parent->handle() : nullptr)(21), parent ? parent->handle() : nullptr);
    logFont_.lfHeight = -11;
    logFont_.lfWeight = FW_BOLD;
    logFont_.lfCharSet = DEFAULT_CHARSET;
    ui::SetFaceName(logFont_, "Tahoma");
    font_ = makeFont();
    systemMenu_ = new TitleBarPopupMenu(this, this);
    const TitleBarButtonType types[] = {TitleBarButtonType::ControlBox, TitleBarButtonType::Close,
                                        TitleBarButtonType::Max, TitleBarButtonType::Min};
    for (TitleBarButtonType t : types) buttons_.add()->setButtonType(t);
    setUIStyle(onFrame() ? UIStyle::DeepBlue : FormUIStyle(parentForm()));
}

TitleBar::~TitleBar() = default;

// The font is given in design pixels; it is made at the bar's DPI.
ui::FontHandle TitleBar::makeFont() const {
    LOGFONTW at = logFont_;
    at.lfHeight = scaler()(at.lfHeight);
    return ui::MakeFont(at);
}

void TitleBar::dpiChanged(const ui::Scaler& from, const ui::Scaler& to) {
    font_ = makeFont();
    iconSide_ = 0; // the icon is loaded again at its new size
    Skinned::dpiChanged(from, to);
}

ui::Form* TitleBar::parentForm() const { return ui::ParentForm(*this); }

bool TitleBar::onFrame() const {
    HWND parent = handle() ? GetParent(handle()) : nullptr;
    return dynamic_cast<ThemedFrame*>(ui::WinControl::fromHandle(parent)) != nullptr;
}

int TitleBar::inset() const {
    if (!onFrame()) return 0;
    ui::Form* f = parentForm();
    return f ? static_cast<int>(SendMessageW(f->handle(), ui::msg::FrameInsetQuery, 0, 0)) : 0;
}

void TitleBar::setFont(const LOGFONTW& font, ui::Color color) {
    logFont_ = font;
    font_ = makeFont();
    fontColor_ = color;
    redraw();
}

void TitleBar::setFileTheme(FileTheme* theme) {
    fontColorLock_ = true;
    Skinned::setFileTheme(theme);
    fontColorLock_ = false;
}

void TitleBar::applyLook() {
    if (custom_) return;
    const Look look = this->look();
    const bool fromFile = look.fromFile();
    const bool frame = onFrame();
    leftOffset_ = look.integer(role::TitleIconLeft);
    rightOffset_ = look.integer(role::TitleButtonsRight);
    const ui::Scaler scale = scaler();
    buttonTop_ = look.integer(role::TitleButtonsTop) - (frame ? scale(3) : 0);
    SectionsMade wanted;
    auto section = [&wanted](HBITMAP picture, bool autoSize, TitleBarAlign align, bool capSec = false) {
        wanted.shapes.push_back({picture, autoSize, capSec, align});
    };
    if (fromFile) {
        const FileTheme& t = look.file();
        wanted.theme = &t;
        wanted.generation = t.bitmapsGeneration();
        fiveSections_ = t.lookupBool(BoolKey::TITLEFIVESECT);
        transparent_ = look.color(role::TransparentColor);
        section(t.lookupBitmap(BitmapKey::TITLEBAR1), true, TitleBarAlign::Left);
        if (fiveSections_) section(t.lookupBitmap(BitmapKey::TITLEBAR2), false, TitleBarAlign::Left, true);
        else section(t.lookupBitmap(BitmapKey::TITLEBAR2), false, TitleBarAlign::Client);
        section(t.lookupBitmap(BitmapKey::TITLEBAR3), true, fiveSections_ ? TitleBarAlign::Left : TitleBarAlign::Right);
        if (fiveSections_) {
            section(t.lookupBitmap(BitmapKey::TITLEBAR4), false, TitleBarAlign::Client);
            section(t.lookupBitmap(BitmapKey::TITLEBAR5), true, TitleBarAlign::Right);
        }
        iconTop_ = t.lookupInt(IntKey::TITLEBARICONPOSY) - (frame ? scale(3) : 0);
        captionTop_ = t.lookupInt(IntKey::TITLEBARCAPTIONTOP);
        background_ = look.color(role::FormColor);
        auto widthOf = [&](BitmapKey k) { return static_cast<int>(ui::BitmapSize(t.lookupBitmap(k)).cx); };
        auto bw = [&](BitmapKey k) {
            return std::max(widthOf(k), widthOf(BitmapKey::TITLEBUTTONS) / 18 * buttons_.count() +
                                            t.lookupInt(IntKey::TITLEBARBUTTONPOSX));
        };
        minWidth_ = fiveSections_ ? widthOf(BitmapKey::TITLEBAR1) + widthOf(BitmapKey::TITLEBAR3) +
                                        bw(BitmapKey::TITLEBAR5) + scale(16)
                                  : widthOf(BitmapKey::TITLEBAR1) + bw(BitmapKey::TITLEBAR3);
    } else {
        fiveSections_ = false;
        section(look.lentPicture(role::TitleLeft), true, TitleBarAlign::Left);
        section(look.lentPicture(role::TitleRight), true, TitleBarAlign::Right);
        section(look.lentPicture(role::TitleClient), false, TitleBarAlign::Client);
        iconTop_ = buttonTop_;
        minWidth_ = look.integer(role::TitleMinWidth);
        roundCorner_ = look.integer(role::TitleRoundCorner);
        roundCornerBottom_ = 0;
    }
    makeSections(std::move(wanted));
    for (int i = 0; i < buttons_.count(); ++i) buttons_[i].setUIStyle(look.style());
    systemMenu_->setUIStyle(look.style());
    systemMenu_->setFileTheme(fileTheme());
    if (!fontColorLock_)
        fontColor_ = uiStyle() == UIStyle::MacOS ? 0 : fromFile ? look.color(role::TitleFontColor) : 0xFFFFFF;
    setAutoSize(true);
    redraw();
}

// Every style application makes the sections afresh, copying their pictures; the same
// sections from the same pictures, untouched since, are kept instead.
void TitleBar::makeSections(SectionsMade wanted) {
    wanted.edits = sectionsEdits_;
    if (sectionsMade_ && *sectionsMade_ == wanted) return;
    sections_.clear();
    for (const SectionShape& shape : wanted.shapes) {
        TitleBarSection* sec = sections_.add();
        sec->setPicture(shape.picture);
        if (shape.autoSize) sec->setAutoSize(true);
        if (shape.capSec) sec->setCapSec(true);
        if (shape.align != TitleBarAlign::Left) sec->setAlign(shape.align);
    }
    wanted.edits = sectionsEdits_;
    sectionsMade_ = std::move(wanted);
}

void TitleBar::setAutoSize(bool v) {
    autoSize_ = v;
    if (sections_.count() == 0) {
        autoSize_ = false;
        return;
    }
    if (autoSize_) {
        const int h = ui::BitmapSize(sections_[0].picture()).cy - (onFrame() ? 3 : 0);
        if (h > 0 && h != height()) setHeight(h);
    }
}

void TitleBar::refreshMaxPictures() {
    for (int i = 0; i < buttons_.count(); ++i) buttons_[i].refreshMaxPictures();
}

void TitleBar::redraw() {
    imagesDirty_ = true;
    requestPaint();
}

void TitleBar::requestPaint() {
    if (handle()) InvalidateRect(handle(), nullptr, FALSE);
}

TitleButtonLayout TitleBar::buttonLayout() const {
    const RECT r = clientRect();
    POINT cur{};
    GetCursorPos(&cur);
    ScreenToClient(handle(), &cur);
    return buttonLayout(std::max<int>(r.right, 1), cur);
}

TitleButtonLayout TitleBar::buttonLayout(int wc, POINT cur) const {
    const ui::Scaler s = scaler();
    const TitleBarMetrics m{wc,           inset(), rightOffset_, leftOffset_, s(buttonInterval_), buttonTop_, iconTop_,
                            drawAppIcon_, s};
    std::vector<TitleButtonSlot> slots;
    for (int i = 0; i < buttons_.count(); ++i) {
        const TitleBarButton& b = buttons_[i];
        const SIZE s = ui::BitmapSize(b.picNormal());
        slots.push_back({b.buttonType(), b.visible(), b.hasPictures(), static_cast<int>(s.cx), static_cast<int>(s.cy)});
    }
    return LayoutTitleButtons(m, slots, cur.x, cur.y);
}

void TitleBar::mouseUp() {
    clickButton(hot_);
    pressed_ = false;
    if (handle()) repaint();
}

void TitleBar::clickButton(int hot) {
    if (hot >= 0 && hot < buttons_.count()) {
        TitleBarButton& b = buttons_[hot];
        if (b.buttonType() != TitleBarButtonType::ControlBox || b.controlBoxMenu()) b.perform();
        if (b.buttonType() == TitleBarButtonType::Custom && onCustomBtnsClick) onCustomBtnsClick(*this, hot);
        else if (b.buttonType() == TitleBarButtonType::Help && onHelpBtnClick) onHelpBtnClick(*this, hot);
        if (b.buttonType() == TitleBarButtonType::ControlBox && !b.controlBoxMenu()) {
            pressed_ = false;
            POINT p{0, height()};
            ClientToScreen(handle(), &p);
            popupSystemMenu(p.x, p.y);
        }
    }
}

void TitleBar::doubleClick() {
    if (hot_ < 0) {
        for (int i = 0; i < buttons_.count(); ++i)
            if (buttons_[i].buttonType() == TitleBarButtonType::Max && buttons_[i].visible()) {
                buttons_[i].perform();
                return;
            }
    } else if (hot_ < buttons_.count() && buttons_[hot_].buttonType() == TitleBarButtonType::ControlBox) {
        if (ui::Form* f = parentForm()) f->close();
    }
}

void TitleBar::setCaption(const std::string& s) {
    const bool changed = s != caption_;
    caption_ = s;
    redraw();
    if (changed) ui::NotifyAccessible(handle(), EVENT_OBJECT_NAMECHANGE);
}

ui::AccessibleSourceFactory TitleBar::accessibleFactory() const { return &TitleBarAccessible; }

LRESULT TitleBar::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (LRESULT r = 0; paintsItself(
            msg, wp, [this](HDC dc) { paint(dc); }, r))
        return r;
    switch (msg) {
    case WM_LBUTTONDOWN: {
        pressed_ = true;
        repaint();
        ui::Form* form = parentForm();
        if (form && hot_ < 0 && !IsZoomed(form->handle())) {
            ReleaseCapture();
            SendMessageW(form->handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
            pressed_ = false;
        }
        return 0;
    }
    case WM_LBUTTONUP: mouseUp(); return 0;
    case WM_LBUTTONDBLCLK: doubleClick(); return 0;
    case WM_MOUSEMOVE:
        if (!tracking_) {
            TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, handle(), 0};
            tracking_ = TrackMouseEvent(&t) != FALSE;
        }
        repaint();
        return 0;
    case WM_MOUSELEAVE:
        tracking_ = false;
        repaint();
        return 0;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
        if (ui::Form* form = parentForm()) return SendMessageW(form->handle(), msg, wp, lp);
        break;
    case WM_SIZE: redraw(); break;
    }
    return defaultHandler(msg, wp, lp);
}

} // namespace corvane::skin
