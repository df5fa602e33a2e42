// Shell links for the install.
#include "uShortcutAction.h"

#include "Exception.h"
#include "SysUtils.h"
#include "TStrings.h"
#include "uFileActions.h"
#include "uRecordValues.h"
#include "uWinScoped.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

namespace uShortcutAction {
namespace {

std::wstring Widen(const std::string& text)
{
    int count = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(count > 0 ? count : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], count);
    wide.resize(wide.size() - 1);
    return wide;
}

[[noreturn]] void RaiseLinkError(const std::string& link, const char* step, HRESULT result)
{
    char code[16];
    wsprintfA(code, "0x%08lX", static_cast<unsigned long>(result));
    throw Exception("cannot create the shortcut " + link + " (" + step + " failed, " + code + ")");
}

} // namespace

void CreateShortcut(const TStrings& record, bool skip, TInstallContext& context)
{
    std::string link = uRecordValues::Text(record, "FILE_NAME");
    std::string target = uRecordValues::Text(record, "TARGET");
    std::string params = uRecordValues::Text(record, "PARAMS");
    std::string iconFile = uRecordValues::Text(record, "ICON_FILE");
    int iconIndex = uRecordValues::Int(record, "ICON_INDEX");
    if (skip)
        return;

    bool existedBefore = GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES;
    std::string missing = uFileActions::FindMissingFolder(link, context);
    if (!missing.empty())
        context.Log->Add("DIR=" + missing + "\tUninstallOption=0");
    std::string folder = SysUtils::ExtractFilePath(link);
    if (!folder.empty() && !SysUtils::ForceDirectories(folder))
        throw Exception(SysUtils::StringReplace(context.Text("CreateFolderError", "文件夹 <FOLDER> 创建失败"),
                                                "<FOLDER>", SysUtils::ExcludeTrailingBackslash(folder)));

    uWinScoped::TComApartment apartment;
    uWinScoped::TComPtr<IShellLinkA> shellLink;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      shellLink.ReceiveVoid());
    if (FAILED(result))
        RaiseLinkError(link, "the shell link object", result);
    shellLink->SetPath(target.c_str());
    shellLink->SetArguments(params.c_str());
    shellLink->SetWorkingDirectory(SysUtils::ExcludeTrailingBackslash(SysUtils::ExtractFilePath(target)).c_str());
    if (!iconFile.empty())
        shellLink->SetIconLocation(iconFile.c_str(), iconIndex);

    uWinScoped::TComPtr<IPersistFile> file;
    result = shellLink->QueryInterface(IID_IPersistFile, file.ReceiveVoid());
    if (FAILED(result))
        RaiseLinkError(link, "the link's file interface", result);
    result = file->Save(Widen(link).c_str(), TRUE);
    if (FAILED(result))
        RaiseLinkError(link, "saving", result);
    if (!existedBefore)
        context.Log->Add("FILE=" + link);
}

} // namespace uShortcutAction
