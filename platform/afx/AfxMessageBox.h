// AfxMessageBox: the application's message box, owned by its main window.
#pragma once

#include <windows.h>

int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = UINT(-1));
