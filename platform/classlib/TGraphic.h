// TGraphic: the common base of pictures that a canvas can draw (bitmaps,
// metafiles, icons, JPEG images). Pictures come from untrusted bytes: every
// reader checks sizes before it allocates and raises EInvalidGraphic on damage.
#pragma once

#include "Closure.h"
#include "Exception.h"
#include "StoreChanged.h"
#include "TComponent.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class TCanvas;
class TStream;

CLASSLIB_EXCEPTION(EInvalidGraphic, Exception);

class TGraphic : public TPersistent {
public:
    CLASSLIB_CLASS_NAME(TGraphic)

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value)
    {
        if (!StoreChanged(transparent_, value))
            return;
        Changed();
    }

    // Reads the picture from the stream's position to its end; damage raises
    // EInvalidGraphic and keeps the picture as it was.
    virtual void LoadFromStream(TStream& stream) = 0;
    void LoadFromFile(const std::string& fileName);
    // An empty picture of the same class (the class reference of a picture).
    virtual std::unique_ptr<TGraphic> NewOfSameClass() const = 0;

    TNotifyEvent OnChange;

    // The largest picture any reader accepts, so that a damaged size never
    // becomes a huge allocation.
    static constexpr int kMaxSide = 32767;
    static constexpr long long kMaxPixels = 1LL << 26;
    // Raises EInvalidGraphic unless both sides are positive and within the limits.
    static void CheckSize(long long width, long long height, const char* kind);

protected:
    friend class TCanvas;
    // Draws the picture stretched into the rectangle of the canvas.
    virtual void Draw(TCanvas* canvas, const RECT& rect) = 0;
    virtual void Changed()
    {
        if (OnChange)
            OnChange(this);
    }
    // The bytes from the stream's position to its end (at most 256 MiB), followed
    // by `slack` zeros.
    static std::vector<unsigned char> ReadAllBytes(TStream& stream, const char* kind, size_t slack = 0);

private:
    bool transparent_ = false;
};

// A picture class: makes an empty picture of that class.
using TGraphicClass = std::unique_ptr<TGraphic> (*)();
