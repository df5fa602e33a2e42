// Device-independent bitmaps with their own canvas.
#include "TBitmap.h"

#include "Exception.h"
#include "StoreChanged.h"
#include "TByteReader.h"
#include "TFileStream.h"

#include <algorithm>
#include <cstring>
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
}

HDC TBitmap::MemoryDC()
{
    if (!memoryDC_) {
        memoryDC_.emplace();
        if (!dib_.IsNull())
            memoryDC_->Select(dib_.Get());
    }
    return memoryDC_->Get();
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
    if (memoryDC_) {
        // The old DIB leaves the context before it is deleted: replaced by the new
        // one, or, with no new one, together with the context, made again when needed.
        if (fresh.IsNull())
            memoryDC_.reset();
        else
            memoryDC_->Select(fresh.Get());
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
    if (!StoreChanged(transparentMode_, mode))
        return;
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

void TBitmap::LoadFromStream(TStream& stream)
{
    std::vector<unsigned char> bytes = ReadAllBytes(stream, "Bitmap");
    TByteReader data(bytes.data(), bytes.size(), "Bitmap");
    const size_t kFileHeader = 14;
    if (data.Size() < kFileHeader + 12 || data.U16(0) != 0x4D42)
        data.Fail("data has no bitmap file header");
    std::uint32_t headerSize = data.U32(kFileHeader);
    bool core = headerSize == 12;
    if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 && headerSize != 124)
        data.Fail("header of " + std::to_string(headerSize) + " bytes is not supported");
    data.Require(kFileHeader, headerSize);

    // Everything is read into a plain version-3 header, masks and palette, which GDI then decodes.
    long long width, height;
    unsigned bitCount;
    std::uint32_t compression = BI_RGB, colorsUsed = 0;
    if (core) {
        width = data.U16(kFileHeader + 4);
        height = data.U16(kFileHeader + 6);
        bitCount = data.U16(kFileHeader + 10);
    } else {
        width = data.I32(kFileHeader + 4);
        height = data.I32(kFileHeader + 8);
        bitCount = data.U16(kFileHeader + 14);
        compression = data.U32(kFileHeader + 16);
        colorsUsed = data.U32(kFileHeader + 32);
    }
    bool topDown = height < 0;
    CheckSize(width, topDown ? -height : height, "Bitmap");
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        data.Fail("of " + std::to_string(bitCount) + " bits per pixel is not supported");
    bool rle = compression == BI_RLE8 || compression == BI_RLE4;
    if (!(compression == BI_RGB || (compression == BI_RLE8 && bitCount == 8) ||
          (compression == BI_RLE4 && bitCount == 4) ||
          (compression == BI_BITFIELDS && (bitCount == 16 || bitCount == 32))))
        data.Fail("compression " + std::to_string(compression) + " is not supported");
    if (rle && topDown)
        data.Fail("is compressed and top-down, which is not allowed");

    size_t position = kFileHeader + headerSize;
    std::uint32_t masks[3] = {};
    if (compression == BI_BITFIELDS) {
        size_t maskAt = headerSize == 40 ? position : kFileHeader + 40;
        for (int i = 0; i < 3; ++i)
            masks[i] = data.U32(maskAt + 4 * static_cast<size_t>(i));
        if (headerSize == 40)
            position += 12;
    }
    std::uint32_t paletteCount = 0;
    if (bitCount <= 8) {
        std::uint32_t most = 1u << bitCount;
        if (colorsUsed > most)
            data.Fail("palette of " + std::to_string(colorsUsed) + " colours is too large");
        paletteCount = colorsUsed != 0 ? colorsUsed : most;
    }
    size_t entrySize = core ? 3 : 4;
    const unsigned char* palette = data.At(position, paletteCount * entrySize);

    std::uint32_t pixelOffset = data.U32(10);
    if (pixelOffset == 0)
        pixelOffset = static_cast<std::uint32_t>(position + paletteCount * entrySize);
    if (pixelOffset >= data.Size())
        data.Fail("pixel data lies outside the data");
    size_t available = data.Size() - pixelOffset;
    long long rows = topDown ? -height : height;
    if (!rle) {
        unsigned long long stride = ((static_cast<unsigned long long>(width) * bitCount + 31) / 32) * 4;
        if (stride * static_cast<unsigned long long>(rows) > available)
            data.Fail("pixel data is truncated");
    }

    std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + 3 * sizeof(DWORD) + 256 * sizeof(RGBQUAD));
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = static_cast<LONG>(width);
    header->biHeight = static_cast<LONG>(height);
    header->biPlanes = 1;
    header->biBitCount = static_cast<WORD>(bitCount);
    header->biCompression = compression;
    header->biSizeImage = rle ? static_cast<DWORD>(available) : 0;
    header->biClrUsed = paletteCount;
    unsigned char* after = info.data() + sizeof(BITMAPINFOHEADER);
    if (compression == BI_BITFIELDS) {
        std::memcpy(after, masks, sizeof(masks));
        after += sizeof(masks);
    }
    auto* colors = reinterpret_cast<RGBQUAD*>(after);
    for (std::uint32_t i = 0; i < paletteCount; ++i) {
        const unsigned char* entry = palette + i * entrySize;
        colors[i] = RGBQUAD{entry[0], entry[1], entry[2], 0};
    }

    TBitmap decoded(static_cast<int>(width), static_cast<int>(rows));
    int lines = StretchDIBits(decoded.MemoryDC(), 0, 0, decoded.width_, decoded.height_, 0, 0, decoded.width_,
                              decoded.height_, bytes.data() + pixelOffset,
                              reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
    if (lines == 0 || lines == static_cast<int>(GDI_ERROR))
        data.Fail("pixel data cannot be decoded");
    GdiFlush();
    transparentColor_ = clDefault;
    transparentMode_ = TTransparentMode::tmAuto;
    ReplaceDib(decoded.width_, decoded.height_, decoded.format_, false);
    BitBlt(MemoryDC(), 0, 0, width_, height_, decoded.MemoryDC(), 0, 0, SRCCOPY);
    Changed();
}

void TBitmap::SaveToFile(const std::string& fileName)
{
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

void TBitmap::SaveToStream(TStream& stream)
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
    stream.WriteBuffer(&file, sizeof(file));
    stream.WriteBuffer(&header, sizeof(header));
    for (int row = height_ - 1; row >= 0; --row)
        stream.WriteBuffer(ScanLine(row), stride);
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
