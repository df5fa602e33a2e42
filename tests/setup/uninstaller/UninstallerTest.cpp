// Uninstall.exe written from a setup program (data carried in it or not), the
// product identifier read back from files and by the running uninstaller itself,
// and the relaunch from the temporary folder.
#include "uUninstaller.h"

#include "Exception.h"
#include "OwnedHandles.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

using namespace uUninstaller;

namespace {

std::string Dword(std::uint32_t value)
{
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((value >> shift) & 0xFF);
    return bytes;
}

std::string Tail(const std::string& id) { return id + Dword(static_cast<std::uint32_t>(id.size())) + Dword(0x5A3C9E71u); }

std::string TestFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\'));
}

// The stand-in setup program, built beside the tests.
const std::string& FixtureImage()
{
    static const std::string image = ReadWholeFile(TestFolder() + "\\uninstaller_fixture.exe");
    return image;
}

// A setup program as the container writes it: image, setup data, trailer.
std::string SetupProgramWithData(const std::string& data)
{
    const std::uint32_t start = static_cast<std::uint32_t>(FixtureImage().size());
    return FixtureImage() + data + Dword(start) + Dword(start + static_cast<std::uint32_t>(data.size()));
}

const std::string kProjectId = "{8F0C3B52-5D1E-4A77-9C21-3E2F6A1B0D44}";

// The lines of a report the fixture wrote.
std::vector<std::string> ReportOf(const std::string& reportPath)
{
    std::vector<std::string> lines;
    std::string text = ReadWholeFile(reportPath);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string Field(const std::vector<std::string>& report, const std::string& name)
{
    for (const std::string& line : report)
        if (line.compare(0, name.size() + 1, name + "=") == 0)
            return line.substr(name.size() + 1);
    return "<absent>";
}

// Runs a program with the report variable set, waits for it and returns its report.
std::vector<std::string> RunAndReport(const std::string& program, const std::string& reportPath)
{
    SetEnvironmentVariableA("FERRIN_FIXTURE_REPORT", reportPath.c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + program + "\"";
    bool started = CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &process);
    SetEnvironmentVariableA("FERRIN_FIXTURE_REPORT", nullptr);
    if (!started)
        return {};
    TOwnedHandle thread(process.hThread);
    TOwnedHandle running(process.hProcess);
    WaitForSingleObject(running.Get(), 30000);
    return ReportOf(reportPath);
}

// Waits for a report written by a program this test did not start itself.
bool WaitForFile(const std::string& path)
{
    for (int i = 0; i < 300; ++i) {
        if (FileExists(path))
            return true;
        Sleep(100);
    }
    return false;
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found = {};
    TOwnedFind search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!search.IsValid())
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search.Get(), &found));
    return names;
}

} // namespace

TEST(WriteUninstaller, CarriedDataIsLeftOutAndTheTailAppended)
{
    ASSERT_GT(FixtureImage().size(), 1000u);
    TempFolder folder;
    WriteWholeFile(folder / "setup.exe", SetupProgramWithData(std::string(70000, 'D') + "setup data end"));
    const std::string install = folder / "Program Files\\费林\\Ferrin";

    const std::string written = WriteUninstaller(folder / "setup.exe", true, install + "\\", kProjectId);

    EXPECT_EQ(install + "\\Uninstall.exe", written);
    const std::string bytes = ReadWholeFile(install + "\\Uninstall.exe");
    EXPECT_EQ(FixtureImage().size() + kProjectId.size() + 8, bytes.size());
    EXPECT_TRUE(bytes == FixtureImage() + Tail(kProjectId)) << "image, identifier, length, marker";
}

TEST(WriteUninstaller, ExternalSetupDataCopiesTheWholeProgram)
{
    TempFolder folder;
    WriteWholeFile(folder / "setup.exe", FixtureImage());
    WriteUninstaller(folder / "setup.exe", false, folder.Path(), "ID");
    EXPECT_TRUE(ReadWholeFile(folder / "Uninstall.exe") == FixtureImage() + Tail("ID"));
}

TEST(WriteUninstaller, OverwritesAnOlderUninstaller)
{
    TempFolder folder;
    WriteWholeFile(folder / "setup.exe", SetupProgramWithData("data"));
    WriteWholeFile(folder / "Uninstall.exe", std::string(FixtureImage().size() * 2, 'X'));
    WriteUninstaller(folder / "setup.exe", true, folder.Path(), "");
    EXPECT_TRUE(ReadWholeFile(folder / "Uninstall.exe") == FixtureImage() + Tail(""));
}

TEST(WriteUninstaller, DamagedOrMissingSourceWritesNothing)
{
    struct Case {
        const char* name;
        std::string program; // empty: no file at all
        const char* message;
    } cases[] = {
        {"shorter than a trailer", "MZ", "too short"},
        {"data start past the end", "MZ program" + Dword(1000) + Dword(1000), "points past the end"},
        {"data start inside the trailer", "MZ program" + Dword(11) + Dword(11), "points past the end"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        WriteWholeFile(folder / "setup.exe", c.program);
        try {
            WriteUninstaller(folder / "setup.exe", true, folder / "app", "ID");
            ADD_FAILURE() << c.name << ": no exception";
        } catch (const Exception& e) {
            EXPECT_NE(std::string::npos, e.Message().find(c.message)) << c.name << ": " << e.Message();
        }
        EXPECT_FALSE(FileExists(folder / "app\\Uninstall.exe")) << c.name;
    }

    TempFolder folder;
    EXPECT_THROW(WriteUninstaller(folder / "missing.exe", false, folder.Path(), "ID"), EFOpenError);
    EXPECT_FALSE(FileExists(folder / "Uninstall.exe"));
}

TEST(WriteUninstaller, UninstallerInUseRaisesTheFileError)
{
    TempFolder folder;
    WriteWholeFile(folder / "setup.exe", FixtureImage());
    WriteWholeFile(folder / "Uninstall.exe", "old");
    TOwnedHandle inUse(CreateFileA((folder / "Uninstall.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(inUse.IsValid());
    EXPECT_THROW(WriteUninstaller(folder / "setup.exe", false, folder.Path(), "ID"), EFCreateError);
    inUse.Reset();
    EXPECT_EQ("old", ReadWholeFile(folder / "Uninstall.exe"));
}

TEST(ReadProductId, ReadsTheTailOrRefuses)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::string result; // the identifier, or the start of the error message
    } cases[] = {
        {"identifier", "MZ image" + Tail(kProjectId), kProjectId},
        {"GBK identifier", "MZ" + Tail("费林产品"), "费林产品"},
        {"empty identifier", "MZ" + Tail(""), ""},
        {"only the tail", Tail("A"), "A"},
        {"no marker", "MZ image without a tail", "Installation not found"},
        {"empty file", "", "Installation not found"},
        {"marker cut short", Dword(0x5A3C9E71u).substr(1), "Installation not found"},
        {"marker alone", Dword(0x5A3C9E71u), "Product identifier at the end of"},
        {"length past the start", "MZ" + Dword(1000) + Dword(0x5A3C9E71u), "Product identifier at the end of"},
        {"huge length", "MZ" + Dword(0xFFFFFFF0u) + Dword(0x5A3C9E71u), "Product identifier at the end of"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        WriteWholeFile(folder / "Uninstall.exe", c.bytes);
        std::string got;
        try {
            got = ReadProductId(folder / "Uninstall.exe");
        } catch (const Exception& e) {
            got = e.Message().substr(0, c.result.size());
        }
        EXPECT_EQ(c.result, got) << c.name;
    }
    TempFolder folder;
    EXPECT_THROW(ReadProductId(folder / "missing.exe"), EFOpenError);
}

TEST(ReadProductId, TheWrittenUninstallerReadsItsOwnIdentifier)
{
    TempFolder folder;
    WriteWholeFile(folder / "setup.exe", SetupProgramWithData("payload"));
    const std::string uninstaller = WriteUninstaller(folder / "setup.exe", true, folder / "app", kProjectId);

    std::vector<std::string> report = RunAndReport(uninstaller, folder / "report.txt");
    EXPECT_EQ(kProjectId, Field(report, "id"));

    // The setup program itself carries no identifier.
    report = RunAndReport(TestFolder() + "\\uninstaller_fixture.exe", folder / "report2.txt");
    EXPECT_EQ("Installation not found", Field(report, "error"));
}

TEST(RelaunchFromTemp, StartsAGuidNamedCopyWhoseDeletionIsAlreadyScheduled)
{
    TempFolder temp;
    TempFolder work;
    const std::string program = work / "Uninstall.exe";
    WriteWholeFile(program, FixtureImage() + Tail(kProjectId));
    const std::string reportPath = work / "relaunch.txt";

    SetEnvironmentVariableA("FERRIN_FIXTURE_REPORT", reportPath.c_str());
    const std::string copy = RelaunchCopy(program, temp.Path());
    SetEnvironmentVariableA("FERRIN_FIXTURE_REPORT", nullptr);
    ASSERT_TRUE(WaitForFile(reportPath));

    // One new file in the temporary folder: 32 hexadecimal digits and ".exe".
    std::vector<std::string> files = FilesIn(temp.Path());
    ASSERT_EQ(1u, files.size());
    const std::string name = files[0];
    EXPECT_EQ(temp / name, copy);
    ASSERT_EQ(36u, name.size()) << name;
    EXPECT_EQ(".exe", name.substr(32));
    EXPECT_EQ(std::string::npos, name.substr(0, 32).find_first_not_of("0123456789ABCDEF")) << name;
    EXPECT_TRUE(ReadWholeFile(copy) == ReadWholeFile(program));

    std::vector<std::string> report = ReportOf(reportPath);
    EXPECT_EQ(0, lstrcmpiA(copy.c_str(), Field(report, "module").c_str())) << Field(report, "module");
    const std::string command = Field(report, "command");
    const std::string option = "/U:" + std::to_string(GetCurrentProcessId());
    ASSERT_GE(command.size(), option.size());
    EXPECT_EQ(option, command.substr(command.size() - option.size())) << command;
    EXPECT_EQ("1", Field(report, "scheduled")) << "deletion scheduled before the copy started";
    EXPECT_EQ(kProjectId, Field(report, "id"));

    // The copy has ended once its report is there; give the system a moment to let go of its file.
    for (int i = 0; i < 50 && !DeleteFileA(copy.c_str()); ++i)
        Sleep(100);
}

TEST(RelaunchFromTemp, EachRunMakesAFreshName)
{
    const std::string a = NewGuidName(), b = NewGuidName();
    EXPECT_EQ(32u, a.size());
    EXPECT_NE(a, b);
}
