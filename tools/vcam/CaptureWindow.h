// CaptureWindow: the virtual camera's capture window. It answers the capture
// messages of the platform's capture library: driver connection, format and
// capabilities, preview, single-frame grabs, background sequence capture to an
// AVI file, the driver dialogs and the callbacks.
#pragma once

#include <windows.h>

#include <vfw.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "AviWriter.h"
#include "DriverDialogs.h"
#include "OwnedHandles.h"

class CaptureWindow {
public:
    static HWND Create(LPCSTR title, DWORD style, int x, int y, int cx, int cy, HWND parent, int id);

    // Description of driver `number`; false when no such driver answers.
    static bool DriverDescription(UINT number, std::string& name, std::string& version);

private:
    explicit CaptureWindow(HWND window) : m_hwnd(window) {}
    ~CaptureWindow();

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    BOOL OnDriverConnect(WPARAM number);
    BOOL OnDriverDisconnect();
    BOOL OnGetDriverCaps(WPARAM size, CAPDRIVERCAPS* caps);
    DWORD OnGetVideoFormat(WPARAM size, void* format);
    BOOL OnGetStatus(WPARAM size, CAPSTATUS* status);
    BOOL OnSetPreview(bool on);
    BOOL OnSetPreviewRate(UINT ms);
    BOOL OnGrabFrame();
    BOOL OnSequence();
    BOOL OnStop();
    BOOL OnSetCaptureFile(LPCSTR path);
    BOOL OnSaveAs(LPCSTR path);
    BOOL OnDialog(UINT message);
    void LogCompression() const;
    void OnPreviewTick();
    // Hands the frame of a held-back grab to the frame callback.
    void DeliverHeldFrame();
    void OnPaint();

    bool Connected() const { return m_driver >= 0; }
    bool RequireDriver();
    void ProduceFrame();
    void DrawFrame(HDC dc);
    // Ends a running or finished sequence, answering sent messages while it
    // winds down (its callbacks reach this window); true when there was one.
    bool EndSequence();

    void ReportError(int id, const std::string& text);
    void ReportStatus(int id, const char* text);
    LRESULT CallFrame(VIDEOHDR* header);
    // A whole frame to the frame callback, stamped with the time since connecting.
    LRESULT CallFrame(std::vector<BYTE>& frame);
    LRESULT CallStream(VIDEOHDR* header);
    LRESULT CallControl(int state);

    static unsigned __stdcall SequenceThread(void* self);
    void RunSequence();

    HWND m_hwnd;
    int m_driver = -1;
    DWORD m_connectTick = 0;
    BITMAPINFOHEADER m_format = {};
    CAPTUREPARMS m_parms = {};
    bool m_previewOn = false;
    bool m_scale = false;
    UINT m_previewRate = 15;
    std::string m_captureFile = "C:\\CAPTURE.AVI";
    unsigned m_frameCount = 0;
    std::vector<BYTE> m_frame;
    bool m_hasFrame = false;
    std::vector<BYTE> m_heldFrame;  // a grabbed frame not yet handed over
    LONG_PTR m_userData = 0;
    DriverDialogs::Compression m_compression;

    // The callbacks are read by the sequence thread as well.
    std::mutex m_callbackLock;
    CAPERRORCALLBACKA m_onError = nullptr;
    CAPSTATUSCALLBACKA m_onStatus = nullptr;
    CAPVIDEOCALLBACK m_onFrame = nullptr;
    CAPVIDEOCALLBACK m_onStream = nullptr;
    CAPCONTROLCALLBACK m_onControl = nullptr;

    // The running sequence: its thread, the writer it fills, its settings.
    TOwnedHandle m_sequence;
    TOwnedHandle m_abort;
    std::atomic<bool> m_capturing{false};
    std::unique_ptr<AviWriter> m_writer;
    CAPTUREPARMS m_sequenceParms = {};
    BITMAPINFOHEADER m_sequenceFormat = {};
};
