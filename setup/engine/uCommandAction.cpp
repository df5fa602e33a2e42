// The COMMAND action and the run-and-wait routine.
#include "uCommandAction.h"

#include "ECancelInstall.h"
#include "Exception.h"
#include "OwnedHandles.h"
#include "SysUtils.h"
#include "TStringList.h"
#include "TFileStream.h"
#include "uFileReplacement.h"
#include "uLogTags.h"
#include "uRecordValues.h"
#include "uSelfRegister.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace uCommandAction {
namespace {

std::string Quoted(const std::string& path)
{
    if (path.empty() || path.front() == '"' || path.find(' ') == std::string::npos)
        return path;
    return "\"" + path + "\"";
}

std::string TempFileName()
{
    const std::string folder = SysUtils::TempFolder();
    char name[MAX_PATH + 1];
    if (!GetTempFileNameA(folder.c_str(), "ost", 0, name))
        throw Exception("cannot create a temporary file for the command's answer");
    return name;
}

std::string ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EFOpenError("cannot open file " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(text.data(), static_cast<std::streamsize>(text.size())))
        throw EFCreateError("cannot write file " + path);
}

// The "/LOG:" exchange file: created with the install folder, removed when done.
class TAnswerFile {
public:
    explicit TAnswerFile(const std::string& installPath) : path_(TempFileName())
    {
        WriteFileText(path_, "install_path=" + installPath + "\r\n");
    }
    TAnswerFile(const TAnswerFile&) = delete;
    TAnswerFile& operator=(const TAnswerFile&) = delete;
    ~TAnswerFile() { DeleteFileA(path_.c_str()); }

    const std::string& Path() const { return path_; }

    // Turns the program's answer into cancel or an error.
    void Check(const std::string& program) const
    {
        TStringList answer;
        answer.SetText(ReadFileText(path_));
        if (SysUtils::SameText(SysUtils::Trim(answer.Values("Cancel")), "Y"))
            throw ECancelInstall();
        if (SysUtils::SameText(SysUtils::Trim(answer.Values("Error")), "Y")) {
            std::string message = answer.Values("ErrorString");
            throw Exception(message.empty() ? program + " reported an error" : message);
        }
    }

private:
    std::string path_;
};

void OpenThroughShell(const std::string& target, const std::string& params, bool url, bool hidden)
{
    std::string folder = url ? std::string() : SysUtils::ExcludeTrailingBackslash(SysUtils::ExtractFilePath(target));
    HINSTANCE result = ShellExecuteA(GetActiveWindow(), "open", target.c_str(),
                                     params.empty() ? nullptr : params.c_str(),
                                     folder.empty() ? nullptr : folder.c_str(), hidden ? SW_HIDE : SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32)
        throw Exception("cannot open " + target + " (error " +
                        SysUtils::IntToStr(static_cast<std::int64_t>(reinterpret_cast<INT_PTR>(result))) + ")");
}

// Where the text read so far may end a piece of a file expanded piece by piece: no
// macro holds a line break nor a '<' past its first character, and no environment
// reference may stay open across the cut. 0 when the text must grow first.
size_t SafeCut(const std::string& text)
{
    size_t cut = text.size();
    for (;;) {
        size_t at = text.find_last_of("\r\n<", cut - 1);
        if (at == std::string::npos)
            return 0;
        cut = text[at] == '<' ? at : at + 1;
        if (cut == 0)
            return 0;
        // An "Env(" whose ")" lies beyond the cut would close only later.
        size_t open = cut >= 4 ? text.rfind("Env(", cut - 4) : std::string::npos;
        if (open == std::string::npos || text.find(')', open + 4) < cut)
            return cut;
        cut = open;
        if (cut == 0)
            return 0;
    }
}

// The file's macros expanded in pieces, so that a file of any size goes through
// in little memory; the expanded file takes the old one's place only when whole.
void ExpandMacrosInFile(const std::string& target, TInstallContext& context)
{
    const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    DWORD attributes = GetFileAttributesA(target.c_str());
    uFileReplacement::TFileReplacement expanded(target, attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes & kept);
    {
        TFileStream in(target, fmOpenRead | fmShareDenyWrite);
        const std::int32_t kPiece = 256 * 1024;
        std::vector<char> buffer(kPiece);
        std::string pending;
        for (;;) {
            std::int32_t got = in.Read(buffer.data(), kPiece);
            pending.append(buffer.data(), static_cast<size_t>(std::max(got, 0)));
            size_t cut = got <= 0 ? pending.size() : SafeCut(pending);
            if (cut > 0) {
                std::string piece = pending.substr(0, cut);
                pending.erase(0, cut);
                if (context.Expand)
                    piece = context.Expand(piece);
                expanded.Stream().WriteBuffer(piece.data(), piece.size());
            }
            if (got <= 0)
                break;
        }
    } // the file is let go before the expanded one takes its place
    expanded.Commit();
}

void RegisterTarget(const std::string& target, TInstallContext& context)
{
    try {
        uSelfRegister::RegisterComponent(target, uSelfRegister::TRegisterMode::Register);
        if (context.Log)
            context.Log->Add(uLogTags::Line(uLogTags::Registered, target));
    } catch (const Exception& error) {
        if (!context.Quiet)
            MessageBoxA(GetActiveWindow(), error.Message().c_str(), context.Title.c_str(), MB_OK | MB_ICONERROR);
    }
}

} // namespace

unsigned long RunAndWait(const std::string& commandLine, bool hidden)
{
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = hidden ? SW_HIDE : SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        throw Exception("cannot run " + commandLine + " (error " + SysUtils::IntToStr(GetLastError()) + ")");
    TOwnedHandle processHandle(process.hProcess);
    TOwnedHandle threadHandle(process.hThread);
    HANDLE waitFor = processHandle.Get();
    // Messages keep flowing while the program runs, so the wizard's window stays alive.
    while (MsgWaitForMultipleObjects(1, &waitFor, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(processHandle.Get(), &exitCode);
    return exitCode;
}

void RunCommand(const TStrings& record, TRunPhase phase, TInstallContext& context)
{
    int type = uRecordValues::Int(record, "TYPE");
    std::string target = uRecordValues::Text(record, "TARGET");
    std::string params = uRecordValues::Text(record, "PARAMS");
    bool url = uRecordValues::Bool(record, "URL");
    bool hidden = uRecordValues::Bool(record, "HIDDEN");
    switch (type) {
    case ctOpen:
        OpenThroughShell(target, params, url, hidden);
        break;
    case ctExecute: {
        if (url) {
            OpenThroughShell(target, params, true, hidden);
            break;
        }
        std::string commandLine = Quoted(target) + (params.empty() ? std::string() : " " + params);
        if (phase == TRunPhase::AfterInstall) {
            RunAndWait(commandLine, hidden);
            break;
        }
        TAnswerFile answer(context.InstallPath);
        RunAndWait(commandLine + " /LOG:" + Quoted(answer.Path()), hidden);
        answer.Check(target);
        break;
    }
    case ctDelete:
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(target.c_str());
        break;
    case ctRegister:
        RegisterTarget(target, context);
        break;
    case ctExpandMacros:
        ExpandMacrosInFile(target, context);
        break;
    default:
        break;
    }
}

void RunOrDefer(const TStrings& record, bool skip, TInstallContext& context)
{
    int executeType = uRecordValues::Int(record, "EXECUTE_TYPE");
    if (skip)
        return;
    if (executeType == etNow) {
        RunCommand(record, TRunPhase::DuringInstall, context);
        return;
    }
    if (!context.DeferredCommands)
        throw Exception("a deferred COMMAND record needs the deferred-commands list");
    context.DeferredCommands->Add(PackRecord(record.Text()));
}

std::string PackRecord(const std::string& text) { return SysUtils::StringReplace(text, "\r\n", "#13#10"); }

std::string UnpackRecord(const std::string& packed) { return SysUtils::StringReplace(packed, "#13#10", "\r\n"); }

} // namespace uCommandAction
