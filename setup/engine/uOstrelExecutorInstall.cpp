// The install side of TOstrelExecutor: the main loop over the object records,
// the Uninstall entry, the end steps, the rollback of a failed install, the
// after-install commands and the texts shown while installing.
#include "uOstrelExecutor.h"

#include "ECancelInstall.h"
#include "Exception.h"
#include "SysUtils.h"
#include "TRegistry.h"
#include "uChangeNotices.h"
#include "uCommandAction.h"
#include "uFileActions.h"
#include "uFileReplacement.h"
#include "uInstallLog.h"
#include "uLogTags.h"
#include "uOstrelUninstall.h"
#include "uRecordTypes.h"
#include "uRecordValues.h"
#include "uRegistryAction.h"
#include "uSystemFolders.h"
#include "uUninstaller.h"

#include <windows.h>

#include <memory>

namespace {

// A string value of the open key; empty when absent or of another type.
std::string StringValue(const TRegistry& registry, const std::string& name)
{
    try {
        return registry.ReadString(name);
    } catch (const ERegistryException&) {
        return std::string();
    }
}

// The Uninstall entry's "InstallLog" value as it was before the closing steps,
// put back on its own when they fail.
class TInstallLogValueSnapshot {
public:
    explicit TInstallLogValueSnapshot(const std::string& entry) : entry_(entry)
    {
        TRegistry registry(KEY_READ);
        registry.SetRootKey(HKEY_LOCAL_MACHINE);
        if (registry.OpenKeyReadOnly(entry_) && registry.ValueExists(uInstallLog::InstallLogValue)) {
            existed_ = true;
            value_ = StringValue(registry, uInstallLog::InstallLogValue);
        }
    }
    void Restore() const
    {
        TRegistry registry;
        registry.SetRootKey(HKEY_LOCAL_MACHINE);
        if (!registry.OpenKey(entry_, false))
            return; // the entry itself goes with the rollback
        if (existed_)
            registry.WriteString(uInstallLog::InstallLogValue, value_);
        else
            registry.DeleteValue(uInstallLog::InstallLogValue);
    }

private:
    std::string entry_;
    bool existed_ = false;
    std::string value_;
};

// Runs one restore step; a failure is noted and the next step still runs.
template <typename Step>
void RestoreOnItsOwn(Step step, TStrings& notes)
{
    try {
        try {
            step();
        } catch (...) {
            RethrowAsException();
        }
    } catch (const Exception& error) {
        notes.Add(error.Message());
    }
}

std::string UninstallEntry(const std::string& projectId) { return uInstallLog::UninstallKey + projectId; }

} // namespace

void TOstrelExecutor::SetLanguage(const TStrings* language) { language_ = language; }

std::string TOstrelExecutor::GetMessageText(const std::string& key, const std::string& defaultText) const
{
    if (language_ && language_->IndexOfName(key) >= 0)
        return ExpandMacros(language_->Values(key));
    return ExpandMacros(defaultText);
}

std::string TOstrelExecutor::GetProgressText(const TStrings& record, bool hideDetails) const
{
    const uRecordTypes::TRecordType* type = uRecordTypes::Find(record.Values("OBJECT_TYPE"));
    if (!type || !type->ProgressKey)
        return std::string();
    std::string target;
    if (hideDetails || !uRecordTypes::ProgressTarget(*type, record, target))
        return GetMessageText(type->ProgressKey, type->ProgressDefault);
    return GetMessageText(type->ProgressKey, std::string(type->ProgressDefault) + " ") + target;
}

bool TOstrelExecutor::IsFirstInstall()
{
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKeyReadOnly(UninstallEntry(project_.ProjectId)))
        return true;
    std::string uninstallString = StringValue(registry, "UninstallString");
    // Entries this engine writes carry the version as DisplayVersion only.
    std::string version = StringValue(registry, "Version");
    if (version.empty())
        version = StringValue(registry, "DisplayVersion");
    registry.CloseKey();
    // Written in quotes (the path may hold blanks); entries of earlier installs are not.
    if (!uninstallString.empty() && uninstallString.front() == '"')
        uninstallString = uninstallString.substr(1, uninstallString.find('"', 1) - 1);
    oldInstallPath_ = SysUtils::ExcludeTrailingBackslash(SysUtils::ExtractFilePath(uninstallString));
    oldVersion_ = version;
    return false;
}

TInstallContext TOstrelExecutor::MakeInstallContext()
{
    TInstallContext context;
    context.Source = Source();
    context.Log = &installLog_;
    context.DeferredCommands = &deferredCommands_;
    context.MessageText = TMessageTextFunc(this, &TOstrelExecutor::MessageTextForActions);
    context.Expand = TExpandFunc(this, &TOstrelExecutor::ExpandForActions);
    context.InstallPath = installPath_;
    context.Title = SysUtils::Trim(project_.ProductName + " " + project_.Version);
    context.Quiet = quiet_;
    context.ForceReplace = repair_;
    context.RestartNeeded = restartNeeded_;
    return context;
}

std::string TOstrelExecutor::MessageTextForActions(const std::string& key, const std::string& defaultText)
{
    return GetMessageText(key, defaultText);
}

std::string TOstrelExecutor::ExpandForActions(const std::string& text) { return ExpandMacros(text); }

void TOstrelExecutor::StartInstallLog()
{
    installLog_.Clear();
    if (repair_ || project_.IsPatch) {
        std::string logPath = installPath_ + "\\Install.log";
        if (!SysUtils::FileExists(logPath) && !uInstallLog::FindInstallLogPath(project_.ProjectId, logPath))
            logPath.clear();
        if (!logPath.empty())
            uFileReplacement::RecoverInterrupted(logPath);
        if (!logPath.empty() && SysUtils::FileExists(logPath))
            installLog_.LoadFromFile(logPath);
    }
    if (installLog_.Count() == 0)
        installLog_.Add(project_.ProjectId);
}

void TOstrelExecutor::WriteUninstallEntry(TInstallContext& context)
{
    using uRegistryAction::TRegistryValue;
    using uRegistryAction::vtString;
    const TProjectInfo& p = project_;
    std::vector<TRegistryValue> values = {
        {"DisplayName", vtString, p.ProductName},
        // Quoted: unquoted, a path with blanks is started by the first match of its
        // leading words ("C:\\Program.exe" before "C:\\Program Files\\...").
        {"UninstallString", vtString, "\"" + installPath_ + "\\Uninstall.exe\""},
        {"DisplayVersion", vtString, p.Version},
        {"Comments", vtString, p.Comments},
        {"Contact", vtString, p.Contact},
        {"HelpLink", vtString, p.Support},
        {"Publisher", vtString, p.Publisher},
        {"Readme", vtString, p.Readme},
        {"URLInfoAbout", vtString, p.HelpLink},
        {"URLUpdateInfo", vtString, p.Update},
        {"DisplayIcon", vtString, ExpandMacros(p.DisplayIcon)},
    };
    uRegistryAction::WriteValues("HKEY_LOCAL_MACHINE", UninstallEntry(p.ProjectId), values, context);
}

void TOstrelExecutor::RunInstallSteps(TInstallContext& context)
{
    while (ReadRecord()) {
        bool skip = false;
        if (cancelRequested_)
            throw ECancelInstall();
        if (OnProcess) {
            std::int64_t size = ContainerSize();
            std::int64_t position = ContainerPosition();
            if (size != progressTotal_)
                position = progressTotal_ + position - size + 4;
            OnProcess(this, &record_, skip, position);
        }
        context.Source = Source();
        if (const uRecordTypes::TRecordType* type = uRecordTypes::Find(record_.Values("OBJECT_TYPE")))
            type->Action(record_, skip, context);
        restartNeeded_ = context.RestartNeeded;
    }

    if (!changeNotices_)
        changeNotices_ = std::make_unique<uChangeNotices::TBackgroundNotices>(5000);
    changeNotices_->Start();

    if (!repair_ && project_.Uninstall) {
        if (!project_.IsPatch)
            installLog_.Add(uLogTags::Line(uLogTags::File, installPath_ + "\\Uninstall.exe"));
        WriteUninstallEntry(context);
    }
    if (project_.Uninstall || repair_)
        WriteLogAndUninstaller(context);
    else
        RemoveDirectoryA(installPath_.c_str()); // only an empty folder goes
}

void TOstrelExecutor::WriteLogAndUninstaller(TInstallContext& context)
{
    // The log is closed in a copy: the install log stays the list of what this
    // run did, which a rollback undoes.
    TStringList closedLog;
    closedLog.AddStrings(installLog_);
    uInstallLog::TInstallLogInput input;
    input.ProjectId = project_.ProjectId;
    input.RepairMode = repair_;
    input.CommonApplicationData = uSystemFolders::SpecialFolders().CommonApplicationData;
    input.Log = &closedLog;
    input.DeferredCommands = &deferredCommands_;
    input.UserInterfaceBlock = &userInterface_;

    // A failure after the log is written puts back the log and the saved block
    // of an earlier installation (or removes this run's), so that the log never
    // lists what the rollback removes.
    std::string logPath = uInstallLog::LogPathFor(input);
    std::unique_ptr<uFileReplacement::TFileSnapshot> logBefore, dataBefore;
    std::unique_ptr<TInstallLogValueSnapshot> valueBefore;
    if (!logPath.empty()) {
        logBefore = std::make_unique<uFileReplacement::TFileSnapshot>(logPath);
        dataBefore = std::make_unique<uFileReplacement::TFileSnapshot>(logPath + ".Dat");
        valueBefore = std::make_unique<TInstallLogValueSnapshot>(UninstallEntry(project_.ProjectId));
        std::string missing = uFileActions::FindMissingFolder(logPath, context);
        if (!missing.empty())
            closingFolder_ = missing;
    }
    try {
        uInstallLog::WriteInstallLog(input);
        uUninstaller::WriteUninstaller(uUninstaller::RunningProgramPath(), dataInProgram_, installPath_,
                                       project_.ProjectId);
    } catch (...) {
        // A repair keeps what it did, and so the log that lists it. Each piece is
        // put back on its own: one that fails is reported after the install's
        // own failure and holds back none of the others.
        if (logBefore && !repair_) {
            RestoreOnItsOwn([&] { logBefore->Restore(); }, closingNotes_);
            RestoreOnItsOwn([&] { dataBefore->Restore(); }, closingNotes_);
            RestoreOnItsOwn([&] { valueBefore->Restore(); }, closingNotes_);
        }
        throw;
    }
}

std::string TOstrelExecutor::RollBack(int firstNewLine, bool uninstallerExisted)
{
    // Nothing of a rolled-back install runs when the wizard closes.
    deferredCommands_.Clear();
    // Only what this install added is undone: in a patch the lines of the previous
    // installation stay, and so does its uninstaller; an Uninstall.exe that was
    // there before this run (another product's in the same folder) is not ours.
    const std::string uninstaller = installPath_ + "\\Uninstall.exe";
    const std::string uninstallerLine = uLogTags::Line(uLogTags::File, uninstaller);
    TStringList lines;
    if (installLog_.Count() > 0)
        lines.Add(installLog_[0]);
    for (int i = firstNewLine; i < installLog_.Count(); ++i)
        if (!uninstallerExisted || installLog_[i] != uninstallerLine)
            lines.Add(installLog_[i]);
    // The logs' folder made for this run's log goes when it is empty (replayed first).
    if (!closingFolder_.empty())
        lines.Add(uLogTags::FolderLine(closingFolder_, 0));

    TStringList notes;
    notes.AddStrings(closingNotes_);
    try {
        TOstrelUninstall uninstall(nullptr);
        uninstall.OnStartUninstall = OnStartCancel;
        uninstall.OnDeleteTarget = OnCanceling;
        uninstall.SetLanguage(language_);
        // A step that fails is passed: everything else still goes.
        uninstall.SetContinueOnFailure(true);
        uninstall.ReplayLog(lines);
        notes.AddStrings(uninstall.NotUndone());
    } catch (const Exception& error) {
        notes.Add(error.Message());
    }
    if (!uninstallerExisted)
        DeleteFileA(uninstaller.c_str());
    restartNeeded_ = false;

    rollbackReport_.clear();
    if (notes.Count() > 0) {
        rollbackReport_ = GetMessageText("RollbackIncomplete", "以下内容未能撤销：");
        for (int i = 0; i < notes.Count(); ++i)
            rollbackReport_ += "\r\n" + notes[i];
    }
    return rollbackReport_;
}

void TOstrelExecutor::Install()
{
    struct TSourceCloser {
        TOstrelExecutor& Engine;
        ~TSourceCloser()
        {
            Engine.installLog_.Clear();
            Engine.CloseSource();
        }
    } closer{*this};

    cancelRequested_ = false;
    closingFolder_.clear();
    closingNotes_.Clear();
    rollbackReport_.clear();
    if (!repair_ && !IsFirstInstall() && !project_.IsPatch)
        throw Exception(GetMessageText("PreviousInstallFound", "软件的一个版本已经安装，请先删除再继续安装"));
    deferredCommands_.Clear();
    StartInstallLog();

    int firstNewLine = installLog_.Count() > 0 ? 1 : 0;
    if (project_.IsPatch || repair_)
        firstNewLine = installLog_.Count();
    bool uninstallerExisted = SysUtils::FileExists(installPath_ + "\\Uninstall.exe");
    TInstallContext context = MakeInstallContext();
    try {
        RunInstallSteps(context);
    } catch (...) {
        if (repair_)
            RethrowAsException();
        std::string report = RollBack(firstNewLine, uninstallerExisted);
        if (report.empty())
            RethrowAsException();
        // The failure that started the rollback comes first, what it left after.
        try {
            RethrowAsException();
        } catch (const ECancelInstall&) {
            throw;
        } catch (const Exception& error) {
            throw Exception(error.Message() + "\r\n\r\n" + report);
        }
    }
}

void TOstrelExecutor::RunAfterInstallCommands(const TStrings& skipList)
{
    TInstallContext context = MakeInstallContext();
    context.Log = nullptr;
    for (int i = 0; i < deferredCommands_.Count(); ++i) {
        TStringList record;
        record.SetText(uCommandAction::UnpackRecord(deferredCommands_[i]));
        try {
            if (uRecordValues::Int(record, "EXECUTE_TYPE") != uCommandAction::etAfterInstall ||
                skipList.IndexOf(record.Values("ID")) >= 0)
                continue;
            uCommandAction::RunCommand(record, uCommandAction::TRunPhase::AfterInstall, context);
        } catch (const Exception& error) {
            // The product is installed; one failing action must not hold back the others.
            if (!quiet_)
                MessageBoxA(GetActiveWindow(), error.Message().c_str(), context.Title.c_str(), MB_OK | MB_ICONERROR);
        }
    }
}
