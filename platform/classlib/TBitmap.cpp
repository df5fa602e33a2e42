// Device-independent bitmaps with their own canvas.
#include "TBitmap.h"

#include "Exception.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}

protected:
    void CreateHandle() override { SetHandle(bitmap_->MemoryDC()); }

private:
    TBitmap* bitmap_;
};

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap()
{
    if (canvas_ != nullptr)
        canvas_->SetHandle(nullptr);
    if (memoryDC_ != nullptr) {
        if (originalBitmap_ != nullptr)
            SelectObject(memoryDC_, originalBitmap_);
        DeleteDC(memoryDC_);
    }
}

HDC TBitmap::MemoryDC()
{
    if (memoryDC_ == nullptr) {
        memoryDC_ = CreateCompatibleDC(nullptr);
        if (!dib_.IsNull())
            originalBitmap_ = SelectObject(memoryDC_, dib_.Get());
    }
    return memoryDC_;
}

TCanvas* TBitmap::Canvas()
{
    if (canvas_ == nullptr) {
        canvas_ = std::make_unique<TBitmapCanvas>(this);
        canvas_->OnChange = TNotifyEvent(this, &TBitmap::CanvasChanged);
    }
    return canvas_.get();
}

void TBitmap::CanvasChanged(TObject*) { Changed(); }

void TBitmap::ReplaceDib(int width, int height, TPixelFormat format, bool keepPicture)
{
    if (width < 0 || height < 0)
        throw EInvalidGraphic("Bitmap size " + std::to_string(width) + " x " + std::to_string(height) + " is invalid");
    TOwnedBitmap fresh;
    void* freshBits = nullptr;
    if (width > 0 && height > 0) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // rows top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = format == TPixelFormat::pf32bit ? 32 : 24;
        info.bmiHeader.biCompression = BI_RGB;
        fresh.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &freshBits, nullptr, 0));
        if (fresh.IsNull())
            throw EOutOfMemory("Out of memory for a bitmap of " + std::to_string(width) + " x " +
                               std::to_string(height));
    }
    // Pen, brush and font leave the context before its bitmap changes.
    if (canvas_ != nullptr)
        canvas_->SetHandle(nullptr);
    if (keepPicture && !fresh.IsNull() && !dib_.IsNull()) {
        TMemoryDC target;
        TSelectObject selected(target, fresh.Get());
        BitBlt(target, 0, 0, std::min(width, width_), std::min(height, height_), MemoryDC(), 0, 0, SRCCOPY);
    }
    if (memoryDC_ != nullptr) {
        if (originalBitmap_ != nullptr)
            SelectObject(memoryDC_, originalBitmap_);
        originalBitmap_ = fresh.IsNull() ? nullptr : SelectObject(memoryDC_, fresh.Get());
    }
    dib_ = std::move(fresh);
    bits_ = freshBits;
    width_ = width;
    height_ = height;
    format_ = format;
}

void TBitmap::SetSize(int width, int height)
{
    if (width == width_ && height == height_)
        return;
    ReplaceDib(width, height, format_, true);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == format_)
        return;
    ReplaceDib(width_, height_, format, true);
    Changed();
}

void* TBitmap::ScanLine(int row)
{
    if (bits_ == nullptr || row < 0 || row >= height_)
        throw EInvalidGraphic("Scan line index " + std::to_string(row) + " out of range");
    GdiFlush();
    int bytesPerPixel = format_ == TPixelFormat::pf32bit ? 4 : 3;
    size_t stride = (static_cast<size_t>(width_) * bytesPerPixel + 3) & ~static_cast<size_t>(3);
    return static_cast<unsigned char*>(bits_) + stride * static_cast<size_t>(row);
}

TColor TBitmap::TransparentColor()
{
    if (transparentMode_ == TTransparentMode::tmFixed && transparentColor_ != clDefault)
        return transparentColor_;
    if (Empty())
        return clDefault;
    return static_cast<TColor>(GetPixel(MemoryDC(), 0, height_ - 1));
}

void TBitmap::SetTransparentColor(TColor color)
{
    if (color == transparentColor_ && transparentMode_ == TTransparentMode::tmFixed)
        return;
    transparentColor_ = color;
    transparentMode_ = color == clDefault ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode)
{
    if (mode == transparentMode_)
        return;
    transparentMode_ = mode;
    if (mode == TTransparentMode::tmAuto)
        transparentColor_ = clDefault;
    Changed();
}

void TBitmap::Assign(TPersistent* source)
{
    auto* bitmap = dynamic_cast<TBitmap*>(source);
    if (source == nullptr) {
        ReplaceDib(0, 0, format_, false);
        Changed();
        return;
    }
    if (bitmap == nullptr) {
        TGraphic::Assign(source);
        return;
    }
    if (bitmap == this)
        return;
    ReplaceDib(bitmap->width_, bitmap->height_, bitmap->format_, false);
    if (!bitmap->Empty())
        BitBlt(MemoryDC(), 0, 0, width_, height_, bitmap->MemoryDC(), 0, 0, SRCCOPY);
    transparentColor_ = bitmap->transparentColor_;
    transparentMode_ = bitmap->transparentMode_;
    SetTransparent(bitmap->Transparent());
    Changed();
}

void TBitmap::AssignHandle(HBITMAP handle)
{
    BITMAP info = {};
    if (handle == nullptr || GetObjectA(handle, sizeof(info), &info) == 0)
        throw EInvalidGraphic("Bitmap handle is invalid");
    ReplaceDib(info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight, format_, false);
    if (!Empty()) {
        TMemoryDC source;
        TSelectObject selected(source, handle);
        BitBlt(MemoryDC(), 0, 0, width_, height_, source, 0, 0, SRCCOPY);
    }
    Changed();
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name)
{
    TOwnedBitmap loaded(static_cast<HBITMAP>(LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (loaded.IsNull())
        throw EInvalidGraphic("Bitmap resource " + name + " not found");
    AssignHandle(loaded.Get());
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id)
{
    TOwnedBitmap loaded(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (loaded.IsNull())
        throw EInvalidGraphic("Bitmap resource " + std::to_string(id) + " not found");
    AssignHandle(loaded.Get());
}

void TBitmap::LoadFromFile(const std::string& fileName)
{
    TOwnedBitmap loaded(static_cast<HBITMAP>(
        LoadImageA(nullptr, fileName.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (loaded.IsNull())
        throw EInvalidGraphic("File " + fileName + " is not a bitmap");
    AssignHandle(loaded.Get());
}

void TBitmap::SaveToFile(const std::string& fileName)
{
    // Written bottom-up, the way every reader of the format takes it.
    int bytesPerPixel = format_ == TPixelFormat::pf32bit ? 4 : 3;
    DWORD stride = (static_cast<DWORD>(width_) * bytesPerPixel + 3) & ~3u;
    DWORD imageSize = stride * static_cast<DWORD>(height_);
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width_;
    header.biHeight = height_;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bytesPerPixel * 8);
    header.biCompression = BI_RGB;
    header.biSizeImage = imageSize;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + imageSize;
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    if (!out)
        throw EFCreateError("Cannot create file \"" + fileName + "\"");
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    for (int row = height_ - 1; row >= 0; --row)
        out.write(static_cast<const char*>(ScanLine(row)), static_cast<std::streamsize>(stride));
    if (!out)
        throw EWriteError("Cannot write file \"" + fileName + "\"");
}

void TBitmap::Draw(TCanvas* canvas, const RECT& rect)
{
    HDC target = canvas->Handle();
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (Transparent()) {
        TransparentBlt(target, rect.left, rect.top, width, height, MemoryDC(), 0, 0, width_, height_,
                       ColorToRGB(TransparentColor()) & 0xFFFFFF);
        return;
    }
    int previous = SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, rect.left, rect.top, width, height, MemoryDC(), 0, 0, width_, height_, canvas->CopyMode());
    SetStretchBltMode(target, previous);
}
