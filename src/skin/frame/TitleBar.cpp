// The title bar itself: construction, applying a style, where the buttons are, clicks
// and its own window's messages.
#include "skin/frame/TitleBar.h"
#include "skin/frame/FramePanel.h"
#include "skin/frame/TitleBarParts.h"
#include "skin/frame/FrameAccessibility.h"
#include "ui/Accessible.h"

#include <algorithm>
#include <map>
#include <utility>

#include "skin/theme/FileTheme.h"
#include "skin/theme/SkinPublic.h"
#include "skin/theme/StyleBitmaps.h"
#include "skin/theme/StyleTable.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/Pictures.h"

namespace corvane::skin {

using detail::builtInPicture;

namespace detail {

// The built-in styles' pictures the bar uses (section pictures and button strips),
// loaded once each: every style application copies or cuts them again.
HBITMAP builtInPicture(UIStyle s, int item) {
    static std::map<std::pair<UIStyle, int>, ui::BitmapHandle> loaded;
    const char* name = StyleBitmapName(s, item);
    if (!name) return nullptr;
    ui::BitmapHandle& b = loaded[{s, item}];
    if (!b) b = ui::loadBitmapResource(name); // a missing picture leaves the bar without it
    return b.get();
}

} // namespace detail

TitleBar::TitleBar(ui::WinControl* parent, std::string name) : ui::WinControl(parent, std::move(name)) {
    static const ui::WindowClass cls{"CorvaneTitleBar", CS_DBLCLKS};
    RECT pr{};
    if (parent && parent->handle()) GetClientRect(parent->handle(), &pr);
    createWindow(cls, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, pr.right, 21,
                 parent ? parent->handle() : nullptr);
    logFont_.lfHeight = -11;
    logFont_.lfWeight = FW_BOLD;
    logFont_.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(logFont_.lfFaceName, "Tahoma", LF_FACESIZE);
    font_ = ui::createFont(logFont_);
    systemMenu_ = new TitleBarPopupMenu(this, this);
    const TitleBarButtonType types[] = {TitleBarButtonType::ControlBox, TitleBarButtonType::Close,
                                        TitleBarButtonType::Max, TitleBarButtonType::Min};
    for (TitleBarButtonType t : types) buttons_.add()->setButtonType(t);
    setUIStyle(onFrame() ? UIStyle::DeepBlue : FormUIStyle(parentForm()));
}

TitleBar::~TitleBar() = default;

ui::Form* TitleBar::parentForm() const {
    if (!handle()) return nullptr;
    return dynamic_cast<ui::Form*>(ui::WinControl::fromHandle(GetAncestor(handle(), GA_ROOT)));
}

bool TitleBar::onFrame() const {
    HWND parent = handle() ? GetParent(handle()) : nullptr;
    return dynamic_cast<ThemedFrame*>(ui::WinControl::fromHandle(parent)) != nullptr;
}

int TitleBar::inset() const {
    if (!onFrame()) return 0;
    ui::Form* f = parentForm();
    return f ? static_cast<int>(SendMessageA(f->handle(), kFrameInsetQuery, 0, 0)) : 0;
}

void TitleBar::setFont(const LOGFONTA& font, ui::Color color) {
    logFont_ = font;
    font_ = ui::createFont(logFont_);
    fontColor_ = color;
    redraw();
}

void TitleBar::setFileThemeAndStyle(FileTheme* theme, UIStyle style) {
    watch(fileTheme_, theme);
    setUIStyle(style);
}

void TitleBar::setFileTheme(FileTheme* theme) {
    watch(fileTheme_, theme);
    fontColorLock_ = true;
    setUIStyle(uiStyle_);
    fontColorLock_ = false;
}

void TitleBar::notification(ui::Component* component, ui::Operation op) {
    if (op == ui::Operation::Remove) dropRemovedTheme(fileTheme_, component);
}

void TitleBar::setUIStyle(UIStyle style) {
    uiStyle_ = style;
    if (custom_) return;
    applyStyle();
}

void TitleBar::applyStyle() {
    sections_.clear();
    UIStyle s;
    const bool fromFile = ResolveUIStyle(fileTheme_, uiStyle_, s);
    const bool frame = onFrame();
    if (fromFile) {
        FileTheme& t = *fileTheme_;
        fiveSections_ = t.LookupBool(BoolKey::TITLEFIVESECT);
        transparent_ = static_cast<uint32_t>(t.LookupColor(ColorKey::TRANSCOLOR));
        auto section = [&](BitmapKey key) {
            TitleBarSection* sec = sections_.add();
            sec->setPicture(t.LookupBitmap(key));
            return sec;
        };
        section(BitmapKey::TITLEBAR1)->setAutoSize(true);
        TitleBarSection* second = section(BitmapKey::TITLEBAR2);
        if (fiveSections_) second->setCapSec(true);
        else second->setAlign(TitleBarAlign::Client);
        TitleBarSection* third = section(BitmapKey::TITLEBAR3);
        third->setAutoSize(true);
        if (!fiveSections_) third->setAlign(TitleBarAlign::Right);
        if (fiveSections_) {
            section(BitmapKey::TITLEBAR4)->setAlign(TitleBarAlign::Client);
            TitleBarSection* fifth = section(BitmapKey::TITLEBAR5);
            fifth->setAutoSize(true);
            fifth->setAlign(TitleBarAlign::Right);
        }
        leftOffset_ = t.LookupInt(IntKey::TITLEBARICONPOSX);
        rightOffset_ = t.LookupInt(IntKey::TITLEBARBUTTONPOSX);
        buttonTop_ = t.LookupInt(IntKey::TITLEBARBUTTONPOSY);
        iconTop_ = t.LookupInt(IntKey::TITLEBARICONPOSY);
        captionTop_ = t.LookupInt(IntKey::TITLEBARCAPTIONTOP);
        background_ = static_cast<ui::Color>(t.LookupColor(ColorKey::FORMCOLOR));
        if (frame) {
            buttonTop_ -= 3;
            iconTop_ -= 3;
        }
        auto widthOf = [&](BitmapKey k) { return static_cast<int>(ui::bitmapSize(t.LookupBitmap(k)).cx); };
        auto bw = [&](BitmapKey k) {
            return std::max(widthOf(k), widthOf(BitmapKey::TITLEBUTTONS) / 18 * buttons_.count() +
                                            t.LookupInt(IntKey::TITLEBARBUTTONPOSX));
        };
        minWidth_ = fiveSections_ ? widthOf(BitmapKey::TITLEBAR1) + widthOf(BitmapKey::TITLEBAR3) +
                                        bw(BitmapKey::TITLEBAR5) + 16
                                  : widthOf(BitmapKey::TITLEBAR1) + bw(BitmapKey::TITLEBAR3);
    } else {
        fiveSections_ = false;
        auto section = [&](int item) {
            TitleBarSection* sec = sections_.add();
            sec->setPicture(builtInPicture(s, item));
            return sec;
        };
        section(10)->setAutoSize(true);
        TitleBarSection* right = section(12);
        right->setAutoSize(true);
        right->setAlign(TitleBarAlign::Right);
        section(11)->setAlign(TitleBarAlign::Client);
        leftOffset_ = StyleInt(s, 7);
        rightOffset_ = StyleInt(s, 8);
        buttonTop_ = StyleInt(s, 9) - (frame ? 3 : 0);
        iconTop_ = buttonTop_;
        minWidth_ = StyleInt(s, 13);
        roundCorner_ = StyleInt(s, 14);
        roundCornerBottom_ = 0;
    }
    const UIStyle resolved = fromFile ? UIStyle::FromThemeFile : s;
    for (int i = 0; i < buttons_.count(); ++i) buttons_[i].setUIStyle(resolved);
    systemMenu_->setUIStyle(resolved);
    systemMenu_->setFileTheme(fileTheme_);
    if (!fontColorLock_)
        fontColor_ = uiStyle_ == UIStyle::MacOS ? 0
                     : fromFile                 ? static_cast<ui::Color>(fileTheme_->LookupColor(ColorKey::TITLEFONTCOLOR))
                                                : 0xFFFFFF;
    setAutoSize(true);
    redraw();
}

void TitleBar::setAutoSize(bool v) {
    autoSize_ = v;
    if (sections_.count() == 0) {
        autoSize_ = false;
        return;
    }
    if (autoSize_) {
        const int h = ui::bitmapSize(sections_[0].picture()).cy - (onFrame() ? 3 : 0);
        if (h > 0 && h != height()) setHeight(h);
    }
}

void TitleBar::refreshMaxPictures() {
    for (int i = 0; i < buttons_.count(); ++i) buttons_[i].refreshMaxPictures();
}

void TitleBar::redraw() {
    imagesDirty_ = true;
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
    TitleBarMetrics m;
    m.width = wc;
    m.inset = inset();
    m.rightOffset = rightOffset_;
    m.leftOffset = leftOffset_;
    m.interval = buttonInterval_;
    m.buttonTop = buttonTop_;
    m.iconTop = iconTop_;
    m.drawAppIcon = drawAppIcon_;
    std::vector<TitleButtonSlot> slots;
    for (int i = 0; i < buttons_.count(); ++i) {
        const TitleBarButton& b = buttons_[i];
        const SIZE s = ui::bitmapSize(b.picNormal());
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
    if (LRESULT r = 0; paintsItself(msg, wp, [this](HDC dc) { paint(dc); }, r)) return r;
    switch (msg) {
    case WM_LBUTTONDOWN: {
        pressed_ = true;
        repaint();
        ui::Form* form = parentForm();
        if (form && hot_ < 0 && !IsZoomed(form->handle())) {
            ReleaseCapture();
            SendMessageA(form->handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
            pressed_ = false;
        }
        return 0;
    }
    case WM_LBUTTONUP:
        mouseUp();
        return 0;
    case WM_LBUTTONDBLCLK:
        doubleClick();
        return 0;
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
        if (ui::Form* form = parentForm()) return SendMessageA(form->handle(), msg, wp, lp);
        break;
    case WM_SIZE:
        redraw();
        break;
    }
    return defaultHandler(msg, wp, lp);
}

} // namespace corvane::skin
