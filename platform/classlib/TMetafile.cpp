// Metafile pictures: both formats are checked record by record before GDI sees
// them, so that a damaged length never leads a reader outside the data.
#include "TMetafile.h"

#include "TByteReader.h"
#include "TCanvas.h"

namespace {

const std::uint32_t kPlaceableKey = 0x9AC6CDD7;
const size_t kPlaceableSize = 22;
const size_t kEnhancedHeaderMin = 88;

// The enhanced metafile's records: each at least 8 bytes, a multiple of 4, inside
// the data, the last one EMR_EOF.
void CheckEnhancedRecords(const TByteReader& data, std::uint32_t total)
{
    size_t offset = 0;
    std::uint32_t type = 0;
    while (offset < total) {
        type = data.U32(offset);
        std::uint32_t size = data.U32(offset + 4);
        if (size < 8 || size % 4 != 0 || size > total - offset)
            data.Fail("record at offset " + std::to_string(offset) + " has an invalid size");
        offset += size;
    }
    if (type != EMR_EOF)
        data.Fail("has no end record");
}

// The Windows metafile's records (sizes in 16-bit words): each at least 3 words,
// inside the data, the last one the end record (function 0).
void CheckWindowsRecords(const TByteReader& data, size_t start, size_t total)
{
    size_t offset = start + 18;
    std::uint16_t function = 0xFFFF;
    while (offset < total) {
        std::uint32_t words = data.U32(offset);
        function = data.U16(offset + 4);
        if (words < 3 || words > (total - offset) / 2)
            data.Fail("record at offset " + std::to_string(offset) + " has an invalid size");
        offset += static_cast<size_t>(words) * 2;
        if (function == 0)
            break;
    }
    if (function != 0)
        data.Fail("has no end record");
}

} // namespace

void TMetafile::Adopt(TOwnedEnhMetaFile metafile, bool enhanced)
{
    ENHMETAHEADER header = {};
    if (GetEnhMetaFileHeader(metafile.Get(), sizeof(header), &header) == 0)
        throw EInvalidGraphic("Metafile has no readable header");
    int mmWidth = header.rclFrame.right - header.rclFrame.left;
    int mmHeight = header.rclFrame.bottom - header.rclFrame.top;
    TWindowDC screen(nullptr);
    int width = MulDiv(mmWidth, GetDeviceCaps(screen, LOGPIXELSX), 2540);
    int height = MulDiv(mmHeight, GetDeviceCaps(screen, LOGPIXELSY), 2540);
    CheckSize(width, height, "Metafile");
    handle_ = std::move(metafile);
    enhanced_ = enhanced;
    mmWidth_ = mmWidth;
    mmHeight_ = mmHeight;
    width_ = width;
    height_ = height;
    Changed();
}

void TMetafile::LoadFromStream(TStream& stream)
{
    std::vector<unsigned char> bytes = ReadAllBytes(stream, "Metafile");
    TByteReader data(bytes.data(), bytes.size(), "Metafile");

    if (data.Size() >= kEnhancedHeaderMin && data.U32(0) == EMR_HEADER && data.U32(40) == ENHMETA_SIGNATURE) {
        std::uint32_t total = data.U32(48);
        std::uint32_t headerSize = data.U32(4);
        if (total > data.Size())
            data.Fail("data is truncated");
        if (headerSize < kEnhancedHeaderMin || headerSize > total)
            data.Fail("header has an invalid size");
        CheckEnhancedRecords(data, total);
        TOwnedEnhMetaFile metafile(SetEnhMetaFileBits(total, bytes.data()));
        if (metafile.IsNull())
            data.Fail("data cannot be read");
        Adopt(std::move(metafile), true);
        return;
    }

    // A Windows metafile, perhaps led by the placeable header that gives its size.
    size_t start = 0;
    METAFILEPICT picture = {MM_ANISOTROPIC, 0, 0, nullptr};
    bool placeable = data.Size() >= 4 && data.U32(0) == kPlaceableKey;
    if (placeable) {
        int left = data.I16(6), top = data.I16(8), right = data.I16(10), bottom = data.I16(12);
        int inch = data.U16(14);
        if (inch == 0 || right <= left || bottom <= top)
            data.Fail("placeable header has an invalid frame");
        picture.xExt = MulDiv(right - left, 2540, inch);
        picture.yExt = MulDiv(bottom - top, 2540, inch);
        start = kPlaceableSize;
    }
    std::uint16_t type = data.U16(start);
    std::uint16_t headerWords = data.U16(start + 2);
    std::uint16_t version = data.U16(start + 4);
    if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x300 && version != 0x100))
        data.Fail("data is neither an enhanced nor a Windows metafile");
    std::uint64_t words = data.U32(start + 6);
    if (words * 2 > data.Size() - start || words < 9)
        data.Fail("data is truncated");
    size_t total = start + static_cast<size_t>(words) * 2;
    CheckWindowsRecords(data, start, total);
    TOwnedEnhMetaFile metafile(SetWinMetaFileBits(static_cast<UINT>(words * 2), bytes.data() + start, nullptr,
                                                  placeable ? &picture : nullptr));
    if (metafile.IsNull())
        data.Fail("data cannot be read");
    Adopt(std::move(metafile), false);
}

void TMetafile::Assign(TPersistent* source)
{
    if (source == nullptr) {
        handle_.Reset();
        width_ = height_ = mmWidth_ = mmHeight_ = 0;
        Changed();
        return;
    }
    auto* metafile = dynamic_cast<TMetafile*>(source);
    if (metafile == nullptr) {
        TGraphic::Assign(source);
        return;
    }
    if (metafile == this)
        return;
    if (metafile->handle_.IsNull()) {
        Assign(nullptr);
        return;
    }
    TOwnedEnhMetaFile copy(CopyEnhMetaFileA(metafile->handle_.Get(), nullptr));
    if (copy.IsNull())
        throw EOutOfMemory("Out of memory for a copy of a metafile");
    handle_ = std::move(copy);
    enhanced_ = metafile->enhanced_;
    width_ = metafile->width_;
    height_ = metafile->height_;
    mmWidth_ = metafile->mmWidth_;
    mmHeight_ = metafile->mmHeight_;
    SetTransparent(metafile->Transparent());
    Changed();
}

void TMetafile::Draw(TCanvas* canvas, const RECT& rect)
{
    if (handle_.IsNull())
        return;
    PlayEnhMetaFile(canvas->Handle(), handle_.Get(), &rect);
}
