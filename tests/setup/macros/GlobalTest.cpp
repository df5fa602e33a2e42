// TGlobal: the command line read as the wizard reads its options.
#include "uGlobal.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> LinesOf(const TStrings& lines)
{
    std::vector<std::string> result;
    for (int i = 0; i < lines.Count(); ++i)
        result.push_back(lines[i]);
    return result;
}

using Lines = std::vector<std::string>;

} // namespace

TEST(Global, CommandLineBecomesOptionLines)
{
    struct Case {
        const char* commandLine;
        Lines lines;
    } cases[] = {
        {"setup.exe", {}},
        {"\"C:\\My Setup\\setup.exe\"", {}},
        {"setup.exe /silent", {"", "silent"}},
        {"setup.exe /U:1234", {"", "U:1234"}},
        {"setup.exe /l:D:\\cd\\setup.dat /w:99 /silent", {"", "l:D:\\cd\\setup.dat", "w:99", "silent"}},
        // Quotes group a path with blanks and are removed.
        {"\"C:\\a b\\setup.exe\" \"/l:D:\\My Disk\\安装.dat\"  /silent", {"", "l:D:\\My Disk\\安装.dat", "silent"}},
        // Options written together or with text before them.
        {"setup.exe /silent/U:7", {"", "silent", "U:7"}},
        {"setup.exe first /silent", {"first", "silent"}},
        {"setup.exe //", {"", "", ""}},
    };
    for (const Case& c : cases) {
        TGlobal global(nullptr);
        global.SetCommandLine(c.commandLine);
        EXPECT_EQ(c.lines, LinesOf(global.CommandLines())) << c.commandLine;
    }
}

TEST(Global, ArgumentsAsParamStr)
{
    TGlobal global(nullptr);
    global.SetCommandLine("\"C:\\a b\\setup.exe\"  /u:12 \"x\"\"y\"");
    EXPECT_EQ(2, global.ParamCount());
    EXPECT_EQ("C:\\a b\\setup.exe", global.ParamStr(0));
    EXPECT_EQ("/u:12", global.ParamStr(1));
    EXPECT_EQ("xy", global.ParamStr(2));
    EXPECT_EQ("", global.ParamStr(3));
    EXPECT_EQ("", global.ParamStr(-1));
}

TEST(Global, ReadsThisProgramAndMachine)
{
    TComponent form(nullptr);
    auto* global = new TGlobal(&form); // owned by the form, like on the main form
    EXPECT_EQ(GetCommandLineA(), global->CommandLine());
    EXPECT_EQ(5, global->WindowsKind());
    EXPECT_EQ(uSystemFolders::SpecialFolders().Windows, global->SpecialFolders().Windows);
    EXPECT_EQ(global, form.Components(0));
}
