// The virtual camera's capture window on its own, as the platform documents
// its messages: callbacks around preview, grabs and sequences, errors, files.
#include <gtest/gtest.h>

#include <windows.h>

#include <vfw.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CaptureFixtures.h"
#include "MessagePump.h"
#include "SyntheticPicture.h"
#include "TempFolder.h"

namespace {

// What the callbacks saw; the callbacks are plain functions, so they report here.
struct Seen {
    std::vector<int> errors;
    std::vector<std::string> errorTexts;
    std::vector<int> controlStates;
    int frames = 0;
    int streamed = 0;
    int statusBegin = 0, statusEnd = 0;
    DWORD framesBeforeStop = 0;  // CAPTURING answers FALSE after this many
    VIDEOHDR lastFrame = {};
    DWORD lastFrameThread = 0;
    CRITICAL_SECTION lock;
    Seen() { InitializeCriticalSection(&lock); }
    ~Seen() { DeleteCriticalSection(&lock); }
};
Seen* g_seen = nullptr;

LRESULT CALLBACK OnError(HWND, int id, LPCSTR text)
{
    EnterCriticalSection(&g_seen->lock);
    g_seen->errors.push_back(id);
    g_seen->errorTexts.push_back(text ? text : "");
    LeaveCriticalSection(&g_seen->lock);
    return TRUE;
}

LRESULT CALLBACK OnStatus(HWND, int id, LPCSTR)
{
    if (id == IDS_CAP_BEGIN)
        ++g_seen->statusBegin;
    if (id == IDS_CAP_END)
        ++g_seen->statusEnd;
    return TRUE;
}

LRESULT CALLBACK OnFrame(HWND, LPVIDEOHDR header)
{
    ++g_seen->frames;
    g_seen->lastFrame = *header;
    g_seen->lastFrameThread = GetCurrentThreadId();
    return TRUE;
}

LRESULT CALLBACK OnStream(HWND, LPVIDEOHDR)
{
    ++g_seen->streamed;
    return TRUE;
}

LRESULT CALLBACK OnControl(HWND, int state)
{
    EnterCriticalSection(&g_seen->lock);
    g_seen->controlStates.push_back(state);
    const DWORD capturing = static_cast<DWORD>(
        std::count(g_seen->controlStates.begin(), g_seen->controlStates.end(), CONTROLCALLBACK_CAPTURING));
    LeaveCriticalSection(&g_seen->lock);
    return state != CONTROLCALLBACK_CAPTURING || capturing <= g_seen->framesBeforeStop;
}

class VirtualCamera : public ThreeDriversFirstRefusing {
protected:
    void SetUp() override
    {
        g_seen = &m_seen;
        m_window = capCreateCaptureWindowA("camera", WS_CHILD | WS_VISIBLE, 0, 0, 320, 240, m_host.Handle(), 7);
        ASSERT_NE(nullptr, m_window);
        Send(WM_CAP_SET_CALLBACK_ERRORA, 0, reinterpret_cast<LPARAM>(&OnError));
        Send(WM_CAP_SET_CALLBACK_STATUSA, 0, reinterpret_cast<LPARAM>(&OnStatus));
        Send(WM_CAP_SET_CALLBACK_FRAME, 0, reinterpret_cast<LPARAM>(&OnFrame));
        Send(WM_CAP_SET_CALLBACK_VIDEOSTREAM, 0, reinterpret_cast<LPARAM>(&OnStream));
        Send(WM_CAP_SET_CALLBACK_CAPCONTROL, 0, reinterpret_cast<LPARAM>(&OnControl));
    }
    void TearDown() override
    {
        if (m_window)
            DestroyWindow(m_window);
        g_seen = nullptr;
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageA(m_window, message, wParam, lParam);
    }
    // Records to `path` at 20 frames per second until `frames` frames are taken.
    bool Record(const std::string& path, DWORD frames, bool audio)
    {
        m_seen.framesBeforeStop = frames;
        CAPTUREPARMS parms = {};
        Send(WM_CAP_GET_SEQUENCE_SETUP, sizeof parms, reinterpret_cast<LPARAM>(&parms));
        parms.dwRequestMicroSecPerFrame = 50000;
        parms.fYield = TRUE;
        parms.fCaptureAudio = audio;
        Send(WM_CAP_SET_SEQUENCE_SETUP, sizeof parms, reinterpret_cast<LPARAM>(&parms));
        Send(WM_CAP_FILE_SET_CAPTURE_FILEA, 0, reinterpret_cast<LPARAM>(path.c_str()));
        if (!Send(WM_CAP_SEQUENCE))
            return false;
        CAPSTATUS status = {};
        const bool ended = PumpUntil(
            [&] {
                Send(WM_CAP_GET_STATUS, sizeof status, reinterpret_cast<LPARAM>(&status));
                return !status.fCapturingNow;
            });
        Send(WM_CAP_ABORT);
        return ended;
    }

    HostWindow m_host;
    Seen m_seen;
    HWND m_window = nullptr;
};

}  // namespace

TEST_F(VirtualCamera, WithoutADriverRequestsReachTheErrorCallback)
{
    EXPECT_FALSE(Send(WM_CAP_DRIVER_CONNECT, 0)) << "driver 0 refuses to connect";
    EXPECT_FALSE(Send(WM_CAP_DRIVER_CONNECT, 3)) << "there is no driver 3";
    EXPECT_FALSE(Send(WM_CAP_SET_PREVIEW, TRUE));
    EXPECT_FALSE(Send(WM_CAP_GRAB_FRAME));
    EXPECT_FALSE(Send(WM_CAP_SEQUENCE));
    EXPECT_EQ(0, Send(WM_CAP_GET_VIDEOFORMAT, 0, 0));
    ASSERT_EQ(3u, m_seen.errors.size());
    for (size_t i = 0; i < m_seen.errors.size(); ++i) {
        EXPECT_EQ(IDS_CAP_DRIVER_ERROR, m_seen.errors[i]);
        EXPECT_FALSE(m_seen.errorTexts[i].empty());
    }
    EXPECT_EQ(0, m_seen.frames);
}

TEST_F(VirtualCamera, DriverReportsTheFormatAndCapabilities)
{
    ASSERT_TRUE(Send(WM_CAP_DRIVER_CONNECT, 2));
    BITMAPINFOHEADER format = {};
    EXPECT_EQ(static_cast<LRESULT>(sizeof format),
              Send(WM_CAP_GET_VIDEOFORMAT, sizeof format, reinterpret_cast<LPARAM>(&format)));
    EXPECT_EQ(320, format.biWidth);
    EXPECT_EQ(240, format.biHeight);
    EXPECT_EQ(24, format.biBitCount);
    CAPDRIVERCAPS caps = {};
    ASSERT_TRUE(Send(WM_CAP_DRIVER_GET_CAPS, sizeof caps, reinterpret_cast<LPARAM>(&caps)));
    EXPECT_EQ(2u, caps.wDeviceIndex);
    EXPECT_TRUE(caps.fHasDlgVideoFormat);
    EXPECT_TRUE(Send(WM_CAP_DRIVER_DISCONNECT));
    EXPECT_FALSE(Send(WM_CAP_DRIVER_GET_CAPS, sizeof caps, reinterpret_cast<LPARAM>(&caps)));
}

TEST_F(VirtualCamera, PreviewCallsTheFrameCallbackAndAGrabEndsThePreview)
{
    ASSERT_TRUE(Send(WM_CAP_DRIVER_CONNECT, 1));
    Send(WM_CAP_SET_PREVIEWRATE, 20);
    ASSERT_TRUE(Send(WM_CAP_SET_PREVIEW, TRUE));
    EXPECT_TRUE(PumpUntil([&] { return m_seen.frames >= 3; })) << "one callback per preview frame";
    EXPECT_EQ(GetCurrentThreadId(), m_seen.lastFrameThread) << "on the window's thread";

    const int before = m_seen.frames;
    ASSERT_TRUE(Send(WM_CAP_GRAB_FRAME));
    EXPECT_EQ(before + 1, m_seen.frames) << "the grab calls back before it returns";
    EXPECT_NE(nullptr, m_seen.lastFrame.lpData);
    EXPECT_EQ(230400u, m_seen.lastFrame.dwBytesUsed);
    EXPECT_EQ(VHDR_DONE | VHDR_PREPARED | VHDR_KEYFRAME, m_seen.lastFrame.dwFlags);
    EXPECT_GE(Vcam::MatchSyntheticFrame(m_seen.lastFrame.lpData, 320, 240), 0);

    PumpMessages(200);
    EXPECT_EQ(before + 1, m_seen.frames) << "no more preview frames after the grab";
}

TEST_F(VirtualCamera, SequenceAsksTheControlCallbackBeforeEveryFrameAndStopsWhenToldTo)
{
    TempFolder folder;
    const std::string path = folder / "sequence.avi";
    ASSERT_TRUE(Send(WM_CAP_DRIVER_CONNECT, 1));
    Send(WM_CAP_SET_PREVIEWRATE, 20);
    Send(WM_CAP_SET_PREVIEW, TRUE);
    PumpMessages(100);
    const int previewFrames = m_seen.frames;

    ASSERT_TRUE(Record(path, 3, false));
    ASSERT_GE(m_seen.controlStates.size(), 2u);
    EXPECT_EQ(CONTROLCALLBACK_PREROLL, m_seen.controlStates.front());
    EXPECT_EQ(5u, m_seen.controlStates.size()) << "preroll, three frames, and the refusal";
    EXPECT_EQ(3, m_seen.streamed) << "one video-stream callback per frame";
    EXPECT_LE(m_seen.frames, previewFrames + 1) << "no frame callbacks while streaming";
    EXPECT_EQ(1, m_seen.statusBegin);
    EXPECT_EQ(1, m_seen.statusEnd);

    const AviSummary avi = ReadAvi(path);
    ASSERT_TRUE(avi.riffAvi);
    EXPECT_EQ(3u, avi.videoFrames.size());
    EXPECT_EQ(50000u, avi.microSecPerFrame);
    EXPECT_EQ(1u, avi.streams) << "no audio asked for";
    EXPECT_TRUE(avi.indexMatchesChunks);
}

TEST_F(VirtualCamera, SaveAsCopiesTheCaptureFileOnceTheCaptureIsOver)
{
    TempFolder folder;
    const std::string capture = folder / "capture.avi";
    const std::string copy = folder / "copy.avi";
    ASSERT_TRUE(Send(WM_CAP_DRIVER_CONNECT, 1));
    EXPECT_FALSE(Send(WM_CAP_FILE_SAVEASA, 0, reinterpret_cast<LPARAM>(capture.c_str())))
        << "nothing captured yet";

    ASSERT_TRUE(Record(capture, 2, true));
    EXPECT_TRUE(Send(WM_CAP_FILE_SAVEASA, 0, reinterpret_cast<LPARAM>(capture.c_str())));
    ASSERT_TRUE(Send(WM_CAP_FILE_SAVEASA, 0, reinterpret_cast<LPARAM>(copy.c_str())));
    EXPECT_EQ(ReadWholeFile(capture), ReadWholeFile(copy));
    const AviSummary avi = ReadAvi(copy);
    EXPECT_EQ(2u, avi.streams);
    EXPECT_EQ(2u, avi.videoFrames.size());

    const std::string unwritable = folder / "no folder\\copy.avi";
    EXPECT_FALSE(Send(WM_CAP_FILE_SAVEASA, 0, reinterpret_cast<LPARAM>(unwritable.c_str())));
    ASSERT_FALSE(m_seen.errors.empty());
    EXPECT_EQ(IDS_CAP_FILE_OPEN_ERROR, m_seen.errors.back());
}
