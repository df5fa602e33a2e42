// Without the skin and update libraries the program goes on as if they had
// nothing to say: no skin, no question, no download.
#include <windows.h>

#include <gtest/gtest.h>

#include "Mythread.h"
#include "ShellFixtures.h"
#include "SkinLibrary.h"
#include "UpdateLibrary.h"

TEST(MissingLibraries, SkinAndUpdateAreSkippedQuietly)
{
    EXPECT_FALSE(SkinLibrary::ApplySkin("xp_corona.ssk"));
    const UpdateLibrary::Exports update = UpdateLibrary::Load();
    EXPECT_EQ(update.isNewVersion, nullptr);
    EXPECT_EQ(update.downNewVersion, nullptr);

    BoxWatcher boxes("video");
    Cmythread thread;
    EXPECT_TRUE(thread.InitInstance());
    Sleep(200);
    EXPECT_TRUE(boxes.Boxes().empty());
}
