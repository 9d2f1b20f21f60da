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

struct KeyTraits { static HKEY invalid() { return nullptr; } static void close(HKEY h) { RegCloseKey(h); } };
struct GdiTraits { static HGDIOBJ invalid() { return nullptr; } static void close(HGDIOBJ h) { DeleteObject(h); } };
struct BitmapTraits { static HBITMAP invalid() { return nullptr; } static void close(HBITMAP h) { DeleteObject(h); } };
struct BrushTraits { static HBRUSH invalid() { return nullptr; } static void close(HBRUSH h) { DeleteObject(h); } };
struct PenTraits { static HPEN invalid() { return nullptr; } static void close(HPEN h) { DeleteObject(h); } };
struct FontTraits { static HFONT invalid() { return nullptr; } static void close(HFONT h) { DeleteObject(h); } };
struct RegionTraits { static HRGN invalid() { return nullptr; } static void close(HRGN h) { DeleteObject(h); } };
struct MemDcTraits { static HDC invalid() { return nullptr; } static void close(HDC h) { DeleteDC(h); } };
struct IconTraits { static HICON invalid() { return nullptr; } static void close(HICON h) { DestroyIcon(h); } };
struct ImageListTraits { static HIMAGELIST invalid() { return nullptr; } static void close(HIMAGELIST h) { ImageList_Destroy(h); } };
struct FileTraits { static HANDLE invalid() { return INVALID_HANDLE_VALUE; } static void close(HANDLE h) { CloseHandle(h); } };
struct WindowTraits { static HWND invalid() { return nullptr; } static void close(HWND h) { DestroyWindow(h); } };

using KeyHandle = UniqueHandle<HKEY, KeyTraits>;
using GdiHandle = UniqueHandle<HGDIOBJ, GdiTraits>;
using BitmapHandle = UniqueHandle<HBITMAP, BitmapTraits>;
using BrushHandle = UniqueHandle<HBRUSH, BrushTraits>;
using PenHandle = UniqueHandle<HPEN, PenTraits>;
using FontHandle = UniqueHandle<HFONT, FontTraits>;
using RegionHandle = UniqueHandle<HRGN, RegionTraits>;
using MemDcHandle = UniqueHandle<HDC, MemDcTraits>;
using IconHandle = UniqueHandle<HICON, IconTraits>;
using ImageListHandle = UniqueHandle<HIMAGELIST, ImageListTraits>;
using FileHandle = UniqueHandle<HANDLE, FileTraits>;

// Selects a GDI object into a DC for one scope and puts the old one back.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~SelectObjectScope() { if (old_) SelectObject(dc_, old_); }
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;
private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace corvane::ui
