// The countdown dialog: its texts, and that it closes itself in time.
#include "ViewFixtures.h"
#include "WaitDlg.h"
#include "res/resource.h"

#include <gtest/gtest.h>

TEST(WaitDlg, CountsDownToZeroAndClosesAboutOneSecondLater)
{
    struct Case {
        int delay;
        std::vector<std::string> texts;
    } cases[] = {
        {0, {"请稍等", "还需等待0秒"}},
        {2, {"请稍等", "还需等待2秒", "还需等待1秒", "还需等待0秒"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.delay);
        DialogWatcher watcher;
        SetTextRecorder shown(IDC_WAIT_TEXT);
        CWaitDlg dialog(c.delay);
        const DWORD start = GetTickCount();
        dialog.DoModal();
        const DWORD took = GetTickCount() - start;
        const auto seen = watcher.Seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].title, kWaitTitle);
        EXPECT_EQ(shown.Texts(), c.texts);
        EXPECT_GE(took, static_cast<DWORD>(c.delay + 1) * 1000 - 100);
        EXPECT_EQ(dialog.m_hWnd, nullptr);
    }
}
