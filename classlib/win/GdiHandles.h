#pragma once
// Owners of GDI objects, icons, metafiles and device contexts, and the
// scope of an object selected into a context: whatever leaves a scope, by
// return or by exception, gives back what it took.

#include <windows.h>

#include <memory>
#include <type_traits>

#include "classlib/Exceptions.h"

namespace cl {

// Running out of GDI handles or memory for a device context or bitmap.
class EOutOfResources : public EOutOfMemory {
public:
    using EOutOfMemory::EOutOfMemory;
    const char* ClassName() const override { return "EOutOfResources"; }
};

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
struct DCDeleter {
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};
struct IconDeleter {
    void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};
struct EnhMetaFileDeleter {
    void operator()(HENHMETAFILE emf) const noexcept { DeleteEnhMetaFile(emf); }
};

template <class Handle, class Deleter>
using OwnedHandle = std::unique_ptr<std::remove_pointer_t<Handle>, Deleter>;

template <class Handle>
using OwnedGdiObject = OwnedHandle<Handle, GdiObjectDeleter>;
using OwnedBitmap = OwnedGdiObject<HBITMAP>;
using OwnedBrush = OwnedGdiObject<HBRUSH>;
using OwnedFont = OwnedGdiObject<HFONT>;
using OwnedPen = OwnedGdiObject<HPEN>;
using OwnedRegion = OwnedGdiObject<HRGN>;
// A context of CreateCompatibleDC, CreateDC or CreateIC.
using OwnedDC = OwnedHandle<HDC, DCDeleter>;
using OwnedIcon = OwnedHandle<HICON, IconDeleter>;
using OwnedEnhMetaFile = OwnedHandle<HENHMETAFILE, EnhMetaFileDeleter>;

// A window's context (GetDC, GetWindowDC, GetDCEx) released to the window;
// the window nullptr is the screen.  Empty when the system gave none.
class WindowDC {
public:
    explicit WindowDC(HWND wnd) noexcept : WindowDC(wnd, GetDC(wnd)) {}
    WindowDC(HWND wnd, HDC dc) noexcept : wnd_(wnd), dc_(dc) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(wnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND wnd_;
    HDC dc_;
};

// The screen's context; EOutOfResources when the system gives none.
class ScreenDC : public WindowDC {
public:
    ScreenDC() : WindowDC(nullptr) {
        if (!get()) throw EOutOfResources("Out of system resources");
    }
};

// An object selected into a context for the scope; what it replaced is
// selected back at the end.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A memory context like the screen with a bitmap selected while it lives;
// EOutOfResources when the system gives no context.
class MemoryDC {
public:
    explicit MemoryDC(HBITMAP bitmap)
        : dc_(Checked(CreateCompatibleDC(nullptr))), bitmap_(dc_.get(), bitmap) {}
    HDC get() const noexcept { return dc_.get(); }

private:
    static HDC Checked(HDC dc) {
        if (!dc) throw EOutOfResources("Out of system resources");
        return dc;
    }

    OwnedDC dc_;
    SelectedObject bitmap_;
};

}  // namespace cl
