// DibLayout: checks that a device-independent bitmap embedded in untrusted data
// (in a metafile record, say) lies wholly inside the bytes given for it, before
// GDI reads it.
#pragma once

#include "TByteReader.h"

namespace DibLayout {

// The header and colour table at `infoOffset` (at most `infoSize` bytes) and the
// pixel rows at `bitsOffset` (at most `bitsSize` bytes); the colour table holds
// 16-bit palette indices when `paletteIndices` is set. Raises EInvalidGraphic.
void Check(const TByteReader& data, size_t infoOffset, size_t infoSize, size_t bitsOffset, size_t bitsSize,
           bool paletteIndices);
// A packed bitmap: header, colour table and rows one after the other in `size` bytes.
void CheckPacked(const TByteReader& data, size_t offset, size_t size, bool paletteIndices);

} // namespace DibLayout
