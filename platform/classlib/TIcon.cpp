// Icon pictures: the directory and the chosen image are checked before the
// system builds the icon from the image's bytes.
#include "TIcon.h"

#include "TByteReader.h"
#include "TCanvas.h"

namespace {

const size_t kDirectorySize = 6;
const size_t kEntrySize = 16;

struct TIconImage {
    size_t offset = 0;
    size_t size = 0;
    int width = 0, height = 0, bitCount = 0;
};

// Checks that the image is a bitmap whose colour and mask rows fit in its bytes
// (images in other formats, such as PNG, are not taken).
bool ReadImageHeader(const TByteReader& data, TIconImage& image)
{
    if (image.size < sizeof(BITMAPINFOHEADER) || data.U32(image.offset) != sizeof(BITMAPINFOHEADER))
        return false;
    long long width = data.I32(image.offset + 4);
    long long doubled = data.I32(image.offset + 8); // colour rows and mask rows
    unsigned bitCount = data.U16(image.offset + 14);
    std::uint32_t compression = data.U32(image.offset + 16);
    std::uint32_t colorsUsed = data.U32(image.offset + 32);
    if (compression != BI_RGB || doubled <= 0 || doubled % 2 != 0)
        return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return false;
    long long height = doubled / 2;
    TGraphic::CheckSize(width, height, "Icon");
    unsigned long long palette = bitCount <= 8 ? (colorsUsed != 0 ? colorsUsed : 1u << bitCount) : 0;
    if (bitCount <= 8 && palette > (1u << bitCount))
        return false;
    unsigned long long colorStride = ((static_cast<unsigned long long>(width) * bitCount + 31) / 32) * 4;
    unsigned long long maskStride = ((static_cast<unsigned long long>(width) + 31) / 32) * 4;
    unsigned long long needed = sizeof(BITMAPINFOHEADER) + palette * 4 + (colorStride + maskStride) * height;
    if (needed > image.size)
        data.Fail("image data is truncated");
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.bitCount = static_cast<int>(bitCount);
    return true;
}

} // namespace

void TIcon::LoadFromStream(TStream& stream)
{
    std::vector<unsigned char> bytes = ReadAllBytes(stream, "Icon");
    TByteReader data(bytes.data(), bytes.size(), "Icon");
    if (data.Size() < kDirectorySize || data.U16(0) != 0 || data.U16(2) != 1)
        data.Fail("data is not an icon file");
    unsigned count = data.U16(4);
    if (count == 0)
        data.Fail("file holds no image");
    data.Require(kDirectorySize, count * kEntrySize);

    TIconImage best;
    for (unsigned i = 0; i < count; ++i) {
        size_t entry = kDirectorySize + i * kEntrySize;
        TIconImage image;
        image.size = data.U32(entry + 8);
        image.offset = data.U32(entry + 12);
        data.Require(image.offset, image.size);
        if (!ReadImageHeader(data, image))
            continue;
        long long area = static_cast<long long>(image.width) * image.height;
        long long bestArea = static_cast<long long>(best.width) * best.height;
        if (area > bestArea || (area == bestArea && image.bitCount > best.bitCount))
            best = image;
    }
    if (best.size == 0)
        data.Fail("file holds no image in a supported format");

    TOwnedIcon icon(CreateIconFromResourceEx(const_cast<unsigned char*>(data.At(best.offset, best.size)),
                                             static_cast<DWORD>(best.size), TRUE, 0x00030000, best.width,
                                             best.height, LR_DEFAULTCOLOR));
    if (icon.IsNull())
        data.Fail("image cannot be read");
    handle_ = std::move(icon);
    width_ = best.width;
    height_ = best.height;
    Changed();
}

void TIcon::Assign(TPersistent* source)
{
    if (source == nullptr) {
        handle_.Reset();
        width_ = height_ = 0;
        Changed();
        return;
    }
    auto* icon = dynamic_cast<TIcon*>(source);
    if (icon == nullptr) {
        TGraphic::Assign(source);
        return;
    }
    if (icon == this)
        return;
    if (icon->handle_.IsNull()) {
        Assign(nullptr);
        return;
    }
    TOwnedIcon copy(CopyIcon(icon->handle_.Get()));
    if (copy.IsNull())
        throw EOutOfMemory("Out of memory for a copy of an icon");
    handle_ = std::move(copy);
    width_ = icon->width_;
    height_ = icon->height_;
    Changed();
}

void TIcon::Draw(TCanvas* canvas, const RECT& rect)
{
    if (handle_.IsNull())
        return;
    DrawIconEx(canvas->Handle(), rect.left, rect.top, handle_.Get(), rect.right - rect.left, rect.bottom - rect.top, 0,
               nullptr, DI_NORMAL);
}
