// Device-independent bitmaps with their own canvas.
#include "TBitmap.h"

#include "DibLayout.h"
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
    DibLayout::THeader dib = DibLayout::ReadHeader(data, kFileHeader, data.Size() - kFileHeader,
                                                   DibLayout::TColorTable::rgbQuads, "Bitmap");

    // Everything is read into a plain version-3 header, masks and palette, which GDI then decodes.
    long long width = dib.width, height = dib.height;
    unsigned bitCount = dib.bitCount;
    std::uint32_t compression = dib.compression;
    bool rle = dib.Compressed();
    std::uint32_t paletteCount = bitCount <= 8 ? dib.colors : 0;
    size_t entrySize = dib.entrySize;
    const unsigned char* palette = data.At(kFileHeader + dib.tableOffset, paletteCount * entrySize);
    const std::uint32_t* masks = dib.masks;

    std::uint32_t pixelOffset = data.U32(10);
    if (pixelOffset == 0)
        pixelOffset = static_cast<std::uint32_t>(kFileHeader + dib.infoBytes);
    if (pixelOffset >= data.Size())
        data.Fail("pixel data lies outside the data");
    size_t available = data.Size() - pixelOffset;
    long long rows = dib.Rows();
    if (!rle && dib.Stride() * static_cast<unsigned long long>(rows) > available)
        data.Fail("pixel data is truncated");

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
        std::memcpy(after, masks, sizeof(dib.masks));
        after += sizeof(dib.masks);
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
    transparentColor_ = clDefault;
    transparentMode_ = TTransparentMode::tmAuto;
    TakePicture(decoded);
}

void TBitmap::TakePicture(TBitmap& source)
{
    if (&source == this)
        return;
    GdiFlush();
    // Both DIBs leave their contexts before they change hands.
    if (canvas_ != nullptr)
        canvas_->SetHandle(nullptr);
    memoryDC_.reset();
    if (source.canvas_ != nullptr)
        source.canvas_->SetHandle(nullptr);
    source.memoryDC_.reset();
    dib_ = std::move(source.dib_);
    bits_ = source.bits_;
    width_ = source.width_;
    height_ = source.height_;
    format_ = source.format_;
    source.bits_ = nullptr;
    source.width_ = source.height_ = 0;
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
