#include "menu/ContextMenu.h"
#include "menu/ComRef.h"
#include "menu/MenuRules.h"
#include "menu/Module.h"
#include "menu/OpenFolders.h"
#include "store/Store.h"
#include "ui/Files.h"
#include "ui/Gdi.h"
#include "ui/WideText.h"
#include <shellapi.h>
#include <shlwapi.h>
#include <shobjidl.h>
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

// The favourites as the store reads them (UTF-8); a value of the wrong type ends the list there.
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

bool InsertItem(HMENU menu, UINT id, const std::string& text, bool enabled, HMENU sub = nullptr) {
    std::wstring wide = ui::Widen(text);
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_STATE | (sub ? MIIM_SUBMENU : 0);
    item.fType = MFT_STRING;
    item.fState = enabled ? MFS_ENABLED : MFS_DISABLED;
    item.wID = id;
    item.hSubMenu = sub;
    item.dwTypeData = wide.data();
    return InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &item) != FALSE;
}

bool InsertSeparator(HMENU menu) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE;
    item.fType = MFT_SEPARATOR;
    return InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &item) != FALSE;
}

// The program's icon as a 32-bit picture with alpha, the size of a menu check mark.
HBITMAP IconBitmap() {
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    HICON icon = static_cast<HICON>(LoadImageW(Module(), L"MAINICON", IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
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

// The selection's single item when it is a folder of the file system, or a shortcut file
// (`shortcut` true); empty otherwise. Read from the shell's own items, so nothing touches
// the disk and selections without CF_HDROP serve too; a zip file is a folder to the shell
// (a stream too), not to us.
std::string SingleFolder(IDataObject* data, bool& shortcut) {
    using CreateArray = HRESULT(WINAPI*)(IDataObject*, REFIID, void**);
    static const auto create = ShellFunction<CreateArray>("SHCreateShellItemArrayFromDataObject");
    shortcut = false;
    if (!data || !create) return {};
    ComRef<IShellItemArray> items;
    DWORD count = 0;
    if (FAILED(create(data, IID_IShellItemArray, items.out())) || !items.p || FAILED(items->GetCount(&count)) ||
        count != 1)
        return {};
    ComRef<IShellItem> item;
    if (FAILED(items->GetItemAt(0, &item.p)) || !item.p) return {};
    SFGAOF attributes = 0;
    const SFGAOF asked = SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_STREAM | SFGAO_LINK;
    if (FAILED(item->GetAttributes(asked, &attributes))) return {};
    const bool folder = (attributes & (SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_STREAM)) ==
                        (SFGAO_FILESYSTEM | SFGAO_FOLDER);
    shortcut = !folder && (attributes & (SFGAO_FILESYSTEM | SFGAO_LINK)) == (SFGAO_FILESYSTEM | SFGAO_LINK);
    if (!folder && !shortcut) return {};
    wchar_t* path = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) || !path) return shortcut = false, std::string();
    std::string chosen = ui::Narrow(path);
    CoTaskMemFree(path);
    return chosen;
}

// Copies `text` into the caller's buffer of `cch` characters, cut so that no character
// is split; false when nothing fits.
bool CopyWide(const std::wstring& text, wchar_t* out, UINT cch) {
    if (!out || cch == 0) return false;
    size_t n = text.size() < cch ? text.size() : cch - 1;
    if (n > 0 && n < text.size() && IS_HIGH_SURROGATE(text[n - 1])) --n;
    std::memcpy(out, text.data(), n * sizeof(wchar_t));
    out[n] = L'\0';
    return true;
}

bool CopyCodePage(const std::string& bytes, char* out, UINT cch) {
    if (!out || cch == 0) return false;
    size_t n = 0;
    while (n < bytes.size()) {
        const size_t step = IsDBCSLeadByte(static_cast<BYTE>(bytes[n])) && n + 1 < bytes.size() ? 2 : 1;
        if (n + step > cch - 1) break;
        n += step;
    }
    std::memcpy(out, bytes.data(), n);
    out[n] = '\0';
    return true;
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
        bool shortcut = false;
        std::string chosen = SingleFolder(data, shortcut);
        chosenFolder_.clear();
        chosenShortcut_.clear();
        (shortcut ? chosenShortcut_ : chosenFolder_) = std::move(chosen);
        return S_OK;
    } catch (...) {
        chosenFolder_.clear();
        chosenShortcut_.clear();
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
    moreShown_ = false;
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

    SystemProbeHost system;
    FolderProbe probe(system);
    // The editor first: one probe, and the item the user needs when the rest are wrong.
    const std::string editor = EditorPath();
    const bool editEnabled = !editor.empty() && probe.looksPresent(editor, Found::File);

    HMENU sub = CreatePopupMenu();
    if (!sub) return E_FAIL;
    bool ok = true;
    unsigned offset = FirstFavouriteOffset;
    for (int i = 0; i < shown && ok; ++i) {
        const auto& f = favourites.rows[i];
        if (IsSeparator(f)) {
            ok = InsertSeparator(sub);
            continue;
        }
        // Stored as typed, %USERPROFILE% and all; gone to as the variables say now.
        std::string path = ui::ExpandEnvironment(f.second);
        ok = InsertItem(sub, idCmdFirst + offset, MenuLabel(f.first), probe.looksPresent(path));
        paths_.push_back(std::move(path));
        ++offset;
    }
    // In an Open or Save dialog, the folders open in Explorer follow, where ids remain.
    const size_t room = ids - FirstFavouriteOffset - paths_.size();
    if (ok && shown == favourites.rowCount() && room > 0 && InFileDialog(site_)) {
        const auto open = CollectOpenFolders(ShellFolderWindows(), paths_, kOpenFoldersBudgetMs,
                                             room < kMaxOpenFolders ? room : kMaxOpenFolders);
        if (!open.empty() && GetMenuItemCount(sub) > 0) ok = InsertSeparator(sub);
        for (size_t i = 0; i < open.size() && ok; ++i) {
            ok = InsertItem(sub, idCmdFirst + offset, MenuLabel(open[i]), true);
            paths_.push_back(open[i]);
            ++offset;
        }
    }
    // Past the host's id range the rest of the list is the editor's to show.
    moreShown_ = shown < favourites.rowCount();
    if (ok && moreShown_) ok = InsertItem(sub, idCmdFirst + MoreOffset, kMoreCaption, true);
    if (ok && GetMenuItemCount(sub) > 0) ok = InsertSeparator(sub);
    if (ok && !(chosenFolder_.empty() && chosenShortcut_.empty()))
        ok = InsertItem(sub, idCmdFirst + AddOffset, kAddCaption, true);
    if (ok) ok = InsertItem(sub, idCmdFirst + EditOffset, kEditCaption, editEnabled);

    std::wstring caption = ui::Widen(kMenuCaption);
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
    item.fType = MFT_STRING;
    item.wID = idCmdFirst + SubmenuOffset;
    item.hSubMenu = sub;
    item.dwTypeData = caption.data();
    if (!ok || !InsertMenuItemW(menu, index, TRUE, &item)) {
        DestroyMenu(sub);
        paths_.clear();
        moreShown_ = false;
        return E_FAIL;
    }
    // The picture is a nicety: a menu without it is still whole.
    if (!icon_) icon_ = IconBitmap();
    if (icon_) {
        MENUITEMINFOW pic{};
        pic.cbSize = sizeof pic;
        pic.fMask = MIIM_BITMAP;
        pic.hbmpItem = icon_;
        SetMenuItemInfoW(menu, idCmdFirst + SubmenuOffset, FALSE, &pic);
    }
    menuBuilt_ = true;
    return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, offset);
}

bool ContextMenu::validOffset(unsigned offset) const {
    if (!menuBuilt_) return false;
    switch (offset) {
    case SubmenuOffset: return false;
    case AddOffset: return !(chosenFolder_.empty() && chosenShortcut_.empty());
    case EditOffset: return true;
    case MoreOffset: return moreShown_;
    default: return offset - FirstFavouriteOffset < paths_.size();
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

std::string ContextMenu::helpTextOf(unsigned offset) const {
    switch (offset) {
    case AddOffset: return "Adds this folder to the Corvane favourites";
    case EditOffset:
    case MoreOffset: return "Starts Corvane to edit the favourites";
    default: return paths_[offset - FirstFavouriteOffset]; // where it goes, for the status bar
    }
}

bool ContextMenu::commandOffset(CMINVOKECOMMANDINFO* info, unsigned& offset) const {
    // A verb is a string unless it is an integer resource: on 64-bit a string's address
    // may have zeros in bits 16-31, which HIWORD would take for an offset.
    std::string verb;
    const bool unicode = info->cbSize >= sizeof(CMINVOKECOMMANDINFOEX) && (info->fMask & CMIC_MASK_UNICODE);
    const auto* ex = reinterpret_cast<const CMINVOKECOMMANDINFOEX*>(info);
    if (unicode ? IS_INTRESOURCE(ex->lpVerbW) : IS_INTRESOURCE(info->lpVerb)) {
        offset = LOWORD(reinterpret_cast<ULONG_PTR>(unicode ? static_cast<const void*>(ex->lpVerbW)
                                                            : static_cast<const void*>(info->lpVerb)));
        return validOffset(offset);
    }
    if (unicode) {
        for (const wchar_t* w = ex->lpVerbW; *w; ++w) {
            if (*w > 0x7F) return false; // our verbs are plain ASCII
            verb += static_cast<char>(*w);
        }
    } else {
        verb = info->lpVerb;
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
    Invocation how;
    how.owner = info->hwnd;
    how.ui = !(info->fMask & CMIC_MASK_FLAG_NO_UI);
    how.site = site_;
    switch (offset) {
    case AddOffset: {
        std::string folder = chosenFolder_;
        if (folder.empty()) {
            // A shortcut adds the folder it points to, and nothing else.
            folder = ui::ShortcutTarget(chosenShortcut_);
            if (folder.empty() || !ui::DirectoryExists(folder)) {
                Tell(how, "The shortcut \"" + chosenShortcut_ + "\" does not point to a folder, so it was not added.");
                return HRESULT_FROM_WIN32(ERROR_DIRECTORY);
            }
        }
        const std::string failure = AddFailureText(AddFolder(folder), folder);
        if (failure.empty()) return S_OK;
        Tell(how, failure);
        return E_FAIL;
    }
    case EditOffset:
    case MoreOffset: return StartEditor(how);
    default: return GoToFolder(how, paths_[offset - FirstFavouriteOffset]);
    }
}

STDMETHODIMP ContextMenu::GetCommandString(UINT_PTR idCmd, UINT type, UINT*, CHAR* name, UINT cchMax) {
    try {
        const bool ours = idCmd <= 0xFFFF && validOffset(static_cast<unsigned>(idCmd));
        if (type == GCS_VALIDATEA || type == GCS_VALIDATEW) return ours ? S_OK : S_FALSE;
        if (!ours) return E_INVALIDARG;
        const unsigned offset = static_cast<unsigned>(idCmd);
        switch (type) {
        case GCS_VERBA:
        case GCS_VERBW: {
            // A verb cut short would name another command: all of it or nothing.
            const std::string verb = verbOf(offset);
            if (!name || verb.size() >= cchMax) {
                if (name && cchMax)
                    type == GCS_VERBW ? void(*reinterpret_cast<wchar_t*>(name) = L'\0') : void(*name = '\0');
                return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
            }
            return (type == GCS_VERBW ? CopyWide(ui::Widen(verb), reinterpret_cast<wchar_t*>(name), cchMax)
                                      : CopyCodePage(verb, name, cchMax))
                       ? S_OK
                       : E_INVALIDARG;
        }
        case GCS_HELPTEXTW:
            return CopyWide(ui::Widen(helpTextOf(offset)), reinterpret_cast<wchar_t*>(name), cchMax) ? S_OK
                                                                                                     : E_INVALIDARG;
        case GCS_HELPTEXTA: {
            // In the host's code page; a path it cannot hold is left out rather than garbled.
            std::string text;
            if (!ui::ToCodePage(helpTextOf(offset), text)) ui::ToCodePage("Opens this favourite folder", text);
            return CopyCodePage(text, name, cchMax) ? S_OK : E_INVALIDARG;
        }
        default: return E_INVALIDARG;
        }
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
