// MetafileRecords: checks every record of a Windows or an enhanced metafile
// before GDI plays it: sizes, the object-table indices, the counts of points,
// characters, palette entries and region rectangles, and embedded bitmaps, so
// that no record makes GDI read or write outside the data or its object table.
#pragma once

#include "TByteReader.h"

#include <cstdint>

namespace MetafileRecords {

// The Windows metafile whose header starts at `start` and whose records end at
// `end`; `objects` is the size of its object table. Raises EInvalidGraphic.
void CheckWindows(const TByteReader& data, size_t start, size_t end, unsigned objects);
// The enhanced metafile of `total` bytes with a handle table of `handles` entries.
void CheckEnhanced(const TByteReader& data, std::uint32_t total, unsigned handles);

} // namespace MetafileRecords
