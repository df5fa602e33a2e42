// CVideoCapture on a machine whose capture library answers for no driver.
#include <gtest/gtest.h>

#include "CaptureFixtures.h"
#include "VideoCapture.h"

namespace {

using VideoCaptureWithoutDrivers = NoDrivers;
}  // namespace

TEST_F(VideoCaptureWithoutDrivers, CreateFailsAndLeavesNothingRunning)
{
    CVideoCapture capture;
    EXPECT_EQ(0, capture.Create(0));

    int code = -1;
    capture.GetLastError(&code, nullptr, false);
    EXPECT_EQ(CVideoCapture::kErrorDriverOutOfRange, code);
    EXPECT_EQ(nullptr, FindCaptureWindow(nullptr)) << "the capture window is gone";
    CAPDRIVERCAPS caps = {};
    EXPECT_EQ(0, capture.GetDriverCaps(&caps));
    EXPECT_EQ(0, capture.ShowCompressionDialog()) << "no capture thread to ask";
}

TEST_F(VideoCaptureWithoutDrivers, EveryCreateLooksForDriversAgainWhileNoneWasFound)
{
    CVideoCapture capture;
    const LONG before = DescriptionQueries();
    ASSERT_GE(before, 0) << "the virtual camera is loaded";
    EXPECT_EQ(0, capture.Create(0));
    EXPECT_EQ(before + 10, DescriptionQueries()) << "driver numbers 0 to 9 are asked";
    EXPECT_EQ(0, capture.Create(0));
    EXPECT_EQ(before + 20, DescriptionQueries());
}
