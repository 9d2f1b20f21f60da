// The Corvane menu's COM object: initialised by the shell with what was right-clicked,
// it adds the "Corvane" submenu of favourites and carries out the chosen command.
#pragma once
#include "menu/Commands.h"
#include <windows.h>
#include <shlobj.h>
#include <string>
#include <vector>

namespace corvane::menu {

class ContextMenu final : public IShellExtInit, public IContextMenu, public IObjectWithSite {
public:
    ContextMenu();
    ContextMenu(const ContextMenu&) = delete;
    ContextMenu& operator=(const ContextMenu&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IShellExtInit
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY progId) override;
    // IContextMenu
    STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT idCmdFirst, UINT idCmdLast, UINT flags) override;
    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
    STDMETHODIMP GetCommandString(UINT_PTR idCmd, UINT type, UINT* reserved, CHAR* name, UINT cchMax) override;
    // IObjectWithSite
    STDMETHODIMP SetSite(IUnknown* site) override;
    STDMETHODIMP GetSite(REFIID riid, void** ppv) override;

private:
    ~ContextMenu();
    HRESULT buildMenu(HMENU menu, UINT index, UINT idCmdFirst, UINT idCmdLast);
    HRESULT invoke(CMINVOKECOMMANDINFO* info);
    // The offset a verb or an offset names; false when it names none of the shown items.
    bool commandOffset(CMINVOKECOMMANDINFO* info, unsigned& offset) const;
    std::string verbOf(unsigned offset) const;
    std::string helpTextOf(unsigned offset) const;
    bool validOffset(unsigned offset) const;

    LONG refs_ = 1;
    IUnknown* site_ = nullptr;
    std::string chosenFolder_;       // the one folder or drive right-clicked, if any (UTF-8)
    std::string chosenShortcut_;     // or the one shortcut, read only when its command is chosen
    std::vector<std::string> paths_; // the shown favourites' folders, by offset from FirstFavouriteOffset
    bool menuBuilt_ = false;
    bool moreShown_ = false;
    HBITMAP icon_ = nullptr; // the submenu item's picture, kept while the menu may show
};

} // namespace corvane::menu
