// AfxMessageBox: a message box with the application's caption, owned by the
// window the user is working in (the main window or its open modal dialog).
#include "AfxMessageBox.h"

#include "AfxState.h"
#include "CString.h"
#include "CWnd.h"

int AfxMessageBox(LPCSTR text, UINT type, UINT)
{
    HWND owner = CWnd::GetSafeOwner_(nullptr);
    return MessageBoxA(owner, text, AfxGetAppName(), type);
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId)
{
    CString text;
    text.LoadString(promptId);
    return AfxMessageBox(text, type, helpId);
}
