// ShotSaver: one shot of a capture engine saved at a path: a photo for ".bmp",
// a recording for ".avi", chosen by the path's extension.
#pragma once

#include <windows.h>

class CVideoCapture;

namespace ShotSaver {

// ".bmp" grabs a frame and writes it as a new BMP file; ".avi" starts a
// recording into the file (it runs on until the engine is stopped); the
// extension is compared without case. 1 when the photo was written or the
// recording started, 0 otherwise (other extensions included).
int Save(CVideoCapture& capture, LPCSTR path);

}  // namespace ShotSaver
