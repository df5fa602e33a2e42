// Recording through CVideoCapture: the AVI file the virtual camera writes, the
// sequence setup a recording asks for, and failures reported by the library.
#include <gtest/gtest.h>

#include <windows.h>

#include <vfw.h>

#include <string>

#include "CaptureFixtures.h"
#include "MessagePump.h"
#include "SyntheticPicture.h"
#include "TempFolder.h"
#include "VideoCapture.h"

namespace {

// What the system's own AVI reader makes of the file.
struct AviFileView {
    bool opened = false;
    LONG videoLength = -1;
    DWORD rate = 0, scale = 0;
    bool firstFrameDecodes = false;
};

AviFileView OpenWithAviFile(const std::string& path)
{
    AviFileView view;
    AVIFileInit();
    PAVIFILE file = nullptr;
    if (AVIFileOpenA(&file, path.c_str(), OF_READ | OF_SHARE_DENY_WRITE, nullptr) == 0) {
        view.opened = true;
        PAVISTREAM stream = nullptr;
        if (AVIFileGetStream(file, &stream, streamtypeVIDEO, 0) == 0) {
            AVISTREAMINFOA info = {};
            AVIStreamInfoA(stream, &info, sizeof info);
            view.rate = info.dwRate;
            view.scale = info.dwScale;
            view.videoLength = AVIStreamLength(stream);
            BYTE sample[230400];
            LONG bytes = 0;
            view.firstFrameDecodes = AVIStreamRead(stream, 0, 1, sample, sizeof sample, &bytes, nullptr) == 0 &&
                                     bytes == static_cast<LONG>(sizeof sample) &&
                                     Vcam::MatchSyntheticFrame(sample, 320, 240) >= 0;
            AVIStreamRelease(stream);
        }
        AVIFileRelease(file);
    }
    AVIFileExit();
    return view;
}

using VideoCaptureRecord = ThreeDriversFirstRefusing;
}  // namespace

TEST_F(VideoCaptureRecord, RecordingStartedAndStoppedIsACompleteAviOfItsDuration)
{
    struct Case {
        float fps;
        DWORD durationMs;
        DWORD microSecPerFrame;
    };
    const Case cases[] = {{4.0f, 2000, 250000}, {10.0f, 1500, 100000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fps);
        TempFolder folder;
        const std::string path = folder / "录像 1.avi";
        HostWindow host;
        CVideoCapture capture;
        ASSERT_NE(0, capture.Create(0));
        ASSERT_NE(0, capture.AttachPreview(host.Handle(), 0, 0, 320, 240, 30));

        const DWORD start = GetTickCount();
        ASSERT_EQ(1, capture.CaptureToAvi(path.c_str(), c.fps));
        EXPECT_LT(GetTickCount() - start, c.durationMs) << "the recording runs in the background";
        PumpMessages(c.durationMs);
        EXPECT_NE(0, capture.StopCapture());
        const DWORD elapsed = GetTickCount() - start;

        const AviSummary avi = ReadAvi(path);
        ASSERT_TRUE(avi.riffAvi) << "a RIFF AVI file whose size matches its header";
        EXPECT_EQ(c.microSecPerFrame, avi.microSecPerFrame);
        EXPECT_EQ(c.microSecPerFrame, avi.videoScale);
        EXPECT_EQ(1000000u, avi.videoRate);
        EXPECT_EQ(320u, avi.width);
        EXPECT_EQ(240u, avi.height);
        EXPECT_EQ(24, avi.videoFormat.biBitCount);
        EXPECT_TRUE(avi.flags & AVIF_HASINDEX);
        EXPECT_TRUE(avi.indexMatchesChunks);
        EXPECT_EQ(avi.videoFrames.size() + avi.audioChunks, avi.indexEntries);
        EXPECT_EQ(avi.videoFrames.size(), avi.totalFrames);
        EXPECT_EQ(avi.videoFrames.size(), avi.videoLength);

        // One frame at the start and one per period after it; a busy machine may drop some.
        const double expected = elapsed * c.fps / 1000.0 + 1;
        EXPECT_LE(avi.videoFrames.size(), expected + 1);
        EXPECT_GE(avi.videoFrames.size(), expected / 2);
        for (size_t n = 0; n < avi.videoFrames.size(); ++n) {
            ASSERT_EQ(230400u, avi.videoFrames[n].size());
            EXPECT_EQ(static_cast<int>(n & 0xFF),
                      Vcam::MatchSyntheticFrame(reinterpret_cast<const BYTE*>(avi.videoFrames[n].data()), 320, 240))
                << "frame " << n;
        }

        // The recording asked for sound; the preview setup is back afterwards.
        EXPECT_EQ(2u, avi.streams);
        EXPECT_TRUE(avi.hasAudio);
        EXPECT_GT(avi.audioLength, 0u);
        const CAPTUREPARMS after = SequenceSetup(FindCaptureWindow(host.Handle()));
        EXPECT_FALSE(after.fCaptureAudio);
        EXPECT_EQ(100u, after.wPercentDropForError);

        const AviFileView view = OpenWithAviFile(path);
        EXPECT_TRUE(view.opened) << "the system's AVI reader opens the file";
        EXPECT_EQ(static_cast<LONG>(avi.videoFrames.size()), view.videoLength);
        EXPECT_EQ(1000000u, view.rate);
        EXPECT_EQ(c.microSecPerFrame, view.scale);
        EXPECT_TRUE(view.firstFrameDecodes);
    }
}

TEST_F(VideoCaptureRecord, DestroyDuringARecordingLeavesACompleteFile)
{
    TempFolder folder;
    const std::string path = folder / "clip.avi";
    {
        CVideoCapture capture;
        ASSERT_NE(0, capture.Create(0));
        ASSERT_EQ(1, capture.CaptureToAvi(path.c_str(), 10.0f));
        PumpMessages(400);
    }
    const AviSummary avi = ReadAvi(path);
    ASSERT_TRUE(avi.riffAvi);
    EXPECT_TRUE(avi.indexMatchesChunks);
    EXPECT_GE(avi.videoFrames.size(), 1u);
    EXPECT_EQ(avi.videoFrames.size(), avi.totalFrames);
}

TEST_F(VideoCaptureRecord, AFileThatCannotBeWrittenReachesTheLastError)
{
    TempFolder folder;
    const std::string path = folder / "missing folder\\clip.avi";
    CVideoCapture capture;
    ASSERT_NE(0, capture.Create(0));
    EXPECT_EQ(0, capture.CaptureToAvi(path.c_str(), 4.0f));

    int code = 0;
    CString text;
    capture.GetLastError(&code, &text, true);
    EXPECT_EQ(IDS_CAP_FILE_OPEN_ERROR, code) << "the library's own code, not a generic failure";
    EXPECT_NE(-1, text.Find("clip.avi")) << static_cast<LPCSTR>(text);
    capture.GetLastError(&code, &text, false);
    EXPECT_EQ(0, code) << "cleared when asked";
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(FileExists(path));

    EXPECT_EQ(0, capture.CaptureToAvi((folder / "zero.avi").c_str(), 0.0f)) << "no frame rate, no recording";
}

TEST_F(VideoCaptureRecord, StopEndsASequenceEvenWhenTheDriverIgnoresTheAbort)
{
    // The camera goes on after the abort; the stop event, asked for by the
    // control callback before every frame, is what ends the recording.
    ScopedEnvironment ignoreAbort("VCAM_IGNORE_ABORT", "1");
    TempFolder folder;
    const std::string path = folder / "clip.avi";
    CVideoCapture capture;
    ASSERT_NE(0, capture.Create(0));
    ASSERT_EQ(1, capture.CaptureToAvi(path.c_str(), 10.0f));
    PumpMessages(500);
    EXPECT_FALSE(ReadAvi(path).riffAvi) << "still recording, the file is not finished";

    EXPECT_EQ(0, capture.StopCapture()) << "the driver did not take the abort";
    AviSummary avi;
    EXPECT_TRUE(PumpUntil([&] { return (avi = ReadAvi(path)).riffAvi; })) << "the recording ended";
    EXPECT_TRUE(avi.indexMatchesChunks);
    EXPECT_GE(avi.videoFrames.size(), 2u);
    EXPECT_EQ(avi.videoFrames.size(), avi.totalFrames);
}

TEST_F(VideoCaptureRecord, ErrorsReportedWhileRecordingAreReadWhole)
{
    // The camera reports an error with every frame from its capture thread
    // while this thread reads and clears the last error: each read is one
    // report whole (its code with its own text) or nothing.
    ScopedEnvironment frameErrors("VCAM_FRAME_ERRORS", "1");
    ScopedEnvironment frameSize("VCAM_FRAME_SIZE", "8x8");
    TempFolder folder;
    const std::string path = folder / "errors.avi";
    CVideoCapture capture;
    ASSERT_NE(0, capture.Create(0));
    ASSERT_EQ(1, capture.CaptureToAvi(path.c_str(), 1000.0f));

    // A few hundred reports tell; the reading is kept short because it keeps
    // the system busy for the programs beside this one.
    int reports = 0;
    std::string torn;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 10000 && reports < 300 && torn.empty()) {
        int code = -1;
        CString text;
        capture.GetLastError(&code, &text, true);
        const std::string read = static_cast<LPCSTR>(text);
        if (code == 0 && read.empty())
            continue;
        ++reports;
        if (read != "vcam error " + std::to_string(code))
            torn = std::to_string(code) + " with \"" + read + "\"";
    }
    capture.StopCapture();
    EXPECT_EQ("", torn);
    EXPECT_EQ(reports, 300) << "the camera's reports reached the engine";
}
