// One owner for every Windows handle the runtime holds, so no path forgets a
// DestroyWindow, DeleteObject, FreeLibrary or FindClose, nor a ReleaseDC or
// EndPaint.
#pragma once

#include <windows.h>

#include <utility>

namespace tessaly {

template <class Handle, auto Destroy, Handle Empty = Handle{}>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Empty)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) reset(std::exchange(other.handle_, Empty));
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Empty; }
    Handle release() { return std::exchange(handle_, Empty); }
    void reset(Handle handle = Empty)
    {
        if (handle_ != Empty) Destroy(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Empty;
};

namespace detail {
inline void destroyWindow(HWND h) { DestroyWindow(h); }
inline void deleteObject(HGDIOBJ h) { DeleteObject(h); }
inline void destroyIcon(HICON h) { DestroyIcon(h); }
inline void destroyCursor(HCURSOR h) { DestroyCursor(h); }
inline void destroyMenu(HMENU h) { DestroyMenu(h); }
inline void destroyAccelerators(HACCEL h) { DestroyAcceleratorTable(h); }
inline void closeHandle(HANDLE h) { CloseHandle(h); }
inline void deleteDC(HDC h) { DeleteDC(h); }
inline void freeLibrary(HMODULE h) { FreeLibrary(h); }
inline void findClose(HANDLE h) { FindClose(h); }
}  // namespace detail

using UniqueWindow = UniqueHandle<HWND, &detail::destroyWindow>;
using UniqueFont = UniqueHandle<HFONT, &detail::deleteObject>;
using UniqueBrush = UniqueHandle<HBRUSH, &detail::deleteObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, &detail::deleteObject>;
using UniqueRegion = UniqueHandle<HRGN, &detail::deleteObject>;
using UniqueIcon = UniqueHandle<HICON, &detail::destroyIcon>;
using UniqueCursor = UniqueHandle<HCURSOR, &detail::destroyCursor>;
using UniqueMenu = UniqueHandle<HMENU, &detail::destroyMenu>;
using UniqueAccelerators = UniqueHandle<HACCEL, &detail::destroyAccelerators>;
// Memory device contexts from CreateCompatibleDC (not GetDC, which is released).
using UniqueMemoryDC = UniqueHandle<HDC, &detail::deleteDC>;
// Kernel handles that answer null on failure (not file handles, which answer INVALID_HANDLE_VALUE).
using UniqueKernelHandle = UniqueHandle<HANDLE, &detail::closeHandle>;
using UniqueModule = UniqueHandle<HMODULE, &detail::freeLibrary>;
// A file search; FindFirstFile's INVALID_HANDLE_VALUE is kept as none.
using UniqueFind = UniqueHandle<HANDLE, &detail::findClose>;
inline UniqueFind ownFind(HANDLE search) { return UniqueFind(search == INVALID_HANDLE_VALUE ? nullptr : search); }

// A window's device context from GetDC, released to its window.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC()
    {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A window's painting, from BeginPaint to EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(window_, &paint_); }
    HDC get() const { return dc_; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a device context for one scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace tessaly
