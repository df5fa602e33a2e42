// The commands a setup runs before installing: each runs while the setup is
// opened, its program put down from the FILE record that follows it, before
// the first object record; a program that answers with an error stops the open.
#include "InstallDriver.h"

#include "Exception.h"
#include "SetupWriter.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

struct TBeforeInstallCase {
    const char* Name;
    const char* Answer;   // what the probe answers: "ok", or "error:<text>"
    const char* Failure;  // the message opening raises; nullptr: opening succeeds
};

class BeforeInstall : public testing::TestWithParam<TBeforeInstallCase> {};

TEST_P(BeforeInstall, TheCommandRunsWhileOpeningBeforeAnyObjectRecord)
{
    TempFolder folder;
    std::string app = folder / "App";
    ASSERT_TRUE(CreateDirectoryA(app.c_str(), nullptr));
    std::string program = folder / "check.exe";
    std::string note = app + "\\probe-ran.txt";

    TSetupDescription description;
    description.Project = {"PROJECT_ID=FerrinBeforeInstallTest", "InstallPath=" + app, "Uninstall=False", "IsPatch=False", "RunBeforeInstall=1"};
    description.BeforeInstall = {
        Record({"OBJECT_TYPE=COMMAND", "EXECUTE_TYPE=1", "TYPE=1", "TARGET=" + program,
                "PARAMS=\"" + std::string(GetParam().Answer) + "\" \"" + note + "\"", "URL=False", "HIDDEN=True"}),
        FileRecord(program, ReadWholeFile(BesideTestProgram("command_probe.exe")), {"UNINSTALL=False"}),
    };
    description.Objects = {FileRecord("<INSTALL>\\readme.txt", "installed")};
    TBuildOptions options;
    options.Program = BesideTestProgram("setupdata_stub.exe");
    options.Output = folder / "setup.exe";
    BuildSetup(options, description);

    TOstrelExecutor engine(nullptr);
    engine.SetQuiet(true);
    bool ranBeforeFirstRecord = false;
    bool firstRecordSeen = false;
    engine.OnProcess = TOstrelExecutor::TProcessEvent::FromFunction(
        [&](TObject*, TStrings* record, bool&, std::int64_t) {
            if (record && !firstRecordSeen) {
                firstRecordSeen = true;
                ranBeforeFirstRecord = FileExists(note) && !FileExists(app + "\\readme.txt");
            }
        });
    if (GetParam().Failure) {
        try {
            engine.OpenSource(options.Output, false);
            FAIL() << "opening succeeded although the command failed";
        } catch (const Exception& error) {
            EXPECT_EQ(GetParam().Failure, error.Message());
        }
        EXPECT_FALSE(FileExists(app + "\\readme.txt"));
        return;
    }
    engine.OpenSource(options.Output, false);
    // The program ran during the open, told the install folder through its answer file.
    const std::string ranOnce = std::string(GetParam().Answer) + "|" + app + "|\r\n";
    EXPECT_EQ(ranOnce, ReadWholeFile(note));
    engine.SetInstallPath(engine.Project().InstallPath);
    engine.Install();
    EXPECT_TRUE(firstRecordSeen);
    EXPECT_TRUE(ranBeforeFirstRecord);
    EXPECT_EQ("installed", ReadWholeFile(app + "\\readme.txt"));
    EXPECT_EQ(ranOnce, ReadWholeFile(note)) << "the command ran once";
}

INSTANTIATE_TEST_SUITE_P(Commands, BeforeInstall,
                         testing::Values(TBeforeInstallCase{"before", "ok", nullptr},
                                         TBeforeInstallCase{"error", "error:the probe failed on purpose",
                                                            "the probe failed on purpose"}),
                         [](const testing::TestParamInfo<TBeforeInstallCase>& info) {
                             return std::string(info.param.Name);
                         });

} // namespace
