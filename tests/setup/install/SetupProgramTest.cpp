// A setup program that carries its data in its own file, started as its own
// process: it installs, and the Uninstall.exe it leaves holds its image without
// the data, followed by the product identifier.
#include "InstallFixture.h"

#include "OwnedHandles.h"
#include "SetupWriter.h"
#include "uOstrelUninstall.h"

#include <cstdint>

namespace {

std::uint32_t DwordAt(const std::string& bytes, size_t offset)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + static_cast<size_t>(i)]);
    return value;
}

// Runs the program and waits for it (generously); the exit code, or -1.
long RunAndWait(const std::string& commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    TOwnedHandle thread(process.hThread);
    TOwnedHandle program(process.hProcess);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(program.Get(), 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(program.Get(), &code);
    return static_cast<long>(code);
}

} // namespace

class SetupProgramTest : public InstallFixture {};

TEST_F(SetupProgramTest, DataCarriedInTheProgramInstallsAndLeavesAnUninstallerWithoutIt)
{
    TSetupDescription description;
    description.Project = ProjectLines(true);
    description.Project.push_back("IsPatch=False");
    description.Project.push_back("RunBeforeInstall=0");
    description.Objects = {FileRecord(App() + "\\app.txt", "application"),
                           FileRecord(App() + "\\data\\big.bin", std::string(200000, 'b'))};
    TBuildOptions options;
    options.Program = BesideTestProgram("install_probe.exe");
    options.Output = root_ / "setup.exe";
    BuildSetup(options, description);

    const std::string error = root_ / "error.txt";
    ASSERT_EQ(RunAndWait("\"" + options.Output + "\" \"" + error + "\""), 0) << ReadWholeFile(error);

    EXPECT_EQ(ReadWholeFile(App() + "\\app.txt"), "application");
    EXPECT_EQ(ReadWholeFile(App() + "\\data\\big.bin"), std::string(200000, 'b'));
    const std::string setup = ReadWholeFile(options.Output);
    const std::string uninstaller = ReadWholeFile(App() + "\\Uninstall.exe");
    const size_t dataStart = DwordAt(setup, setup.size() - 8);
    ASSERT_LT(dataStart, setup.size());
    ASSERT_EQ(uninstaller.size(), dataStart + id_.size() + 8);
    EXPECT_EQ(uninstaller.compare(0, dataStart, setup, 0, dataStart), 0);
    EXPECT_EQ(uninstaller.substr(dataStart, id_.size()), id_);
    EXPECT_EQ(DwordAt(uninstaller, uninstaller.size() - 4), 0x5A3C9E71u);

    TOstrelUninstall uninstall(nullptr);
    uninstall.SetLogFile(id_);
    uninstall.Uninstall();
    EXPECT_FALSE(FolderExists(App()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntry()));
}
