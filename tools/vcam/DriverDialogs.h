// The virtual camera's four driver dialogs, run modally on the calling thread.
#pragma once

#include <windows.h>

#include <string>

namespace DriverDialogs {

// The compressor chosen in the compression dialog.
struct Compression {
    int compressor = 0;  // index into Compressors()
    int quality = 100;   // 0-100
};

// Names offered by the compression dialog, GBK.
const char* const* Compressors(int& count);

// Each returns TRUE when the dialog was shown (whether OK or Cancel closed it).
BOOL ShowCompression(HWND owner, Compression& choice);
BOOL ShowFormat(HWND owner, int width, int height);
BOOL ShowSource(HWND owner, const std::string& driverName);
BOOL ShowDisplay(HWND owner);

}  // namespace DriverDialogs
