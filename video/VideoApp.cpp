// The recorder's entry: its one application object and the Windows entry point.
#include <windows.h>

#include "CWinApp.h"
#include "Video.h"

CVideoApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
