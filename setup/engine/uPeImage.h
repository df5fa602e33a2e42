// Reading and patching the PE image of a setup program: where its image ends
// (setup data is appended after it) and the SETUPDATA RCDATA resource entry
// that is pointed at the appended data. Every offset is checked against the file.
#pragma once

#include <cstdint>

class TStream;

namespace uPeImage {

// The length of the program image: the whole file, or for a setup built
// earlier the part in front of its setup data (found through the trailer and
// confirmed by the SETUPDATA entry pointing at it).
std::uint64_t ImageLength(TStream& file);

// Points the data entry of the RCDATA resource named "SETUPDATA" at file offset
// `dataStart`, with the size `fileLength - dataStart`. Raises an Exception naming
// what is missing when the file is no PE program or carries no such resource.
void PointSetupDataResource(TStream& file, std::uint32_t dataStart, std::uint64_t fileLength);

// Where the SETUPDATA entry points: its RVA and size, and the file offset that the
// RVA stands for by the ".rsrc" section's mapping. Raises like the patch.
struct TResourceEntry {
    std::uint32_t Rva = 0;
    std::uint32_t Size = 0;
    std::uint64_t FileOffset = 0;
};
TResourceEntry FindSetupDataResource(TStream& file);

} // namespace uPeImage
