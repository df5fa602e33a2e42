// Icon pictures: the directory and the chosen image are checked before the
// system builds the icon from the image's bytes.
#include "TIcon.h"

#include "DibLayout.h"
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
    // The stored height counts the colour rows and the mask rows.
    DibLayout::THeader header =
        DibLayout::ReadHeader(data, image.offset, image.size, DibLayout::TColorTable::rgbQuads, "Icon");
    if (header.compression != BI_RGB || header.bitCount == 16 || header.height <= 0 || header.height % 2 != 0)
        return false;
    long long height = header.height / 2;
    unsigned long long maskStride = ((static_cast<unsigned long long>(header.width) + 31) / 32) * 4;
    unsigned long long needed = header.infoBytes + (header.Stride() + maskStride) * static_cast<unsigned long long>(height);
    if (needed > image.size)
        data.Fail("image data is truncated");
    image.width = static_cast<int>(header.width);
    image.height = static_cast<int>(height);
    image.bitCount = static_cast<int>(header.bitCount);
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
