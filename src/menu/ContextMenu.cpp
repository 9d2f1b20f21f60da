#include "menu/ContextMenu.h"
#include "menu/MenuRules.h"
#include "menu/Module.h"
#include "store/Options.h"
#include "store/Store.h"
#include "ui/Gdi.h"
#include <shellapi.h>
#include <shlwapi.h>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>

namespace corvane::menu {

namespace {

constexpr const char* kVerbPrefix = "Corvane";
constexpr const char* kAddVerb = "CorvaneAdd";
constexpr const char* kEditVerb = "CorvaneEdit";
constexpr const char* kMoreVerb = "CorvaneMore";
constexpr const char* kOpenVerb = "CorvaneOpen"; // followed by the favourite's offset from the first

// The favourites as the store reads them; a value of the wrong type ends the list there.
struct Favourites : store::FavouriteRows {
    std::vector<std::pair<std::string, std::string>> rows;
    int rowCount() const override { return static_cast<int>(rows.size()); }
    std::string rowAlias(int i) const override { return rows[i].first; }
    std::string rowPath(int i) const override { return rows[i].second; }
    void appendRow(const std::string& a, const std::string& p) override { rows.emplace_back(a, p); }
};

bool IsSeparator(const std::pair<std::string, std::string>& f) {
    return f.first == store::kSeparatorAlias && f.second == store::kSeparatorPath;
}

bool IsLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

bool AppendItem(HMENU menu, UINT id, const std::string& text, bool enabled) {
    return AppendMenuA(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, text.c_str()) != FALSE;
}

// The program's icon as a 32-bit picture with alpha, the size of a menu check mark.
HBITMAP IconBitmap() {
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    HICON icon = static_cast<HICON>(LoadImageA(Module(), "MAINICON", IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
    if (!icon) return nullptr;
    HBITMAP bitmap = nullptr;
    ui::OffscreenBitmap picture;
    if (picture.createDibSection(cx, cy)) {
        std::memset(picture.bits(), 0, static_cast<size_t>(cx) * cy * 4);
        DrawIconEx(picture.dc(), 0, 0, icon, cx, cy, 0, nullptr, DI_NORMAL);
        bitmap = picture.release();
    }
    DestroyIcon(icon);
    return bitmap;
}

// The data object's single file-system item, or empty when there are none or several.
std::string SingleItem(IDataObject* data) {
    if (!data) return {};
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) return {};
    std::string path;
    if (auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
        if (DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
            const UINT n = DragQueryFileA(drop, 0, nullptr, 0);
            path.assign(n + 1, '\0');
            path.resize(DragQueryFileA(drop, 0, path.data(), n + 1));
        }
        GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    return path;
}

} // namespace

ContextMenu::ContextMenu() { ObjectCreated(); }

ContextMenu::~ContextMenu() {
    if (site_) site_->Release();
    if (icon_) DeleteObject(icon_);
    ObjectDestroyed();
}

STDMETHODIMP ContextMenu::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IShellExtInit)) *ppv = static_cast<IShellExtInit*>(this);
    else if (IsEqualIID(riid, IID_IContextMenu)) *ppv = static_cast<IContextMenu*>(this);
    else if (IsEqualIID(riid, IID_IObjectWithSite)) *ppv = static_cast<IObjectWithSite*>(this);
    else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ContextMenu::AddRef() { return InterlockedIncrement(&refs_); }

STDMETHODIMP_(ULONG) ContextMenu::Release() {
    const LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
}

STDMETHODIMP ContextMenu::Initialize(PCIDLIST_ABSOLUTE, IDataObject* data, HKEY) {
    try {
        chosenFolder_.clear();
        const std::string item = SingleItem(data);
        if (!item.empty() && IsFolder(item)) chosenFolder_ = item;
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

STDMETHODIMP ContextMenu::QueryContextMenu(HMENU menu, UINT index, UINT idCmdFirst, UINT idCmdLast, UINT flags) {
    if (flags & CMF_DEFAULTONLY) return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 0);
    try {
        return buildMenu(menu, index, idCmdFirst, idCmdLast);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT ContextMenu::buildMenu(HMENU menu, UINT index, UINT idCmdFirst, UINT idCmdLast) {
    menuBuilt_ = false;
    paths_.clear();
    if (!menu || idCmdLast < idCmdFirst) return E_INVALIDARG;
    const unsigned long ids = static_cast<unsigned long>(idCmdLast) - idCmdFirst + 1;
    if (!MenuFits(ids)) return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 0);

    Favourites favourites;
    try {
        store::ReadFavourites(favourites, kStoreKey);
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception&) {
        // A value of the wrong type: the favourites before it stay, as in the editor.
    }
    const int shown = FavouritesThatFit(favourites.rowCount(), ids);

    HMENU sub = CreatePopupMenu();
    if (!sub) return E_FAIL;
    bool ok = true;
    unsigned offset = FirstFavouriteOffset;
    FolderProbe probe;
    for (int i = 0; i < shown && ok; ++i) {
        const auto& f = favourites.rows[i];
        if (IsSeparator(f)) {
            ok = AppendMenuA(sub, MF_SEPARATOR, 0, nullptr) != FALSE;
            continue;
        }
        ok = AppendItem(sub, idCmdFirst + offset, MenuLabel(f.first, kMaxLabelChars, &IsLeadByte),
                        probe.looksPresent(f.second));
        paths_.push_back(f.second);
        ++offset;
    }
    // Past the host's id range the rest of the list is the editor's to show.
    if (ok && shown < favourites.rowCount()) ok = AppendItem(sub, idCmdFirst + MoreOffset, kMoreCaption, true);
    if (ok && GetMenuItemCount(sub) > 0) ok = AppendMenuA(sub, MF_SEPARATOR, 0, nullptr) != FALSE;
    if (ok && !chosenFolder_.empty()) ok = AppendItem(sub, idCmdFirst + AddOffset, kAddCaption, true);
    editEnabled_ = !EditorPath().empty();
    if (ok) ok = AppendItem(sub, idCmdFirst + EditOffset, kEditCaption, editEnabled_);

    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
    item.fType = MFT_STRING;
    item.wID = idCmdFirst + SubmenuOffset;
    item.hSubMenu = sub;
    item.dwTypeData = const_cast<char*>(kMenuCaption);
    if (!ok || !InsertMenuItemA(menu, index, TRUE, &item)) {
        DestroyMenu(sub);
        paths_.clear();
        return E_FAIL;
    }
    // The picture is a nicety: a menu without it is still whole.
    if (!icon_) icon_ = IconBitmap();
    if (icon_) {
        MENUITEMINFOA pic{};
        pic.cbSize = sizeof pic;
        pic.fMask = MIIM_BITMAP;
        pic.hbmpItem = icon_;
        SetMenuItemInfoA(menu, idCmdFirst + SubmenuOffset, FALSE, &pic);
    }
    menuBuilt_ = true;
    return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, offset);
}

bool ContextMenu::validOffset(unsigned offset) const {
    if (!menuBuilt_) return false;
    switch (offset) {
    case AddOffset: return !chosenFolder_.empty();
    case EditOffset:
    case MoreOffset: return true;
    default: return offset >= FirstFavouriteOffset && offset - FirstFavouriteOffset < paths_.size();
    }
}

std::string ContextMenu::verbOf(unsigned offset) const {
    switch (offset) {
    case AddOffset: return kAddVerb;
    case EditOffset: return kEditVerb;
    case MoreOffset: return kMoreVerb;
    default: return kOpenVerb + std::to_string(offset - FirstFavouriteOffset);
    }
}

bool ContextMenu::commandOffset(CMINVOKECOMMANDINFO* info, unsigned& offset) const {
    std::string verb;
    const bool unicode = info->cbSize >= sizeof(CMINVOKECOMMANDINFOEX) && (info->fMask & CMIC_MASK_UNICODE);
    const auto* ex = reinterpret_cast<const CMINVOKECOMMANDINFOEX*>(info);
    if (unicode && HIWORD(reinterpret_cast<ULONG_PTR>(ex->lpVerbW))) {
        for (const wchar_t* w = ex->lpVerbW; *w; ++w) {
            if (*w > 0x7F) return false; // our verbs are plain ASCII
            verb += static_cast<char>(*w);
        }
    } else if (HIWORD(reinterpret_cast<ULONG_PTR>(info->lpVerb))) {
        verb = info->lpVerb;
    } else {
        offset = LOWORD(reinterpret_cast<ULONG_PTR>(info->lpVerb));
        return validOffset(offset);
    }
    if (verb.rfind(kVerbPrefix, 0) != 0) return false;
    for (unsigned o : {unsigned(AddOffset), unsigned(EditOffset), unsigned(MoreOffset)})
        if (verb == verbOf(o)) return offset = o, validOffset(o);
    const size_t open = std::strlen(kOpenVerb);
    if (verb.size() <= open || verb.size() > open + 6 || verb.compare(0, open, kOpenVerb) != 0) return false;
    unsigned n = 0;
    for (size_t i = open; i < verb.size(); ++i) {
        if (verb[i] < '0' || verb[i] > '9') return false;
        n = n * 10 + static_cast<unsigned>(verb[i] - '0');
    }
    offset = FirstFavouriteOffset + n;
    return validOffset(offset);
}

STDMETHODIMP ContextMenu::InvokeCommand(CMINVOKECOMMANDINFO* info) {
    if (!info || info->cbSize < sizeof(CMINVOKECOMMANDINFO)) return E_INVALIDARG;
    try {
        return invoke(info);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT ContextMenu::invoke(CMINVOKECOMMANDINFO* info) {
    unsigned offset = 0;
    if (!commandOffset(info, offset)) return E_INVALIDARG;
    switch (offset) {
    case AddOffset:
        switch (AddFolder(chosenFolder_)) {
        case AddResult::Added:
        case AddResult::AlreadyListed:
        case AddResult::HandedToEditor: return S_OK;
        case AddResult::EditorBusy:
            if (!(info->fMask & CMIC_MASK_FLAG_NO_UI))
                MessageBoxA(info->hwnd, "Corvane is busy and did not take the folder. Please try again.", kMenuCaption,
                            MB_OK | MB_ICONWARNING);
            return E_FAIL;
        case AddResult::Failed: return E_FAIL;
        }
        return E_FAIL;
    case EditOffset:
    case MoreOffset: return StartEditor(info->hwnd) ? S_OK : E_FAIL;
    default: {
        const std::string& path = paths_[offset - FirstFavouriteOffset];
        if (BrowseDialogTo(site_, path)) return S_OK;
        const bool explore = store::ReadOptions(ModuleFolder() + store::kOptionsFileName).exploreFolder;
        return OpenFolderWindow(info->hwnd, path, explore) ? S_OK : E_FAIL;
    }
    }
}

STDMETHODIMP ContextMenu::GetCommandString(UINT_PTR idCmd, UINT type, UINT*, CHAR* name, UINT cchMax) {
    try {
        const unsigned offset = static_cast<unsigned>(idCmd);
        if (!validOffset(offset)) return E_INVALIDARG;
        std::string text;
        switch (type) {
        case GCS_VALIDATEA:
        case GCS_VALIDATEW: return S_OK;
        case GCS_VERBA:
        case GCS_VERBW: text = verbOf(offset); break;
        case GCS_HELPTEXTA:
        case GCS_HELPTEXTW:
            text = offset == AddOffset              ? "Adds this folder to the Corvane favourites"
                   : offset >= FirstFavouriteOffset ? "Opens " + paths_[offset - FirstFavouriteOffset]
                                                    : "Starts Corvane to edit the favourites";
            break;
        default: return E_INVALIDARG;
        }
        if (!name || cchMax == 0) return E_INVALIDARG;
        if (type == GCS_VERBW || type == GCS_HELPTEXTW) {
            auto* w = reinterpret_cast<wchar_t*>(name);
            const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, w, static_cast<int>(cchMax));
            if (n == 0) w[cchMax - 1] = L'\0';
        } else {
            lstrcpynA(name, text.c_str(), static_cast<int>(cchMax));
        }
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

STDMETHODIMP ContextMenu::SetSite(IUnknown* site) {
    if (site) site->AddRef();
    if (site_) site_->Release();
    site_ = site;
    return S_OK;
}

STDMETHODIMP ContextMenu::GetSite(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    return site_ ? site_->QueryInterface(riid, ppv) : E_FAIL;
}

} // namespace corvane::menu
