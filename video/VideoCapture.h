// CVideoCapture: one Video for Windows capture window on a thread of its own,
// behind connect, preview, grab-a-frame, record-to-AVI and the driver dialogs.
#pragma once

#include <windows.h>

#include <vfw.h>

#include "CEvent.h"
#include "CMutex.h"
#include "CString.h"
#include "CWinThread.h"

class CVideoCapture {
public:
    // Error codes besides those the capture window's error callback reports.
    enum {
        kErrorNone = 0,
        kErrorFailed = 1,             // failed without a more specific code
        kErrorDriverOutOfRange = 20,  // driver index not below the table's count
    };

    // Messages posted to the capture thread to open a driver dialog there.
    enum {
        kShowVideoSourceDialog = WM_USER + 1,
        kShowVideoFormatDialog = WM_USER + 2,
        kShowVideoDisplayDialog = WM_USER + 3,
        kShowVideoCompressionDialog = WM_USER + 4,
    };

    CVideoCapture();
    CVideoCapture(const CVideoCapture&) = delete;
    CVideoCapture& operator=(const CVideoCapture&) = delete;
    virtual ~CVideoCapture();

    // Starts the capture thread and window and connects to the driver at
    // `driverIndex` of the process-wide driver table; nonzero when connected.
    int Create(int driverIndex);
    // Disconnects, ends the capture thread and resets everything.
    void Destroy();
    int SelectDriver(int index);

    // Shows the live preview as a child of `parent`, scaled to the rectangle.
    int AttachPreview(HWND parent, int x, int y, int cx, int cy, int rateMs);
    int DetachPreview();

    // Grabs one frame as a packed DIB (header, colour-table room, pixels).
    // When *buffer is null a buffer of the format's DIB size is allocated with
    // new BYTE[] and handed to the caller, who frees it with delete[] (also on
    // failure); otherwise the caller's buffer of `size` bytes is filled.
    // *outSize receives the DIB bytes held by the buffer; 1 = a frame was copied.
    int GrabFrame(BYTE** buffer, DWORD size, DWORD* outSize);

    // Starts recording to the AVI file `path` in the background; 1 = started.
    int CaptureToAvi(LPCSTR path, float framesPerSecond);
    int StopCapture();

    int GetDriverCaps(CAPDRIVERCAPS* caps);

    // Open the driver's dialogs on the capture thread; nonzero = request posted.
    int ShowFormatDialog();
    int ShowCompressionDialog();

    // Copies out the last error (either pointer may be null); clears it when asked.
    void GetLastError(int* code, CString* text, bool clear);

    // Bytes of the header and colour table, and of the whole DIB, for `format`.
    static DWORD DibHeaderSize(const BITMAPINFOHEADER& format);
    static DWORD DibSize(const BITMAPINFOHEADER& format);

private:
    static UINT __cdecl CaptureThreadProc(LPVOID param);
    static LRESULT CALLBACK OnError(HWND window, int id, LPCSTR text);
    static LRESULT CALLBACK OnStatus(HWND window, int id, LPCSTR text);
    static LRESULT CALLBACK OnFrame(HWND window, LPVIDEOHDR header);
    static LRESULT CALLBACK OnVideoStream(HWND window, LPVIDEOHDR header);
    static LRESULT CALLBACK OnCaptureControl(HWND window, int state);
    static CVideoCapture* FromWindow(HWND window);

    // Sends to the capture window only while it is a window; 0 otherwise.
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // The last error is written by the capture thread's error callback as well
    // as by the owner's thread: every access goes through these, under m_errorMutex.
    void ClearError();
    void FailUnlessSet();
    void SetError(int code, const CString& text);

    HWND m_hCapWnd = nullptr;
    CMutex m_grabMutex;    // guards m_pGrabBuffer and m_nGrabRoom
    CEvent m_readyEvent;   // thread started; a grabbed frame was copied
    CEvent m_stopEvent;    // set by StopCapture, reset when a sequence prerolls
    CEvent m_spareEvent;
    BITMAPINFOHEADER m_format = {};
    BYTE* m_pGrabBuffer = nullptr;
    DWORD m_nGrabRoom = 0;
    CWinThread* m_pThread = nullptr;
    int m_nDriverIndex = -1;
    CMutex m_errorMutex;  // guards m_nLastError and m_strLastError
    int m_nLastError = kErrorNone;
    CString m_strLastError;

    // The drivers (numbers 0-9) that accepted a connect, found once per process.
    static WORD s_nDriverCount;
    static WORD s_driverTable[10];
};
