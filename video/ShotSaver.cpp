// Saving one shot: a grabbed frame as a BMP file, or a recording to an AVI file.
#include "ShotSaver.h"

#include <cstring>

#include "BmpWriter.h"
#include "CString.h"
#include "VideoCapture.h"

namespace {

constexpr float kRecordFramesPerSecond = 4.0f;

bool HasExtension(LPCSTR path, LPCSTR extension)
{
    const CString text(path);
    const int length = static_cast<int>(std::strlen(extension));
    return text.GetLength() >= length && text.Right(length).CompareNoCase(extension) == 0;
}

}  // namespace

namespace ShotSaver {

int Save(CVideoCapture& capture, LPCSTR path)
{
    if (HasExtension(path, ".avi"))
        return capture.CaptureToAvi(path, kRecordFramesPerSecond);
    if (!HasExtension(path, ".bmp"))
        return 0;
    BYTE* dib = nullptr;
    DWORD size = 0;
    const int grabbed = capture.GrabFrame(&dib, 0, &size);
    const bool written = grabbed && BmpWriter::WriteNew(path, dib, size);
    delete[] dib;  // the engine's buffer is the caller's, grabbed or not
    return written ? 1 : 0;
}

}  // namespace ShotSaver
