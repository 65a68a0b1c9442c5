#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <type_traits>
#include <utility>

// Owners of GDI, kernel, window, menu, image list and memory handles. Each frees what it holds when
// it goes; no other file frees a handle by hand.
namespace Vorlune {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;
using OwnedBitmap = GdiObject<HBITMAP>;
using OwnedBrush = GdiObject<HBRUSH>;
using OwnedRegion = GdiObject<HRGN>;

struct MemoryDCDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using OwnedDC = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDCDeleter>;

// A handle that closer ends. Null and INVALID_HANDLE_VALUE hold nothing.
template <class Closer>
class ClosedHandle {
public:
    explicit ClosedHandle(HANDLE handle = nullptr) : handle_(handle) {}
    ~ClosedHandle() { Close(); }
    ClosedHandle(ClosedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    ClosedHandle& operator=(ClosedHandle&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    HANDLE get() const { return handle_; }
    bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    // Closes now. False when the close fails: for a file, its last writes may be lost.
    bool Close() {
        if (!Valid()) return true;
        return Closer()(std::exchange(handle_, nullptr));
    }

private:
    HANDLE handle_;
};

struct KernelCloser {
    bool operator()(HANDLE handle) const { return CloseHandle(handle) != FALSE; }
};
// A kernel handle: an event, a process, a file.
using KernelHandle = ClosedHandle<KernelCloser>;

struct FindCloser {
    bool operator()(HANDLE find) const { return FindClose(find) != FALSE; }
};
// A search of FindFirstFileW.
using FindHandle = ClosedHandle<FindCloser>;

struct WindowDeleter {
    // The window may be gone already: destroying its owner destroys it too.
    void operator()(HWND window) const {
        if (IsWindow(window)) DestroyWindow(window);
    }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

struct ImageListDeleter {
    void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
using OwnedImageList = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;

struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using OwnedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

struct GlobalDeleter {
    void operator()(HGLOBAL block) const { GlobalFree(block); }
};
// A global memory block, owned until the clipboard takes it.
using OwnedGlobal = std::unique_ptr<void, GlobalDeleter>;

// A memory DC with its bitmap selected into it, compatible with the screen. The DC goes
// first: a bitmap still selected into a DC cannot be deleted.
class MemorySurface {
public:
    MemorySurface() = default;
    // Takes bitmap; the DC is made even when bitmap is null, and holds it only when both exist.
    explicit MemorySurface(HBITMAP bitmap) : bitmap_(bitmap), dc_(CreateCompatibleDC(nullptr)) {
        if (dc_ && bitmap_) SelectObject(dc_.get(), bitmap_.get());
    }
    MemorySurface(MemorySurface&&) noexcept = default;
    MemorySurface& operator=(MemorySurface&& other) noexcept {
        dc_.reset();
        bitmap_ = std::move(other.bitmap_);
        dc_ = std::move(other.dc_);
        return *this;
    }

    HDC dc() const { return dc_.get(); }
    HBITMAP bitmap() const { return bitmap_.get(); }
    explicit operator bool() const { return dc_ && bitmap_; }

private:
    OwnedBitmap bitmap_;
    OwnedDC dc_;  // declared last, so destroyed first
};

// Selects object into dc for the scope and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectGuard() {
        if (dc_ != nullptr && previous_ != nullptr) SelectObject(dc_, previous_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// GetDC of window, of the whole screen when window is null; released when it goes.
class ScreenDC {
public:
    explicit ScreenDC(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
    ~ScreenDC() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace Vorlune
