// BmpWriter: a grabbed DIB (header, colour-table room, pixels) as a BMP file.
#pragma once

#include <windows.h>

namespace BmpWriter {

// The file header of a BMP holding `dib`; false when the DIB is too short to
// hold its own information header.
bool MakeFileHeader(const BYTE* dib, DWORD dibSize, BITMAPFILEHEADER& header);

// Writes a new file at `path`: the file header, then the DIB as it is. An
// existing file is left alone (false), and a file that cannot be written
// whole is removed again (false).
bool WriteNew(LPCSTR path, const BYTE* dib, DWORD dibSize);

}  // namespace BmpWriter
