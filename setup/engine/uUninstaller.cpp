// Uninstall.exe: written from the setup program's image with the product
// identifier at its end, read back by the uninstaller, relaunched from the
// temporary folder.
#include "uUninstaller.h"

#include "Exception.h"
#include "SysUtils.h"
#include "TFileStream.h"
#include "uFileReplacement.h"
#include "uLittleEndian.h"
#include "uReboot.h"
#include "uSystemFolders.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdio>

namespace uUninstaller {
namespace {

std::uint32_t ReadDword(TStream& stream)
{
    unsigned char bytes[4];
    stream.ReadBuffer(bytes, sizeof(bytes));
    return uLittleEndian::GetDword(bytes);
}

// Creates the folder and every missing folder above it.
void ForceFolder(const std::string& folder)
{
    std::string path = SysUtils::ExcludeTrailingBackslash(folder);
    if (!path.empty() && !SysUtils::ForceDirectories(path))
        throw EFCreateError("Cannot create folder " + path);
}

// How many bytes of the program image go into the uninstaller.
std::int64_t ImageLength(TStream& program, bool dataInProgram, const std::string& fileName)
{
    const std::int64_t size = program.Size();
    if (!dataInProgram)
        return size;
    const std::int64_t kTrailerSize = 8;
    if (size < kTrailerSize)
        throw Exception("Setup program " + fileName + " is too short to carry setup data");
    program.Seek(size - kTrailerSize, soFromBeginning);
    std::int64_t dataStart = ReadDword(program);
    if (dataStart > size - kTrailerSize)
        throw Exception("Setup data trailer of " + fileName + " points past the end of the file");
    return dataStart;
}

} // namespace

std::string WriteUninstaller(const std::string& setupProgram, bool dataInProgram, const std::string& installPath,
                             const std::string& projectId)
{
    TFileStream program(setupProgram, fmOpenRead | fmShareDenyNone);
    const std::int64_t imageLength = ImageLength(program, dataInProgram, setupProgram);

    ForceFolder(installPath);
    const std::string target = SysUtils::ExcludeTrailingBackslash(installPath) + "\\Uninstall.exe";
    std::string tail = projectId;
    uLittleEndian::AppendDword(tail, static_cast<std::uint32_t>(projectId.size()));
    uLittleEndian::AppendDword(tail, kProductIdMarker);
    // Written beside an earlier uninstaller and put in its place only when whole:
    // an update pack that fails here must leave the installed product its uninstaller.
    uFileReplacement::TFileReplacement uninstaller(target);
    program.Seek(0, soFromBeginning);
    if (imageLength > 0) // a count of 0 would copy the whole program
        uninstaller.Stream().CopyFrom(program, imageLength);
    uninstaller.Stream().WriteBuffer(tail.data(), tail.size());
    uninstaller.Commit();
    return target;
}

std::string ReadProductId(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyNone);
    const std::int64_t size = file.Size();
    if (size < 4)
        throw Exception("Installation not found");
    file.Seek(size - 4, soFromBeginning);
    if (ReadDword(file) != kProductIdMarker)
        throw Exception("Installation not found");
    if (size < 8)
        throw Exception("Product identifier at the end of " + fileName + " is damaged");
    file.Seek(size - 8, soFromBeginning);
    const std::int64_t length = ReadDword(file);
    if (length > size - 8)
        throw Exception("Product identifier at the end of " + fileName + " is damaged");
    std::string id(static_cast<size_t>(length), '\0');
    file.Seek(size - 8 - length, soFromBeginning);
    if (length > 0)
        file.ReadBuffer(&id[0], id.size());
    return id;
}

std::string ReadProductId() { return ReadProductId(RunningProgramPath()); }

std::string NewGuidName()
{
    GUID guid = {};
    if (FAILED(CoCreateGuid(&guid)))
        throw Exception("Cannot create a GUID");
    char text[33];
    std::snprintf(text, sizeof(text), "%08lX%04X%04X%02X%02X%02X%02X%02X%02X%02X%02X",
                  static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                  guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return text;
}

std::string RelaunchCopy(const std::string& program, const std::string& tempFolder)
{
    const std::string copy = SysUtils::ExcludeTrailingBackslash(tempFolder) + "\\" + NewGuidName() + ".exe";
    CopyFileA(program.c_str(), copy.c_str(), FALSE);
    // Scheduled before the copy starts, so that it goes even if it never ends normally.
    uReboot::ReplaceFileAtReboot(copy, "NUL");
    const std::string parameters = "/U:" + std::to_string(GetCurrentProcessId());
    ShellExecuteA(nullptr, "open", copy.c_str(), parameters.c_str(), nullptr, SW_HIDE);
    return copy;
}

void RelaunchFromTemp()
{
    try {
        RelaunchCopy(RunningProgramPath(), uSystemFolders::SpecialFolders().Temp);
    } catch (const Exception&) {
        // Not reported: the first process ends anyway.
    }
}

} // namespace uUninstaller
