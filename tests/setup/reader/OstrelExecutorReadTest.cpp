// Setup data built by mksetup read back through the engine: leading blocks,
// records and payloads from a single file and from three volumes, the block
// encodings' edge cases, macros, and damaged data.
#include "uOstrelExecutor.h"

#include "Exception.h"
#include "OwnedHandles.h"
#include "SetupWriter.h"
#include "SplitStream.h"
#include "TempFolder.h"
#include "uSetupData.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string BesideTests(const std::string& name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string self = path;
    return self.substr(0, self.rfind('\\') + 1) + name;
}

std::string Pattern(size_t size)
{
    std::string bytes(size, '\0');
    unsigned seed = 3;
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1664525u + 1013904223u;
        bytes[i] = static_cast<char>(seed >> 24);
    }
    return bytes;
}

const char* const kDescription =
    "; a small product\r\n"
    "[Packages]\r\n"
    "1\t0\t主程序\t1\t0\t0\t1\r\n"
    "[Spaces]\r\n"
    "<IN\tx\t120000\r\n"
    "[UserInterface]\r\n"
    "@file=ui.bin\r\n"
    "[Project]\r\n"
    "PROJECT_ID=Ferrin2009\r\n"
    "CompanyName=Ferrin\r\n"
    "ProductName=视频录相\r\n"
    "Version=9.0\r\n"
    "InstallPath=<PROGRAM_FILES>\\Ferrin\\\\\r\n"
    "Uninstall=True\r\n"
    "IsPatch=0\r\n"
    "[Skipped]\r\n"
    "whatever\r\n"
    // Run while opening: the file put down is expanded in place, and the URL
    // record deletes a file that is not there.
    "[BeforeInstall]\r\n"
    "OBJECT_TYPE=COMMAND\r\nEXECUTE_TYPE=1\r\nTYPE=4\r\nTARGET=@CHECK@\r\nURL=False\r\nHIDDEN=True\r\n"
    "[BeforeInstallFile]\r\n"
    "OBJECT_TYPE=FILE\r\nDESTINATION=@CHECK@\r\nREPLACE_OPTION=2\r\nFILE_AGE=0\r\nREADONLY=False\r\n"
    "VISIBLE=True\r\nREGISTER=False\r\nUNINSTALL=False\r\n"
    "@payload-text=check <PRODUCT_NAME>\r\n"
    "[BeforeInstall]\r\n"
    "OBJECT_TYPE=COMMAND\r\nEXECUTE_TYPE=1\r\nTYPE=2\r\nTARGET=@CHECK@.gone\r\nURL=1\r\nHIDDEN=0\r\n"
    "[Object]\r\n"
    "OBJECT_TYPE=FOLDER\r\nFOLDER=<INSTALL>\\Data\r\nOPTION=0\r\nHidden=False\r\nReadOnly=False\r\n"
    "[Object]\r\n"
    "OBJECT_TYPE=FILE\r\nID=7\r\nDESTINATION=<INSTALL>\\video.exe\r\nNOTE=<PRODUCT_NAME> <VERSION>\r\n"
    "@payload=video.bin\r\n"
    "[Object]\r\n"
    "OBJECT_TYPE=SHORTCUT\r\nFILE_NAME=<PROGRAMS>\\<PRODUCT_NAME>.lnk\r\n";

class BuiltSetup : public testing::Test {
protected:
    void SetUp() override
    {
        WriteWholeFile(folder / "ui.bin", ui);
        WriteWholeFile(folder / "video.bin", video);
        std::string description = kDescription;
        for (size_t at; (at = description.find("@CHECK@")) != std::string::npos;)
            description.replace(at, 7, folder / "check.txt");
        WriteWholeFile(folder / "setup.ini", description);
    }
    TBuildOptions Options(const std::string& output, std::int64_t capacity = 0)
    {
        TBuildOptions options;
        options.Program = BesideTests("setupdata_stub.exe");
        options.Output = output;
        options.VolumeCapacity = capacity;
        return options;
    }
    // Reads everything back and checks it against the description.
    void CheckReadsBack(const std::string& setup)
    {
        TOstrelExecutor engine(nullptr);
        std::vector<std::int64_t> positions;
        engine.OnProcess = TOstrelExecutor::TProcessEvent::FromFunction(
            [&](TObject*, TStrings* record, bool&, std::int64_t position) {
                EXPECT_EQ(nullptr, record);
                positions.push_back(position);
            });
        engine.OpenSource(setup, true);
        EXPECT_EQ("1\t0\t主程序\t1\t0\t0\t1\r\n", engine.PackageList().Text());
        EXPECT_EQ("<IN\tx\t120000\r\n", engine.SpaceList().Text());
        EXPECT_EQ(ui, std::string(engine.UserInterface().Memory(), static_cast<size_t>(engine.UserInterface().Size())));
        const TProjectInfo& project = engine.Project();
        EXPECT_EQ("Ferrin2009", project.ProjectId);
        EXPECT_EQ("视频录相", project.ProductName);
        EXPECT_EQ("9.0", project.Version);
        EXPECT_EQ(engine.ExpandMacros("<PROGRAM_FILES>") + "\\Ferrin", project.InstallPath);
        EXPECT_TRUE(project.Uninstall);
        EXPECT_FALSE(project.IsPatch);
        EXPECT_EQ(2, project.RunBeforeInstall);
        EXPECT_EQ("<INSTALL>", engine.InstallPath());

        ASSERT_EQ(2u, engine.BeforeInstallCommands().size());
        EXPECT_NE(std::string::npos, engine.BeforeInstallCommands()[0].File.find("OBJECT_TYPE=FILE"));
        EXPECT_EQ("", engine.BeforeInstallCommands()[1].File); // a URL carries no program
        EXPECT_EQ("check 视频录相", ReadWholeFile(folder / "check.txt"));

        TSplitFileStream probe(setup, fmOpenRead | fmShareDenyNone);
        EXPECT_EQ(static_cast<std::int64_t>(probe.DataEnd()), engine.ProgressTotal());
        ASSERT_FALSE(positions.empty());
        EXPECT_EQ(static_cast<std::int64_t>(probe.DataStart()), positions.front());
        for (std::int64_t position : positions)
            EXPECT_LE(position, static_cast<std::int64_t>(probe.DataEnd()));

        engine.SetInstallPath("C:\\Target\\");
        EXPECT_EQ("C:\\Target", engine.InstallPath());
        ASSERT_TRUE(engine.ReadRecord());
        EXPECT_EQ("C:\\Target\\Data", engine.Record().Values("FOLDER"));
        ASSERT_TRUE(engine.ReadRecord());
        EXPECT_EQ("FILE", engine.Record().Values("OBJECT_TYPE"));
        EXPECT_EQ("视频录相 9.0", engine.Record().Values("NOTE"));
        std::uint32_t length = uSetupData::ReadPayloadLength(*engine.Source());
        ASSERT_EQ(video.size(), length);
        std::string payload(length, '\0');
        engine.Source()->ReadBuffer(&payload[0], length);
        EXPECT_TRUE(payload == video);
        ASSERT_TRUE(engine.ReadRecord());
        EXPECT_EQ("SHORTCUT", engine.Record().Values("OBJECT_TYPE"));
        EXPECT_FALSE(engine.ReadRecord());
    }

    TempFolder folder;
    std::string ui = std::string("UI\0block\xFF", 9);
    std::string video = Pattern(300000);
};

TEST_F(BuiltSetup, SingleFileSetupReadsBackWhole)
{
    std::string setup = folder / "Setup.exe";
    BuildSetup(Options(setup), LoadSetupDescription(folder / "setup.ini"));
    CheckReadsBack(setup);
}

TEST_F(BuiltSetup, ThreeVolumeSetupReadsBackWhole)
{
    // Random bytes do not compress: the data spreads over three volumes.
    std::string output = folder / "Out";
    BuildSetup(Options(output, 170000), LoadSetupDescription(folder / "setup.ini"));
    ASSERT_TRUE(FileExists(output + "\\Disk3\\Setup.T02"));
    ASSERT_FALSE(FileExists(output + "\\Disk4\\Setup.T03"));
    CheckReadsBack(output + "\\Disk1\\Setup.exe");
}

TEST_F(BuiltSetup, TheMksetupProgramBuildsTheSameSetup)
{
    std::string setup = folder / "Tool.exe";
    std::string command = "\"" + BesideTests("mksetup.exe") + "\" \"" + (folder / "setup.ini") + "\" \"" +
                          BesideTests("setupdata_stub.exe") + "\" \"" + setup + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                               &startup, &process));
    TOwnedHandle thread(process.hThread);
    TOwnedHandle program(process.hProcess);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(program.Get(), 60000));
    DWORD exitCode = 1;
    GetExitCodeProcess(program.Get(), &exitCode);
    ASSERT_EQ(0u, exitCode);
    CheckReadsBack(setup);
}

// A setup whose data the test writes block by block.
std::string BuildRaw(const TempFolder& folder, const std::function<void(TSetupDataWriter&)>& fill,
                     const char* name = "Raw.exe")
{
    TBuildOptions options;
    options.Program = BesideTests("setupdata_stub.exe");
    options.Output = folder / name;
    BuildSetup(options, fill);
    return options.Output;
}

void LeadingBlocks(TSetupDataWriter& w, const std::string& project)
{
    w.TextBlock(std::string());
    w.TextBlock(std::string());
    w.UserInterfaceBlock(std::string());
    w.TextBlock(project);
    w.TextBlock(std::string());
}

const char* const kMinimalProject = "Uninstall=0\r\nIsPatch=0\r\nRunBeforeInstall=0\r\nProductName=P\r\n";

TEST(SetupDataBlocks, AMaskedZeroIsEmptyAndAnEmptyProjectFailsOnRunBeforeInstall)
{
    TempFolder folder;
    std::string setup = BuildRaw(folder, [](TSetupDataWriter& w) { LeadingBlocks(w, std::string()); });
    TOstrelExecutor engine(nullptr);
    try {
        engine.OpenSource(setup, true);
        FAIL() << "an empty project block was accepted";
    } catch (const Exception& error) {
        EXPECT_NE(std::string::npos, error.Message().find("RunBeforeInstall")) << error.Message();
    }
    EXPECT_FALSE(engine.SourceOpen());
    EXPECT_EQ(0, engine.PackageList().Count()); // the masked zero gave an empty list
    EXPECT_EQ(0, engine.UserInterface().Size());
}

TEST(SetupDataBlocks, ProjectValuesAreParsedStrictly)
{
    struct Case {
        const char* project;
        bool opens;
    } cases[] = {
        {"Uninstall=true\r\nIsPatch=FALSE\r\nRunBeforeInstall= 0 \r\n", true},
        {"Uninstall=2\r\nIsPatch=0\r\nRunBeforeInstall=0\r\n", true},
        {"Uninstall=yes\r\nIsPatch=0\r\nRunBeforeInstall=0\r\n", false},
        {"Uninstall=1\r\nRunBeforeInstall=0\r\n", false},
        {"Uninstall=1\r\nIsPatch=0\r\nRunBeforeInstall=$10\r\n", false},
        {"Uninstall=1\r\nIsPatch=0\r\nRunBeforeInstall=1x\r\n", false},
        {"Uninstall=1\r\nIsPatch=0\r\nRunBeforeInstall=-1\r\n", false},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        std::string setup = BuildRaw(folder, [&](TSetupDataWriter& w) {
            LeadingBlocks(w, c.project);
            w.TextBlock("END");
        });
        TOstrelExecutor engine(nullptr);
        if (c.opens)
            EXPECT_NO_THROW(engine.OpenSource(setup, true)) << c.project;
        else
            EXPECT_THROW(engine.OpenSource(setup, true), Exception) << c.project;
    }
}

TEST(SetupDataBlocks, EndMarkWithBlanksEndsTheObjectStream)
{
    struct Case {
        const char* text;
        bool ends;
    } cases[] = {
        {"END", true}, {"  END  ", true}, {"\r\nEND\r\n", true}, {"\tEND", true},
        {"END2", false}, {"E ND", false}, {"end", false}, {"OBJECT_TYPE=END", false},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        std::string setup = BuildRaw(folder, [&](TSetupDataWriter& w) {
            LeadingBlocks(w, kMinimalProject);
            w.TextBlock(c.text);
            w.TextBlock("END");
        });
        TOstrelExecutor engine(nullptr);
        engine.OpenSource(setup, true);
        EXPECT_EQ(!c.ends, engine.ReadRecord()) << "'" << c.text << "'";
    }
}

TEST(SetupDataBlocks, MacrosInRecordsAreExpandedAndUnknownTextsKept)
{
    TempFolder folder;
    SetEnvironmentVariableA("FERRIN_READER_VAR", "value");
    std::string setup = BuildRaw(folder, [](TSetupDataWriter& w) {
        LeadingBlocks(w, kMinimalProject);
        w.TextBlock("A=<PRODUCT_NAME>\r\nB=<PRODUCT_NAM>\r\nC=Env(FERRIN_READER_VAR)\r\nD=Env(FERRIN_READER_VAR\r\n");
        w.TextBlock("END");
    });
    TOstrelExecutor engine(nullptr);
    engine.OpenSource(setup, true);
    ASSERT_TRUE(engine.ReadRecord());
    EXPECT_EQ("P", engine.Record().Values("A"));
    EXPECT_EQ("<PRODUCT_NAM>", engine.Record().Values("B"));
    EXPECT_EQ("value", engine.Record().Values("C"));
    EXPECT_EQ("Env(FERRIN_READER_VAR", engine.Record().Values("D"));
}

TEST(SetupDataBlocks, TheLineCapCountsLinesWhateverTheirBreaks)
{
    const std::uint32_t cap = uSetupData::kMaxBlockLines;
    auto lines = [](std::uint32_t count, const std::string& lineBreak, const std::string& after) {
        std::string text;
        for (std::uint32_t i = 0; i < count; ++i)
            text += "a" + lineBreak;
        return text + after;
    };
    struct Case {
        const char* name;
        std::string text;
        bool refused;
    } cases[] = {
        {"600,000 CR LF lines", lines(600000, "\r\n", ""), false},
        {"the cap of CR LF lines", lines(cap, "\r\n", ""), false},
        {"the cap of LF lines", lines(cap, "\n", ""), false},
        {"the cap of lone CR lines", lines(cap, "\r", ""), false},
        {"one LF line past the cap, unended", lines(cap, "\n", "b"), true},
        {"one CR LF line past the cap", lines(cap + 1, "\r\n", ""), true},
    };
    for (const Case& c : cases) {
        bool refused = false;
        try {
            uSetupData::CheckLineCount(c.text);
        } catch (const Exception& error) {
            refused = true;
            EXPECT_EQ(0u, error.Message().find("安装数据已损坏")) << c.name;
        }
        EXPECT_EQ(refused, c.refused) << c.name;
    }
}

TEST(SetupDataBlocks, BlocksThatWouldGrowBeyondBoundsAreDamage)
{
    // A few kilobytes of zlib that would become gigabytes once read.
    std::string manyCompanies;
    for (int i = 0; i < 4096; ++i)
        manyCompanies += "<COMPANY_NAME>";
    struct Case {
        const char* name;
        std::function<void(TSetupDataWriter&)> fill;
    } cases[] = {
        {"64 MiB of line feeds",
         [](TSetupDataWriter& w) {
             LeadingBlocks(w, kMinimalProject);
             w.TextBlock(std::string(uSetupData::kMaxTextBlock, '\n'));
         }},
        {"a 1 MiB company name 4096 times",
         [&](TSetupDataWriter& w) {
             LeadingBlocks(w, std::string(kMinimalProject) + "CompanyName=" + std::string(1 << 20, 'c') + "\r\n");
             w.TextBlock(manyCompanies);
         }},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        std::string setup = BuildRaw(folder, c.fill);
        TOstrelExecutor engine(nullptr);
        try {
            engine.OpenSource(setup, true);
            while (engine.ReadRecord()) {
            }
            ADD_FAILURE() << c.name << ": no error";
        } catch (const Exception& error) {
            EXPECT_EQ(0u, error.Message().find("安装数据已损坏")) << c.name << ": " << error.Message();
        }
    }
    // Many references to one variable are fine, and cheap.
    SetEnvironmentVariableA("FERRIN_READER_VAR", "v");
    std::string references;
    for (int i = 0; i < 40000; ++i)
        references += "Env(FERRIN_READER_VAR)";
    TempFolder folder;
    std::string setup = BuildRaw(folder, [&](TSetupDataWriter& w) {
        LeadingBlocks(w, kMinimalProject);
        w.TextBlock("A=" + references);
        w.TextBlock("END");
    });
    TOstrelExecutor engine(nullptr);
    engine.OpenSource(setup, true);
    ASSERT_TRUE(engine.ReadRecord());
    EXPECT_EQ(std::string(40000, 'v'), engine.Record().Values("A"));
}

SIZE_T PeakMemory()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakPagefileUsage;
}

TEST(SetupDataBlocks, DamagedDataRaisesWithoutReadingOrAllocatingPastIt)
{
    std::string good;
    {
        TempFolder folder;
        std::string setup = BuildRaw(folder, [](TSetupDataWriter& w) {
            LeadingBlocks(w, kMinimalProject);
            w.TextBlock("OBJECT_TYPE=FOLDER");
            w.TextBlock("END");
        });
        good = ReadWholeFile(setup);
    }
    auto lengthBlock = [](std::uint32_t stored) {
        return std::string(reinterpret_cast<const char*>(&stored), 4);
    };
    struct Case {
        const char* name;
        std::function<void(TSetupDataWriter&)> fill; // empty: damage the good file instead
        std::function<std::string(const std::string&)> damage;
    } cases[] = {
        {"length beyond the data",
         [&](TSetupDataWriter& w) {
             LeadingBlocks(w, kMinimalProject);
             w.Raw(lengthBlock(0x3FFFFF00u ^ uSetupData::kLengthMask) + "short");
         },
         nullptr},
        {"user-interface length beyond the data",
         [&](TSetupDataWriter& w) {
             w.TextBlock(std::string());
             w.TextBlock(std::string());
             w.Raw(lengthBlock(0x0FFFFFF0u) + "tiny");
         },
         nullptr},
        {"truncated container",
         nullptr,
         [](const std::string& file) {
             std::string cut = file.substr(0, file.size() - 30);
             return cut + file.substr(file.size() - 8); // the trailer still claims the full range
         }},
        {"corrupt zlib data",
         nullptr,
         [](const std::string& file) {
             std::string bad = file;
             std::uint32_t start = *reinterpret_cast<const std::uint32_t*>(&file[file.size() - 8]);
             for (size_t i = start + 2; i < start + 12; ++i)
                 bad[i] = static_cast<char>(bad[i] ^ 0x5A);
             return bad;
         }},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        std::string setup;
        if (c.fill) {
            setup = BuildRaw(folder, c.fill);
        } else {
            setup = folder / "Damaged.exe";
            WriteWholeFile(setup, c.damage(good));
        }
        TOstrelExecutor engine(nullptr);
        std::int64_t furthest = 0;
        engine.OnProcess = TOstrelExecutor::TProcessEvent::FromFunction(
            [&](TObject*, TStrings*, bool&, std::int64_t position) { furthest = std::max(furthest, position); });
        SIZE_T before = PeakMemory();
        try {
            engine.OpenSource(setup, true);
            while (engine.ReadRecord()) {
            }
            ADD_FAILURE() << c.name << ": no error";
        } catch (const Exception& error) {
            EXPECT_FALSE(error.Message().empty()) << c.name;
        }
        TSplitFileStream probe(setup, fmOpenRead | fmShareDenyNone);
        EXPECT_LE(furthest, static_cast<std::int64_t>(probe.DataEnd())) << c.name;
        EXPECT_LT(PeakMemory() - before, SIZE_T(64) << 20) << c.name;
    }
}

} // namespace
