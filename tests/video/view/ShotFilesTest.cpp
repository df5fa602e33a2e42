// Shot file names, the BMP file a photo becomes, and the texts of the panes.
#include "BmpWriter.h"
#include "OptionsDlg.h"
#include "OwnedGdi.h"
#include "PathHelper.h"
#include "TempFolder.h"
#include "VideoView.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

SYSTEMTIME Clock(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    return time;
}

// A 24-bit DIB of `width` x `height` with `colours` colour-table entries.
std::vector<BYTE> Dib(int width, int height, DWORD colours)
{
    const DWORD image = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
    std::vector<BYTE> dib(40 + colours * 4 + image);
    BITMAPINFOHEADER info = {40, width, height, 1, 24, BI_RGB, image, 0, 0, colours, 0};
    std::memcpy(dib.data(), &info, sizeof info);
    for (size_t i = 40 + colours * 4; i < dib.size(); ++i)
        dib[i] = static_cast<BYTE>(i * 7);
    return dib;
}

}  // namespace

TEST(ClockFileName, DigitsWithoutPaddingThenFThenTheNumber)
{
    struct Case {
        SYSTEMTIME time;
        int number;
        const char* name;
    } cases[] = {
        {Clock(2009, 1, 2, 3, 4, 5), 7, "200912345f7"},
        {Clock(2009, 1, 2, 3, 4, 5), 10, "200912345f10"},
        {Clock(2024, 12, 31, 23, 59, 58), 0, "20241231235958f0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(CPathHelper::MakeClockFileName(c.time, c.number)), c.name);
}

TEST(ClockFileName, NowUsesTheLocalClockAndANumberUpToTen)
{
    for (int i = 0; i < 40; ++i) {
        const std::string name(CPathHelper::MakeClockFileName());
        const size_t f = name.find('f');
        ASSERT_NE(f, std::string::npos) << name;
        const int number = std::atoi(name.c_str() + f + 1);
        EXPECT_GE(number, 0);
        EXPECT_LE(number, 10);
        EXPECT_EQ(name.substr(f + 1), std::to_string(number));
    }
}

TEST(ShotPath, ANameOfThisSecondThatIsTakenGetsAnotherNumber)
{
    TempFolder folder;
    const SYSTEMTIME time = Clock(2009, 1, 2, 3, 4, 5);
    const std::string first(CPathHelper::MakeShotPath(folder.Path().c_str(), ".bmp", time, 3));
    EXPECT_EQ(first, folder / "200912345f3.bmp");
    WriteWholeFile(first, "earlier shot");
    WriteWholeFile(folder / "200912345f4.bmp", "another earlier shot");
    const std::string second(CPathHelper::MakeShotPath(folder.Path().c_str(), ".bmp", time, 3));
    EXPECT_EQ(second, folder / "200912345f5.bmp");
    // The other kind of shot keeps its own names.
    EXPECT_EQ(std::string(CPathHelper::MakeShotPath(folder.Path().c_str(), ".avi", time, 3)),
              folder / "200912345f3.avi");
    EXPECT_EQ(ReadWholeFile(first), "earlier shot");
}

TEST(BmpWriter, FileHeaderThenTheDibAsItIs)
{
    struct Case {
        int width, height;
        DWORD colours;
    } cases[] = {{320, 240, 0}, {5, 3, 0}, {4, 4, 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " colours " << c.colours);
        TempFolder folder;
        const std::vector<BYTE> dib = Dib(c.width, c.height, c.colours);
        const std::string path = folder / "shot.bmp";
        ASSERT_TRUE(BmpWriter::WriteNew(path.c_str(), dib.data(), static_cast<DWORD>(dib.size())));
        const std::string file = ReadWholeFile(path);
        ASSERT_EQ(file.size(), dib.size() + 14);
        BITMAPFILEHEADER header;
        std::memcpy(&header, file.data(), sizeof header);
        EXPECT_EQ(header.bfType, 0x4D42);
        EXPECT_EQ(header.bfSize, dib.size() + 14);
        EXPECT_EQ(header.bfReserved1, 0);
        EXPECT_EQ(header.bfReserved2, 0);
        EXPECT_EQ(header.bfOffBits, 54 + c.colours * 4);
        EXPECT_EQ(0, std::memcmp(file.data() + 14, dib.data(), dib.size()));
        // The file loads as the picture it holds.
        const TOwnedBitmap loaded(
            static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
        ASSERT_TRUE(loaded.IsValid());
        BITMAP info = {};
        GetObjectA(loaded, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, c.width);
        EXPECT_EQ(info.bmHeight, c.height);
    }
}

TEST(BmpWriter, NeverReplacesAFileAndWritesNothingForADibWithoutHeader)
{
    TempFolder folder;
    const std::string path = folder / "shot.bmp";
    WriteWholeFile(path, "earlier");
    const std::vector<BYTE> dib = Dib(2, 2, 0);
    EXPECT_FALSE(BmpWriter::WriteNew(path.c_str(), dib.data(), static_cast<DWORD>(dib.size())));
    EXPECT_EQ(ReadWholeFile(path), "earlier");

    const std::string shortPath = folder / "short.bmp";
    EXPECT_FALSE(BmpWriter::WriteNew(shortPath.c_str(), dib.data(), 39));
    EXPECT_FALSE(FileExists(shortPath));
    const std::string missing = folder / "no such folder\\shot.bmp";
    EXPECT_FALSE(BmpWriter::WriteNew(missing.c_str(), dib.data(), static_cast<DWORD>(dib.size())));
}

TEST(PaneTexts, PhotoCountAndRecordedTimeAreExact)
{
    EXPECT_EQ(std::string(CVideoView::PhotoCountText(0)), "              已经拍摄的照片数量为: 0 张    ");
    EXPECT_EQ(std::string(CVideoView::PhotoCountText(12)), "              已经拍摄的照片数量为: 12 张    ");
    struct Case {
        int seconds;
        const char* text;
    } cases[] = {
        {0, "              已录时间:   0小时0分0秒"},
        {59, "              已录时间:   0小时0分59秒"},
        {3725, "              已录时间:   1小时2分5秒"},
        {90061, "              已录时间:   25小时1分1秒"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(CVideoView::RecordedTimeText(c.seconds)), c.text) << c.seconds;
    EXPECT_STREQ(CVideoView::kStoppedTimeText, "已录时间:  ");
}

TEST(OptionsDelay, DigitsOnlyUpToADay)
{
    struct Case {
        const char* text;
        bool valid;
    } cases[] = {{"0", true},   {"5", true},    {"86400", true}, {"86401", false}, {"", false},
                 {"-1", false}, {"5s", false},  {" 5", false},   {"999999", false}, {"1.5", false}};
    for (const Case& c : cases)
        EXPECT_EQ(COptionsDlg::IsValidDelay(c.text), c.valid) << '"' << c.text << '"';
}
