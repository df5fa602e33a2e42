// Shell links for the install.
#include "uShortcutAction.h"

#include "ComApartment.h"
#include "ComPtr.h"
#include "Exception.h"
#include "SysUtils.h"
#include "TStrings.h"
#include "uFileActions.h"
#include "uHResultText.h"
#include "uLogTags.h"
#include "uRecordValues.h"
#include "uWideText.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

namespace uShortcutAction {
namespace {

[[noreturn]] void RaiseLinkError(const std::string& link, const char* step, HRESULT result)
{
    throw Exception("cannot create the shortcut " + link + " (" + step + " failed, " + uHResultText::Code(result) +
                    ")");
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
        context.Log->Add(uLogTags::FolderLine(missing, 0));
    std::string folder = SysUtils::ExtractFilePath(link);
    if (!folder.empty() && !SysUtils::ForceDirectories(folder))
        throw Exception(SysUtils::StringReplace(context.Text("CreateFolderError", "文件夹 <FOLDER> 创建失败"),
                                                "<FOLDER>", SysUtils::ExcludeTrailingBackslash(folder)));

    TComApartment apartment;
    ComPtr<IShellLinkA> shellLink;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      shellLink.ReceiveVoid());
    if (FAILED(result))
        RaiseLinkError(link, "the shell link object", result);
    shellLink->SetPath(target.c_str());
    shellLink->SetArguments(params.c_str());
    shellLink->SetWorkingDirectory(SysUtils::ExcludeTrailingBackslash(SysUtils::ExtractFilePath(target)).c_str());
    if (!iconFile.empty())
        shellLink->SetIconLocation(iconFile.c_str(), iconIndex);

    ComPtr<IPersistFile> file;
    result = shellLink->QueryInterface(IID_IPersistFile, file.ReceiveVoid());
    if (FAILED(result))
        RaiseLinkError(link, "the link's file interface", result);
    result = file->Save(uWideText::Widen(link).c_str(), TRUE);
    if (FAILED(result))
        RaiseLinkError(link, "saving", result);
    if (!existedBefore)
        context.Log->Add(uLogTags::Line(uLogTags::File, link));
}

} // namespace uShortcutAction
