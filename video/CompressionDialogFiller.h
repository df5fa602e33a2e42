// CompressionDialogFiller: answers the capture driver's compression dialog for
// the user: the "Microsoft Video 1" compressor, quality 75, then OK.
#pragma once

#include <windows.h>

namespace CompressionDialogFiller {

extern const char kDialogTitle[];  // "视频压缩"
extern const char kCompressor[];   // "Microsoft Video 1"
constexpr int kQuality = 75;

// The open compression dialog of any thread, or null.
HWND FindDialog();
// Selects the compressor (when listed), sets the quality and clicks every
// child button whose text holds "确定". The dialog may run on another thread.
void Fill(HWND dialog);

}  // namespace CompressionDialogFiller
