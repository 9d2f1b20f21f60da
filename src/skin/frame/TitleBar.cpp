#include "skin/frame/TitleBar.h"
#include "skin/frame/FrameAccessibility.h"
#include "ui/Accessible.h"

#include <algorithm>
#include <map>
#include <utility>

#include "skin/theme/FileTheme.h"
#include "skin/theme/SkinPublic.h"
#include "skin/theme/StyleBitmaps.h"
#include "skin/theme/StyleTable.h"
#include "ui/Application.h"
#include "ui/Environment.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/Pictures.h"
#include "ui/TextFit.h"
#include "ui/UserPrompt.h"

namespace corvane::skin {

namespace {

constexpr UINT kInsetQuery = 0x26C3;

void showError(HWND owner, const char* text) {
    ui::prompt().messageBox(owner, text, ui::Application::instance().title(), MB_OK | MB_ICONERROR);
}

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

std::string resourceText(UINT id, const char* fallback) {
    char buf[128] = {};
    return LoadStringA(GetModuleHandleA(nullptr), id, buf, sizeof buf) > 0 ? std::string(buf) : std::string(fallback);
}

} // namespace

// FrameImage

void FrameImage::resize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == image_.width() && height == image_.height() && image_) return;
    image_.createDibSection(width, height);
}

// The DIB's own bits, 0x00RRGGBB, without a copy: the region scan only compares them
// with the key colour, which the frame puts into the same order. GdiFlush first, so
// drawing still queued by GDI is in them.
PixelView FrameImage::pixels() const {
    GdiFlush();
    return {image_.bits(), image_.width(), image_.height()};
}

// Sections and buttons

void TitleBarSection::changed() { if (bar_) bar_->redraw(); }

void TitleBarSection::setAutoSize(bool v) {
    autoSize_ = v;
    if (v && picture_) width_ = ui::bitmapSize(picture_.get()).cx;
    changed();
}

void TitleBarSection::setAlign(TitleBarAlign a) {
    if (a == TitleBarAlign::Client && bar_) {
        for (int i = 0; i < bar_->sections().count(); ++i)
            if (bar_->sections()[i].align() == TitleBarAlign::Client) {
                showError(bar_->handle(), "Sorry, only one section's Align property can be \"suiClient\"");
                return;
            }
    }
    align_ = a;
    if (a == TitleBarAlign::Client) stretch_ = true;
    changed();
}

void TitleBarSection::setPicture(HBITMAP source) {
    picture_ = ui::copyBitmap(source);
    if (autoSize_) width_ = ui::bitmapSize(picture_.get()).cx;
    changed();
}

void TitleBarSection::assign(const TitleBarSection& o) {
    width_ = o.width_;
    align_ = o.align_;
    picture_ = ui::copyBitmap(o.picture_.get());
    stretch_ = o.stretch_;
    autoSize_ = o.autoSize_;
    changed();
}

void TitleBarButton::changed() { if (bar_) bar_->redraw(); }

void TitleBarButton::setUIStyle(UIStyle s) {
    uiStyle_ = s;
    loadPictures();
}

void TitleBarButton::setButtonType(TitleBarButtonType t) {
    if (t == TitleBarButtonType::ControlBox && bar_) {
        for (int i = 0; i < bar_->buttons().count(); ++i)
            if (bar_->buttons()[i].buttonType() == TitleBarButtonType::ControlBox) {
                showError(bar_->handle(), "Sorry, only one button's ButtonType property can be \"suiControlBox\"");
                return;
            }
    }
    type_ = t;
    loadPictures();
}

void TitleBarButton::setPictures(HBITMAP normal, HBITMAP mouseOn, HBITMAP mouseDown) {
    picsPending_ = false;
    pics_[0] = ui::copyBitmap(normal);
    pics_[1] = ui::copyBitmap(mouseOn);
    pics_[2] = ui::copyBitmap(mouseDown);
    changed();
}

void TitleBarButton::assign(const TitleBarButton& o) {
    uiStyle_ = o.uiStyle_;
    type_ = o.type_;
    transparent_ = o.transparent_;
    top_ = o.top_;
    controlBoxMenu_ = o.controlBoxMenu_;
    visible_ = o.visible_;
    for (int i = 0; i < 3; ++i) pics_[i] = ui::copyBitmap(o.picture(i));
    picsPending_ = false;
    changed();
}

void TitleBarButton::loadParts(int k) {
    loadedPart_ = k;
    FileTheme* theme = bar_ ? bar_->fileTheme() : nullptr;
    UIStyle s;
    if (ResolveUIStyle(theme, uiStyle_, s)) {
        transparent_ = theme->LookupBool(BoolKey::TITLEBTNTRANS);
        top_ = theme->LookupInt(IntKey::TITLEBARBUTTONPOSY);
    } else {
        transparent_ = StyleBool(s, 6);
        top_ = StyleInt(s, 9);
    }
    for (auto& p : pics_) p.reset();
    picsPending_ = true;
}

HBITMAP TitleBarButton::picture(int i) const {
    if (picsPending_) {
        picsPending_ = false;
        FileTheme* theme = bar_ ? bar_->fileTheme() : nullptr;
        UIStyle s;
        const bool fromFile = ResolveUIStyle(theme, uiStyle_, s);
        HBITMAP strip = fromFile ? nullptr : builtInPicture(s, 5);
        for (int j = 0; j < 3; ++j)
            pics_[j] = fromFile ? theme->LookupBitmapPart(BitmapKey::TITLEBUTTONS, 18, loadedPart_ + j)
                       : strip  ? CutBitmapPart(strip, 18, loadedPart_ + j)
                                : ui::BitmapHandle();
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
        if (ui::Application::instance().mainForm() == form) SendMessageA(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        else ShowWindow(w, SW_MINIMIZE);
        break;
    case TitleBarButtonType::Close:
        form->close();
        break;
    case TitleBarButtonType::ControlBox:
        if (controlBoxMenu_) {
            POINT p{ui::rightToLeftReading(bar_->rightToLeft) ? 176 : 0, bar_->height()};
            ClientToScreen(bar_->handle(), &p);
            controlBoxMenu_->popup(std::max<int>(p.x, 0), p.y, form->handle());
        }
        break;
    case TitleBarButtonType::Help:
    case TitleBarButtonType::Custom:
        break;
    }
}

template <class Item>
Item* TitleBarItems<Item>::add() {
    items_.push_back(std::make_unique<Item>(bar_));
    if (bar_) bar_->redraw();
    return items_.back().get();
}

template <class Item>
void TitleBarItems<Item>::clear() {
    items_.clear();
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
    if (bar_) bar_->redraw();
}

template class TitleBarItems<TitleBarSection>;
template class TitleBarItems<TitleBarButton>;

// System menu

TitleBarPopupMenu::TitleBarPopupMenu(ui::Component* owner, TitleBar* bar) : PopupMenu(owner), bar_(bar) {
    autoHotkeys = false;
    minimizeItem = root().add(resourceText(65256, "Mi&nimize"), [this] {
        for (int i = 0; i < bar_->buttons().count(); ++i)
            if (bar_->buttons()[i].buttonType() == TitleBarButtonType::Min) {
                bar_->buttons()[i].perform();
                return;
            }
        if (ui::Form* f = bar_->parentForm()) ShowWindow(f->handle(), SW_MINIMIZE);
    });
    maximizeItem = root().add(resourceText(65257, "Ma&ximize/Restore"), [this] {
        for (int i = 0; i < bar_->buttons().count(); ++i) {
            TitleBarButton& b = bar_->buttons()[i];
            if (b.buttonType() == TitleBarButtonType::Max && b.visible()) b.perform();
        }
    });
    root().add("-");
    closeItem = root().add(resourceText(65258, "&Close"), [this] {
        if (ui::Form* f = bar_->parentForm()) f->close();
    });
    installHandlers();
}

void TitleBarPopupMenu::popupAt(int x, int y) {
    rightToLeft = bar_->rightToLeft; // the window's menu reads as its title bar does
    if (readsRightToLeft()) x += 176;
    auto visibleOf = [this](TitleBarButtonType t) {
        for (int i = 0; i < bar_->buttons().count(); ++i)
            if (bar_->buttons()[i].buttonType() == t && bar_->buttons()[i].visible()) return true;
        return false;
    };
    minimizeItem->enabled = visibleOf(TitleBarButtonType::Min);
    maximizeItem->enabled = visibleOf(TitleBarButtonType::Max);
    closeItem->enabled = visibleOf(TitleBarButtonType::Close);
    ui::Form* form = bar_->parentForm();
    popup(x, y, form ? form->handle() : nullptr);
}

// Title bar

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
    return f ? static_cast<int>(SendMessageA(f->handle(), kInsetQuery, 0, 0)) : 0;
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

// The frame asks for the composed images; they are redrawn only when something
// changed since the last paint, and the screen is left to the next WM_PAINT.
void TitleBar::render() {
    if (!handle()) return;
    const RECT r = clientRect();
    if (!imagesDirty_ && r.right == composedWidth_ && r.bottom == composedHeight_) return;
    ui::OffscreenBitmap image(nullptr, std::max<int>(r.right, 1), std::max<int>(r.bottom, 1));
    SetBkMode(image.dc(), TRANSPARENT);
    ui::SelectObjectScope sf(image.dc(), font_.get());
    DrawSections(image.dc(), image.width(), image.height());
}

void TitleBar::paint(HDC target) {
    const RECT r = clientRect();
    const int w = std::max<int>(r.right, 1), h = std::max<int>(r.bottom, 1);
    ui::OffscreenBitmap image(target, w, h);
    SetBkMode(image.dc(), TRANSPARENT);
    ui::SelectObjectScope sf(image.dc(), font_.get());
    DrawSections(image.dc(), w, h);
    DrawButtons(image.dc(), w, h);
    BitBlt(target, 0, 0, w, h, image.dc(), 0, 0, SRCCOPY);
}

void TitleBar::DrawSections(HDC dc, int wc, int hc) {
    if (!parentForm()) return;
    imagesDirty_ = false;
    composedWidth_ = wc;
    composedHeight_ = hc;
    const bool frame = onFrame();
    int ox = 0, oy = 0;
    if (frame) {
        const int in = inset();
        ox = -(in == 0 ? 3 : in);
        oy = -3;
    }
    int bwSum = 0;
    for (int i = 0; i < buttons_.count(); ++i)
        bwSum += ui::bitmapSize(buttons_[i].picNormal()).cx + buttonInterval_;
    const int fw = wc - 2 * ox, fh = hc - oy;
    titleImage_.resize(fw, fh);
    backImage_.resize(fw, fh);
    ui::fillSolid(titleImage_.dc(), {0, 0, fw, fh}, ui::toRgb(background_));
    ui::fillSolid(backImage_.dc(), {0, 0, fw, fh}, ui::toRgb(background_));

    std::vector<SectionSlot> slots;
    int lastLeft = 0, captionWidth = 0;
    bool captionDrawn = false;
    for (int i = 0; i < sections_.count(); ++i) {
        const TitleBarSection& s = sections_[i];
        const int pw = ui::bitmapSize(s.picture()).cx;
        if (s.capSec() && !captionDrawn) {
            const int next = i + 1 < sections_.count() ? sections_[i + 1].width() : 0;
            captionSectionText_ = FitTextWithEllipsis(dc, caption_, wc - leftOffset_ - bwSum - next - 21);
            SIZE ts{};
            GetTextExtentPoint32A(dc, captionSectionText_.c_str(), static_cast<int>(captionSectionText_.size()), &ts);
            captionWidth = ts.cx + leftOffset_ - lastLeft + 17;
            captionDrawn = true;
        } else if (!s.capSec() && s.align() == TitleBarAlign::Left) {
            lastLeft = pw;
        }
        slots.push_back({s.align(), s.capSec(), pw, s.width()});
    }
    const std::vector<SectionPlace> places = LayoutSections(slots, wc, ox, captionWidth);
    for (int i = 0; i < sections_.count(); ++i) {
        const TitleBarSection& s = sections_[i];
        const SIZE ps = ui::bitmapSize(s.picture());
        const SectionPlace& p = places[static_cast<size_t>(i)];
        if (s.capSec() || s.align() == TitleBarAlign::Client) {
            ui::stretchBitmap(dc, s.picture(), {p.left, oy, p.right, oy + ps.cy});
            ui::stretchBitmap(titleImage_.dc(), s.picture(), {p.left - ox, 0, p.right - ox, ps.cy});
        } else if (s.align() == TitleBarAlign::Left) {
            ui::drawBitmap(dc, s.picture(), p.left, oy);
            ui::drawBitmap(titleImage_.dc(), s.picture(), p.left - ox, 0);
        } else {
            ui::fillSolid(dc, {p.left, oy, p.right, oy + ps.cy}, ui::toRgb(background_));
            ui::drawTransparent(dc, s.picture(), p.left, oy, transparent_);
            ui::drawBitmap(titleImage_.dc(), s.picture(), p.left - ox, 0);
        }
    }
    if (titleImage_.transparent) {
        TransparentBlt(backImage_.dc(), 0, 0, fw, fh, titleImage_.dc(), 0, 0, fw, fh, titleImage_.transparentColor & 0xFFFFFF);
    } else {
        BitBlt(backImage_.dc(), 0, 0, fw, fh, titleImage_.dc(), 0, 0, SRCCOPY);
    }
    if (captionDrawn && frame) {
        if (onFrameRepaint) onFrameRepaint();
    } else {
        captionSectionText_.clear();
    }
}

void TitleBar::drawButtonPicture(HDC dc, const TitleBarButton& b, HBITMAP pic, int x, int y) {
    if (!b.transparent()) {
        ui::drawBitmap(dc, pic, x, y);
        return;
    }
    // A built-in picture's own transparent colour is its bottom-left pixel.
    const uint32_t key = b.uiStyle() != UIStyle::FromThemeFile ? ui::bottomLeftPixel(pic) : transparent_;
    ui::drawTransparent(dc, pic, x, y, key);
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

void TitleBar::DrawButtons(HDC dc, int wc, int) {
    if (!parentForm()) return;
    POINT cur{};
    GetCursorPos(&cur);
    ScreenToClient(handle(), &cur);
    TitleButtonLayout l = buttonLayout(wc, cur);
    if (l.hot == l.controlBox && l.controlBox >= 0 && !drawAppIcon_) {
        // The control-box picture is hot as well.
    }
    hot_ = l.hot;
    for (int i = 0; i < buttons_.count(); ++i) {
        const TitleBarButton& b = buttons_[i];
        if (!b.visible() || !b.hasPictures() || i == l.controlBox) continue;
        const Rect& r = l.rects[static_cast<size_t>(i)];
        HBITMAP pic = i == hot_ ? (pressed_ ? b.picMouseDown() : b.picMouseOn()) : b.picNormal();
        drawButtonPicture(dc, b, pic, r.left, buttonTop_);
    }
    if (l.controlBox >= 0) {
        const TitleBarButton& cb = buttons_[l.controlBox];
        const Rect& r = l.controlBoxRect;
        if (drawAppIcon_) {
            if (!icon_) {
                const char* res = ui::Application::instance().iconResource();
                icon_.reset(static_cast<HICON>(
                    LoadImageA(GetModuleHandleA(nullptr), res ? res : "MAINICON", IMAGE_ICON, 16, 16, 0)));
            }
            if (icon_) DrawIconEx(dc, r.left + 3, iconTop_, icon_.get(), 16, 16, 0, nullptr, DI_NORMAL);
        } else {
            HBITMAP pic = l.hot == l.controlBox ? (pressed_ ? cb.picMouseDown() : cb.picMouseOn()) : cb.picNormal();
            drawButtonPicture(dc, cb, pic, r.left, iconTop_ - 1);
        }
    }
    drawCaption(dc, l.captionLeft, l.buttonsLeft);
}

void TitleBar::drawCaption(HDC dc, int xl, int xb) {
    SetTextColor(dc, ui::toRgb(formActive_ ? fontColor_ : inactiveCaptionColor_));
    auto width = [dc](const std::string& t) {
        SIZE s{};
        GetTextExtentPoint32A(dc, t.c_str(), static_cast<int>(t.size()), &s);
        return static_cast<int>(s.cx);
    };
    const std::string text =
        !captionSectionText_.empty() ? captionSectionText_ : ui::fitDownToEllipsis(caption_, xb - xl, width);
    UIStyle s;
    const bool fromFile = ResolveUIStyle(fileTheme_, uiStyle_, s);
    int x = xl;
    const int y = fromFile ? captionTop_ - 3 : buttonTop_ + (s == UIStyle::Protein ? 3 : 0);
    if (ui::rightToLeftReading(rightToLeft)) x = xb - width(text) - 10;
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
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

LRESULT TitleBar::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (LRESULT r = 0; ui::AccessibleMessage(handle(), msg, wp, lp, &TitleBarAccessible, r)) return r;
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
