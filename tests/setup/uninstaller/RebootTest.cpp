// Restart-time replacement on both families and the restart itself, with the call
// that would end the session replaced by a recorder.
#include "uFileReplacement.h"
#include "uReboot.h"

#include "OwnedHandles.h"
#include "PendingRenames.h"
#include "TempFolder.h"
#include "uWideText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using namespace uReboot;

namespace {

// Every restart the code under test asks for lands here instead of ending the session.
struct TExitRecorder {
    static inline int calls = 0;
    static inline unsigned flags = 0;
    static inline unsigned long reason = 1;
    static bool Record(unsigned f, unsigned long r)
    {
        ++calls;
        flags = f;
        reason = r;
        return true;
    }

    TExitRecorder() : previous_(SetExitWindowsFunc(&Record)) { calls = 0; flags = 0; reason = 1; }
    ~TExitRecorder() { SetExitWindowsFunc(previous_); }

private:
    TExitWindowsFunc previous_;
};

bool EndsWithNoCase(const std::wstring& text, const std::wstring& tail)
{
    return text.size() >= tail.size() && _wcsicmp(text.c_str() + text.size() - tail.size(), tail.c_str()) == 0;
}

// The target recorded for `source`, or "?" when no request names it.
std::wstring PendingTargetOf(const std::string& source)
{
    std::vector<std::wstring> entries = PendingFileRenames();
    for (size_t i = 0; i + 1 < entries.size(); i += 2)
        if (EndsWithNoCase(entries[i], uWideText::Widen(source)))
            return entries[i + 1];
    return L"?";
}

bool ShutdownPrivilegeEnabled()
{
    TOwnedHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive()))
        return false;
    LUID luid = {};
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &luid);
    DWORD size = 0;
    GetTokenInformation(token.Get(), TokenPrivileges, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    bool enabled = false;
    if (GetTokenInformation(token.Get(), TokenPrivileges, buffer.data(), size, &size)) {
        auto* privileges = reinterpret_cast<TOKEN_PRIVILEGES*>(buffer.data());
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
            const LUID_AND_ATTRIBUTES& p = privileges->Privileges[i];
            if (p.Luid.LowPart == luid.LowPart && p.Luid.HighPart == luid.HighPart)
                enabled = (p.Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
    }
    return enabled;
}

void DisableShutdownPrivilege()
{
    TOwnedHandle token;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Receive()));
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.Privileges[0].Attributes = 0;
    AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
    ASSERT_FALSE(ShutdownPrivilegeEnabled());
}

} // namespace

TEST(ReplaceFileAtReboot, FamilyComesFromTheTopBitOfTheVersion)
{
    struct Case {
        std::uint32_t version;
        TWindowsFamily family;
    } cases[] = {
        {0x0A280105u, TWindowsFamily::NT},    // XP, build 2600
        {0x1DB10106u, TWindowsFamily::NT},    // 7, build 7601: the first hex digit is not 0
        {0x4A61000Au, TWindowsFamily::NT},    // 10, build 19041
        {0xC0000A04u, TWindowsFamily::Win9x}, // 98
        {0xC0005A04u, TWindowsFamily::Win9x}, // ME
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.family, FamilyOfVersion(c.version)) << std::hex << c.version;
    EXPECT_EQ(TWindowsFamily::NT, CurrentFamily());
}

TEST(ReplaceFileAtReboot, NinetyFiveFamilyAppendsRenameLinesInCallOrder)
{
    struct Case {
        const char* name;
        const char* before; // nullptr: no WININIT.INI yet
        const char* after;
    } cases[] = {
        {"no file", nullptr, "\r\n\r\n[rename]\r\nNUL=C:\\T\\a.tmp\r\nC:\\P\\b.dll=C:\\T\\b.new\r\n"},
        {"existing section", "[rename]\r\nNUL=C:\\old.tmp\r\n",
         "[rename]\r\nNUL=C:\\old.tmp\r\nNUL=C:\\T\\a.tmp\r\nC:\\P\\b.dll=C:\\T\\b.new\r\n"},
        {"no final line break", "[Rename]\nNUL=C:\\old.tmp",
         "[Rename]\r\nNUL=C:\\old.tmp\r\nNUL=C:\\T\\a.tmp\r\nC:\\P\\b.dll=C:\\T\\b.new\r\n"},
        // The lines must land in [rename], which 9x reads; another section would lose them.
        {"other section only", "[Settings]\r\nx=1\r\n",
         "[Settings]\r\nx=1\r\n[rename]\r\nNUL=C:\\T\\a.tmp\r\nC:\\P\\b.dll=C:\\T\\b.new\r\n"},
        {"section not last", "[rename]\r\nNUL=C:\\old.tmp\r\n[Other]\r\ny=2\r\n",
         "[rename]\r\nNUL=C:\\old.tmp\r\nNUL=C:\\T\\a.tmp\r\nC:\\P\\b.dll=C:\\T\\b.new\r\n[Other]\r\ny=2\r\n"},
    };
    for (const Case& c : cases) {
        TempFolder windows;
        if (c.before)
            WriteWholeFile(windows / "WININIT.INI", c.before);
        EXPECT_TRUE(ReplaceFileAtRebootOn(TWindowsFamily::Win9x, windows.Path(), "C:\\T\\a.tmp", "NUL"));
        EXPECT_TRUE(ReplaceFileAtRebootOn(TWindowsFamily::Win9x, windows.Path() + "\\", "C:\\T\\b.new",
                                          "C:\\P\\b.dll"));
        EXPECT_EQ(c.after, ReadWholeFile(windows / "WININIT.INI")) << c.name;
    }
}

TEST(ReplaceFileAtReboot, NinetyFiveFamilyLeavesAnUnreadableFileAlone)
{
    TempFolder windows;
    WriteWholeFile(windows / "WININIT.INI", "[rename]\r\nNUL=C:\\old.tmp\r\n");
    TOwnedHandle locked(CreateFileA((windows / "WININIT.INI").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(locked.IsValid());
    EXPECT_FALSE(ReplaceFileAtRebootOn(TWindowsFamily::Win9x, windows.Path(), "C:\\T\\a.tmp", "NUL"));
    locked.Reset();
    EXPECT_EQ("[rename]\r\nNUL=C:\\old.tmp\r\n", ReadWholeFile(windows / "WININIT.INI"));
}

TEST(ReplaceFileAtReboot, NinetyFiveFamilyKeepsOtherProgramsLinesWhenTheDiskIsFull)
{
    TempFolder windows;
    const std::string before = "[rename]\r\nNUL=C:\\other\\program.tmp\r\n";
    WriteWholeFile(windows / "WININIT.INI", before);
    uFileReplacement::SetDiskSpaceForTests(8);
    EXPECT_FALSE(ReplaceFileAtRebootOn(TWindowsFamily::Win9x, windows.Path(), "C:\\T\\a.tmp", "NUL"));
    uFileReplacement::SetDiskSpaceForTests(-1);
    EXPECT_EQ(before, ReadWholeFile(windows / "WININIT.INI"));
}

TEST(ReplaceFileAtReboot, NinetyFiveFamilyFinishesAReplacementCutShort)
{
    // What a crash between the old file stepping aside and the new one moving in
    // leaves: both whole, the target gone; or only the old one.
    const std::string oldLines = "[rename]\r\nNUL=C:\\old.tmp\r\n";
    const std::string newLines = oldLines + "NUL=C:\\newer.tmp\r\n";
    struct Case {
        const char* name;
        bool newFile;
        std::string kept;
    } cases[] = {
        {"both files", true, newLines},
        {"the old file only", false, oldLines},
    };
    for (const Case& c : cases) {
        TempFolder windows;
        const std::string target = windows / "WININIT.INI";
        WriteWholeFile(uFileReplacement::SteppedAsideName(target), oldLines);
        if (c.newFile)
            WriteWholeFile(uFileReplacement::PendingName(target), newLines);
        EXPECT_TRUE(ReplaceFileAtRebootOn(TWindowsFamily::Win9x, windows.Path(), "C:\\T\\a.tmp", "NUL")) << c.name;
        EXPECT_EQ(c.kept + "NUL=C:\\T\\a.tmp\r\n", ReadWholeFile(target)) << c.name;
        EXPECT_FALSE(FileExists(uFileReplacement::SteppedAsideName(target))) << c.name;
        EXPECT_FALSE(FileExists(uFileReplacement::PendingName(target))) << c.name;
    }
}

TEST(ReplaceFileAtReboot, NinetyFiveFamilysReplacementKeepsAWholeFileThroughout)
{
    TempFolder folder;
    const std::string target = folder / "WININIT.INI", pending = uFileReplacement::PendingName(target);
    // Replaced: the new content in place, nothing left beside it.
    WriteWholeFile(target, "old");
    WriteWholeFile(pending, "new");
    EXPECT_TRUE(uFileReplacement::ReplaceBySteppingAside(pending, target));
    EXPECT_EQ("new", ReadWholeFile(target));
    EXPECT_FALSE(FileExists(pending));
    EXPECT_FALSE(FileExists(uFileReplacement::SteppedAsideName(target)));
    // A target that cannot step aside stays as it was; the new file goes.
    WriteWholeFile(pending, "newer");
    TOwnedHandle held(CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held.IsValid());
    EXPECT_FALSE(uFileReplacement::ReplaceBySteppingAside(pending, target));
    held.Reset();
    EXPECT_EQ("new", ReadWholeFile(target));
    EXPECT_FALSE(FileExists(pending));
}

// Wine carries the requests out when the prefix next boots; by then the files named are gone.
TEST(ReplaceFileAtReboot, NtFamilyRecordsDelayedMoves)
{
    TempFolder folder;
    const std::string doomed = folder / "删除我.tmp";
    const std::string fresh = folder / "new.dll";
    const std::string old = folder / "old.dll";
    WriteWholeFile(doomed, "x");
    WriteWholeFile(fresh, "new");
    WriteWholeFile(old, "old");

    EXPECT_TRUE(ReplaceFileAtReboot(doomed, "NUL"));
    EXPECT_TRUE(ReplaceFileAtReboot(fresh, old));

    EXPECT_EQ(L"", PendingTargetOf(doomed));
    EXPECT_TRUE(EndsWithNoCase(PendingTargetOf(fresh), uWideText::Widen(old)));
    // Nothing moves before the restart.
    EXPECT_EQ("x", ReadWholeFile(doomed));
    EXPECT_EQ("old", ReadWholeFile(old));
}

TEST(RebootWindows, EnablesTheShutdownPrivilegeThenRestarts)
{
    TExitRecorder recorder;
    for (int kind : {0, 1, 2, 4, 5, 6}) {
        DisableShutdownPrivilege();
        EXPECT_TRUE(RebootWindowsAs(kind, GetCurrentProcess()));
        EXPECT_TRUE(ShutdownPrivilegeEnabled()) << "kind " << kind;
    }
    EXPECT_EQ(6, TExitRecorder::calls);
    EXPECT_EQ(static_cast<unsigned>(EWX_REBOOT), TExitRecorder::flags);
    EXPECT_EQ(0ul, TExitRecorder::reason);
}

TEST(RebootWindows, KindThreeRestartsWithoutThePrivilege)
{
    TExitRecorder recorder;
    DisableShutdownPrivilege();
    EXPECT_TRUE(RebootWindowsAs(3, GetCurrentProcess()));
    EXPECT_FALSE(ShutdownPrivilegeEnabled());
    EXPECT_EQ(1, TExitRecorder::calls);
}

TEST(RebootWindows, NoTokenNoRestart)
{
    TExitRecorder recorder;
    EXPECT_FALSE(RebootWindowsAs(0, nullptr));
    EXPECT_EQ(0, TExitRecorder::calls);
}

TEST(RebootWindows, OfThisMachineGoesThroughTheSeam)
{
    TExitRecorder recorder;
    RebootWindows();
    EXPECT_EQ(1, TExitRecorder::calls);
    EXPECT_EQ(static_cast<unsigned>(EWX_REBOOT), TExitRecorder::flags);
}
