// The FOLDER and FILE actions of the install.
#include "uFileActions.h"

#include "Exception.h"
#include "OwnedHandles.h"
#include "ScopeExit.h"
#include "SysUtils.h"
#include "THandleStream.h"
#include "TStrings.h"
#include "uLogTags.h"
#include "uFileReplacement.h"
#include "uReboot.h"
#include "uRecordValues.h"
#include "uSelfRegister.h"
#include "uSetupData.h"
#include "uUninstaller.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <vector>

namespace uFileActions {
namespace {

// Files are written in large blocks: small writes cost more than inflating.
const std::uint64_t kCopyBlock = 256 * 1024;

// One trailing delimiter off a folder path, so that its own folder comes next.
std::string StripOneDelimiter(const std::string& path)
{
    if (!path.empty() && (path.back() == '\\' || path.back() == ':' || path.back() == '/'))
        return path.substr(0, path.size() - 1);
    return path;
}

// An existing file that another program holds open: it cannot be opened for
// reading and writing while others may only read it, nor for the deletion that
// putting a new file in its place takes.
bool IsFileInUse(const std::string& path)
{
    TOwnedHandle probe(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !probe.IsValid();
}

void SetDosDate(HANDLE file, std::uint32_t dosDate)
{
    FILETIME local, universal;
    if (DosDateTimeToFileTime(static_cast<WORD>(dosDate >> 16), static_cast<WORD>(dosDate & 0xFFFF), &local) &&
        LocalFileTimeToFileTime(&local, &universal))
        SetFileTime(file, nullptr, nullptr, &universal);
}

// Opens `target` as a new, empty file that already carries `attributes`, so
// that no further call per file is needed to set them.
TOwnedHandle CreateTarget(const std::string& target, DWORD attributes)
{
    TOwnedHandle file(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr));
    if (!file.IsValid() && GetLastError() == ERROR_ACCESS_DENIED) {
        // A read-only or hidden file in the way refuses to be replaced as it is.
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        file.Reset(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr));
    }
    if (!file.IsValid())
        throw EFCreateError("cannot create file " + target + ": " + SysUtils::SysErrorMessage(GetLastError()));
    return file;
}

// Copies exactly `length` payload bytes into `out`, a file just made, and dates it.
void CopyPayload(TStream& source, THandleStream& out, std::uint64_t length, const std::string& target,
                 std::uint32_t dosDate)
{
    std::vector<char> buffer(static_cast<size_t>(std::min(length, kCopyBlock)));
    std::uint64_t left = length;
    while (left > 0) {
        std::int32_t piece = static_cast<std::int32_t>(std::min<std::uint64_t>(left, buffer.size()));
        source.ReadBuffer(buffer.data(), static_cast<size_t>(piece));
        if (out.Write(buffer.data(), piece) != piece)
            throw EWriteError("cannot write file " + target + ": " + SysUtils::SysErrorMessage(GetLastError()));
        left -= static_cast<std::uint64_t>(piece);
    }
    SetDosDate(out.Handle(), dosDate);
}

// Creation may not have given every attribute (a file system without the hidden
// one, or a name that was there already): set them then.
void EnsureAttributes(const std::string& target, DWORD attributes)
{
    if (GetFileAttributesA(target.c_str()) != attributes)
        SetFileAttributesA(target.c_str(), attributes);
}

// A file that was not there: written in place, and gone again when the write
// does not finish (a half-written file is worse than none).
void WriteNewFile(TOwnedHandle file, TStream& source, std::uint64_t length, const std::string& target,
                  std::uint32_t dosDate, DWORD attributes)
{
    bool written = false;
    TScopeExit discardHalfWritten([&] {
        if (written)
            return;
        file.Reset();
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(target.c_str());
    });
    THandleStream out(file.Get());
    CopyPayload(source, out, length, target, dosDate);
    written = true;
    file.Reset();
    EnsureAttributes(target, attributes);
}

// A file that is there: the payload goes into a new file beside it, which takes
// its place only when complete, so that a write that does not finish (damaged
// data, a full disk, a cancel) leaves the installed file as it was.
void ReplaceExistingFile(TStream& source, std::uint64_t length, const std::string& target, std::uint32_t dosDate,
                         DWORD attributes)
{
    uFileReplacement::TFileReplacement replacement(target, attributes);
    CopyPayload(source, replacement.Stream(), length, target, dosDate);
    replacement.Commit();
    EnsureAttributes(target, attributes);
}

void RegisterInstalledFile(const TFileOptions& options, bool existedBefore, TInstallContext& context)
{
    // A deselected file that is not on the disk has nothing to register.
    if (!SysUtils::FileExists(options.Destination))
        return;
    try {
        uSelfRegister::RegisterComponent(options.Destination, uSelfRegister::TRegisterMode::Register);
        if (!existedBefore)
            context.Log->Add(uLogTags::Line(uLogTags::Registered, options.Destination));
    } catch (const Exception& error) {
        if (!context.Quiet)
            MessageBoxA(GetActiveWindow(), error.Message().c_str(), context.Title.c_str(), MB_OK | MB_ICONERROR);
    }
}

bool AskOverwriteNewer(const std::string& destination, const TInstallContext& context)
{
    std::string question = SysUtils::StringReplace(
        context.Text("RecoverNewFile", "文件 <FILE_NAME> 比要安装的文件新,是否覆盖？"), "<FILE_NAME>", destination);
    return MessageBoxA(GetActiveWindow(), question.c_str(), context.Title.c_str(), MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
}

DWORD AttributesOf(const TFileOptions& options)
{
    DWORD attributes = FILE_ATTRIBUTE_ARCHIVE;
    if (options.ReadOnly)
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (!options.Visible)
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    return attributes;
}

} // namespace

std::string OutermostMissingFolder(const std::string& filePath, bool& noFolderExists)
{
    noFolderExists = false;
    std::string current = SysUtils::ExtractFilePath(filePath);
    if (current.empty())
        return std::string();
    bool moved = false;
    while (!SysUtils::DirectoryExists(SysUtils::ExtractFilePath(current))) {
        current = SysUtils::ExtractFilePath(current);
        if (current.empty()) {
            noFolderExists = true;
            return std::string();
        }
        current = StripOneDelimiter(current);
        moved = true;
    }
    // Unmoved, the folder just found to exist is the file's own folder.
    return !moved || SysUtils::DirectoryExists(current) ? std::string() : current;
}

std::string FindMissingFolder(const std::string& filePath, const TInstallContext& context)
{
    bool noFolderExists = false;
    std::string missing = OutermostMissingFolder(filePath, noFolderExists);
    if (noFolderExists)
        throw Exception(SysUtils::StringReplace(context.Text("FolderNotFound", "文件夹 <FOLDER> 不存在"), "<FOLDER>",
                                                SysUtils::ExtractFilePath(filePath)));
    return missing;
}

void CreateFolder(const TStrings& record, bool skip, TInstallContext& context)
{
    std::string folder = SysUtils::ExcludeTrailingBackslash(uRecordValues::Text(record, "FOLDER"));
    int option = uRecordValues::Int(record, "OPTION");
    bool hidden = uRecordValues::Bool(record, "Hidden");
    bool readOnly = uRecordValues::Bool(record, "ReadOnly");
    if (skip || SysUtils::DirectoryExists(folder))
        return;
    std::string missing = FindMissingFolder(folder + "\\a", context);
    if (!missing.empty())
        context.Log->Add(uLogTags::FolderLine(missing, option));
    if (!SysUtils::ForceDirectories(folder))
        throw Exception(SysUtils::StringReplace(context.Text("CreateFolderError", "文件夹 <FOLDER> 创建失败"),
                                                "<FOLDER>", folder));
    DWORD attributes = FILE_ATTRIBUTE_DIRECTORY;
    if (readOnly)
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (hidden)
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    SetFileAttributesA(folder.c_str(), attributes);
}

void InstallFile(const TStrings& record, bool skip, TInstallContext& context)
{
    TFileOptions options;
    options.Destination = uRecordValues::Text(record, "DESTINATION");
    options.ReplaceOption = uRecordValues::Int(record, "REPLACE_OPTION");
    options.FileAge = static_cast<std::uint32_t>(uRecordValues::Int(record, "FILE_AGE"));
    options.ReadOnly = uRecordValues::Bool(record, "READONLY");
    options.Visible = uRecordValues::Bool(record, "VISIBLE");
    options.Register = uRecordValues::Bool(record, "REGISTER");
    options.Uninstall = uRecordValues::Bool(record, "UNINSTALL");
    InstallFile(options, skip, context);
}

void InstallFile(const TFileOptions& options, bool skip, TInstallContext& context)
{
    const std::string& destination = options.Destination;
    const DWORD attributes = AttributesOf(options);
    // Read first, so that no file is made for a payload the stream cannot give.
    std::uint32_t length = uSetupData::ReadPayloadLength(*context.Source);
    if (!skip) {
        // Most files of an install are new, and making the file only where none
        // is yet tells that in the same call: a separate look for a name that is
        // not there can cost a read of the whole folder (Wine). The folder then
        // exists too, so nothing else is to log or create.
        TOwnedHandle created(
            CreateFileA(destination.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr));
        if (created.IsValid()) {
            if (options.Uninstall)
                context.Log->Add(uLogTags::Line(uLogTags::File, destination));
            WriteNewFile(std::move(created), *context.Source, length, destination, options.FileAge, attributes);
            if (options.Register)
                RegisterInstalledFile(options, false, context);
            return;
        }
    }

    bool existedBefore = SysUtils::FileExists(destination);
    bool write = false;
    // The destination's folders exist unless the search below finds one missing.
    bool foldersExist = false;
    if (!skip) {
        std::string missing = FindMissingFolder(destination, context);
        foldersExist = missing.empty();
        if (!missing.empty() && options.Uninstall)
            context.Log->Add(uLogTags::Line(uLogTags::Folder, missing));
        if (!existedBefore) {
            if (options.Uninstall)
                context.Log->Add(uLogTags::Line(uLogTags::File, destination));
            write = true;
        } else if (context.ForceReplace) {
            write = true;
        } else if (options.ReplaceOption == 1) {
            write = false;
        } else if (options.ReplaceOption != 0) {
            write = true;
        } else if (FileDosDate(destination) <= options.FileAge) {
            write = true;
        } else {
            write = !context.Quiet && AskOverwriteNewer(destination, context);
        }
    }

    std::string target = destination;
    bool diverted = false;
    if (write && existedBefore) {
        // The test opens the file for writing, which a read-only file refuses: its
        // attributes go for the test and come back whatever it finds, so that the
        // file stays as it was until the new one takes its place.
        DWORD existing = GetFileAttributesA(destination.c_str());
        SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
        diverted = IsFileInUse(destination);
        if (existing != INVALID_FILE_ATTRIBUTES)
            SetFileAttributesA(destination.c_str(), existing);
        if (diverted)
            target = SysUtils::TempFolder() + "\\" + uUninstaller::NewGuidName();
    }

    if (write) {
        // Folders are made only for a file that is written, so that nothing unlogged stays behind.
        std::string folder = SysUtils::ExtractFilePath(target);
        if (!folder.empty() && (diverted || !foldersExist) && !SysUtils::ForceDirectories(folder))
            throw Exception(SysUtils::StringReplace(context.Text("CreateFolderError", "文件夹 <FOLDER> 创建失败"),
                                                    "<FOLDER>", SysUtils::ExcludeTrailingBackslash(folder)));
        if (existedBefore && !diverted)
            ReplaceExistingFile(*context.Source, length, target, options.FileAge, attributes);
        else
            WriteNewFile(CreateTarget(target, attributes), *context.Source, length, target, options.FileAge,
                         attributes);
        if (diverted) {
            // A rollback or an uninstall before the restart removes the waiting copy,
            // so that the replacement does not happen after all.
            context.Log->Add(uLogTags::Line(uLogTags::File, target));
            if (!uReboot::ReplaceFileAtReboot(target, destination))
                throw EWriteError("cannot replace file " + destination + " at the next restart: " +
                                  SysUtils::SysErrorMessage(GetLastError()));
            context.RestartNeeded = true;
        }
    } else {
        uSetupData::SkipPayload(*context.Source, length);
    }

    if (options.Register)
        RegisterInstalledFile(options, existedBefore, context);
}

std::uint32_t FileDosDate(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    FILETIME local;
    WORD date = 0, time = 0;
    if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &date, &time))
        return 0;
    return (static_cast<std::uint32_t>(date) << 16) | time;
}

} // namespace uFileActions
