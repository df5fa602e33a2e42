// Device contexts and their state, each given back when its owner goes: memory
// contexts (with the objects selected into them put back first), window
// contexts of GetDC/GetWindowDC, the paint context of BeginPaint, one object
// selected for a while, a saved context state.
#pragma once

#include <windows.h>

#include <utility>

// A memory device context compatible with the screen (or with a given context).
// Objects chosen through Select are put out again before the context is deleted,
// so that a bitmap, font, pen or brush can be used or deleted afterwards.
class TMemoryDC {
public:
    explicit TMemoryDC(HDC compatible = nullptr) : dc_(CreateCompatibleDC(compatible)) {}
    TMemoryDC(TMemoryDC&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), bitmap_(std::exchange(other.bitmap_, nullptr)),
          font_(std::exchange(other.font_, nullptr)), pen_(std::exchange(other.pen_, nullptr)),
          brush_(std::exchange(other.brush_, nullptr))
    {
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    TMemoryDC& operator=(TMemoryDC&&) = delete;
    ~TMemoryDC()
    {
        if (dc_ == nullptr)
            return;
        DWORD error = GetLastError();
        for (HGDIOBJ original : {bitmap_, font_, pen_, brush_})
            if (original != nullptr)
                SelectObject(dc_, original);
        DeleteDC(dc_);
        SetLastError(error);
    }

    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }
    bool IsNull() const { return dc_ == nullptr; }

    // Selects `object` and remembers what the context first held of its kind;
    // answers the object it replaced, as SelectObject does.
    HGDIOBJ Select(HGDIOBJ object)
    {
        HGDIOBJ previous = SelectObject(dc_, object);
        if (previous == nullptr || previous == HGDI_ERROR)
            return previous;
        HGDIOBJ* original = OriginalSlot(GetObjectType(object));
        if (original != nullptr && *original == nullptr)
            *original = previous;
        return previous;
    }

private:
    HGDIOBJ* OriginalSlot(DWORD type)
    {
        switch (type) {
        case OBJ_BITMAP: return &bitmap_;
        case OBJ_FONT: return &font_;
        case OBJ_PEN:
        case OBJ_EXTPEN: return &pen_;
        case OBJ_BRUSH: return &brush_;
        default: return nullptr;
        }
    }

    HDC dc_;
    HGDIOBJ bitmap_ = nullptr;
    HGDIOBJ font_ = nullptr;
    HGDIOBJ pen_ = nullptr;
    HGDIOBJ brush_ = nullptr;
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
    // GetDCEx with these flags (DCX_CACHE, DCX_CLIPSIBLINGS, ...), no clip region.
    TWindowDC(HWND window, DWORD flags) : window_(window), dc_(GetDCEx(window, nullptr, flags)) {}
    TWindowDC(TWindowDC&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr))
    {
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    TWindowDC& operator=(TWindowDC&&) = delete;
    ~TWindowDC()
    {
        if (dc_ != nullptr) {
            DWORD error = GetLastError();
            ReleaseDC(window_, dc_);
            SetLastError(error);
        }
    }
    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }
    bool IsNull() const { return dc_ == nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint for a WM_PAINT, EndPaint when it goes, however the painting ends.
class TPaintDC {
public:
    explicit TPaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;
    ~TPaintDC()
    {
        if (dc_ != nullptr) {
            DWORD error = GetLastError();
            EndPaint(window_, &paint_);
            SetLastError(error);
        }
    }
    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }
    bool IsNull() const { return dc_ == nullptr; }
    const PAINTSTRUCT& Paint() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
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
