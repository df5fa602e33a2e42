// Record checks of both metafile formats. Every record kind that GDI plays and
// that carries a count, an index, an offset or an embedded bitmap is checked
// against the record's size; kinds whose contents cannot be checked are refused.
// Records of kinds GDI does not play pass when their size is sound.
#include "MetafileRecords.h"

#include "DibLayout.h"

#include <windows.h>

#include <cstddef>

namespace MetafileRecords {
namespace {

// Record kinds the headers lack.
const std::uint32_t kDrawEscape = 105;
const std::uint32_t kExtEscape = 106;
const std::uint32_t kSmallTextOut = 108;
const std::uint32_t kNamedEscape = 110;
const std::uint32_t kPaletteIndices = 2; // DIB_PAL_INDICES: a bitmap without a colour table
const std::uint32_t kSetTextJustification = 120;

// One Windows metafile record: 16-bit parameters after its size and function.
class TWindowsRecord {
public:
    TWindowsRecord(const TByteReader& data, size_t offset, size_t words, unsigned function)
        : data_(data), offset_(offset), params_(words - 3), function_(function)
    {
    }
    size_t Params() const { return params_; }
    unsigned P(size_t index) const
    {
        Need(index + 1);
        return data_.U16(offset_ + 6 + 2 * index);
    }
    void Need(unsigned long long params) const
    {
        if (params > params_)
            Fail("is shorter than its contents");
    }
    size_t ParamOffset(size_t index) const { return offset_ + 6 + 2 * index; }
    [[noreturn]] void Fail(const std::string& what) const
    {
        data_.Fail("record of kind " + std::to_string(function_) + " at offset " + std::to_string(offset_) + " " + what);
    }

private:
    const TByteReader& data_;
    size_t offset_;
    size_t params_;
    unsigned function_;
};

// An old-style device-dependent bitmap inside a record, from parameter `first` on,
// its rows from parameter `bitsAt` on.
void CheckBitmap16(const TByteReader& data, const TWindowsRecord& record, size_t first, size_t bitsAt)
{
    record.Need(bitsAt);
    long long width = static_cast<std::int16_t>(record.P(first + 1));
    long long height = static_cast<std::int16_t>(record.P(first + 2));
    unsigned long long widthBytes = record.P(first + 3);
    size_t at = record.ParamOffset(first + 4);
    unsigned planes = data.U8(at), bits = data.U8(at + 1);
    TGraphic::CheckSize(width, height, "Embedded bitmap");
    if (planes != 1 || (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
        record.Fail("holds a bitmap of an unsupported format");
    unsigned long long rowBytes = ((static_cast<unsigned long long>(width) * bits + 15) / 16) * 2;
    if (widthBytes < rowBytes)
        record.Fail("holds a bitmap with too short rows");
    record.Need(bitsAt + (widthBytes * static_cast<unsigned long long>(height) + 1) / 2);
}

// A brush described by style, colour and hatch: the hatch of a pattern style
// would be taken for a handle or an address, so only solid, hollow and hatched
// brushes are taken.
bool PlainBrushStyle(std::uint32_t style) { return style == BS_SOLID || style == BS_NULL || style == BS_HATCHED; }

// A packed bitmap: players read its colour table as RGB quads or as palette
// indices, whichever the record (or their own reading of it) says; room for the
// larger one keeps every reading inside the record.
DibLayout::THeader CheckWindowsDib(const TByteReader& data, const TWindowsRecord& record, size_t first)
{
    record.Need(first);
    try {
        return DibLayout::CheckPacked(data, record.ParamOffset(first), 2 * (record.Params() - first),
                                      DibLayout::TColorTable::rgbQuads);
    } catch (const EInvalidGraphic& error) {
        record.Fail("holds a bitmap that does not fit: " + error.Message());
    }
}

// GDI's region framing reads outside its own memory for strokes of tens of
// thousands of units; sound pictures frame with a few.
const int kMaxFrameStroke = 4096;

template <typename Record>
void CheckFrameStroke(const Record& record, long long height, long long width)
{
    if (height > kMaxFrameStroke || height < -kMaxFrameStroke || width > kMaxFrameStroke || width < -kMaxFrameStroke)
        record.Fail("frames a region with a stroke of " + std::to_string(width) + " x " + std::to_string(height));
}

void CheckWindowsRecord(const TByteReader& data, const TWindowsRecord& record, unsigned function, unsigned objects)
{
    auto index = [&](size_t param) {
        if (record.P(param) >= objects)
            record.Fail("names an object outside the object table");
    };
    // Records that draw a bitmap carry it only when they are longer than the plain form.
    bool withBitmap = record.Params() > ((function >> 8) & 0xFF);
    switch (function) {
    case 0x012D: // SELECTOBJECT
    case 0x01F0: // DELETEOBJECT
    case 0x0234: // SELECTPALETTE
    case 0x012C: // SELECTCLIPREGION
    case 0x012A: // INVERTREGION
    case 0x012B: // PAINTREGION
        index(0);
        break;
    case 0x0228: // FILLREGION
        index(0);
        index(1);
        break;
    case 0x0429: // FRAMEREGION: region, brush, then the stroke's height and width
        index(0);
        index(1);
        CheckFrameStroke(record, static_cast<std::int16_t>(record.P(2)), static_cast<std::int16_t>(record.P(3)));
        break;
    case 0x0324: // POLYGON
    case 0x0325: // POLYLINE
        record.Need(1 + 2ULL * record.P(0));
        break;
    case 0x0538: { // POLYPOLYGON
        unsigned polygons = record.P(0);
        record.Need(1ULL + polygons);
        unsigned long long points = 0;
        for (unsigned i = 0; i < polygons; ++i)
            points += record.P(1 + i);
        record.Need(1ULL + polygons + 2 * points);
        break;
    }
    case 0x0521: // TEXTOUT
        record.Need(1 + (record.P(0) + 1ULL) / 2 + 2);
        break;
    case 0x0A32: { // EXTTEXTOUT
        unsigned count = record.P(2), options = record.P(3);
        unsigned long long rect = (options & (ETO_OPAQUE | ETO_CLIPPED)) ? 4 : 0;
        record.Need(4 + rect + (count + 1ULL) / 2);
        break;
    }
    case 0x00F7: // CREATEPALETTE
    case 0x0037: // SETPALENTRIES
    case 0x0436: // ANIMATEPALETTE
        record.Need(2 + 2ULL * record.P(1));
        break;
    case 0x06FF: { // CREATEREGION
        // The region object: next in chain, object type, object count (2 words),
        // region size, scan count, largest scan, bounds (4 words), then the scans:
        // each a count, top, bottom, that many coordinates and the count again.
        record.Need(11);
        unsigned scans = record.P(5);
        size_t at = 11;
        for (unsigned i = 0; i < scans; ++i) {
            unsigned count = record.P(at);
            if (count % 2 != 0)
                record.Fail("holds a region scan with an odd number of coordinates");
            record.Need(at + 4ULL + count);
            at += 4 + count;
        }
        break;
    }
    case 0x02FC: // CREATEBRUSHINDIRECT
        record.Need(4);
        if (!PlainBrushStyle(record.P(0)))
            record.Fail("makes a brush of an unsupported style");
        break;
    case 0x02FA: // CREATEPENINDIRECT
        record.Need(5);
        break;
    case 0x02FB: // CREATEFONTINDIRECT
        record.Need(9);
        break;
    case 0x0626: // ESCAPE
        record.Need(2 + (record.P(1) + 1ULL) / 2);
        break;
    case 0x0940: // DIBBITBLT
    case 0x0B41: // DIBSTRETCHBLT
        if (withBitmap)
            CheckWindowsDib(data, record, function == 0x0940 ? 8 : 10);
        break;
    case 0x0F43: // STRETCHDIB
        CheckWindowsDib(data, record, 11);
        break;
    case 0x0D33: { // SETDIBTODEV
        DibLayout::THeader header = CheckWindowsDib(data, record, 9);
        if (static_cast<long long>(record.P(1)) + record.P(2) > header.Rows())
            record.Fail("sets more scan lines than its bitmap holds");
        break;
    }
    case 0x0142: // DIBCREATEPATTERNBRUSH
        // Pattern and DIB pattern styles alike carry a packed DIB, as players read it.
        CheckWindowsDib(data, record, 2);
        break;
    case 0x01F9: // CREATEPATTERNBRUSH: a bitmap header of 7 words, 9 reserved words, the rows
        CheckBitmap16(data, record, 0, 16);
        break;
    case 0x0922: // BITBLT
    case 0x0B23: // STRETCHBLT
        if (withBitmap) {
            size_t first = function == 0x0922 ? 8 : 10;
            CheckBitmap16(data, record, first, first + 5);
        }
        break;
    default:
        break;
    }
}

// One enhanced metafile record: 32-bit fields after its type and size.
class TEnhancedRecord {
public:
    TEnhancedRecord(const TByteReader& data, size_t offset, size_t size, std::uint32_t type)
        : data_(data), offset_(offset), size_(size), type_(type)
    {
    }
    std::uint32_t U32(size_t at) const
    {
        Need(at + 4);
        return data_.U32(offset_ + at);
    }
    void Need(unsigned long long bytes) const
    {
        if (bytes > size_)
            Fail("is shorter than its contents");
    }
    // A part given by its offset and size inside the record.
    void NeedPart(std::uint32_t at, std::uint32_t count) const
    {
        if (at > size_ || count > size_ - at)
            Fail("points outside itself");
    }
    size_t Offset() const { return offset_; }
    [[noreturn]] void Fail(const std::string& what) const
    {
        data_.Fail("record of kind " + std::to_string(type_) + " at offset " + std::to_string(offset_) + " " + what);
    }

private:
    const TByteReader& data_;
    size_t offset_;
    size_t size_;
    std::uint32_t type_;
};

// A bitmap given by the offsets and sizes of its header and its rows (none when all four are 0:
// players look at either the offsets or the sizes to tell). Gives the number of rows (0 for none).
long long CheckEnhancedBitmap(const TByteReader& data, const TEnhancedRecord& record, size_t fields,
                              std::uint32_t usage)
{
    std::uint32_t offBmi = record.U32(fields), cbBmi = record.U32(fields + 4);
    std::uint32_t offBits = record.U32(fields + 8), cbBits = record.U32(fields + 12);
    if (offBmi == 0 && cbBmi == 0 && offBits == 0 && cbBits == 0)
        return 0;
    record.NeedPart(offBmi, cbBmi);
    record.NeedPart(offBits, cbBits);
    try {
        DibLayout::TColorTable table = usage == DIB_PAL_COLORS   ? DibLayout::TColorTable::paletteIndices
                                       : usage == kPaletteIndices ? DibLayout::TColorTable::none
                                                                  : DibLayout::TColorTable::rgbQuads;
        return DibLayout::Check(data, record.Offset() + offBmi, cbBmi, record.Offset() + offBits, cbBits, table)
            .Rows();
    } catch (const EInvalidGraphic& error) {
        record.Fail("holds a bitmap that does not fit: " + error.Message());
    }
}

// Region data of `bytes` at `at`: a 32-byte header of rectangles and its rectangles.
void CheckRegion(const TEnhancedRecord& record, size_t at, std::uint32_t bytes)
{
    record.NeedPart(static_cast<std::uint32_t>(at), bytes);
    if (bytes == 0)
        return;
    if (bytes < 32)
        record.Fail("holds a region that is too short");
    if (record.U32(at) != 32 || record.U32(at + 4) != RDH_RECTANGLES)
        record.Fail("holds a region with an invalid header");
    if (32 + 16ULL * record.U32(at + 8) > bytes)
        record.Fail("holds a region with more rectangles than it has room for");
}

// `count` items of `itemSize` bytes from `at` on lie inside the record.
void NeedItems(const TEnhancedRecord& record, unsigned long long at, std::uint32_t count, unsigned itemSize)
{
    record.Need(at + static_cast<unsigned long long>(count) * itemSize);
}

// Records of a fixed layout are at least as long as it: players read it whole.
struct TMinimum {
    std::uint32_t type, bytes;
};
const TMinimum kMinimums[] = {
    {EMR_POLYBEZIER, 28}, {EMR_POLYGON, 28}, {EMR_POLYLINE, 28}, {EMR_POLYBEZIERTO, 28}, {EMR_POLYLINETO, 28},
    {EMR_POLYPOLYLINE, 32}, {EMR_POLYPOLYGON, 32}, {EMR_SETWINDOWEXTEX, 16}, {EMR_SETWINDOWORGEX, 16},
    {EMR_SETVIEWPORTEXTEX, 16}, {EMR_SETVIEWPORTORGEX, 16}, {EMR_SETBRUSHORGEX, 16}, {EMR_SETPIXELV, 20},
    {EMR_SETMAPPERFLAGS, 12}, {EMR_SETMAPMODE, 12}, {EMR_SETBKMODE, 12}, {EMR_SETPOLYFILLMODE, 12},
    {EMR_SETROP2, 12}, {EMR_SETSTRETCHBLTMODE, 12}, {EMR_SETTEXTALIGN, 12}, {EMR_SETCOLORADJUSTMENT, 32},
    {EMR_SETTEXTCOLOR, 12}, {EMR_SETBKCOLOR, 12}, {EMR_OFFSETCLIPRGN, 16}, {EMR_MOVETOEX, 16},
    {EMR_EXCLUDECLIPRECT, 24}, {EMR_INTERSECTCLIPRECT, 24}, {EMR_SCALEVIEWPORTEXTEX, 24},
    {EMR_SCALEWINDOWEXTEX, 24}, {EMR_RESTOREDC, 12}, {EMR_SETWORLDTRANSFORM, 32},
    {EMR_MODIFYWORLDTRANSFORM, 36}, {EMR_SELECTOBJECT, 12}, {EMR_CREATEPEN, 28},
    {EMR_CREATEBRUSHINDIRECT, 24}, {EMR_DELETEOBJECT, 12}, {EMR_ANGLEARC, 28}, {EMR_ELLIPSE, 24},
    {EMR_RECTANGLE, 24}, {EMR_ROUNDRECT, 32}, {EMR_ARC, 40}, {EMR_CHORD, 40}, {EMR_PIE, 40},
    {EMR_SELECTPALETTE, 12}, {EMR_CREATEPALETTE, 16}, {EMR_SETPALETTEENTRIES, 20}, {EMR_RESIZEPALETTE, 16},
    {EMR_EXTFLOODFILL, 24}, {EMR_LINETO, 16}, {EMR_ARCTO, 40}, {EMR_POLYDRAW, 28}, {EMR_SETARCDIRECTION, 12},
    {EMR_SETMITERLIMIT, 12}, {EMR_FILLPATH, 24}, {EMR_STROKEANDFILLPATH, 24}, {EMR_STROKEPATH, 24},
    {EMR_SELECTCLIPPATH, 12}, {EMR_GDICOMMENT, 12}, {EMR_FILLRGN, 32}, {EMR_FRAMERGN, 40},
    {EMR_INVERTRGN, 28}, {EMR_PAINTRGN, 28}, {EMR_EXTSELECTCLIPRGN, 16}, {EMR_BITBLT, 100},
    {EMR_STRETCHBLT, 108}, {EMR_MASKBLT, 128}, {EMR_PLGBLT, 140}, {EMR_SETDIBITSTODEVICE, 76},
    {EMR_STRETCHDIBITS, 80}, {EMR_EXTCREATEFONTINDIRECTW, 12 + sizeof(LOGFONTW)}, {EMR_EXTTEXTOUTA, 76},
    {EMR_EXTTEXTOUTW, 76}, {EMR_POLYBEZIER16, 28}, {EMR_POLYGON16, 28}, {EMR_POLYLINE16, 28},
    {EMR_POLYBEZIERTO16, 28}, {EMR_POLYLINETO16, 28}, {EMR_POLYPOLYLINE16, 32}, {EMR_POLYPOLYGON16, 32},
    {EMR_POLYDRAW16, 28}, {EMR_CREATEMONOBRUSH, 32}, {EMR_CREATEDIBPATTERNBRUSHPT, 32}, {EMR_EXTCREATEPEN, 52},
    {EMR_SETICMMODE, 12}, {EMR_CREATECOLORSPACE, 12 + sizeof(LOGCOLORSPACEA)}, {EMR_SETCOLORSPACE, 12},
    {EMR_DELETECOLORSPACE, 12}, {EMR_GLSRECORD, 12}, {EMR_GLSBOUNDEDRECORD, 28}, {EMR_PIXELFORMAT, 48},
    {kDrawEscape, 16}, {kExtEscape, 16}, {kNamedEscape, 20}, {EMR_COLORCORRECTPALETTE, 24},
    {EMR_SETICMPROFILEA, 20}, {EMR_SETICMPROFILEW, 20}, {EMR_ALPHABLEND, 108}, {EMR_SETLAYOUT, 12},
    {EMR_TRANSPARENTBLT, 108}, {EMR_GRADIENTFILL, 36}, {kSetTextJustification, 16},
    {EMR_COLORMATCHTOTARGETW, 24}, {EMR_CREATECOLORSPACEW, 12 + sizeof(LOGCOLORSPACEW) + 8},
};

// Pens and fonts larger than any picture make GDI toil for minutes over a few lines.
void CheckExtent(const TEnhancedRecord& record, std::int32_t value, const char* what)
{
    if (value > TGraphic::kMaxSide || value < -TGraphic::kMaxSide)
        record.Fail(std::string("makes a ") + what + " of " + std::to_string(value) + " units");
}

void CheckEnhancedRecord(const TByteReader& data, const TEnhancedRecord& record, std::uint32_t type, unsigned handles)
{
    auto created = [&](size_t at) {
        std::uint32_t index = record.U32(at);
        if (index == 0 || index >= handles)
            record.Fail("makes an object outside the handle table");
    };
    // Only selecting may name a stock object (the top bit set); everything else
    // takes one of the table's objects, never entry 0, the metafile itself.
    auto used = [&](size_t at, bool stockAllowed) {
        std::uint32_t index = record.U32(at);
        if ((index & 0x80000000u) && stockAllowed)
            return;
        if (index == 0 || index >= handles)
            record.Fail("names an object outside the handle table");
    };
    for (const TMinimum& minimum : kMinimums)
        if (minimum.type == type)
            record.Need(minimum.bytes);
    switch (type) {
    case EMR_CREATEPEN: case EMR_CREATECOLORSPACE: case EMR_CREATECOLORSPACEW:
        created(8);
        if (type == EMR_CREATEPEN)
            CheckExtent(record, static_cast<std::int32_t>(record.U32(16)), "pen width");
        if (type == EMR_CREATECOLORSPACEW)
            record.Need(12 + sizeof(LOGCOLORSPACEW) + 8ULL + record.U32(12 + sizeof(LOGCOLORSPACEW) + 4));
        break;
    case EMR_CREATEBRUSHINDIRECT:
        created(8);
        if (!PlainBrushStyle(record.U32(12)))
            record.Fail("makes a brush of an unsupported style");
        break;
    case EMR_EXTCREATEFONTINDIRECTW: {
        created(8);
        CheckExtent(record, static_cast<std::int32_t>(record.U32(12)), "font height");
        CheckExtent(record, static_cast<std::int32_t>(record.U32(16)), "font width");
        // The face name: 32 wide characters, one of them the end.
        const size_t face = 12 + offsetof(LOGFONTW, lfFaceName);
        bool ended = false;
        for (size_t i = 0; i < LF_FACESIZE && !ended; ++i)
            ended = data.U16(record.Offset() + face + 2 * i) == 0;
        if (!ended)
            record.Fail("names a font without an end to its name");
        break;
    }
    case EMR_CREATEPALETTE:
        created(8);
        NeedItems(record, 16, record.U32(12) >> 16, 4);
        break;
    case EMR_CREATEMONOBRUSH: case EMR_CREATEDIBPATTERNBRUSHPT:
        created(8);
        CheckEnhancedBitmap(data, record, 16, record.U32(12));
        break;
    case EMR_EXTCREATEPEN:
        // The pen's brush: a pattern style's hatch would be taken for a handle or an address.
        created(8);
        if (!PlainBrushStyle(record.U32(36)))
            record.Fail("makes a pen with a brush of an unsupported style");
        CheckExtent(record, static_cast<std::int32_t>(record.U32(32)), "pen width");
        CheckEnhancedBitmap(data, record, 12, DIB_RGB_COLORS);
        NeedItems(record, 52, record.U32(48), 4);
        break;
    case EMR_SELECTOBJECT: case EMR_SELECTPALETTE:
        used(8, true);
        break;
    case EMR_DELETEOBJECT: case EMR_RESIZEPALETTE: case EMR_SETCOLORSPACE: case EMR_DELETECOLORSPACE:
    case EMR_COLORCORRECTPALETTE:
        used(8, false);
        break;
    case EMR_SETPALETTEENTRIES:
        used(8, false);
        NeedItems(record, 20, record.U32(16), 4);
        break;
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO: case EMR_POLYLINETO:
        NeedItems(record, 28, record.U32(24), 8);
        break;
    case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16: case EMR_POLYBEZIERTO16: case EMR_POLYLINETO16:
        NeedItems(record, 28, record.U32(24), 4);
        break;
    case EMR_POLYDRAW:
        NeedItems(record, 28, record.U32(24), 9);
        break;
    case EMR_POLYDRAW16:
        NeedItems(record, 28, record.U32(24), 5);
        break;
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16: {
        std::uint32_t polygons = record.U32(24), points = record.U32(28);
        unsigned pointSize = type == EMR_POLYPOLYLINE || type == EMR_POLYPOLYGON ? 8 : 4;
        NeedItems(record, 32, polygons, 4);
        NeedItems(record, 32 + 4ULL * polygons, points, pointSize);
        unsigned long long counted = 0;
        for (std::uint32_t i = 0; i < polygons; ++i)
            counted += record.U32(32 + 4 * static_cast<size_t>(i));
        if (counted > points)
            record.Fail("counts more points than it holds");
        break;
    }
    case EMR_GRADIENTFILL: {
        // Vertices of 16 bytes, then triangles of three or rectangles of two vertex indices.
        std::uint32_t vertices = record.U32(24), shapes = record.U32(28), mode = record.U32(32);
        if (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V && mode != GRADIENT_FILL_TRIANGLE)
            record.Fail("fills in an unknown mode");
        unsigned corners = mode == GRADIENT_FILL_TRIANGLE ? 3 : 2;
        NeedItems(record, 36, vertices, 16);
        unsigned long long first = 36 + 16ULL * vertices;
        NeedItems(record, first, shapes, 4 * corners);
        for (unsigned long long i = 0; i < static_cast<unsigned long long>(shapes) * corners; ++i)
            if (record.U32(static_cast<size_t>(first + 4 * i)) >= vertices)
                record.Fail("names a vertex it does not hold");
        break;
    }
    case EMR_EXTTEXTOUTA: case EMR_EXTTEXTOUTW: {
        std::uint32_t chars = record.U32(44), offString = record.U32(48), options = record.U32(52);
        std::uint32_t offDx = record.U32(72);
        unsigned long long charBytes = static_cast<unsigned long long>(chars) * (type == EMR_EXTTEXTOUTW ? 2 : 1);
        if (charBytes > 0xFFFFFFFFULL)
            record.Fail("holds too many characters");
        record.NeedPart(offString, static_cast<std::uint32_t>(charBytes));
        if (offDx != 0) {
            unsigned long long dx = 4ULL * chars * ((options & ETO_PDY) ? 2 : 1);
            if (dx > 0xFFFFFFFFULL)
                record.Fail("holds too many character widths");
            record.NeedPart(offDx, static_cast<std::uint32_t>(dx));
        }
        break;
    }
    case EMR_POLYTEXTOUTA: case EMR_POLYTEXTOUTW: case kSmallTextOut:
        record.Fail("is of a kind that is not supported");
    case EMR_BITBLT: case EMR_STRETCHBLT: case EMR_MASKBLT: case EMR_ALPHABLEND: case EMR_TRANSPARENTBLT:
        CheckEnhancedBitmap(data, record, 84, record.U32(80));
        if (type == EMR_MASKBLT)
            CheckEnhancedBitmap(data, record, 112, record.U32(108));
        break;
    case EMR_PLGBLT:
        CheckEnhancedBitmap(data, record, 96, record.U32(92));
        CheckEnhancedBitmap(data, record, 124, record.U32(120));
        break;
    case EMR_SETDIBITSTODEVICE: {
        long long rows = CheckEnhancedBitmap(data, record, 48, record.U32(64));
        if (static_cast<long long>(record.U32(68)) + record.U32(72) > rows)
            record.Fail("sets more scan lines than its bitmap holds");
        break;
    }
    case EMR_STRETCHDIBITS:
        CheckEnhancedBitmap(data, record, 48, record.U32(64));
        break;
    case EMR_EXTSELECTCLIPRGN:
        CheckRegion(record, 16, record.U32(8));
        break;
    case EMR_FILLRGN:
        used(28, false);
        CheckRegion(record, 32, record.U32(24));
        break;
    case EMR_FRAMERGN:
        used(28, false);
        CheckFrameStroke(record, static_cast<std::int32_t>(record.U32(36)), static_cast<std::int32_t>(record.U32(32)));
        CheckRegion(record, 40, record.U32(24));
        break;
    case EMR_INVERTRGN: case EMR_PAINTRGN:
        CheckRegion(record, 28, record.U32(24));
        break;
    case EMR_GDICOMMENT: case EMR_GLSRECORD:
        NeedItems(record, 12, record.U32(8), 1);
        break;
    case EMR_GLSBOUNDEDRECORD:
        NeedItems(record, 28, record.U32(24), 1);
        break;
    case kDrawEscape: case kExtEscape:
        NeedItems(record, 16, record.U32(12), 1);
        break;
    case kNamedEscape:
        record.Need(20ULL + record.U32(12) + record.U32(16));
        break;
    case EMR_SETICMPROFILEA: case EMR_SETICMPROFILEW:
        record.Need(20ULL + record.U32(12) + record.U32(16));
        break;
    case EMR_COLORMATCHTOTARGETW:
        record.Need(24ULL + record.U32(16) + record.U32(20));
        break;
    default:
        break;
    }
}

} // namespace

void CheckWindows(const TByteReader& data, size_t start, size_t end, unsigned objects)
{
    size_t offset = start + 18;
    unsigned function = 0xFFFF;
    while (offset < end) {
        std::uint32_t words = data.U32(offset);
        function = data.U16(offset + 4);
        if (words < 3 || words > (end - offset) / 2)
            data.Fail("record at offset " + std::to_string(offset) + " has an invalid size");
        if (function == 0)
            break;
        CheckWindowsRecord(data, TWindowsRecord(data, offset, words, function), function, objects);
        offset += static_cast<size_t>(words) * 2;
    }
    if (function != 0)
        data.Fail("has no end record");
}

void CheckEnhanced(const TByteReader& data, std::uint32_t total, unsigned handles)
{
    size_t offset = 0;
    std::uint32_t type = 0;
    while (offset < total) {
        type = data.U32(offset);
        std::uint32_t size = data.U32(offset + 4);
        if (size < 8 || size % 4 != 0 || size > total - offset)
            data.Fail("record at offset " + std::to_string(offset) + " has an invalid size");
        if (offset != 0)
            CheckEnhancedRecord(data, TEnhancedRecord(data, offset, size, type), type, handles);
        offset += size;
    }
    if (type != EMR_EOF)
        data.Fail("has no end record");
}

} // namespace MetafileRecords
