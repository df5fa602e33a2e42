// CVideoCapture against the virtual camera: driver table, connection, preview,
// grabbed frames and ending the capture thread. Driver 0 refuses to connect,
// drivers 1 and 2 connect (see CMakeLists.txt).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "CaptureFixtures.h"
#include "MessagePump.h"
#include "OwnedDC.h"
#include "OwnedGdi.h"
#include "SyntheticPicture.h"
#include "TempFolder.h"
#include "VideoCapture.h"

namespace {

UINT ConnectedDriverNumber(CVideoCapture& capture)
{
    CAPDRIVERCAPS caps = {};
    EXPECT_NE(0, capture.GetDriverCaps(&caps));
    return caps.wDeviceIndex;
}

int LastErrorCode(CVideoCapture& capture)
{
    int code = -1;
    capture.GetLastError(&code, nullptr, false);
    return code;
}

using VideoCaptureDrivers = ThreeDriversFirstRefusing;
using VideoCapturePreview = ThreeDriversFirstRefusing;
using VideoCaptureGrab = ThreeDriversFirstRefusing;
using VideoCaptureDestroy = ThreeDriversFirstRefusing;
}  // namespace

TEST_F(VideoCaptureDrivers, TablePositionsSkipTheDriverThatRefusesToConnect)
{
    struct Case {
        int index;
        int connected;  // nonzero result expected
        UINT driverNumber;
        int error;
    };
    const Case cases[] = {
        {0, 1, 1, CVideoCapture::kErrorNone},
        {1, 1, 2, CVideoCapture::kErrorNone},
        {2, 0, 0, CVideoCapture::kErrorDriverOutOfRange},
        {-1, 0, 0, CVideoCapture::kErrorDriverOutOfRange},
        {0x10000, 1, 1, CVideoCapture::kErrorNone},  // taken as a 16-bit index
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        CVideoCapture capture;
        EXPECT_EQ(c.connected, capture.Create(c.index) != 0);
        EXPECT_EQ(c.error, LastErrorCode(capture));
        if (c.connected)
            EXPECT_EQ(c.driverNumber, ConnectedDriverNumber(capture));
        else
            EXPECT_EQ(nullptr, FindCaptureWindow(nullptr)) << "a failed Create leaves no window";
    }
}

TEST_F(VideoCaptureDrivers, SecondCreateReconnectsWithoutAskingForDriversAgain)
{
    CVideoCapture capture;
    ASSERT_NE(0, capture.Create(0));
    const LONG queries = DescriptionQueries();
    ASSERT_GE(queries, 10) << "the first Create of the process asked drivers 0 to 9";

    ASSERT_NE(0, capture.Create(0));
    EXPECT_EQ(queries, DescriptionQueries());
    EXPECT_EQ(1u, ConnectedDriverNumber(capture));

    CVideoCapture other;  // the table is process-wide
    ASSERT_NE(0, other.Create(1));
    EXPECT_EQ(queries, DescriptionQueries());
}

TEST_F(VideoCaptureDrivers, SelectDriverSwitchesAndKeepsThePreviewSetup)
{
    HostWindow host;
    CVideoCapture capture;
    ASSERT_NE(0, capture.Create(0));
    EXPECT_NE(0, capture.SelectDriver(1));
    EXPECT_EQ(2u, ConnectedDriverNumber(capture));
    EXPECT_EQ(0, capture.SelectDriver(5));
    EXPECT_EQ(CVideoCapture::kErrorDriverOutOfRange, LastErrorCode(capture));
    EXPECT_EQ(2u, ConnectedDriverNumber(capture)) << "a refused selection keeps the driver";

    ASSERT_NE(0, capture.AttachPreview(host.Handle(), 0, 0, 320, 240, 30));
    HWND window = FindCaptureWindow(host.Handle());
    ASSERT_NE(nullptr, window);
    const CAPTUREPARMS parms = SequenceSetup(window);
    EXPECT_TRUE(parms.fYield);
    EXPECT_FALSE(parms.fCaptureAudio) << "the preview setup records no audio";
    EXPECT_FALSE(parms.fAbortLeftMouse);
    EXPECT_FALSE(parms.fAbortRightMouse);
    EXPECT_EQ(100u, parms.wPercentDropForError);
}

TEST_F(VideoCapturePreview, AttachShowsTheScaledPictureInsideTheParentAndDetachTakesItOut)
{
    HostWindow host(400, 300);
    CVideoCapture capture;
    ASSERT_NE(0, capture.Create(0));
    ASSERT_NE(0, capture.AttachPreview(host.Handle(), 10, 20, 160, 120, 30));

    HWND window = FindCaptureWindow(host.Handle());
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(static_cast<LONG>(WS_CHILD | WS_VISIBLE), GetWindowLongA(window, GWL_STYLE));
    RECT rect;
    GetWindowRect(window, &rect);
    POINT origin = {rect.left, rect.top};
    ScreenToClient(host.Handle(), &origin);
    EXPECT_EQ(10, origin.x);
    EXPECT_EQ(20, origin.y);
    EXPECT_EQ(160, rect.right - rect.left);
    EXPECT_EQ(120, rect.bottom - rect.top);

    // At half size the gradient doubles its slope: column x shows red ~ 2x*255/319.
    const bool painted = PumpUntil([&] {
        const TWindowDC dc(window);
        const COLORREF left = GetPixel(dc, 0, 60);
        const COLORREF right = GetPixel(dc, 159, 60);
        return GetGValue(left) > 100 && GetGValue(left) < 155 && GetGValue(right) > 100 && GetGValue(right) < 155 &&
               (GetRValue(right) > 240 || GetRValue(left) < 15);
    });
    EXPECT_TRUE(painted) << "the preview paints the moving picture at 160 x 120";

    EXPECT_NE(0, capture.DetachPreview());
    EXPECT_EQ(nullptr, FindCaptureWindow(host.Handle()));
    // The system adds WS_CLIPSIBLINGS to every top-level window.
    EXPECT_EQ(static_cast<LONG>(WS_POPUP), GetWindowLongA(window, GWL_STYLE) & ~WS_CLIPSIBLINGS);
    EXPECT_EQ(nullptr, GetParent(window));
}

TEST_F(VideoCaptureGrab, DibSizeFollowsTheFormat)
{
    struct Case {
        LONG width, height;
        WORD bits;
        DWORD sizeImage, colours, expected;
    };
    const Case cases[] = {
        {320, 240, 24, 0, 0, 40 + 230400},
        {320, 240, 24, 1000, 0, 40 + 1000},      // a stated image size wins
        {16, 16, 8, 0, 256, 40 + 1024 + 256},    // colour table counted
        {321, 240, 24, 0, 0, 40 + 964 * 240},    // rows padded to 4 bytes
        {320, -240, 24, 0, 0, 40 + 230400},      // top-down rows
        {0, 0, 0, 0, 0, 0},                      // no driver connected
    };
    for (const Case& c : cases) {
        BITMAPINFOHEADER format = {};
        format.biSize = c.width ? sizeof format : 0;
        format.biWidth = c.width;
        format.biHeight = c.height;
        format.biBitCount = c.bits;
        format.biSizeImage = c.sizeImage;
        format.biClrUsed = c.colours;
        EXPECT_EQ(c.expected, CVideoCapture::DibSize(format)) << c.width << " x " << c.height;
    }
}

TEST_F(VideoCaptureGrab, GrabbedFrameIsTheCameraPictureAndLoadsAsBitmapFile)
{
    struct Case {
        const char* size;
        int width, height;
    };
    const Case cases[] = {{"", 320, 240}, {"321x240", 321, 240}, {"64x48", 64, 48}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        ScopedEnvironment frameSize("VCAM_FRAME_SIZE", c.size);
        HostWindow host;
        CVideoCapture capture;
        ASSERT_NE(0, capture.Create(0));
        ASSERT_NE(0, capture.AttachPreview(host.Handle(), 0, 0, 320, 240, 30));
        PumpMessages(100);

        BYTE* buffer = nullptr;
        DWORD size = 0;
        ASSERT_EQ(1, capture.GrabFrame(&buffer, 0, &size));
        std::unique_ptr<BYTE[]> owned(buffer);
        const DWORD imageBytes = static_cast<DWORD>(Vcam::RowBytes24(c.width) * c.height);
        ASSERT_EQ(40 + imageBytes, size);

        BITMAPINFOHEADER header;
        std::memcpy(&header, buffer, sizeof header);
        EXPECT_EQ(40u, header.biSize);
        EXPECT_EQ(c.width, header.biWidth);
        EXPECT_EQ(c.height, header.biHeight);
        EXPECT_EQ(24, header.biBitCount);
        EXPECT_EQ(static_cast<DWORD>(BI_RGB), header.biCompression);
        EXPECT_GE(Vcam::MatchSyntheticFrame(buffer + 40, c.width, c.height), 0) << "pixels are the camera's picture";

        // The grab ends the preview; the owner attaches it again.
        HWND window = FindCaptureWindow(host.Handle());
        CAPSTATUS status = {};
        SendMessageA(window, WM_CAP_GET_STATUS, sizeof status, reinterpret_cast<LPARAM>(&status));
        EXPECT_FALSE(status.fLiveWindow);

        // The DIB behind a file header is a bitmap file that the system reads.
        TempFolder folder;
        const std::string path = folder / "photo.bmp";
        WriteBmpFile(path, buffer, size);
        const TOwnedBitmap bitmap(static_cast<HBITMAP>(
            LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
        ASSERT_TRUE(bitmap.IsValid());
        DIBSECTION section = {};
        ASSERT_EQ(static_cast<int>(sizeof section), GetObjectA(bitmap, sizeof section, &section));
        EXPECT_EQ(c.width, section.dsBm.bmWidth);
        EXPECT_EQ(c.height, section.dsBm.bmHeight);
        EXPECT_EQ(0, std::memcmp(section.dsBm.bmBits, buffer + 40, imageBytes));
    }
}

TEST_F(VideoCaptureGrab, FrameLargerThanTheCallersRoomIsCutToIt)
{
    CVideoCapture capture;
    ASSERT_NE(0, capture.Create(0));

    const DWORD room = 40 + 1000;
    std::vector<BYTE> storage(room + 64, 0xCD);
    BYTE* buffer = storage.data();
    DWORD size = 0;
    ASSERT_EQ(1, capture.GrabFrame(&buffer, room, &size));
    EXPECT_EQ(storage.data(), buffer) << "the caller's buffer is used";
    EXPECT_EQ(room, size) << "no more than the room holds";

    BITMAPINFOHEADER header;
    std::memcpy(&header, buffer, sizeof header);
    EXPECT_EQ(320, header.biWidth);
    std::vector<BYTE> picture(230400);
    bool found = false;
    for (unsigned frame = 0; frame < 256 && !found; ++frame) {
        Vcam::PaintSyntheticFrame(picture.data(), 320, 240, frame);
        found = std::memcmp(picture.data(), buffer + 40, 1000) == 0;
    }
    EXPECT_TRUE(found) << "the room holds the start of the picture";
    for (size_t i = room; i < storage.size(); ++i)
        ASSERT_EQ(0xCD, storage[i]) << "byte " << i << " behind the room was written";
}

TEST_F(VideoCaptureGrab, FailuresReportNoFrame)
{
    CVideoCapture idle;
    BYTE* buffer = nullptr;
    DWORD size = 77;
    EXPECT_EQ(0, idle.GrabFrame(&buffer, 0, &size)) << "no driver, no format";
    EXPECT_EQ(nullptr, buffer);
    EXPECT_EQ(0u, size);
    EXPECT_EQ(CVideoCapture::kErrorFailed, LastErrorCode(idle));

    CVideoCapture capture;
    ASSERT_NE(0, capture.Create(0));
    BYTE small[20];
    BYTE* smallBuffer = small;
    std::memset(small, 0xCD, sizeof small);
    size = 77;
    EXPECT_EQ(0, capture.GrabFrame(&smallBuffer, sizeof small, &size)) << "a room without space for the header";
    EXPECT_EQ(0u, size);
    for (BYTE b : small)
        EXPECT_EQ(0xCD, b);
}

TEST_F(VideoCaptureGrab, FrameHeldBackPastTheWaitIsNoFrameAndArrivesTooLateToWrite)
{
    struct Case {
        const char* grabDelay;  // how long the camera holds the grabbed frame back
        int result;
        DWORD atLeast, atMost;
    };
    const Case cases[] = {
        {"300", 1, 250, 1900},     // within the wait: the frame is copied
        // Past the 2000 ms wait, with room to spare for a loaded machine: no frame.
        {"6000", 0, 1900, 5500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.grabDelay);
        ScopedEnvironment delay("VCAM_GRAB_DELAY_MS", c.grabDelay);
        CVideoCapture capture;
        ASSERT_NE(0, capture.Create(0));

        const DWORD room = 40 + 230400;
        std::vector<BYTE> storage(room, 0xCD);
        BYTE* buffer = storage.data();
        DWORD size = 77;
        const DWORD start = GetTickCount();
        EXPECT_EQ(c.result, capture.GrabFrame(&buffer, room, &size));
        const DWORD took = GetTickCount() - start;
        EXPECT_GE(took, c.atLeast);
        EXPECT_LE(took, c.atMost);
        if (c.result) {
            EXPECT_EQ(room, size);
            EXPECT_GE(Vcam::MatchSyntheticFrame(storage.data() + 40, 320, 240), 0);
            continue;
        }
        EXPECT_EQ(0u, size);
        EXPECT_EQ(CVideoCapture::kErrorFailed, LastErrorCode(capture));
        // The held frame comes after the engine gave up: the buffer, withdrawn
        // by then, is never written.
        const DWORD heldUntil = start + 6000 + 1000;
        while (static_cast<LONG>(heldUntil - GetTickCount()) > 0)
            PumpMessages(100);
        for (size_t i = 0; i < storage.size(); ++i)
            ASSERT_EQ(0xCD, storage[i]) << "byte " << i << " written by a frame that came too late";
    }
}

TEST_F(VideoCaptureDestroy, ReturnsSoonAfterTheCaptureThreadEndsAndNeverWaitsLongerThanFiveSeconds)
{
    {
        CVideoCapture idle;
        const DWORD start = GetTickCount();
        idle.Destroy();
        EXPECT_LT(GetTickCount() - start, 50u) << "nothing to end";
    }
    struct Case {
        const char* closeDelay;
        DWORD atLeast, atMost;
    };
    const Case cases[] = {
        {"0", 0, 1000},
        {"700", 700, 1700},      // within about 100 ms of the thread's end
        {"8000", 4900, 6900},    // 50 looks 100 ms apart, then it gives up
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.closeDelay);
        ScopedEnvironment delay("VCAM_CLOSE_DELAY_MS", c.closeDelay);
        CVideoCapture capture;
        ASSERT_NE(0, capture.Create(0));
        const DWORD start = GetTickCount();
        capture.Destroy();
        const DWORD took = GetTickCount() - start;
        EXPECT_GE(took, c.atLeast);
        EXPECT_LE(took, c.atMost);
        CAPDRIVERCAPS caps = {};
        EXPECT_EQ(0, capture.GetDriverCaps(&caps)) << "nothing is connected after Destroy";
    }
    // The object given up on is usable again while its old thread still winds down.
    CVideoCapture capture;
    ASSERT_NE(0, capture.Create(1));
    EXPECT_EQ(2u, ConnectedDriverNumber(capture));
}
