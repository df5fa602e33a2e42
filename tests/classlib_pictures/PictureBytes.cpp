// Picture files made at run time for the picture tests.
#include "PictureBytes.h"

#include "OwnedDC.h"
#include "OwnedGdi.h"
#include "OwnedMetaFile.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

void PutU16(std::string& bytes, size_t offset, unsigned value)
{
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void PutU32(std::string& bytes, size_t offset, unsigned long value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

namespace {
std::string Zeros(size_t count) { return std::string(count, '\0'); }
}

std::unique_ptr<TBitmap> RenderOnWhite(TGraphic& graphic, int width, int height)
{
    auto canvas = std::make_unique<TBitmap>(width, height);
    canvas->Canvas()->Brush()->SetColor(clWhite);
    canvas->Canvas()->FillRect(RECT{0, 0, width, height});
    canvas->Canvas()->StretchDraw(RECT{0, 0, width, height}, &graphic);
    return canvas;
}

std::string MakeBmp(int width, int height, int bitCount, TColor left, TColor right)
{
    int rows = height < 0 ? -height : height;
    size_t paletteCount = bitCount <= 8 ? 2 : 0;
    size_t stride = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
    size_t offset = 14 + 40 + paletteCount * 4;
    std::string bytes = Zeros(offset + stride * static_cast<size_t>(rows));
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutU32(bytes, 2, static_cast<unsigned long>(bytes.size()));
    PutU32(bytes, 10, static_cast<unsigned long>(offset));
    PutU32(bytes, 14, 40);
    PutU32(bytes, 18, static_cast<unsigned long>(width));
    PutU32(bytes, 22, static_cast<unsigned long>(height));
    PutU16(bytes, 26, 1);
    PutU16(bytes, 28, static_cast<unsigned>(bitCount));
    if (paletteCount != 0) {
        PutU32(bytes, 46, static_cast<unsigned long>(paletteCount));
        // Palette entries are blue, green, red, 0: a COLORREF with red and blue swapped.
        PutU32(bytes, 54, (GetRValue(left) << 16) | (GetGValue(left) << 8) | GetBValue(left));
        PutU32(bytes, 58, (GetRValue(right) << 16) | (GetGValue(right) << 8) | GetBValue(right));
    }
    for (int y = 0; y < rows; ++y) {
        size_t row = offset + stride * static_cast<size_t>(y);
        for (int x = 0; x < width; ++x) {
            bool isRight = x >= width / 2;
            TColor c = isRight ? right : left;
            switch (bitCount) {
            case 1:
                if (isRight)
                    bytes[row + static_cast<size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
                break;
            case 8: bytes[row + static_cast<size_t>(x)] = isRight ? 1 : 0; break;
            default: {
                size_t at = row + static_cast<size_t>(x) * static_cast<size_t>(bitCount / 8);
                bytes[at] = static_cast<char>(GetBValue(c));
                bytes[at + 1] = static_cast<char>(GetGValue(c));
                bytes[at + 2] = static_cast<char>(GetRValue(c));
                break;
            }
            }
        }
    }
    return bytes;
}

std::string MakeJpeg(int width, int height, TColor left, TColor right, bool grayscale)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = grayscale ? 1 : 3;
    info.in_color_space = grayscale ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x) {
            TColor c = x >= width / 2 ? right : left;
            if (grayscale) {
                row[static_cast<size_t>(x)] = GetRValue(c);
            } else {
                row[static_cast<size_t>(x) * 3] = GetRValue(c);
                row[static_cast<size_t>(x) * 3 + 1] = GetGValue(c);
                row[static_cast<size_t>(x) * 3 + 2] = GetBValue(c);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&info);
    free(buffer);
    return bytes;
}

std::string MakeWmf(int width, int height, TColor color, bool placeable)
{
    HDC dc = CreateMetaFileA(nullptr);
    TOwnedBrush brush(CreateSolidBrush(color));
    RECT r = {0, 0, width, height};
    SetWindowExtEx(dc, width, height, nullptr);
    FillRect(dc, &r, brush);
    TOwnedMetaFile metafile(CloseMetaFile(dc));
    UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
    std::string bits(size, '\0');
    GetMetaFileBitsEx(metafile, size, &bits[0]);
    if (!placeable)
        return bits;
    // The placeable header: key, handle, frame in units of `inch` per inch, checksum.
    std::string header = Zeros(22);
    PutU32(header, 0, 0x9AC6CDD7);
    PutU16(header, 10, static_cast<unsigned>(width));
    PutU16(header, 12, static_cast<unsigned>(height));
    PutU16(header, 14, static_cast<unsigned>(GetDeviceCaps(TWindowDC(nullptr), LOGPIXELSX)));
    unsigned checksum = 0;
    for (size_t i = 0; i < 20; i += 2)
        checksum ^= static_cast<unsigned char>(header[i]) | (static_cast<unsigned char>(header[i + 1]) << 8);
    PutU16(header, 20, checksum);
    return header + bits;
}

std::string MakeEmf(int width, int height, TColor color)
{
    HDC dc;
    {
        TWindowDC screen(nullptr);
        // The frame in 0.01 mm for the pixel size asked for.
        RECT frame = {0, 0, MulDiv(width, 2540, GetDeviceCaps(screen, LOGPIXELSX)),
                      MulDiv(height, 2540, GetDeviceCaps(screen, LOGPIXELSY))};
        dc = CreateEnhMetaFileA(screen, nullptr, &frame, nullptr);
    }
    TOwnedBrush brush(CreateSolidBrush(color));
    RECT r = {0, 0, width, height};
    FillRect(dc, &r, brush);
    TOwnedEnhMetaFile metafile(CloseEnhMetaFile(dc));
    UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
    std::string bits(size, '\0');
    GetEnhMetaFileBits(metafile, size, reinterpret_cast<BYTE*>(&bits[0]));
    return bits;
}

std::string MakeIco(int size, TColor color)
{
    size_t colorStride = static_cast<size_t>(size) * 4;
    size_t maskStride = ((static_cast<size_t>(size) + 31) / 32) * 4;
    size_t imageSize = 40 + (colorStride + maskStride) * static_cast<size_t>(size);
    std::string bytes = Zeros(6 + 16 + imageSize);
    PutU16(bytes, 2, 1);
    PutU16(bytes, 4, 1);
    bytes[6] = static_cast<char>(size);
    bytes[7] = static_cast<char>(size);
    PutU16(bytes, 6 + 4, 1);
    PutU16(bytes, 6 + 6, 32);
    PutU32(bytes, 6 + 8, static_cast<unsigned long>(imageSize));
    PutU32(bytes, 6 + 12, 22);
    size_t image = 22;
    PutU32(bytes, image, 40);
    PutU32(bytes, image + 4, static_cast<unsigned long>(size));
    PutU32(bytes, image + 8, static_cast<unsigned long>(size * 2));
    PutU16(bytes, image + 12, 1);
    PutU16(bytes, image + 14, 32);
    size_t pixels = image + 40;
    size_t mask = pixels + colorStride * static_cast<size_t>(size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            size_t at = pixels + static_cast<size_t>(y) * colorStride + static_cast<size_t>(x) * 4;
            bool opaque = x < size / 2;
            bytes[at] = static_cast<char>(GetBValue(color));
            bytes[at + 1] = static_cast<char>(GetGValue(color));
            bytes[at + 2] = static_cast<char>(GetRValue(color));
            bytes[at + 3] = static_cast<char>(opaque ? 0xFF : 0x00);
            if (!opaque)
                bytes[mask + static_cast<size_t>(y) * maskStride + static_cast<size_t>(x / 8)] |=
                    static_cast<char>(0x80 >> (x % 8));
        }
    }
    return bytes;
}

namespace {

std::string U32s(const std::vector<unsigned long>& values)
{
    std::string bytes(values.size() * 4, '\0');
    for (size_t i = 0; i < values.size(); ++i)
        PutU32(bytes, i * 4, values[i]);
    return bytes;
}

// A packed 24-bit DIB of one colour, rows bottom-up, its image size given (the
// size a recorder takes for the rows).
std::string PackedDib(int width, int height, TColor color)
{
    std::string dib = MakeBmp(width, height, 24, color, color).substr(14);
    PutU32(dib, 20, static_cast<unsigned long>(dib.size() - 40));
    return dib;
}

// The enhanced metafile GDI recorded into `dc`, as bytes.
std::string EnhancedBits(HDC dc)
{
    TOwnedEnhMetaFile metafile(CloseEnhMetaFile(dc));
    UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
    std::string bits(size, '\0');
    GetEnhMetaFileBits(metafile, size, reinterpret_cast<BYTE*>(&bits[0]));
    return bits;
}

std::string WindowsBits(HDC dc)
{
    TOwnedMetaFile metafile(CloseMetaFile(dc));
    UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
    std::string bits(size, '\0');
    GetMetaFileBitsEx(metafile, size, &bits[0]);
    return bits;
}

HDC EnhancedDC(int width, int height)
{
    TWindowDC screen(nullptr);
    RECT frame = {0, 0, MulDiv(width, 2540, GetDeviceCaps(screen, LOGPIXELSX)),
                  MulDiv(height, 2540, GetDeviceCaps(screen, LOGPIXELSY))};
    return CreateEnhMetaFileA(screen, nullptr, &frame, nullptr);
}

// Draws a little of everything that a metafile records with counts and indices.
void DrawEveryKind(HDC dc, bool enhanced)
{
    RECT all = {0, 0, 64, 48};
    TOwnedBrush white(CreateSolidBrush(RGB(255, 255, 255)));
    FillRect(dc, &all, white);
    TOwnedPen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 200)));
    TOwnedBrush hatch(CreateHatchBrush(HS_CROSS, RGB(0, 150, 0)));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, hatch);
    POINT points[] = {{2, 2}, {20, 4}, {10, 16}, {30, 30}, {40, 2}, {50, 12}};
    Polygon(dc, points, 3);
    Polyline(dc, points + 2, 4);
    INT counts[] = {3, 3};
    PolyPolygon(dc, points, counts, 2);
    DWORD lineCounts[] = {2, 4};
    PolyPolyline(dc, points, lineCounts, 2);
    PolyBezier(dc, points, 4);
    BYTE kinds[] = {PT_MOVETO, PT_LINETO, PT_LINETO, PT_BEZIERTO, PT_BEZIERTO, PT_BEZIERTO};
    PolyDraw(dc, points, kinds, 6);
    Rectangle(dc, 4, 30, 14, 40);
    Ellipse(dc, 16, 30, 26, 40);
    RoundRect(dc, 28, 30, 38, 40, 3, 3);
    Arc(dc, 40, 30, 50, 40, 40, 30, 50, 40);

    LOGFONTA logFont = {};
    logFont.lfHeight = -10;
    lstrcpyA(logFont.lfFaceName, "Arial");
    TOwnedFont font(CreateFontIndirectA(&logFont));
    HGDIOBJ oldFont = SelectObject(dc, font);
    TextOutA(dc, 2, 20, "Text", 4);
    INT dx[] = {6, 6, 6};
    RECT clip = {30, 16, 60, 28};
    ExtTextOutA(dc, 30, 16, ETO_CLIPPED | ETO_OPAQUE, &clip, "abc", 3, dx);
    ExtTextOutW(dc, 30, 4, 0, nullptr, L"xyz", 3, nullptr);
    SelectObject(dc, oldFont);

    LOGBRUSH penBrush = {BS_SOLID, RGB(200, 0, 0), 0};
    DWORD dashes[] = {2, 1};
    TOwnedPen styled(ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 2, &penBrush, 2, dashes));
    SelectObject(dc, styled);
    MoveToEx(dc, 0, 46, nullptr);
    LineTo(dc, 63, 46);
    SelectObject(dc, pen);

    TOwnedRegion region(CreateRectRgn(44, 20, 60, 28));
    TOwnedBrush red(CreateSolidBrush(RGB(200, 0, 0)));
    FillRgn(dc, region, red);
    FrameRgn(dc, region, hatch, 1, 1);
    PaintRgn(dc, region);
    InvertRgn(dc, region);
    SelectClipRgn(dc, region);
    SelectClipRgn(dc, nullptr);

    TOwnedBitmap pattern(CreateBitmap(8, 8, 1, 1, nullptr));
    TOwnedBrush patternBrush(CreatePatternBrush(pattern));
    RECT patternArea = {56, 40, 64, 48};
    FillRect(dc, &patternArea, patternBrush);
    std::string dib = PackedDib(4, 4, RGB(0, 0, 250));
    TOwnedBrush dibBrush(CreateDIBPatternBrushPt(dib.data(), DIB_RGB_COLORS));
    RECT dibArea = {0, 40, 8, 48};
    FillRect(dc, &dibArea, dibBrush);

    const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
    const char* rows = dib.data() + 40;
    StretchDIBits(dc, 10, 40, 8, 8, 0, 0, 4, 4, rows, info, DIB_RGB_COLORS, SRCCOPY);
    SetDIBitsToDevice(dc, 20, 40, 4, 4, 0, 0, 0, 4, rows, info, DIB_RGB_COLORS);
    TMemoryDC memory;
    TOwnedBitmap source(CreateCompatibleBitmap(TWindowDC(nullptr), 4, 4));
    {
        TSelectObject selected(memory, source.Get());
        BitBlt(dc, 26, 40, 4, 4, memory, 0, 0, SRCCOPY);
        StretchBlt(dc, 32, 40, 8, 8, memory, 0, 0, 4, 4, SRCCOPY);
    }
    PatBlt(dc, 42, 40, 4, 4, PATCOPY);

    struct {
        WORD version, entries;
        PALETTEENTRY colors[2];
    } palette = {0x300, 2, {{10, 20, 30, 0}, {40, 50, 60, 0}}};
    TGdiObject<HPALETTE> logical(CreatePalette(reinterpret_cast<LOGPALETTE*>(&palette)));
    HPALETTE oldPalette = SelectPalette(dc, logical, FALSE);
    SetPaletteEntries(logical, 0, 2, palette.colors);
    RealizePalette(dc);
    SelectPalette(dc, oldPalette, FALSE);

    if (enhanced) {
        TRIVERTEX vertices[] = {{0, 0, 0xFF00, 0, 0, 0}, {20, 10, 0, 0, 0xFF00, 0}, {0, 10, 0, 0xFF00, 0, 0}};
        GRADIENT_RECT rect = {0, 1};
        GdiGradientFill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_H);
        GRADIENT_TRIANGLE triangle = {0, 1, 2};
        GdiGradientFill(dc, vertices, 3, &triangle, 1, GRADIENT_FILL_TRIANGLE);
        GdiComment(dc, 4, reinterpret_cast<const BYTE*>("note"));
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

} // namespace

std::string MakeRichEmf()
{
    HDC dc = EnhancedDC(64, 48);
    DrawEveryKind(dc, true);
    return EnhancedBits(dc);
}

std::string MakeRichWmf()
{
    HDC dc = CreateMetaFileA(nullptr);
    SetWindowExtEx(dc, 64, 48, nullptr);
    DrawEveryKind(dc, false);
    return WindowsBits(dc);
}

std::string MakeRegionWmf(TColor color)
{
    HDC dc = CreateMetaFileA(nullptr);
    SetWindowExtEx(dc, 40, 20, nullptr);
    TOwnedRegion region(CreateRectRgn(0, 0, 40, 20));
    TOwnedBrush brush(CreateSolidBrush(color));
    FillRgn(dc, region, brush);
    return WindowsBits(dc);
}

std::string MakePatternBrushWmf(TColor color)
{
    HDC dc = CreateMetaFileA(nullptr);
    SetWindowExtEx(dc, 40, 20, nullptr);
    // A pattern brush of an 8 x 8 bitmap of one colour.
    TOwnedBitmap bitmap(CreateCompatibleBitmap(TWindowDC(nullptr), 8, 8));
    {
        TMemoryDC memory;
        TSelectObject selected(memory, bitmap.Get());
        TOwnedBrush solid(CreateSolidBrush(color));
        RECT tile = {0, 0, 8, 8};
        FillRect(memory, &tile, solid);
    }
    TOwnedBrush brush(CreatePatternBrush(bitmap));
    RECT area = {0, 0, 40, 20};
    FillRect(dc, &area, brush);
    return WindowsBits(dc);
}

std::string EnhancedRecord(unsigned long type, const std::vector<unsigned long>& fields, const std::string& tail)
{
    std::string record = U32s({type, 0}) + U32s(fields) + tail;
    record.resize((record.size() + 3) & ~size_t(3), '\0');
    PutU32(record, 4, static_cast<unsigned long>(record.size()));
    return record;
}

std::string WindowsRecord(unsigned function, const std::vector<unsigned>& params, const std::string& tail)
{
    std::string record(6 + 2 * params.size(), '\0');
    PutU16(record, 4, function);
    for (size_t i = 0; i < params.size(); ++i)
        PutU16(record, 6 + 2 * i, params[i]);
    record += tail;
    if (record.size() % 2 != 0)
        record += '\0';
    PutU32(record, 0, static_cast<unsigned long>(record.size() / 2));
    return record;
}

std::string WithEnhancedRecord(const std::string& emf, const std::string& record)
{
    auto u32 = [&](size_t at) {
        return static_cast<unsigned long>(static_cast<unsigned char>(emf[at]) |
                                          (static_cast<unsigned char>(emf[at + 1]) << 8) |
                                          (static_cast<unsigned char>(emf[at + 2]) << 16) |
                                          (static_cast<unsigned long>(static_cast<unsigned char>(emf[at + 3])) << 24));
    };
    size_t offset = 0;
    while (u32(offset) != EMR_EOF)
        offset += u32(offset + 4);
    std::string bytes = emf.substr(0, offset) + record + emf.substr(offset);
    PutU32(bytes, 48, u32(48) + static_cast<unsigned long>(record.size()));
    PutU32(bytes, 52, u32(52) + 1);
    return bytes;
}

std::string WithWindowsRecord(const std::string& wmf, const std::string& record)
{
    // The end record is the last three words.
    std::string bytes = wmf.substr(0, wmf.size() - 6) + record + wmf.substr(wmf.size() - 6);
    unsigned long words = static_cast<unsigned long>(bytes.size() / 2);
    PutU32(bytes, 6, words);
    unsigned long largest = static_cast<unsigned long>(static_cast<unsigned char>(bytes[12]) |
                                                       (static_cast<unsigned char>(bytes[13]) << 8) |
                                                       (static_cast<unsigned char>(bytes[14]) << 16));
    PutU32(bytes, 12, std::max(largest, static_cast<unsigned long>(record.size() / 2)));
    return bytes;
}

std::vector<TCraftedMetafile> CraftedMetafiles()
{
    const std::string emf = MakeEmf(20, 10, RGB(200, 0, 0)); // its handle table holds the brush: 2 entries
    const std::string wmf = MakeWmf(20, 10, RGB(200, 0, 0), false);
    const std::vector<unsigned long> bounds = {0, 0, 10, 10};
    auto with = [](std::vector<unsigned long> a, const std::vector<unsigned long>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    std::string dib = PackedDib(4, 4, RGB(0, 0, 250));
    std::string bigDib = dib; // claims 100 rows it does not hold
    PutU32(bigDib, 8, 100);
    std::string face(64, 'A'); // a face name of 32 wide characters and no end
    std::string logFont = U32s({10, 0, 0, 0, 400}) + std::string(8, '\0') + face;
    std::string region = U32s({32, RDH_RECTANGLES, 1000, 16, 0, 0, 10, 10, 0, 0, 10, 10});
    std::string oneRect = U32s({32, RDH_RECTANGLES, 1, 16, 0, 0, 10, 10, 0, 0, 10, 10});

    std::vector<TCraftedMetafile> cases = {
        {"gradient fill of 2^24 vertices", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_GRADIENTFILL, with(bounds, {0x01000000, 1, GRADIENT_FILL_TRIANGLE}),
                                                std::string(28, '\0')))},
        {"gradient fill naming a vertex it lacks", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_GRADIENTFILL, with(bounds, {2, 1, GRADIENT_FILL_RECT_H}),
                                                std::string(32, '\0') + U32s({0, 5})))},
        {"polygon16 of many points", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_POLYGON16, with(bounds, {0x10000000, 0})))},
        {"polyline of many points", "emf", WithEnhancedRecord(emf, EnhancedRecord(EMR_POLYLINE, with(bounds, {1000, 0, 0})))},
        {"polydraw16 of many points", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_POLYDRAW16, with(bounds, {1000, 0})))},
        {"polypolygon16 counting more points", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_POLYPOLYGON16, with(bounds, {1, 3, 1000, 0, 0, 0})))},
        {"ext pen with a pattern address", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_EXTCREATEPEN,
                                                {1, 0, 0, 0, 0, PS_GEOMETRIC, 1, BS_DIBPATTERNPT, 0, 0x7FFF0000, 0}))},
        {"ext pen of many style entries", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_EXTCREATEPEN,
                                                {1, 0, 0, 0, 0, PS_GEOMETRIC | PS_USERSTYLE, 1, BS_SOLID, 0, 0, 1000}))},
        {"brush with a pattern address", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_CREATEBRUSHINDIRECT, {1, BS_DIBPATTERNPT, 0, 0x7FFF0000}))},
        {"font whose name has no end", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_EXTCREATEFONTINDIRECTW, {1}, logFont))},
        {"stretched bitmap with rows it lacks", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_STRETCHDIBITS,
                                                with(bounds, {0, 0, 0, 0, 4, 4, 80, 40, 120,
                                                              static_cast<unsigned long>(dib.size() - 40),
                                                              DIB_RGB_COLORS, SRCCOPY, 4, 4}),
                                                bigDib))},
        {"bitmap set with more scans than rows", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_SETDIBITSTODEVICE,
                                                with(bounds, {0, 0, 0, 0, 4, 4, 76, 40, 116,
                                                              static_cast<unsigned long>(dib.size() - 40),
                                                              DIB_RGB_COLORS, 0, 1000}),
                                                dib))},
        {"clip region of many rectangles", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_EXTSELECTCLIPRGN, {static_cast<unsigned long>(region.size()), RGN_COPY},
                                                region))},
        {"region filled with the metafile itself", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_FILLRGN, with(bounds, {static_cast<unsigned long>(oneRect.size()), 0}),
                                                oneRect))},
        {"region framed by a huge stroke", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_FRAMERGN,
                                                with(bounds, {static_cast<unsigned long>(oneRect.size()), 1, 0x7FFF, 0x7FFF}),
                                                oneRect))},
        {"pen of a huge width", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_CREATEPEN, {1, PS_SOLID, 0x008E0001, 0, 0}))},
        {"the metafile itself deleted", "emf", WithEnhancedRecord(emf, EnhancedRecord(EMR_DELETEOBJECT, {0}))},
        {"palette of many entries", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_CREATEPALETTE, {1, 0x300ul | (1000ul << 16)}))},
        {"palette entries beyond", "emf", WithEnhancedRecord(emf, EnhancedRecord(EMR_SETPALETTEENTRIES, {1, 0, 1000}))},
        {"pattern brush with rows it lacks", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_CREATEDIBPATTERNBRUSHPT,
                                                {1, DIB_RGB_COLORS, 32, 40, 72,
                                                 static_cast<unsigned long>(dib.size() - 40)},
                                                bigDib))},
        {"text of many characters", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_EXTTEXTOUTW,
                                                with(bounds, {GM_COMPATIBLE, 0, 0, 0, 0, 1000, 76, 0,
                                                              0, 0, 0, 0, 0}),
                                                std::string(8, 'a')))},
        {"comment longer than itself", "emf", WithEnhancedRecord(emf, EnhancedRecord(EMR_GDICOMMENT, {1000}))},
        {"escape longer than itself", "emf", WithEnhancedRecord(emf, EnhancedRecord(106, {1, 1000}))},
        {"bitmap outside its record", "emf",
         WithEnhancedRecord(emf, EnhancedRecord(EMR_BITBLT,
                                                with(bounds, {0, 0, 4, 4, SRCCOPY, 0, 0, 0x3F800000, 0, 0, 0x3F800000,
                                                              0, 0, 0, DIB_RGB_COLORS, 100000, 40, 100040, 48}),
                                                std::string(20, '\0')))},

        {"region of more scans than it holds", "wmf",
         WithWindowsRecord(wmf, WindowsRecord(0x06FF, {0, 6, 0, 0, 40, 1000, 4, 0, 0, 10, 10, 2, 0, 10, 0, 10, 2}))},
        {"polypolygon counting more points", "wmf",
         WithWindowsRecord(wmf, WindowsRecord(0x0538, {2, 3, 1000, 0, 0, 1, 1, 2, 2}))},
        {"polygon of many points", "wmf", WithWindowsRecord(wmf, WindowsRecord(0x0324, {1000, 0, 0}))},
        {"text of many characters", "wmf", WithWindowsRecord(wmf, WindowsRecord(0x0521, {1000, 0x6161}))},
        {"brush with a pattern address", "wmf", WithWindowsRecord(wmf, WindowsRecord(0x02FC, {BS_DIBPATTERNPT, 0, 0, 0x100}))},
        {"pattern brush with rows it lacks", "wmf",
         WithWindowsRecord(wmf, WindowsRecord(0x0142, {BS_DIBPATTERN, DIB_RGB_COLORS}, bigDib))},
        {"bitmap set with more scans than rows", "wmf",
         WithWindowsRecord(wmf, WindowsRecord(0x0D33, {DIB_RGB_COLORS, 1000, 0, 0, 0, 4, 4, 0, 0}, dib))},
        {"stretched bitmap with rows it lacks", "wmf",
         WithWindowsRecord(wmf, WindowsRecord(0x0F43, {0x0020, 0x00CC, DIB_RGB_COLORS, 4, 4, 0, 0, 4, 4, 0, 0}, bigDib))},
        {"old pattern brush with rows it lacks", "wmf",
         WithWindowsRecord(wmf, WindowsRecord(0x01F9, {0, 100, 100, 300, 0x0101, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}))},
        {"escape longer than itself", "wmf", WithWindowsRecord(wmf, WindowsRecord(0x0626, {15, 1000, 0}))},
        {"palette of many entries", "wmf", WithWindowsRecord(wmf, WindowsRecord(0x00F7, {0x300, 1000, 0, 0}))},
        {"region framed by a huge stroke", "wmf", WithWindowsRecord(wmf, WindowsRecord(0x0429, {0, 0, 0x7FFF, 9}))},
        {"object outside the table", "wmf", WithWindowsRecord(wmf, WindowsRecord(0x01F0, {0x5F01}))},
    };
    return cases;
}
