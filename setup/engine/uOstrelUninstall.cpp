// The uninstall replay: each log line undone from the last to the first, with the
// folder and file removal rules and the reports through OnDeleteTarget.
#include "uOstrelUninstall.h"

#include "Exception.h"
#include "OwnedHandles.h"
#include "SysUtils.h"
#include "TRegistry.h"
#include "TStringList.h"
#include "uChangeNotices.h"
#include "uComPlusCatalog.h"
#include "uCommandAction.h"
#include "uDatabaseAlias.h"
#include "uFileReplacement.h"
#include "uInstallLog.h"
#include "uLogFields.h"
#include "uLogTags.h"
#include "uReboot.h"
#include "uRegistryAction.h"
#include "uRegistryText.h"
#include "uSelfRegister.h"
#include "uSetupData.h"
#include "uUninstaller.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

// A log may be damaged: the shell's delete takes wildcards and whole folders, so
// only a fully qualified path below a drive or share root is handed to it.
bool IsRemovablePath(const std::string& path)
{
    if (path.find_first_of("*?") != std::string::npos || path.find('\0') != std::string::npos)
        return false;
    std::string trimmed = SysUtils::ExcludeTrailingBackslash(path);
    if (trimmed.size() > 3 && std::isalpha(static_cast<unsigned char>(trimmed[0])) && trimmed[1] == ':' &&
        trimmed[2] == '\\')
        return true;
    if (trimmed.size() > 2 && trimmed[0] == '\\' && trimmed[1] == '\\') {
        // \\server\share\name: a name below the share.
        size_t server = trimmed.find('\\', 2);
        size_t share = server == std::string::npos ? server : trimmed.find('\\', server + 1);
        return share != std::string::npos && share + 1 < trimmed.size();
    }
    return false;
}

bool ShellDelete(const std::string& path, FILEOP_FLAGS flags)
{
    std::string from = path;
    from.push_back('\0'); // the list of names ends with an empty one
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = flags;
    return SHFileOperationA(&operation) == 0 && !operation.fAnyOperationsAborted;
}

} // namespace

TOstrelUninstall::TOstrelUninstall(TComponent* owner) : TComponent(owner) {}

TOstrelUninstall::~TOstrelUninstall()
{
    if (!done_)
        return;
    uChangeNotices::Send(1000);
}

std::string TOstrelUninstall::GetLanguageText(const std::string& key, const std::string& defaultText) const
{
    if (language_) {
        int index = language_->IndexOfName(key);
        if (index >= 0)
            return language_->ValueFromIndex(index);
    }
    return defaultText;
}

void TOstrelUninstall::Report(const std::string& key, const std::string& defaultText, const std::string& target)
{
    if (OnDeleteTarget)
        OnDeleteTarget(GetLanguageText(key, defaultText) + target, position_);
}

void TOstrelUninstall::Uninstall()
{
    std::string logPath;
    bool found = false;
    if (logSource_.empty())
        found = uInstallLog::FindInstallLogPath(uUninstaller::ReadProductId(), logPath);
    else if (SysUtils::FileExists(logSource_)) {
        logPath = logSource_;
        found = true;
    } else
        found = uInstallLog::FindInstallLogPath(logSource_, logPath);

    TStringList lines;
    if (found && !logPath.empty())
        uFileReplacement::RecoverInterrupted(logPath);
    if (found)
        lines.LoadFromFile(logPath);
    ReplayLog(lines);
}

void TOstrelUninstall::ReplayLog(const TStrings& lines)
{
    // A snapshot, so that a handler that touches the caller's list cannot upset the walk.
    std::vector<std::string> snapshot;
    for (int index = 0; index < lines.Count(); ++index)
        snapshot.push_back(lines[index]);
    int count = static_cast<int>(snapshot.size());

    position_ = 0;
    notUndone_.Clear();
    if (OnStartUninstall)
        OnStartUninstall(std::max(count - 1, 0));
    for (int index = count - 1; index >= 1; --index) {
        position_ = count - index;
        const std::string& line = snapshot[static_cast<size_t>(index)];
        if (!continueOnFailure_) {
            ReplayLine(line);
            continue;
        }
        try {
            try {
                ReplayLine(line);
            } catch (...) {
                RethrowAsException();
            }
        } catch (const Exception& error) {
            notUndone_.Add(error.Message().empty() ? line : error.Message());
        }
    }
    done_ = true;
}

void TOstrelUninstall::NoteNotUndone(const std::string& key, const std::string& defaultText,
                                     const std::string& target)
{
    notUndone_.Add(GetLanguageText(key, defaultText) + target);
}

void TOstrelUninstall::ReplayLine(const std::string& line)
{
    if (SysUtils::Trim(line).empty())
        return; // a blank line records no step
    size_t equals = line.find('=');
    std::string tag = equals == std::string::npos ? line : line.substr(0, equals);
    std::string value = equals == std::string::npos ? std::string() : line.substr(equals + 1);

    // One undo step per tag the install writes; the uninstaller's page switches undo nothing.
    struct TUndoStep {
        const char* Tag;
        void (TOstrelUninstall::*Undo)(const std::string& value);
    };
    static const TUndoStep kUndoSteps[] = {
        {uLogTags::Folder, &TOstrelUninstall::UndoFolder},
        {uLogTags::File, &TOstrelUninstall::UndoFile},
        {uLogTags::Key, &TOstrelUninstall::UndoKey},
        {uLogTags::KeyValue, &TOstrelUninstall::UndoKeyValue},
        {uLogTags::Registered, &TOstrelUninstall::UndoRegistration},
        {uLogTags::SkipUndeletePrompt, nullptr},
        {uLogTags::HideDeleteDetail, nullptr},
        {uLogTags::Command, &TOstrelUninstall::UndoCommand},
        {uLogTags::ComPlusApplication, &TOstrelUninstall::UndoComPlusApplication},
        {uLogTags::ComPlusComponent, &TOstrelUninstall::UndoComPlusComponent},
        {uLogTags::DatabaseAlias, &TOstrelUninstall::UndoDatabaseAlias},
    };
    for (const TUndoStep& step : kUndoSteps) {
        if (tag != step.Tag)
            continue;
        if (step.Undo)
            (this->*step.Undo)(value);
        return;
    }
    ShowUnknownLine(line);
}

void TOstrelUninstall::UndoFolder(const std::string& value)
{
    // "folder<TAB>UninstallOption=n": the folder, then name=value pairs after tabs.
    size_t tab = value.find('\t');
    std::string folder = value.substr(0, tab);
    TStringList options;
    if (tab != std::string::npos)
        options.SetText(SysUtils::StringReplace(value.substr(tab + 1), "\t", "\r\n"));
    std::string option = SysUtils::Trim(options.Values(uLogTags::UninstallOption));
    int uninstallOption = 0;
    if (!option.empty() && !SysUtils::TryStrToInt(option, uninstallOption))
        return; // an option that cannot be read keeps the folder: nothing is lost
    if (uninstallOption == 0)
        RemoveFolderWhenEmpty(folder);
    else if (uninstallOption == 2)
        RemoveFolderWithContents(folder);
}

void TOstrelUninstall::UndoFile(const std::string& path) { DeleteTargetFile(path); }

void TOstrelUninstall::UndoRegistration(const std::string& path)
{
    try {
        uSelfRegister::RegisterComponent(path, uSelfRegister::TRegisterMode::Unregister);
    } catch (...) {
        // A component that will not unregister must not stop the uninstall.
    }
}

void TOstrelUninstall::UndoDatabaseAlias(const std::string& alias) { uDatabaseAlias::DeleteAlias(alias); }

bool TOstrelUninstall::RemoveFolderWithContents(const std::string& folder)
{
    Report("RemovingFolder", "正在删除文件夹 ", folder);
    if (!IsRemovablePath(folder) || !SysUtils::DirectoryExists(folder))
        return false;
    ShellDelete(SysUtils::ExcludeTrailingBackslash(folder), FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI);
    return !SysUtils::DirectoryExists(folder);
}

bool TOstrelUninstall::RemoveFolderWhenEmpty(const std::string& folder)
{
    Report("RemovingFolder", "正在删除文件夹 ", folder);
    std::string path = folder;
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    if (!IsRemovablePath(path) || !SysUtils::DirectoryExists(path))
        return false;

    std::vector<std::string> subfolders;
    bool holdsFiles = false;
    WIN32_FIND_DATAA found;
    TOwnedFind search(FindFirstFileA((path + "\\*").c_str(), &found));
    if (search.IsValid()) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                subfolders.push_back(path + "\\" + name);
            else
                holdsFiles = true;
        } while (FindNextFileA(search.Get(), &found));
    }
    bool allGone = true;
    for (const std::string& subfolder : subfolders) {
        SetFileAttributesA(subfolder.c_str(), FILE_ATTRIBUTE_NORMAL);
        allGone = RemoveFolderWhenEmpty(subfolder) && allGone;
    }
    if (!holdsFiles && allGone)
        ShellDelete(path, FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI);
    return !SysUtils::DirectoryExists(path);
}

bool TOstrelUninstall::DeleteTargetFile(const std::string& path)
{
    Report("RemovingFile", "正在删除文件 ", path);
    // Nothing to delete, or a name the shell would read as a folder or a pattern.
    if (!IsRemovablePath(path) || !SysUtils::FileExists(path))
        return false;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    bool deleted = ShellDelete(path, FOF_SILENT | FOF_NOCONFIRMATION);
    if (SysUtils::FileExists(path)) {
        if (uReboot::ReplaceFileAtReboot(path, "NUL"))
            NoteNotUndone("DeleteAtRestart", "重新启动后才会删除的文件 ", path);
        else
            NoteNotUndone("FileNotDeleted", "未能删除的文件 ", path);
    }
    return deleted;
}

void TOstrelUninstall::UndoKey(const std::string& fields)
{
    uLogFields::TFields parsed = uLogFields::SplitFields(fields, false);
    std::string root = uLogFields::Field(parsed, "ROOT");
    std::string key = uLogFields::Field(parsed, "KEY");
    Report("RemovingKey", "正在删除注册表项 ", key);
    // An empty path would name the root itself and take all of it.
    std::string trimmed = key;
    while (!trimmed.empty() && trimmed.front() == '\\')
        trimmed.erase(trimmed.begin());
    while (!trimmed.empty() && trimmed.back() == '\\')
        trimmed.pop_back();
    if (SysUtils::Trim(trimmed).empty())
        return;
    TRegistry registry;
    std::string rootName;
    registry.SetRootKey(uRegistryText::RootKeyByName(root, &rootName));
    if (!registry.DeleteKey(trimmed) && registry.KeyExists(trimmed))
        NoteNotUndone("KeyNotDeleted", "未能删除的注册表项 ", rootName + "\\" + trimmed);
}

void TOstrelUninstall::UndoKeyValue(const std::string& fields)
{
    uLogFields::TFields parsed = uLogFields::SplitFields(fields, true);
    TRegistry registry;
    registry.SetRootKey(uRegistryText::RootKeyByName(uLogFields::Field(parsed, "ROOT")));
    if (!registry.OpenKey(uLogFields::Field(parsed, "KEY"), false))
        return;
    std::string name = uLogFields::Field(parsed, "NAME");
    if (!uLogFields::HasField(parsed, "OLDVALUE")) {
        registry.DeleteValue(name);
        return;
    }
    std::string oldValue = uLogFields::Field(parsed, "OLDVALUE");
    int type = 0;
    SysUtils::TryStrToInt(uLogFields::Field(parsed, "VALUE_TYPE"), type);
    switch (type) {
    case uRegistryAction::vtString:
        registry.WriteString(name, oldValue);
        break;
    case uRegistryAction::vtExpandString:
        registry.WriteExpandString(name, oldValue);
        break;
    case uRegistryAction::vtInteger:
        registry.WriteInteger(name, SysUtils::StrToInt(oldValue));
        break;
    case uRegistryAction::vtBinary: {
        // The install overwrote these bytes; leaving its own would lose the user's.
        std::string bytes;
        if (uRegistryText::BytesFromHex(oldValue, bytes))
            registry.WriteBinaryData(name, bytes.data(), static_cast<int>(bytes.size()));
        break;
    }
    default: {
        // Any other type comes back as its raw type and bytes (logs before the
        // raw type was kept say nothing more, and the value stays).
        int rawType = 0;
        std::string bytes;
        if (SysUtils::TryStrToInt(uLogFields::Field(parsed, uLogTags::RawValueType), rawType) && rawType >= 0 &&
            uRegistryText::BytesFromHex(oldValue, bytes)) {
            LONG result = RegSetValueExA(registry.CurrentKey(), name.c_str(), 0, static_cast<DWORD>(rawType),
                                         reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
            if (result != ERROR_SUCCESS)
                throw ERegistryException("Failed to set data for '" + name + "'");
        }
        break;
    }
    }
}

void TOstrelUninstall::UndoCommand(const std::string& packedRecord)
{
    TStringList record;
    record.SetText(uCommandAction::UnpackRecord(packedRecord));
    std::string target = record.Values("TARGET");
    std::string params = record.Values("PARAMS");
    bool hidden = false;
    uSetupData::TryParseBool(record.Values("HIDDEN"), hidden);
    int type = -1;
    uSetupData::TryParseInt(record.Values("TYPE"), type);

    Report("Executing", "正在执行 ", target);
    switch (type) {
    case uCommandAction::ctOpen: {
        std::string folder = SysUtils::ExtractFilePath(target);
        ShellExecuteA(nullptr, "open", target.c_str(), params.c_str(), folder.empty() ? nullptr : folder.c_str(),
                      hidden ? SW_HIDE : SW_SHOWNORMAL);
        break;
    }
    case uCommandAction::ctExecute:
        // As it stands: a TARGET may carry its own arguments.
        uCommandAction::RunAndWait(target + " " + params, hidden);
        break;
    case uCommandAction::ctDelete:
        DeleteFileA(target.c_str());
        break;
    default:
        break;
    }
}

void TOstrelUninstall::UndoComPlusApplication(const std::string& name)
{
    Report("RemovingCOMPlusApp", "正在删除COM+应用程序 ", name);
    uComPlusCatalog::RemoveApplication(name);
}

void TOstrelUninstall::UndoComPlusComponent(const std::string& fields)
{
    uLogFields::TFields parsed = uLogFields::SplitFields(fields, false);
    std::string appName = uLogFields::Field(parsed, "AppName");
    std::string progId = uLogFields::Field(parsed, "ProgID");
    Report("RemovingCOMPlusComponent", "正在删除COM+组件 ", appName + "\\" + progId);
    uComPlusCatalog::RemoveComponent(appName, progId);
}

void TOstrelUninstall::ShowUnknownLine(const std::string& line)
{
    MessageBoxA(GetActiveWindow(), line.c_str(), nullptr, MB_OK);
}
