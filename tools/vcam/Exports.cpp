// The exported functions of the virtual camera's avicap32.dll.
#include <windows.h>

#include <vfw.h>

#include <string>

#include "CaptureWindow.h"

namespace {

LONG g_descriptionQueries = 0;

void CopyText(const std::string& text, LPSTR target, int size)
{
    if (target && size > 0)
        lstrcpynA(target, text.c_str(), size);
}

}  // namespace

extern "C" {

HWND WINAPI capCreateCaptureWindowA(LPCSTR title, DWORD style, int x, int y, int cx, int cy, HWND parent, int id)
{
    return CaptureWindow::Create(title, style, x, y, cx, cy, parent, id);
}

WINBOOL WINAPI capGetDriverDescriptionA(UINT number, LPSTR name, int nameSize, LPSTR version, int versionSize)
{
    InterlockedIncrement(&g_descriptionQueries);
    std::string driverName, driverVersion;
    if (!CaptureWindow::DriverDescription(number, driverName, driverVersion))
        return FALSE;
    CopyText(driverName, name, nameSize);
    CopyText(driverVersion, version, versionSize);
    return TRUE;
}

// For tests: how often the driver descriptions were asked for.
LONG WINAPI vcamDescriptionQueries()
{
    return g_descriptionQueries;
}

}  // extern "C"
