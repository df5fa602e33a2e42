// Owning and borrowing wrappers for GDI handles: created objects,
// enhanced metafiles and image lists, memory and window device contexts, objects
// selected into a context, saved context state.
#pragma once

#include "OwnedHandles.h" // TOwnedIcon

#include <windows.h>
#include <commctrl.h>

#include <utility>

// How each kind of owned handle is freed.
struct TDeleteGdiObject {
    static void Free(HGDIOBJ handle) { DeleteObject(handle); }
};
struct TDeleteEnhMetaFile {
    static void Free(HENHMETAFILE handle) { DeleteEnhMetaFile(handle); }
};
struct TDestroyImageList {
    static void Free(HIMAGELIST handle) { ImageList_Destroy(handle); }
};

// An owned GDI object (pen, brush, font, bitmap, region; or, with their own
// freeing, an enhanced metafile or an image list of the common
// controls), freed when it goes.
template <typename Handle, typename Freeing = TDeleteGdiObject>
class TGdiObject {
public:
    TGdiObject() = default;
    explicit TGdiObject(Handle handle) : handle_(handle) {}
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    TGdiObject(TGdiObject&& other) noexcept : handle_(other.Detach()) {}
    TGdiObject& operator=(TGdiObject&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    ~TGdiObject() { Reset(); }

    Handle Get() const { return handle_; }
    operator Handle() const { return handle_; }
    bool IsNull() const { return handle_ == nullptr; }
    void Reset(Handle handle = nullptr)
    {
        if (handle_ != nullptr)
            Freeing::Free(handle_);
        handle_ = handle;
    }
    [[nodiscard]] Handle Detach() { return std::exchange(handle_, nullptr); }

private:
    Handle handle_ = nullptr;
};

using TOwnedPen = TGdiObject<HPEN>;
using TOwnedBrush = TGdiObject<HBRUSH>;
using TOwnedFont = TGdiObject<HFONT>;
using TOwnedBitmap = TGdiObject<HBITMAP>;
using TOwnedRegion = TGdiObject<HRGN>;
using TOwnedEnhMetaFile = TGdiObject<HENHMETAFILE, TDeleteEnhMetaFile>;
using TOwnedImageList = TGdiObject<HIMAGELIST, TDestroyImageList>;

// A memory device context compatible with the screen (or with a given context).
class TMemoryDC {
public:
    explicit TMemoryDC(HDC compatible = nullptr) : dc_(CreateCompatibleDC(compatible)) {}
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    ~TMemoryDC()
    {
        if (dc_ != nullptr)
            DeleteDC(dc_);
    }
    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HDC dc_;
};

// The device context of a window's client area (or of the screen for a null
// window), or of the whole window with its frame, released when it goes.
enum class TWindowDCArea { Client, WholeWindow };
class TWindowDC {
public:
    explicit TWindowDC(HWND window, TWindowDCArea area = TWindowDCArea::Client)
        : window_(window), dc_(area == TWindowDCArea::Client ? GetDC(window) : GetWindowDC(window))
    {
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    ~TWindowDC()
    {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a context and puts the previous one back when it goes.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;
    ~TSelectObject()
    {
        if (previous_ != nullptr && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Saves the state of a context (origin, clip, selected objects) and restores it when it goes.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;
    ~TSavedDC()
    {
        if (saved_ != 0)
            RestoreDC(dc_, saved_);
    }

private:
    HDC dc_;
    int saved_;
};
