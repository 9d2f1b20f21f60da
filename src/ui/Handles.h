// One owner object per Win32 handle: each wrapper frees its handle exactly once.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <utility>

namespace corvane::ui {

template <class H, class Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) reset(std::exchange(o.h_, Traits::invalid()));
        return *this;
    }
    ~UniqueHandle() { reset(); }

    H get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::invalid(); }
    H release() { return std::exchange(h_, Traits::invalid()); }
    void reset(H h = Traits::invalid()) {
        if (h_ != Traits::invalid()) Traits::close(h_);
        h_ = h;
    }

private:
    H h_ = Traits::invalid();
};

// Handles whose empty value is null; each traits type adds the call that frees one.
template <class H>
struct NullHandleTraits {
    static H invalid() { return nullptr; }
};
// Every GDI object (bitmap, brush, pen, font, region) is freed by DeleteObject.
template <class H>
struct GdiObjectTraits : NullHandleTraits<H> {
    static void close(H h) { DeleteObject(h); }
};
struct KeyTraits : NullHandleTraits<HKEY> {
    static void close(HKEY h) { RegCloseKey(h); }
};
struct MemDcTraits : NullHandleTraits<HDC> {
    static void close(HDC h) { DeleteDC(h); }
};
struct IconTraits : NullHandleTraits<HICON> {
    static void close(HICON h) { DestroyIcon(h); }
};
struct ImageListTraits : NullHandleTraits<HIMAGELIST> {
    static void close(HIMAGELIST h) { ImageList_Destroy(h); }
};
struct FileTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { CloseHandle(h); }
};

using KeyHandle = UniqueHandle<HKEY, KeyTraits>;
using GdiHandle = UniqueHandle<HGDIOBJ, GdiObjectTraits<HGDIOBJ>>;
using BitmapHandle = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using BrushHandle = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
using PenHandle = UniqueHandle<HPEN, GdiObjectTraits<HPEN>>;
using FontHandle = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using RegionHandle = UniqueHandle<HRGN, GdiObjectTraits<HRGN>>;
using MemDcHandle = UniqueHandle<HDC, MemDcTraits>;
using IconHandle = UniqueHandle<HICON, IconTraits>;
using ImageListHandle = UniqueHandle<HIMAGELIST, ImageListTraits>;
using FileHandle = UniqueHandle<HANDLE, FileTraits>;

// Selects a GDI object into a DC for one scope and puts the old one back.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~SelectObjectScope() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace corvane::ui
