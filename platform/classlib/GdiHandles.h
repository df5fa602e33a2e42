// Owning and borrowing wrappers for GDI handles: created objects, image lists,
// memory and window device contexts, objects selected into a context, saved
// context state.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

// An owned GDI object (pen, brush, font, bitmap, region), deleted when it goes.
template <typename Handle>
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
            DeleteObject(handle_);
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

// An owned image list of the common controls, destroyed when it goes.
class TOwnedImageList {
public:
    TOwnedImageList() = default;
    explicit TOwnedImageList(HIMAGELIST list) : list_(list) {}
    TOwnedImageList(const TOwnedImageList&) = delete;
    TOwnedImageList& operator=(const TOwnedImageList&) = delete;
    ~TOwnedImageList() { Reset(); }

    HIMAGELIST Get() const { return list_; }
    bool IsNull() const { return list_ == nullptr; }
    void Reset(HIMAGELIST list = nullptr)
    {
        if (list_ != nullptr)
            ImageList_Destroy(list_);
        list_ = list;
    }
    [[nodiscard]] HIMAGELIST Detach() { return std::exchange(list_, nullptr); }

private:
    HIMAGELIST list_ = nullptr;
};

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

// The device context of a window (or of the screen for a null window), released when it goes.
class TWindowDC {
public:
    explicit TWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
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
