// CaptureWindow: message handling, preview, grabbing and sequence capture.
#include "CaptureWindow.h"

#include <process.h>

#include <cstdio>
#include <cstring>

#include "OwnedDC.h"
#include "SyntheticPicture.h"
#include "VcamConfig.h"

namespace {

const char kClassName[] = "vcamCaptureWindow";
constexpr UINT_PTR kPreviewTimer = 1;
constexpr UINT_PTR kHeldFrameTimer = 2;  // hands a held-back grabbed frame over

// The capture library's defaults for a new window.
CAPTUREPARMS DefaultParms()
{
    CAPTUREPARMS p = {};
    p.dwRequestMicroSecPerFrame = 66667;  // 15 frames per second
    p.wPercentDropForError = 10;
    p.dwIndexSize = 34952;
    p.wNumVideoRequested = 5;
    p.fCaptureAudio = TRUE;
    p.wNumAudioRequested = 4;
    p.vKeyAbort = VK_ESCAPE;
    p.fAbortLeftMouse = TRUE;
    p.fAbortRightMouse = TRUE;
    p.wTimeLimit = 30;
    p.wStepCaptureAverageFrames = 3;
    p.AVStreamMaster = AVSTREAMMASTER_AUDIO;
    return p;
}

// Audio of a capture with sound: silence, 11025 Hz, 8-bit mono PCM.
WAVEFORMATEX SilenceFormat()
{
    WAVEFORMATEX wave = {};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = 1;
    wave.nSamplesPerSec = 11025;
    wave.wBitsPerSample = 8;
    wave.nBlockAlign = 1;
    wave.nAvgBytesPerSec = 11025;
    return wave;
}

std::string FullPath(const std::string& path)
{
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length && length < sizeof full ? std::string(full, length) : path;
}

bool SamePath(const std::string& a, const std::string& b)
{
    return lstrcmpiA(FullPath(a).c_str(), FullPath(b).c_str()) == 0;
}

LONGLONG Microseconds()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return now.QuadPart * 1000000 / frequency.QuadPart;
}

}  // namespace

HWND CaptureWindow::Create(LPCSTR title, DWORD style, int x, int y, int cx, int cy, HWND parent, int id)
{
    HINSTANCE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&CaptureWindow::WindowProc), &module);
    static const ATOM registered = [module] {
        WNDCLASSA wc = {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &CaptureWindow::WindowProc;
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.hInstance = module;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc);
    }();
    if (!registered)
        return nullptr;
    // A child window takes its id through the menu parameter.
    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
    return CreateWindowExA(0, kClassName, title ? title : "", style, x, y, cx, cy, parent, menu, module, nullptr);
}

bool CaptureWindow::DriverDescription(UINT number, std::string& name, std::string& version)
{
    const auto drivers = VcamConfig::Drivers();
    if (number >= drivers.size())
        return false;
    char text[64];
    std::snprintf(text, sizeof text, "vcam 虚拟摄像头 %u", number);
    name = text;
    version = "版本 1.0";
    return true;
}

CaptureWindow::~CaptureWindow()
{
    EndSequence();
}

LRESULT CALLBACK CaptureWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CaptureWindow*>(GetWindowLongPtrA(window, 0));
    if (message == WM_NCCREATE) {
        self = new CaptureWindow(window);
        self->m_parms = DefaultParms();
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, 0, 0);
        delete self;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT CaptureWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CAP_SET_CALLBACK_ERRORA: {
        std::lock_guard<std::mutex> guard(m_callbackLock);
        m_onError = reinterpret_cast<CAPERRORCALLBACKA>(lParam);
        return TRUE;
    }
    case WM_CAP_SET_CALLBACK_STATUSA: {
        std::lock_guard<std::mutex> guard(m_callbackLock);
        m_onStatus = reinterpret_cast<CAPSTATUSCALLBACKA>(lParam);
        return TRUE;
    }
    case WM_CAP_SET_CALLBACK_FRAME: {
        std::lock_guard<std::mutex> guard(m_callbackLock);
        m_onFrame = reinterpret_cast<CAPVIDEOCALLBACK>(lParam);
        return TRUE;
    }
    case WM_CAP_SET_CALLBACK_VIDEOSTREAM: {
        std::lock_guard<std::mutex> guard(m_callbackLock);
        m_onStream = reinterpret_cast<CAPVIDEOCALLBACK>(lParam);
        return TRUE;
    }
    case WM_CAP_SET_CALLBACK_CAPCONTROL: {
        std::lock_guard<std::mutex> guard(m_callbackLock);
        m_onControl = reinterpret_cast<CAPCONTROLCALLBACK>(lParam);
        return TRUE;
    }
    case WM_CAP_GET_USER_DATA:
        return m_userData;
    case WM_CAP_SET_USER_DATA:
        m_userData = lParam;
        return TRUE;
    case WM_CAP_DRIVER_CONNECT:
        return OnDriverConnect(wParam);
    case WM_CAP_DRIVER_DISCONNECT:
        return OnDriverDisconnect();
    case WM_CAP_DRIVER_GET_CAPS:
        return OnGetDriverCaps(wParam, reinterpret_cast<CAPDRIVERCAPS*>(lParam));
    case WM_CAP_GET_VIDEOFORMAT:
        return OnGetVideoFormat(wParam, reinterpret_cast<void*>(lParam));
    case WM_CAP_GET_STATUS:
        return OnGetStatus(wParam, reinterpret_cast<CAPSTATUS*>(lParam));
    case WM_CAP_FILE_SET_CAPTURE_FILEA:
        return OnSetCaptureFile(reinterpret_cast<LPCSTR>(lParam));
    case WM_CAP_FILE_SAVEASA:
        return OnSaveAs(reinterpret_cast<LPCSTR>(lParam));
    case WM_CAP_DLG_VIDEOFORMAT:
    case WM_CAP_DLG_VIDEOSOURCE:
    case WM_CAP_DLG_VIDEODISPLAY:
    case WM_CAP_DLG_VIDEOCOMPRESSION:
        return OnDialog(message);
    case WM_CAP_SET_PREVIEW:
        return OnSetPreview(wParam != 0);
    case WM_CAP_SET_PREVIEWRATE:
        return OnSetPreviewRate(static_cast<UINT>(wParam));
    case WM_CAP_SET_SCALE:
        m_scale = wParam != 0;
        InvalidateRect(m_hwnd, nullptr, FALSE);
        return TRUE;
    case WM_CAP_GRAB_FRAME:
    case WM_CAP_GRAB_FRAME_NOSTOP:
        if (!OnGrabFrame())
            return FALSE;
        if (message == WM_CAP_GRAB_FRAME)
            OnSetPreview(false);  // a grab ends the preview
        return TRUE;
    case WM_CAP_SEQUENCE:
        return OnSequence();
    case WM_CAP_GET_SEQUENCE_SETUP: {
        auto* target = reinterpret_cast<CAPTUREPARMS*>(lParam);
        if (!target || wParam == 0)
            return FALSE;
        std::memcpy(target, &m_parms, wParam < sizeof m_parms ? wParam : sizeof m_parms);
        return TRUE;
    }
    case WM_CAP_SET_SEQUENCE_SETUP: {
        auto* source = reinterpret_cast<const CAPTUREPARMS*>(lParam);
        if (!source || wParam == 0)
            return FALSE;
        std::memcpy(&m_parms, source, wParam < sizeof m_parms ? wParam : sizeof m_parms);
        return TRUE;
    }
    case WM_CAP_STOP:
    case WM_CAP_ABORT:
        return OnStop();
    case WM_TIMER:
        if (wParam == kPreviewTimer)
            OnPreviewTick();
        else if (wParam == kHeldFrameTimer)
            DeliverHeldFrame();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the frame covers the window
    case WM_DESTROY:
        OnDriverDisconnect();
        // A driver that is slow to close keeps the capture thread here.
        if (const unsigned delay = VcamConfig::CloseDelayMs())
            Sleep(delay);
        return 0;
    }
    return DefWindowProcA(m_hwnd, message, wParam, lParam);
}

bool CaptureWindow::RequireDriver()
{
    if (Connected())
        return true;
    ReportError(IDS_CAP_DRIVER_ERROR, "No capture driver is connected.");
    return false;
}

BOOL CaptureWindow::OnDriverConnect(WPARAM number)
{
    const auto drivers = VcamConfig::Drivers();
    if (number >= drivers.size() || drivers[number] == VcamConfig::DriverKind::RefusesConnect)
        return FALSE;
    if (Connected() && static_cast<WPARAM>(m_driver) != number)
        OnDriverDisconnect();
    int width, height;
    VcamConfig::FrameSize(width, height);
    m_format = {};
    m_format.biSize = sizeof m_format;
    m_format.biWidth = width;
    m_format.biHeight = height;
    m_format.biPlanes = 1;
    m_format.biBitCount = 24;
    m_format.biCompression = BI_RGB;
    m_format.biSizeImage = 0;  // allowed for uncompressed formats
    m_frame.assign(static_cast<size_t>(Vcam::RowBytes24(width)) * height, 0);
    m_hasFrame = false;
    m_driver = static_cast<int>(number);
    m_connectTick = GetTickCount();
    return TRUE;
}

BOOL CaptureWindow::OnDriverDisconnect()
{
    EndSequence();
    OnSetPreview(false);
    if (!Connected())
        return FALSE;
    m_driver = -1;
    m_format = {};
    m_hasFrame = false;
    InvalidateRect(m_hwnd, nullptr, FALSE);
    return TRUE;
}

BOOL CaptureWindow::OnGetDriverCaps(WPARAM size, CAPDRIVERCAPS* caps)
{
    if (!caps || !Connected())
        return FALSE;
    CAPDRIVERCAPS full = {};
    full.wDeviceIndex = static_cast<UINT>(m_driver);
    full.fHasDlgVideoSource = TRUE;
    full.fHasDlgVideoFormat = TRUE;
    full.fHasDlgVideoDisplay = TRUE;
    full.fCaptureInitialized = TRUE;
    std::memcpy(caps, &full, size < sizeof full ? size : sizeof full);
    return TRUE;
}

DWORD CaptureWindow::OnGetVideoFormat(WPARAM size, void* format)
{
    if (!Connected())
        return 0;
    if (format && size)
        std::memcpy(format, &m_format, size < sizeof m_format ? size : sizeof m_format);
    return sizeof m_format;
}

BOOL CaptureWindow::OnGetStatus(WPARAM size, CAPSTATUS* status)
{
    if (!status || size == 0)
        return FALSE;
    CAPSTATUS full = {};
    full.uiImageWidth = static_cast<UINT>(m_format.biWidth);
    full.uiImageHeight = static_cast<UINT>(m_format.biHeight);
    full.fLiveWindow = m_previewOn;
    full.fScale = m_scale;
    full.fCapFileExists = GetFileAttributesA(m_captureFile.c_str()) != INVALID_FILE_ATTRIBUTES;
    full.dwCurrentVideoFrame = m_writer ? m_writer->VideoFrames() : 0;
    full.fCapturingNow = m_capturing;
    std::memcpy(status, &full, size < sizeof full ? size : sizeof full);
    return TRUE;
}

BOOL CaptureWindow::OnSetPreview(bool on)
{
    if (!on) {
        KillTimer(m_hwnd, kPreviewTimer);
        m_previewOn = false;
        return TRUE;
    }
    if (!RequireDriver())
        return FALSE;
    m_previewOn = true;
    SetTimer(m_hwnd, kPreviewTimer, m_previewRate, nullptr);
    return TRUE;
}

BOOL CaptureWindow::OnSetPreviewRate(UINT ms)
{
    m_previewRate = ms ? ms : 1;
    if (m_previewOn)
        SetTimer(m_hwnd, kPreviewTimer, m_previewRate, nullptr);
    return TRUE;
}

void CaptureWindow::ProduceFrame()
{
    Vcam::PaintSyntheticFrame(m_frame.data(), m_format.biWidth, m_format.biHeight, m_frameCount++);
    m_hasFrame = true;
}

void CaptureWindow::DrawFrame(HDC dc)
{
    RECT client;
    GetClientRect(m_hwnd, &client);
    if (!m_hasFrame) {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    BITMAPINFO info = {};
    info.bmiHeader = m_format;
    if (m_scale) {
        const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, m_format.biWidth, m_format.biHeight,
                      m_frame.data(), &info, DIB_RGB_COLORS, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    } else {
        SetDIBitsToDevice(dc, 0, 0, m_format.biWidth, m_format.biHeight, 0, 0, 0, m_format.biHeight,
                          m_frame.data(), &info, DIB_RGB_COLORS);
    }
}

void CaptureWindow::OnPaint()
{
    TPaintDC dc(m_hwnd);
    DrawFrame(dc);
}

void CaptureWindow::OnPreviewTick()
{
    if (!m_previewOn || !Connected())
        return;
    ProduceFrame();
    // During streaming the video-stream callback sees the frames instead; a
    // late driver's preview frames come no sooner than its grabbed ones.
    if (!m_capturing && VcamConfig::GrabDelayMs() == 0)
        CallFrame(m_frame);
    if (TWindowDC dc(m_hwnd); !dc.IsNull())
        DrawFrame(dc);
}

BOOL CaptureWindow::OnGrabFrame()
{
    if (!RequireDriver() || m_capturing)
        return FALSE;
    ProduceFrame();
    if (const unsigned delay = VcamConfig::GrabDelayMs()) {
        // A slow driver: the grab is accepted now, its frame arrives later.
        m_heldFrame = m_frame;
        SetTimer(m_hwnd, kHeldFrameTimer, delay, nullptr);
    } else {
        CallFrame(m_frame);
    }
    if (TWindowDC dc(m_hwnd); !dc.IsNull())
        DrawFrame(dc);
    return TRUE;
}

void CaptureWindow::DeliverHeldFrame()
{
    KillTimer(m_hwnd, kHeldFrameTimer);
    if (m_heldFrame.empty())
        return;
    CallFrame(m_heldFrame);
    m_heldFrame.clear();
}

BOOL CaptureWindow::OnSetCaptureFile(LPCSTR path)
{
    if (!path || !*path || m_capturing)
        return FALSE;
    m_captureFile = path;
    return TRUE;
}

BOOL CaptureWindow::OnSaveAs(LPCSTR path)
{
    if (!path || !*path)
        return FALSE;
    if (SamePath(path, m_captureFile)) {
        // The captured data is already in that file (or still going there).
        return m_capturing || GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
    }
    if (m_capturing)
        return FALSE;  // the capture file is still being written
    if (!CopyFileA(m_captureFile.c_str(), path, FALSE)) {
        ReportError(IDS_CAP_FILE_OPEN_ERROR, "Cannot save the capture file as '" + std::string(path) + "'.");
        return FALSE;
    }
    return TRUE;
}

// What the compression dialog left chosen, for tests in other processes.
void CaptureWindow::LogCompression() const
{
    const std::string path = VcamConfig::DialogLog();
    if (path.empty())
        return;
    int count = 0;
    const char* const* names = DriverDialogs::Compressors(count);
    const char* name = m_compression.compressor >= 0 && m_compression.compressor < count
                           ? names[m_compression.compressor]
                           : "?";
    if (FILE* log = std::fopen(path.c_str(), "ab")) {
        std::fprintf(log, "compression\t%s\t%d\r\n", name, m_compression.quality);
        std::fclose(log);
    }
}

BOOL CaptureWindow::OnDialog(UINT message)
{
    if (!RequireDriver() || m_capturing)
        return FALSE;
    // A slow driver, or a busy machine: the dialog shows only after a while,
    // during which the window still answers what other threads send it.
    if (const unsigned delay = VcamConfig::DialogDelayMs()) {
        const DWORD start = GetTickCount();
        for (DWORD waited = 0; waited < delay; waited = GetTickCount() - start) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, delay - waited, QS_SENDMESSAGE);
            MSG msg;
            PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
    switch (message) {
    case WM_CAP_DLG_VIDEOCOMPRESSION: {
        const BOOL shown = DriverDialogs::ShowCompression(m_hwnd, m_compression);
        if (shown)
            LogCompression();
        return shown;
    }
    case WM_CAP_DLG_VIDEOFORMAT:
        return DriverDialogs::ShowFormat(m_hwnd, m_format.biWidth, m_format.biHeight);
    case WM_CAP_DLG_VIDEOSOURCE: {
        std::string name, version;
        DriverDescription(static_cast<UINT>(m_driver), name, version);
        return DriverDialogs::ShowSource(m_hwnd, name);
    }
    default:
        return DriverDialogs::ShowDisplay(m_hwnd);
    }
}

void CaptureWindow::ReportError(int id, const std::string& text)
{
    CAPERRORCALLBACKA callback;
    {
        std::lock_guard<std::mutex> guard(m_callbackLock);
        callback = m_onError;
    }
    if (callback)
        callback(m_hwnd, id, text.c_str());
}

void CaptureWindow::ReportStatus(int id, const char* text)
{
    CAPSTATUSCALLBACKA callback;
    {
        std::lock_guard<std::mutex> guard(m_callbackLock);
        callback = m_onStatus;
    }
    if (callback)
        callback(m_hwnd, id, text);
}

LRESULT CaptureWindow::CallFrame(VIDEOHDR* header)
{
    CAPVIDEOCALLBACK callback;
    {
        std::lock_guard<std::mutex> guard(m_callbackLock);
        callback = m_onFrame;
    }
    return callback ? callback(m_hwnd, header) : TRUE;
}

LRESULT CaptureWindow::CallFrame(std::vector<BYTE>& frame)
{
    VIDEOHDR header = {};
    header.lpData = frame.data();
    header.dwBufferLength = static_cast<DWORD>(frame.size());
    header.dwBytesUsed = header.dwBufferLength;
    header.dwTimeCaptured = GetTickCount() - m_connectTick;
    header.dwFlags = VHDR_DONE | VHDR_PREPARED | VHDR_KEYFRAME;
    return CallFrame(&header);
}

LRESULT CaptureWindow::CallStream(VIDEOHDR* header)
{
    CAPVIDEOCALLBACK callback;
    {
        std::lock_guard<std::mutex> guard(m_callbackLock);
        callback = m_onStream;
    }
    return callback ? callback(m_hwnd, header) : TRUE;
}

LRESULT CaptureWindow::CallControl(int state)
{
    CAPCONTROLCALLBACK callback;
    {
        std::lock_guard<std::mutex> guard(m_callbackLock);
        callback = m_onControl;
    }
    return callback ? callback(m_hwnd, state) : TRUE;
}

BOOL CaptureWindow::OnSequence()
{
    if (!RequireDriver() || m_capturing)
        return FALSE;
    EndSequence();  // a sequence that ended by itself

    m_sequenceParms = m_parms;
    m_sequenceFormat = m_format;
    if (m_sequenceParms.dwRequestMicroSecPerFrame == 0)
        m_sequenceParms.dwRequestMicroSecPerFrame = 66667;
    const WAVEFORMATEX wave = SilenceFormat();
    m_writer = std::make_unique<AviWriter>();
    if (!m_writer->Open(m_captureFile, m_format, m_sequenceParms.dwRequestMicroSecPerFrame,
                        m_sequenceParms.fCaptureAudio ? &wave : nullptr)) {
        m_writer.reset();
        ReportError(IDS_CAP_FILE_OPEN_ERROR, "Cannot open the capture file '" + m_captureFile + "'.");
        return FALSE;
    }
    if (m_abort.IsNull())
        m_abort.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ResetEvent(m_abort.Get());
    m_capturing = true;
    const uintptr_t thread = _beginthreadex(nullptr, 0, &CaptureWindow::SequenceThread, this, 0, nullptr);
    if (!thread) {
        m_capturing = false;
        m_writer.reset();
        ReportError(IDS_CAP_OUTOFMEM, "Cannot start the capture.");
        return FALSE;
    }
    m_sequence.Reset(reinterpret_cast<HANDLE>(thread));
    if (!m_sequenceParms.fYield) {
        // Without yield the call returns when the capture has ended.
        const HANDLE sequence = m_sequence.Get();
        for (;;) {
            const DWORD wait = MsgWaitForMultipleObjects(1, &sequence, FALSE, INFINITE, QS_ALLINPUT);
            if (wait == WAIT_OBJECT_0)
                break;
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        EndSequence();
    }
    return TRUE;
}

BOOL CaptureWindow::OnStop()
{
    // A driver deaf to the abort: the capture goes on until the control
    // callback refuses the next frame.
    if (m_capturing && VcamConfig::IgnoreAbort())
        return FALSE;
    return EndSequence();
}

bool CaptureWindow::EndSequence()
{
    if (m_sequence.IsNull())
        return false;
    SetEvent(m_abort.Get());
    const HANDLE sequence = m_sequence.Get();
    for (;;) {
        const DWORD wait = MsgWaitForMultipleObjects(1, &sequence, FALSE, INFINITE, QS_SENDMESSAGE);
        if (wait != WAIT_OBJECT_0 + 1)
            break;
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    m_sequence.Reset();
    m_writer.reset();
    return true;
}

unsigned __stdcall CaptureWindow::SequenceThread(void* self)
{
    static_cast<CaptureWindow*>(self)->RunSequence();
    return 0;
}

void CaptureWindow::RunSequence()
{
    const CAPTUREPARMS parms = m_sequenceParms;
    const BITMAPINFOHEADER format = m_sequenceFormat;
    const LONGLONG period = parms.dwRequestMicroSecPerFrame;
    const WAVEFORMATEX wave = SilenceFormat();
    const bool frameErrors = VcamConfig::FrameErrors();
    std::vector<BYTE> frame(static_cast<size_t>(Vcam::RowBytes24(format.biWidth)) * format.biHeight);
    std::vector<BYTE> silence;
    LONGLONG audioSent = 0;

    bool failed = false;
    if (CallControl(CONTROLCALLBACK_PREROLL)) {
        ReportStatus(IDS_CAP_BEGIN, "Capture Start");
        const LONGLONG start = Microseconds();
        for (LONGLONG n = 0;; ++n) {
            const LONGLONG due = n * period;
            const LONGLONG now = Microseconds() - start;
            const DWORD waitMs = due > now ? static_cast<DWORD>((due - now) / 1000) : 0;
            if (WaitForSingleObject(m_abort.Get(), waitMs) == WAIT_OBJECT_0)
                break;
            if (parms.fLimitEnabled && Microseconds() - start >= LONGLONG(parms.wTimeLimit) * 1000000)
                break;
            if (!CallControl(CONTROLCALLBACK_CAPTURING))
                break;

            Vcam::PaintSyntheticFrame(frame.data(), format.biWidth, format.biHeight, static_cast<unsigned>(n));
            VIDEOHDR header = {};
            header.lpData = frame.data();
            header.dwBufferLength = static_cast<DWORD>(frame.size());
            header.dwBytesUsed = header.dwBufferLength;
            header.dwTimeCaptured = static_cast<DWORD>((Microseconds() - start) / 1000);
            header.dwFlags = VHDR_DONE | VHDR_PREPARED | VHDR_KEYFRAME;
            CallStream(&header);
            if (frameErrors) {
                // Two errors in turn, each text naming its code, so that a
                // reader can tell a code from one report and a text from another.
                const int id = (n & 1) ? IDS_CAP_NO_FRAME_CAP_ERROR : IDS_CAP_VIDEO_ADD_ERROR;
                ReportError(id, "vcam error " + std::to_string(id));
            }
            if (!m_writer->WriteVideoFrame(frame.data(), header.dwBytesUsed)) {
                failed = true;
                break;
            }
            if (parms.fCaptureAudio) {
                // The sound that belongs to this frame's period.
                const LONGLONG total = (n + 1) * period * wave.nSamplesPerSec / 1000000;
                silence.assign(static_cast<size_t>(total - audioSent), 0x80);
                audioSent = total;
                if (!silence.empty() && !m_writer->WriteAudio(silence.data(), static_cast<DWORD>(silence.size()))) {
                    failed = true;
                    break;
                }
            }
        }
    }
    if (!m_writer->Close())
        failed = true;
    if (failed)
        ReportError(IDS_CAP_FILE_WRITE_ERROR, "Cannot write the capture file '" + m_captureFile + "'.");
    ReportStatus(IDS_CAP_END, "Capture End");
    m_capturing = false;
}
