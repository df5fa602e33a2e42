// The update check against the update library's double: what it asks, when
// the question appears, and what is downloaded.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "Mythread.h"
#include "ShellFixtures.h"
#include "TempFolder.h"
#include "TopLevelWindows.h"
#include "UpdateLibrary.h"

namespace {

const char kQuestion[] = "软件已经有新版本了,是否升级为最新版本";

// The double's call log in a temporary folder, and its answer to IsNewVersion.
class UpdateLibraryDouble : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_log = m_temp / "freshlib.log";
        SetEnvironmentVariableA("FRESHLIB_LOG", m_log.c_str());
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("FRESHLIB_LOG", nullptr);
        SetEnvironmentVariableA("FRESHLIB_ANSWER", nullptr);
    }
    std::string Log() const { return FileExists(m_log) ? ReadWholeFile(m_log) : std::string(); }

    TempFolder m_temp;
    std::string m_log;
};

std::string Call(const char* name)
{
    return std::string(name) + "\tFerrin 2009\t" + UpdateLibrary::kUpdatePage + "\t9\r\n";
}

}  // namespace

TEST_F(UpdateLibraryDouble, CheckAsksOnlyWhenANewVersionExists)
{
    const struct {
        const char* answer;  // what IsNewVersion returns
        int button;          // the user's answer to the question
        bool asks;
        bool downloads;
    } cases[] = {
        {"1", IDOK, true, true},
        {"1", IDCANCEL, true, false},
        {"2", IDOK, false, false},
        {"0", IDOK, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("IsNewVersion answers ") + c.answer);
        DeleteFileA(m_log.c_str());
        SetEnvironmentVariableA("FRESHLIB_ANSWER", c.answer);
        BoxWatcher boxes("video");
        boxes.AnswerWith(kQuestion, c.button);

        BOOL result = FALSE;
        std::thread check([&] {
            Cmythread thread;
            result = thread.InitInstance();
        });
        check.join();

        EXPECT_TRUE(result);
        EXPECT_EQ(boxes.Count(kQuestion), c.asks ? 1u : 0u);
        EXPECT_EQ(Log(), Call("IsNewVersion") + (c.downloads ? Call("DownNewVersion") : ""));
    }
}

TEST_F(UpdateLibraryDouble, QuestionBelongsToTheUpdateThreadAlone)
{
    SetEnvironmentVariableA("FRESHLIB_ANSWER", "1");
    HWND owner = nullptr;
    bool seen = false;
    BoxWatcher boxes("video");
    boxes.OnSeen([&] {
        for (HWND box : ProcessWindows(GetCurrentProcessId(), "#32770", "video"))
            owner = GetWindow(box, GW_OWNER);
        seen = true;
        return std::string();
    });
    std::thread check([] {
        Cmythread thread;
        thread.InitInstance();
    });
    check.join();
    EXPECT_TRUE(seen);
    EXPECT_EQ(owner, nullptr);  // the main window is never disabled by it
}
