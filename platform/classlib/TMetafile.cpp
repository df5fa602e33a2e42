// Metafile pictures: both formats are checked record by record before GDI sees
// them, so that a damaged length never leads a reader outside the data.
#include "TMetafile.h"

#include "MetafileRecords.h"
#include "TByteReader.h"
#include "TCanvas.h"

namespace {

const std::uint32_t kPlaceableKey = 0x9AC6CDD7;
const size_t kPlaceableSize = 22;
const size_t kEnhancedHeaderMin = 88;
// Room after the data handed to GDI, so that a reader that looks a few bytes
// past the end record finds zeros instead of the end of its copy.
const size_t kSlack = 64;

// The system may take an enhanced metafile out of a Windows one's comments as it
// stands, so what it made is checked like one read from data.
void CheckConverted(HENHMETAFILE metafile)
{
    UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
    std::vector<unsigned char> bytes(size);
    if (size == 0 || GetEnhMetaFileBits(metafile, size, bytes.data()) != size)
        throw EInvalidGraphic("Metafile cannot be converted");
    TByteReader data(bytes.data(), bytes.size(), "Metafile");
    if (data.Size() < kEnhancedHeaderMin || data.U32(48) > data.Size())
        data.Fail("converts to damaged data");
    MetafileRecords::CheckEnhanced(data, data.U32(48), data.U16(56));
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
    // The slack is read along, so that the data handed to GDI is this one copy.
    std::vector<unsigned char> bytes = ReadAllBytes(stream, "Metafile", kSlack);
    TByteReader data(bytes.data(), bytes.size() - kSlack, "Metafile");

    if (data.Size() >= kEnhancedHeaderMin && data.U32(0) == EMR_HEADER && data.U32(40) == ENHMETA_SIGNATURE) {
        std::uint32_t total = data.U32(48);
        std::uint32_t headerSize = data.U32(4);
        if (total > data.Size())
            data.Fail("data is truncated");
        if (headerSize < kEnhancedHeaderMin || headerSize > total)
            data.Fail("header has an invalid size");
        MetafileRecords::CheckEnhanced(data, total, data.U16(56));
        TOwnedEnhMetaFile metafile(SetEnhMetaFileBits(static_cast<UINT>(total + kSlack), bytes.data()));
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
    MetafileRecords::CheckWindows(data, start, total, data.U16(start + 10));
    TOwnedEnhMetaFile metafile(SetWinMetaFileBits(static_cast<UINT>(total - start + kSlack), bytes.data() + start,
                                                  nullptr, placeable ? &picture : nullptr));
    if (metafile.IsNull())
        data.Fail("data cannot be read");
    bytes = std::vector<unsigned char>();
    CheckConverted(metafile.Get());
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
