// TBitmap: a device-independent bitmap (a DIB section, rows top-down) with its own
// canvas, a transparent colour and a change event; reads and writes the BMP
// file format.
#pragma once

#include "Colors.h"
#include "GdiHandles.h"
#include "TCanvas.h"
#include "TGraphic.h"

#include <memory>
#include <optional>
#include <string>

class TStream;

enum class TPixelFormat { pf24bit, pf32bit };
// tmAuto takes the transparent colour from the bottom-left pixel.
enum class TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    CLASSLIB_CLASS_NAME(TBitmap)
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    // Keeps the picture in the part that both sizes share; the rest starts black.
    void SetSize(int width, int height);
    TPixelFormat PixelFormat() const { return format_; }
    void SetPixelFormat(TPixelFormat format);

    TCanvas* Canvas();
    // The DIB section; null while the bitmap is empty.
    HBITMAP Handle() const { return dib_.Get(); }
    // The pixels of one row: 3 or 4 bytes each in blue, green, red order.
    void* ScanLine(int row);

    TColor TransparentColor();
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);

    void Assign(TPersistent* source) override;
    // Takes the picture of `source` without a copy; `source` is left empty.
    void TakePicture(TBitmap& source);
    // Takes a copy of the picture of a bitmap handle (which stays the caller's).
    void AssignHandle(HBITMAP bitmap);
    // Raise EInvalidGraphic naming what was missing; a failed load keeps the picture.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);
    void LoadFromResourceID(HINSTANCE instance, int id);
    // BMP data: 1, 4, 8, 16, 24 or 32 bits per pixel, uncompressed, run-length
    // encoded or with bit fields; the header of OS/2 or of any later version.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream);
    void SaveToFile(const std::string& fileName);
    std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TBitmap>(); }

protected:
    void Draw(TCanvas* canvas, const RECT& rect) override;

private:
    class TBitmapCanvas;
    HDC MemoryDC();
    void ReplaceDib(int width, int height, TPixelFormat format, bool keepPicture);
    void CanvasChanged(TObject* sender);

    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = TPixelFormat::pf32bit;
    TOwnedBitmap dib_;
    void* bits_ = nullptr;
    // Made on first use, with the DIB section selected; declared after the DIB so
    // that it lets the DIB go before the DIB is deleted.
    std::optional<TMemoryDC> memoryDC_;
    std::unique_ptr<TBitmapCanvas> canvas_;
    TColor transparentColor_ = clDefault;
    TTransparentMode transparentMode_ = TTransparentMode::tmAuto;
};
