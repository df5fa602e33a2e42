// CVideoCapture: the capture thread, driver selection, preview, frame grabbing
// and AVI recording over the capture window's messages.
#include "VideoCapture.h"

#include <cstring>

WORD CVideoCapture::s_nDriverCount = 0;
WORD CVideoCapture::s_driverTable[10] = {};

namespace {

// How long Destroy waits for the capture thread: 50 looks, 100 ms apart.
constexpr int kThreadEndChecks = 50;
constexpr DWORD kThreadEndCheckMs = 100;
constexpr DWORD kFrameWaitMs = 2000;
constexpr LONG kStyleDetached = static_cast<LONG>(WS_POPUP);
constexpr LONG kStyleAttached = static_cast<LONG>(WS_CHILD);

}  // namespace

CVideoCapture::CVideoCapture()
    : m_grabMutex(FALSE), m_readyEvent(FALSE, TRUE), m_stopEvent(FALSE, TRUE), m_spareEvent(FALSE, TRUE),
      m_errorMutex(FALSE)
{
}

CVideoCapture::~CVideoCapture()
{
    Destroy();
}

DWORD CVideoCapture::DibHeaderSize(const BITMAPINFOHEADER& format)
{
    const DWORD size = format.biSize ? format.biSize : sizeof(BITMAPINFOHEADER);
    return size + format.biClrUsed * sizeof(RGBQUAD);
}

DWORD CVideoCapture::DibSize(const BITMAPINFOHEADER& format)
{
    DWORD image = format.biSizeImage;
    if (image == 0 && format.biWidth > 0 && format.biBitCount > 0) {
        // Rows of an uncompressed DIB are padded to 4 bytes; a negative height
        // only means top-down rows.
        const LONGLONG rowBytes = ((static_cast<LONGLONG>(format.biWidth) * format.biBitCount + 31) / 32) * 4;
        const LONGLONG rows = format.biHeight < 0 ? -static_cast<LONGLONG>(format.biHeight) : format.biHeight;
        const LONGLONG total = rowBytes * rows;
        if (total <= 0 || total > 0x7FFFFFFF)
            return 0;  // no usable format
        image = static_cast<DWORD>(total);
    }
    if (image == 0)
        return 0;
    return DibHeaderSize(format) + image;
}

LRESULT CVideoCapture::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (!m_hCapWnd || !IsWindow(m_hCapWnd))
        return 0;
    return SendMessageA(m_hCapWnd, message, wParam, lParam);
}

void CVideoCapture::ClearError()
{
    SetError(kErrorNone, CString());
}

void CVideoCapture::FailUnlessSet()
{
    CSingleLock lock(&m_errorMutex, TRUE);
    if (m_nLastError == kErrorNone)
        m_nLastError = kErrorFailed;
}

void CVideoCapture::SetError(int code, const CString& text)
{
    CSingleLock lock(&m_errorMutex, TRUE);
    m_nLastError = code;
    m_strLastError = text;
}

void CVideoCapture::GetLastError(int* code, CString* text, bool clear)
{
    // One lock for reading and clearing: an error reported in between is
    // neither torn nor lost unseen.
    CSingleLock lock(&m_errorMutex, TRUE);
    if (code)
        *code = m_nLastError;
    if (text)
        *text = m_strLastError;
    if (clear) {
        m_nLastError = kErrorNone;
        m_strLastError.Empty();
    }
}

UINT __cdecl CVideoCapture::CaptureThreadProc(LPVOID param)
{
    auto* self = static_cast<CVideoCapture*>(param);
    HWND window = capCreateCaptureWindowA(nullptr, WS_POPUP, 0, 0, 1, 1, nullptr, 0);
    self->m_hCapWnd = window;
    self->m_readyEvent.SetEvent();
    // From here on the owner may go away at any time: use only `window`.

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (msg.hwnd || !window)
            continue;  // the dialog requests are thread messages
        UINT dialog = 0;
        switch (msg.message) {
        case kShowVideoSourceDialog: dialog = WM_CAP_DLG_VIDEOSOURCE; break;
        case kShowVideoFormatDialog: dialog = WM_CAP_DLG_VIDEOFORMAT; break;
        case kShowVideoDisplayDialog: dialog = WM_CAP_DLG_VIDEODISPLAY; break;
        case kShowVideoCompressionDialog: dialog = WM_CAP_DLG_VIDEOCOMPRESSION; break;
        }
        if (dialog && IsWindow(window))
            SendMessageA(window, dialog, 0, 0);  // modal on this thread
    }
    if (window && IsWindow(window))
        DestroyWindow(window);
    return static_cast<UINT>(msg.wParam);
}

int CVideoCapture::Create(int driverIndex)
{
    Destroy();
    ClearError();
    m_readyEvent.ResetEvent();
    // Started suspended so that auto-delete is off before the thread can end.
    m_pThread = AfxBeginThread(&CVideoCapture::CaptureThreadProc, this, THREAD_PRIORITY_NORMAL, 0,
                               CREATE_SUSPENDED);
    if (!m_pThread) {
        FailUnlessSet();
        return 0;
    }
    m_pThread->m_bAutoDelete = FALSE;
    m_pThread->ResumeThread();
    WaitForSingleObject(m_readyEvent, INFINITE);

    if (m_hCapWnd) {
        Send(WM_CAP_SET_USER_DATA, 0, reinterpret_cast<LPARAM>(this));
        Send(WM_CAP_SET_CALLBACK_ERRORA, 0, reinterpret_cast<LPARAM>(&CVideoCapture::OnError));
        Send(WM_CAP_SET_CALLBACK_CAPCONTROL, 0, reinterpret_cast<LPARAM>(&CVideoCapture::OnCaptureControl));
        Send(WM_CAP_SET_CALLBACK_STATUSA, 0, reinterpret_cast<LPARAM>(&CVideoCapture::OnStatus));
        Send(WM_CAP_SET_CALLBACK_FRAME, 0, reinterpret_cast<LPARAM>(&CVideoCapture::OnFrame));
        Send(WM_CAP_SET_CALLBACK_VIDEOSTREAM, 0, reinterpret_cast<LPARAM>(&CVideoCapture::OnVideoStream));

        if (s_nDriverCount == 0) {
            for (WORD number = 0; number < 10; ++number) {
                char name[80], version[80];
                if (capGetDriverDescriptionA(number, name, sizeof name, version, sizeof version) &&
                    Send(WM_CAP_DRIVER_CONNECT, number)) {
                    s_driverTable[s_nDriverCount++] = number;
                    Send(WM_CAP_DRIVER_DISCONNECT);
                }
            }
        }

        ClearError();
        if (const int selected = SelectDriver(driverIndex))
            return selected;
    }
    FailUnlessSet();
    // Destroy clears the error it found; keep it for the caller.
    int code = kErrorNone;
    CString text;
    GetLastError(&code, &text, false);
    Destroy();
    SetError(code, text);
    return 0;
}

int CVideoCapture::SelectDriver(int driverIndex)
{
    ClearError();
    const short index = static_cast<short>(driverIndex);
    if (index < 0 || index >= static_cast<short>(s_nDriverCount)) {
        SetError(kErrorDriverOutOfRange, CString());
        return 0;
    }
    if (!m_hCapWnd || index == m_nDriverIndex)
        return 1;

    if (GetParent(m_hCapWnd))
        Send(WM_CAP_SET_PREVIEW, FALSE);
    DetachPreview();
    Send(WM_CAP_ABORT);
    if (!Send(WM_CAP_DRIVER_CONNECT, s_driverTable[index])) {
        FailUnlessSet();
        return 0;
    }

    BITMAPINFOHEADER format = {};
    Send(WM_CAP_GET_VIDEOFORMAT, sizeof format, reinterpret_cast<LPARAM>(&format));
    m_format = format;

    CAPTUREPARMS parms = {};
    Send(WM_CAP_GET_SEQUENCE_SETUP, sizeof parms, reinterpret_cast<LPARAM>(&parms));
    parms.fAbortLeftMouse = FALSE;
    parms.fAbortRightMouse = FALSE;
    parms.fYield = TRUE;
    parms.fCaptureAudio = FALSE;
    parms.wPercentDropForError = 100;
    Send(WM_CAP_SET_SEQUENCE_SETUP, sizeof parms, reinterpret_cast<LPARAM>(&parms));
    m_nDriverIndex = index;
    return 1;
}

int CVideoCapture::AttachPreview(HWND parent, int x, int y, int cx, int cy, int rateMs)
{
    ClearError();
    if (!m_hCapWnd || !IsWindow(m_hCapWnd))
        return 0;
    SetParent(m_hCapWnd, parent);
    SetWindowLongA(m_hCapWnd, GWL_STYLE, kStyleAttached);
    SetWindowPos(m_hCapWnd, nullptr, x, y, cx, cy, SWP_NOZORDER);
    ShowWindow(m_hCapWnd, SW_SHOW);
    Send(WM_CAP_SET_PREVIEWRATE, static_cast<WPARAM>(rateMs));
    Send(WM_CAP_SET_SCALE, TRUE);
    return static_cast<int>(Send(WM_CAP_SET_PREVIEW, TRUE));
}

int CVideoCapture::DetachPreview()
{
    ClearError();
    const int result = static_cast<int>(Send(WM_CAP_SET_PREVIEW, FALSE));
    if (m_hCapWnd && IsWindow(m_hCapWnd)) {
        SetWindowPos(m_hCapWnd, nullptr, 0, 0, 0, 0, SWP_NOZORDER);
        SetParent(m_hCapWnd, nullptr);
        SetWindowLongA(m_hCapWnd, GWL_STYLE, kStyleDetached);
    }
    return result;
}

void CVideoCapture::Destroy()
{
    ClearError();
    if (m_hCapWnd) {
        DetachPreview();
        Send(WM_CAP_ABORT);
        Send(WM_CAP_SET_CALLBACK_ERRORA);
        Send(WM_CAP_SET_CALLBACK_CAPCONTROL);
        Send(WM_CAP_SET_CALLBACK_STATUSA);
        Send(WM_CAP_SET_CALLBACK_FRAME);
        Send(WM_CAP_SET_CALLBACK_VIDEOSTREAM);
        Send(WM_CAP_SET_USER_DATA, 0, 0);
        Send(WM_CAP_DRIVER_DISCONNECT);
    }
    if (m_pThread) {
        m_pThread->PostThreadMessage(WM_QUIT, 0, 0);
        for (int check = 0; check < kThreadEndChecks; ++check) {
            DWORD code = 0;
            if (!GetExitCodeThread(m_pThread->m_hThread, &code) || code != STILL_ACTIVE)
                break;
            Sleep(kThreadEndCheckMs);
        }
        // A thread that is still running holds only its own window handle.
        delete m_pThread;
    }
    {
        CSingleLock lock(&m_grabMutex, TRUE);
        m_pGrabBuffer = nullptr;
        m_nGrabRoom = 0;
    }
    m_hCapWnd = nullptr;
    m_pThread = nullptr;
    m_nDriverIndex = -1;
    m_format = BITMAPINFOHEADER{};
}

int CVideoCapture::GrabFrame(BYTE** buffer, DWORD size, DWORD* outSize)
{
    ClearError();
    const DWORD dibSize = DibSize(m_format);
    BYTE* target = buffer ? *buffer : nullptr;
    DWORD room = size;
    if (buffer && !target && dibSize) {
        target = new BYTE[dibSize]();
        std::memcpy(target, &m_format, sizeof m_format);
        room = dibSize;
        *buffer = target;
    }
    // The frame callback writes the header first: a room that cannot hold it is no room.
    if (!target || dibSize == 0 || room < DibHeaderSize(m_format)) {
        if (outSize)
            *outSize = 0;
        FailUnlessSet();
        return 0;
    }

    if (outSize)
        *outSize = dibSize < room ? dibSize : room;
    {
        CSingleLock lock(&m_grabMutex, TRUE);
        m_pGrabBuffer = target;
        m_nGrabRoom = room;
    }
    m_readyEvent.ResetEvent();
    bool copied = false;
    if (Send(WM_CAP_GRAB_FRAME))
        copied = WaitForSingleObject(m_readyEvent, kFrameWaitMs) == WAIT_OBJECT_0;
    {
        CSingleLock lock(&m_grabMutex, TRUE);
        m_pGrabBuffer = nullptr;
        m_nGrabRoom = 0;
    }
    if (!copied) {
        if (outSize)
            *outSize = 0;
        FailUnlessSet();
        return 0;
    }
    return 1;
}

int CVideoCapture::CaptureToAvi(LPCSTR path, float framesPerSecond)
{
    ClearError();
    m_stopEvent.ResetEvent();
    if (!path || !*path || !(framesPerSecond > 0.0f)) {
        FailUnlessSet();
        return 0;
    }

    CAPTUREPARMS saved = {};
    Send(WM_CAP_GET_SEQUENCE_SETUP, sizeof saved, reinterpret_cast<LPARAM>(&saved));
    CAPTUREPARMS working = saved;
    working.dwRequestMicroSecPerFrame = static_cast<DWORD>(1000000.0f / framesPerSecond);
    working.fYield = TRUE;
    working.fCaptureAudio = TRUE;
    working.fAbortLeftMouse = FALSE;
    working.fAbortRightMouse = FALSE;
    working.fLimitEnabled = FALSE;
    working.wPercentDropForError = 50;

    const LPARAM file = reinterpret_cast<LPARAM>(path);
    Send(WM_CAP_FILE_SET_CAPTURE_FILEA, 0, file);
    Send(WM_CAP_FILE_SAVEASA, 0, file);
    Send(WM_CAP_SET_SEQUENCE_SETUP, sizeof working, reinterpret_cast<LPARAM>(&working));
    int result = 0;
    if (Send(WM_CAP_SEQUENCE))
        result = static_cast<int>(Send(WM_CAP_FILE_SAVEASA, 0, file));
    Send(WM_CAP_SET_SEQUENCE_SETUP, sizeof saved, reinterpret_cast<LPARAM>(&saved));
    if (!result)
        FailUnlessSet();
    return result;
}

int CVideoCapture::StopCapture()
{
    m_stopEvent.SetEvent();
    return static_cast<int>(Send(WM_CAP_ABORT));
}

int CVideoCapture::GetDriverCaps(CAPDRIVERCAPS* caps)
{
    ClearError();
    if (!caps) {
        FailUnlessSet();
        return 0;
    }
    const int result = static_cast<int>(Send(WM_CAP_DRIVER_GET_CAPS, sizeof *caps, reinterpret_cast<LPARAM>(caps)));
    if (!result)
        FailUnlessSet();
    return result;
}

int CVideoCapture::ShowFormatDialog()
{
    ClearError();
    if (!m_pThread)
        return 0;
    return PostThreadMessageA(m_pThread->m_nThreadID, kShowVideoFormatDialog, 0, 0);
}

int CVideoCapture::ShowCompressionDialog()
{
    ClearError();
    if (!m_pThread)
        return 0;
    return PostThreadMessageA(m_pThread->m_nThreadID, kShowVideoCompressionDialog, 0, 0);
}

CVideoCapture* CVideoCapture::FromWindow(HWND window)
{
    if (!window || !IsWindow(window))
        return nullptr;
    return reinterpret_cast<CVideoCapture*>(SendMessageA(window, WM_CAP_GET_USER_DATA, 0, 0));
}

LRESULT CALLBACK CVideoCapture::OnFrame(HWND window, LPVIDEOHDR header)
{
    CVideoCapture* self = FromWindow(window);
    if (!self || !self->m_hCapWnd)
        return 0;
    {
        CSingleLock lock(&self->m_grabMutex, TRUE);
        if (self->m_pGrabBuffer && header) {
            const DWORD headerSize = DibHeaderSize(self->m_format);
            BYTE* target = self->m_pGrabBuffer;
            const DWORD room = self->m_nGrabRoom;
            std::memcpy(target, &self->m_format, sizeof self->m_format);
            DWORD length = header->dwBytesUsed;
            const DWORD space = room > headerSize ? room - headerSize : 0;
            if (length > space)
                length = space;
            if (length && header->lpData)
                std::memcpy(target + headerSize, header->lpData, length);
        }
    }
    self->m_readyEvent.SetEvent();
    return 1;
}

LRESULT CALLBACK CVideoCapture::OnCaptureControl(HWND window, int state)
{
    CVideoCapture* self = FromWindow(window);
    switch (state) {
    case CONTROLCALLBACK_PREROLL:
        if (self)
            self->m_stopEvent.ResetEvent();
        return 1;
    case CONTROLCALLBACK_CAPTURING:
        if (!self)
            return 1;
        return WaitForSingleObject(self->m_stopEvent, 0) != WAIT_OBJECT_0;
    default:
        return 1;
    }
}

LRESULT CALLBACK CVideoCapture::OnError(HWND window, int id, LPCSTR text)
{
    if (CVideoCapture* self = FromWindow(window))
        self->SetError(id, text ? text : "");
    return 1;
}

LRESULT CALLBACK CVideoCapture::OnStatus(HWND, int, LPCSTR)
{
    return 1;
}

LRESULT CALLBACK CVideoCapture::OnVideoStream(HWND, LPVIDEOHDR)
{
    return 1;
}
