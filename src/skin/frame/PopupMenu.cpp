#include "skin/frame/PopupMenu.h"
#include "ui/WideText.h"

#include "skin/theme/FileTheme.h"
#include "skin/theme/SkinPublic.h"
#include "skin/theme/StyleBitmaps.h"
#include "skin/theme/StyleTable.h"
#include "ui/Environment.h"
#include "ui/Gdi.h"

#include <oleacc.h>

namespace corvane::skin {

namespace {

// The menu whose loop is running, its platform menu and the item whose sub-items it
// shows; menus do not nest here.
SkinnedMenu* tracking = nullptr;
HMENU trackedMenu = nullptr;
const MenuItem* trackedParent = nullptr;

// The accelerator character of a caption ("Mi&nimize" gives 'n'), or 0.
wchar_t Accelerator(const std::string& utf8) {
    const std::wstring caption = ui::Widen(utf8);
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return 0;
}

wchar_t UpperCase(wchar_t c) {
    return static_cast<wchar_t>(
        reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c)))));
}

class CheckMarks {
public:
    HIMAGELIST get() {
        if (!list_) {
            ui::BitmapHandle strip(static_cast<HBITMAP>(LoadImageW(
                GetModuleHandleW(nullptr), ui::WideArg("MENU_CHECKED"), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
            const SIZE s = ui::BitmapSize(strip.get());
            if (s.cy > 0) {
                list_.reset(ImageList_Create(s.cy, s.cy, ILC_COLOR24 | ILC_MASK, 1, 1));
                ImageList_AddMasked(list_.get(), strip.get(), RGB(255, 255, 255));
            }
        }
        return list_.get();
    }

private:
    ui::ImageListHandle list_;
};

} // namespace

void StretchMenuPicture(HDC dc, const RECT& r, const char* name, int height) {
    ui::BitmapHandle bmp = LoadBitmapResource(name);
    const SIZE s = ui::BitmapSize(bmp.get());
    ui::BitmapDc src(bmp.get());
    StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, src.get(), 0, 0, s.cx,
               std::min<int>(height, s.cy), SRCCOPY);
}

HIMAGELIST SharedMenuCheckMarks() {
    static CheckMarks marks;
    return marks.get();
}

MenuItem* MenuItem::add(std::string c, std::function<void()> click) {
    items.push_back(std::make_unique<MenuItem>());
    items.back()->caption = std::move(c);
    items.back()->onClick = std::move(click);
    return items.back().get();
}

SkinnedMenu::SkinnedMenu(ui::Component* owner, std::string name) : Skinned(owner, std::move(name)) {
    setUIStyle(FormUIStyle(owner));
}

SkinnedMenu::~SkinnedMenu() {
    if (tracking == this) tracking = nullptr;
}

MenuItem* SkinnedMenu::addItem(std::string caption, std::function<void()> onClick) {
    MenuItem* item = root_.add(std::move(caption), std::move(onClick));
    installOn(*item);
    return item;
}

void SkinnedMenu::installHandlers() {
    for (auto& item : root_.items) installOn(*item);
}

void SkinnedMenu::installOn(MenuItem& item) {
    item.onMeasureItem = [this, &item](HDC dc, UINT& w, UINT& h) { measureItem(dc, item, w, h); };
    item.onDrawItem = [this, &item](HDC dc, const RECT& r, bool selected) { drawItem(dc, r, item, selected); };
    for (auto& sub : item.items) installOn(*sub);
}

void SkinnedMenu::applyLook() {
    const bool mac = uiStyle() == UIStyle::MacOS;
    look_.applyStyle(mac);
    separatorColor = mac ? 0 : 0x848284;
    const Look l = look();
    barColor = l.color(role::MenuLeftBarStartColor);
    barToColor = l.color(role::MenuLeftBarEndColor);
    color = l.color(role::MenuItemColor);
    fontColor = l.color(role::MenuItemFontColor);
    selectedBorderColor = l.color(role::MenuSelectedBorderColor);
    selectedColor = l.color(role::MenuSelectedColor);
    selectedFontColor = l.color(role::MenuSelectedFontColor);
}

HFONT SkinnedMenu::createFont(bool bold) const {
    LOGFONTW lf{};
    if (useSystemFont) {
        NONCLIENTMETRICSW ncm{};
        ncm.cbSize = sizeof ncm;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
        lf = ncm.lfMenuFont;
    } else {
        HDC screen = GetDC(nullptr);
        lf.lfHeight = -MulDiv(fontSize, GetDeviceCaps(screen, LOGPIXELSY), 72);
        ReleaseDC(nullptr, screen);
        lf.lfCharSet = static_cast<BYTE>(fontCharset);
        ui::SetFaceName(lf, fontName);
    }
    if (bold) lf.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&lf);
}

void SkinnedMenu::measureItem(HDC dc, const MenuItem& item, UINT& width, UINT& height) {
    ui::FontHandle font(createFont(item.isDefault));
    ui::SelectObjectScope sel(dc, font.get());
    auto extent = [dc](const std::string& t) {
        SIZE s{};
        s = ui::TextExtent(dc, t);
        return s;
    };
    const SIZE caption = extent(item.caption);
    const int shortcut = item.shortcut.empty() ? 0 : static_cast<int>(extent(item.shortcut).cx);
    const MenuItemSize size = MeasureMenuItem(look_, item.caption, caption.cx, caption.cy, shortcut);
    width = static_cast<UINT>(size.width);
    height = static_cast<UINT>(size.height);
}

bool SkinnedMenu::readsRightToLeft() const { return ui::RightToLeftReading(rightToLeft); }

void SkinnedMenu::drawBar(HDC dc, const RECT& r) {
    const int bw = look_.barWidth;
    RECT bar = readsRightToLeft() ? RECT{r.right - bw, r.top, r.right, r.bottom}
                                  : RECT{r.left, r.top, r.left + bw, r.bottom};
    if (barColor == barToColor) ui::FillSolid(dc, bar, ui::ToRgb(barColor));
    else GradientFillHorizontal(dc, bar, barColor, barToColor);
}

void SkinnedMenu::drawItem(HDC dc, const RECT& r, const MenuItem& item, bool selected) {
    const bool mac = uiStyle() == UIStyle::MacOS;
    const int bw = look_.barWidth;
    const bool rtl = readsRightToLeft();
    if (flatMenu) {
        if (HWND menuWindow = WindowFromDC(dc)) {
            RECT w;
            GetWindowRect(menuWindow, &w);
            ui::WindowDc desktop(nullptr);
            const COLORREF frame = ui::ToRgb(look().color(role::FormColor));
            ui::FrameSolid(desktop.get(), {w.left, w.top + 1, w.right - 1, w.bottom - 1}, 0);
            ui::FrameSolid(desktop.get(), {w.left + 1, w.top + 2, w.right - 2, w.bottom - 2}, 0xFFFFFF);
            ui::PenHandle pen(CreatePen(PS_SOLID, 1, frame));
            ui::SelectObjectScope sp(desktop.get(), pen.get());
            const POINT pts[] = {{w.left, w.bottom - 1},
                                 {w.right - 1, w.bottom - 1},
                                 {w.right - 1, w.top},
                                 {w.right, w.top},
                                 {w.left, w.top}};
            Polyline(desktop.get(), pts, 5);
        }
    }
    auto plainBackground = [&] {
        if (bw > 0) drawBar(dc, r);
        RECT rest = rtl ? RECT{r.left, r.top, r.right - bw, r.bottom} : RECT{r.left + bw, r.top, r.right, r.bottom};
        ui::FillSolid(dc, rest, ui::ToRgb(color));
    };
    if (item.isSeparator()) {
        if (mac) {
            StretchMenuPicture(dc, r, "MACOS_MENU_BAR", 12);
            return;
        }
        plainBackground();
        ui::PenHandle pen(CreatePen(PS_SOLID, 1, ui::ToRgb(separatorColor)));
        ui::SelectObjectScope sp(dc, pen.get());
        const int y = r.top + 2;
        if (rtl) {
            MoveToEx(dc, r.left + 2, y, nullptr);
            LineTo(dc, r.right - bw - 4, y);
        } else {
            MoveToEx(dc, r.left + bw + 4, y, nullptr);
            LineTo(dc, r.right - 2, y);
        }
        return;
    }
    if (selected && item.enabled) {
        if (mac) {
            StretchMenuPicture(dc, r, "MACOS_MENU_SELECT", 20);
        } else {
            ui::FillSolid(dc, r, ui::ToRgb(selectedColor));
            ui::FrameSolid(dc, r, ui::ToRgb(selectedBorderColor));
        }
    } else if (mac) {
        StretchMenuPicture(dc, r, "MACOS_MENU_BAR", 20);
    } else {
        plainBackground();
    }
    ui::FontHandle font(createFont(item.isDefault));
    ui::SelectObjectScope sf(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, !item.enabled ? RGB(128, 128, 128) : ui::ToRgb(selected ? selectedFontColor : fontColor));
    RECT text = rtl ? RECT{r.left + bw, r.top, r.right - 4, r.bottom} : RECT{r.left + bw + 4, r.top, r.right, r.bottom};
    ui::DrawUtf8Text(dc, item.caption, text, DT_SINGLELINE | DT_VCENTER | (rtl ? DT_RIGHT | DT_RTLREADING : DT_LEFT));
    if (!item.shortcut.empty()) {
        SIZE s{};
        s = ui::TextExtent(dc, item.shortcut);
        RECT sc = rtl ? RECT{r.left + bw + 4, r.top, r.right, r.bottom}
                      : RECT{r.right - s.cx - 16, r.top, r.right, r.bottom};
        ui::DrawUtf8Text(dc, item.shortcut, sc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    const int x = rtl ? r.right - 20 : r.left + 4;
    const bool usableImage = item.imageIndex != -1 && images && item.imageIndex < ImageList_GetImageCount(images);
    const UINT state = item.enabled ? ILD_TRANSPARENT : ILD_TRANSPARENT | ILD_BLEND50;
    if (item.checked) {
        if (usableImage) {
            ui::FrameSolid(dc, {x - 2, r.top + 1, x + 17, r.top + 20}, 0);
            ui::FillSolid(dc, {x - 1, r.top + 2, x + 16, r.top + 19}, ui::ToRgb(selectedColor));
        } else if (HIMAGELIST marks = SharedMenuCheckMarks()) {
            ImageList_Draw(marks, 0, dc, x, r.top + 3, state);
        }
    }
    if (usableImage) ImageList_Draw(images, item.imageIndex, dc, x, r.top + 3, state);
}

namespace {
// Owner-drawn items have no text of their own; item data that starts with this
// signature block gives screen readers the caption.
struct AccessibleMenuItem {
    MSAAMENUINFO msaa{};
    std::wstring text;
    const MenuItem* item = nullptr;
};
using AccessibleMenuItems = std::vector<std::unique_ptr<AccessibleMenuItem>>;

LPCWSTR ItemData(const MenuItem& item, AccessibleMenuItems& data) {
    auto d = std::make_unique<AccessibleMenuItem>();
    d->text = ui::Widen(item.caption);
    d->msaa.dwMSAASignature = MSAA_MENU_SIG;
    d->msaa.cchWText = static_cast<DWORD>(d->text.size());
    d->msaa.pszWText = d->text.data();
    d->item = &item;
    data.push_back(std::move(d));
    return reinterpret_cast<LPCWSTR>(data.back().get());
}

void AppendItems(HMENU menu, const MenuItem& parent, std::vector<const MenuItem*>& byId, AccessibleMenuItems& data) {
    for (const auto& item : parent.items) {
        UINT flags = MF_OWNERDRAW | (item->enabled ? 0 : MF_GRAYED) | (item->checked ? MF_CHECKED : 0);
        if (!item->items.empty()) {
            HMENU sub = CreatePopupMenu();
            AppendItems(sub, *item, byId, data);
            AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), ItemData(*item, data));
            continue;
        }
        byId.push_back(item.get());
        if (item->isSeparator()) flags |= MF_DISABLED;
        AppendMenuW(menu, flags, byId.size(), ItemData(*item, data));
    }
}

const MenuItem* ItemOf(ULONG_PTR data) {
    const auto* d = reinterpret_cast<const AccessibleMenuItem*>(data);
    return d && d->msaa.dwMSAASignature == MSAA_MENU_SIG ? d->item : nullptr;
}
} // namespace

void PopupMenu::popup(int x, int y, HWND owner) {
    if (onPopup) onPopup();
    popupItems(root(), x, y, owner);
}

void SkinnedMenu::popupItems(const MenuItem& parent, int x, int y, HWND owner) {
    if (!owner) {
        if (!handle()) {
            static const ui::WindowClass cls{"CorvaneMenuOwner"};
            createWindow(cls, WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0, nullptr);
        }
        owner = handle();
    }
    std::vector<const MenuItem*> byId;
    AccessibleMenuItems data; // outlives the menu
    HMENU menu = CreatePopupMenu();
    AppendItems(menu, parent, byId, data);
    SkinnedMenu* previous = tracking;
    HMENU previousMenu = trackedMenu;
    const MenuItem* previousParent = trackedParent;
    tracking = this;
    trackedMenu = menu;
    trackedParent = &parent;
    const UINT align = readsRightToLeft() ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    const int chosen = TrackPopupMenu(menu, align | TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTBUTTON, x, y, 0, owner,
                                      nullptr);
    if (tracking == this) {
        tracking = previous;
        trackedMenu = previousMenu;
        trackedParent = previousParent;
    }
    DestroyMenu(menu);
    if (chosen > 0 && static_cast<size_t>(chosen) <= byId.size()) {
        const MenuItem* item = byId[static_cast<size_t>(chosen) - 1];
        if (item->onClick) item->onClick();
    }
}

bool SkinnedMenu::ownerDrawMessage(UINT msg, LPARAM lp) {
    if (!tracking) return false;
    if (msg == WM_MEASUREITEM) {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        if (mi->CtlType != ODT_MENU) return false;
        const MenuItem* item = ItemOf(mi->itemData);
        if (!item) return false;
        HDC dc = GetDC(nullptr);
        if (item->onMeasureItem) item->onMeasureItem(dc, mi->itemWidth, mi->itemHeight);
        else tracking->measureItem(dc, *item, mi->itemWidth, mi->itemHeight);
        ReleaseDC(nullptr, dc);
        return true;
    }
    if (msg == WM_DRAWITEM) {
        auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (di->CtlType != ODT_MENU) return false;
        const MenuItem* item = ItemOf(di->itemData);
        if (!item) return false;
        const bool selected = (di->itemState & ODS_SELECTED) != 0;
        if (item->onDrawItem) item->onDrawItem(di->hDC, di->rcItem, selected);
        else tracking->drawItem(di->hDC, di->rcItem, *item, selected);
        return true;
    }
    return false;
}

// Items the menu draws itself have no text the platform could search, so their
// accelerator keys are matched here.
bool SkinnedMenu::menuChar(WPARAM wp, LPARAM lp, LRESULT& result) {
    if (!tracking || reinterpret_cast<HMENU>(lp) != trackedMenu) return false;
    const wchar_t key = static_cast<wchar_t>(LOWORD(wp));
    const auto& items = trackedParent->items;
    for (size_t i = 0; i < items.size(); ++i) {
        const wchar_t a = Accelerator(items[i]->caption);
        if (a && UpperCase(a) == UpperCase(key) && items[i]->enabled) {
            result = MAKELRESULT(static_cast<WORD>(i), MNC_EXECUTE);
            return true;
        }
    }
    return false;
}

LRESULT SkinnedMenu::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if ((msg == WM_MEASUREITEM || msg == WM_DRAWITEM) && ownerDrawMessage(msg, lp)) return TRUE;
    if (LRESULT r = 0; msg == WM_MENUCHAR && menuChar(wp, lp, r)) return r;
    return defaultHandler(msg, wp, lp);
}

} // namespace corvane::skin
