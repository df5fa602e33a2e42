// The button gallery started as its own program: it shows its form and writes
// the screenshot it is asked for.
#include "OwnedHandles.h"
#include "TBitmap.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(ButtonGallery, ProgramWritesAScreenshotOfItsButtons)
{
    TempFolder folder;
    std::string shot = folder / "gallery.bmp";
    std::string command = "ButtonGallery.exe --save \"" + shot + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    TOwnedHandle thread(process.hThread);
    TOwnedHandle program(process.hProcess);
    DWORD waited = WaitForSingleObject(program.Get(), 60000);
    DWORD exitCode = 1;
    GetExitCodeProcess(program.Get(), &exitCode);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(program.Get(), 1);
    ASSERT_EQ(WAIT_OBJECT_0, waited);
    EXPECT_EQ(0u, exitCode);

    TBitmap picture;
    picture.LoadFromFile(shot);
    EXPECT_GT(picture.Width(), 300);
    EXPECT_GT(picture.Height(), 400);
    // The OK glyph's green shows in every column.
    int green = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            green += picture.Canvas()->Pixel(x, y) == RGB(0, 128, 0) ? 1 : 0;
    EXPECT_GT(green, 3 * 20);
}
