// TOstrelExecutor, the install engine component: it opens the setup source,
// reads the leading blocks of the setup data and then the object records one by
// one. The reading side lives in uOstrelExecutorOpen.cpp; the install loop, the
// log and the uninstall entry join it in their own source files.
#pragma once

#include "Closure.h"
#include "TComponent.h"
#include "TMemoryStream.h"
#include "TStringList.h"
#include "uLeadingBlocks.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TSplitFileStream;
class TDecompressionStream;
class TStream;
namespace uChangeNotices {
class TBackgroundNotices;
}

class TOstrelExecutor : public TComponent {
public:
    CLASSLIB_CLASS_NAME(TOstrelExecutor)

    // (Sender, Record, var Skip, Position): before each record, and with a nil
    // record on every move of the container.
    using TProcessEvent = TClosure<void(TObject* sender, TStrings* record, bool& skip, std::int64_t position)>;
    // (Sender, Index, var FileName): the container needs volume `Index`.
    using TVolumeFileNeededEvent = TClosure<void(TObject* sender, int index, std::string& fileName)>;

    explicit TOstrelExecutor(TComponent* owner);
    ~TOstrelExecutor() override;

    // Opens the container on `fileName` (shared with everyone), seeks to the data
    // start, binds the volume callback and reads the leading blocks.
    void OpenSource(const std::string& fileName, bool dataInProgram);
    // Reads the leading blocks from a container already at its data start; the
    // engine takes the container. Earlier streams are freed first.
    void OpenSetupData(std::unique_ptr<TStream> container);
    // Frees the inflate stream and the container.
    void CloseSource();
    bool SourceOpen() const { return inflate_ != nullptr; }

    // The next object record into Record(); false at the end mark "END".
    bool ReadRecord();
    const TStringList& Record() const { return record_; }
    TStringList& Record() { return record_; }
    // The next text block of the inflated stream, macros expanded.
    std::string ReadTextBlock();
    // The inflated setup data, just after the last block read (payloads are read
    // from it by the file action).
    TStream* Source() const;
    // The container's position and the progress total (its size when opened).
    std::int64_t ContainerPosition() const;
    std::int64_t ContainerSize() const;
    std::int64_t ProgressTotal() const { return progressTotal_; }
    // The container's position where the setup data begins (after the setup
    // program's own bytes): progress runs from here to ProgressTotal().
    std::int64_t ProgressStart() const { return progressStart_; }

    // Expands the setup's macros with this engine's product values.
    std::string ExpandMacros(const std::string& text) const;

    const TStringList& PackageList() const { return packages_; }
    const TStringList& SpaceList() const { return spaces_; }
    // The user-interface block, kept as read.
    TMemoryStream& UserInterface() { return userInterface_; }
    const TProjectInfo& Project() const { return project_; }
    // The RunBeforeInstall command records read while opening, each with the FILE
    // record of its program when one followed (empty otherwise).
    const std::vector<TBeforeInstallCommand>& BeforeInstallCommands() const { return beforeInstall_; }

    const std::string& InstallPath() const { return installPath_; }
    void SetInstallPath(const std::string& path);
    void SetProjectId(const std::string& value) { project_.ProjectId = value; }
    void SetCompanyName(const std::string& value) { project_.CompanyName = value; }
    void SetProductName(const std::string& value) { project_.ProductName = value; }
    void SetVersion(const std::string& value) { project_.Version = value; }
    const std::string& OldVersion() const { return oldVersion_; }
    void SetOldVersion(const std::string& value) { oldVersion_ = value; }
    const std::string& OldInstallPath() const { return oldInstallPath_; }
    void SetOldInstallPath(const std::string& value) { oldInstallPath_ = value; }
    bool DataInProgram() const { return dataInProgram_; }
    bool RepairMode() const { return repair_; }
    void SetRepairMode(bool value) { repair_ = value; }
    bool RestartNeeded() const { return restartNeeded_; }
    void SetRestartNeeded(bool value) { restartNeeded_ = value; }
    bool CancelRequested() const { return cancelRequested_; }
    void SetCancelRequested(bool value) { cancelRequested_ = value; }

    TProcessEvent OnProcess;
    TVolumeFileNeededEvent OnVolumeFileNeeded;

    // ---- Install side (uOstrelExecutorInstall.cpp) ----
    // (Count): a rollback starts; (Target, Position): one step is undone.
    using TStartCancelEvent = TClosure<void(int count)>;
    using TCancelingEvent = TClosure<void(const std::string& target, int position)>;

    // Runs the object records to "END", writes the Uninstall entry, the log and
    // Uninstall.exe, and undoes everything when anything fails (not in repair).
    void Install();
    // Runs each deferred after-install command whose ID is not in `skipList`.
    void RunAfterInstallCommands(const TStrings& skipList);
    // The text shown for a record while it is carried out.
    std::string GetProgressText(const TStrings& record, bool hideDetails) const;
    // The language table's text for `key`, else `defaultText`; macros expanded.
    std::string GetMessageText(const std::string& key, const std::string& defaultText) const;
    // True when the product has no Uninstall entry; otherwise keeps the old folder and version.
    bool IsFirstInstall();
    // The wizard's language table; borrowed, not owned.
    void SetLanguage(const TStrings* language);
    // No questions and no registration messages.
    bool Quiet() const { return quiet_; }
    void SetQuiet(bool value) { quiet_ = value; }
    const TStringList& DeferredCommands() const { return deferredCommands_; }
    // What the rollback of the last failed install could not undo, under its
    // heading; empty when it undid everything (the install's error carries it too).
    const std::string& RollbackReport() const { return rollbackReport_; }

    TStartCancelEvent OnStartCancel;
    TCancelingEvent OnCanceling;

private:
    struct TInstallContext MakeInstallContext();
    std::string MessageTextForActions(const std::string& key, const std::string& defaultText);
    std::string ExpandForActions(const std::string& text);
    void StartInstallLog();
    void WriteUninstallEntry(struct TInstallContext& context);
    void RunInstallSteps(struct TInstallContext& context);
    void WriteLogAndUninstaller(struct TInstallContext& context);
    // Undoes this run's log lines; returns the report of what it could not undo.
    std::string RollBack(int firstNewLine, bool uninstallerExisted);

    // What this run logged; closed in a copy when written, so a rollback undoes exactly these lines.
    TStringList installLog_;
    TStringList deferredCommands_;
    // The logs' folder that writing this run's log created; empty when it existed.
    std::string closingFolder_;
    // The closing steps' own restores that failed, for the rollback's report.
    TStringList closingNotes_;
    std::string rollbackReport_;
    const TStrings* language_ = nullptr;
    bool quiet_ = false;
    // The end-of-install notices, on their way while the log and the uninstaller
    // are written; the engine's end waits for them.
    std::unique_ptr<uChangeNotices::TBackgroundNotices> changeNotices_;
    // ---- end of the install side ----

protected:
    // One RunBeforeInstall command with the FILE record that carries its program
    // (nullptr when none follows); the program's payload is next in Source().
    // Opening has kept the records; this puts the program down and runs the
    // command at once; an error or cancel from the program fails the open.
    virtual void RunBeforeInstall(const TStrings& command, const TStrings* fileRecord);

private:
    class TLeadingBlockReader;
    void ReadLeadingBlocks();
    void ContainerMoved(TObject* sender, std::int64_t position);
    void VolumeNeeded(TObject* sender, int index, std::string& fileName);

    std::unique_ptr<TStream> container_;
    std::unique_ptr<TDecompressionStream> inflate_;
    std::int64_t progressTotal_ = 0;
    std::int64_t progressStart_ = 0;

    TStringList packages_;
    TStringList spaces_;
    TMemoryStream userInterface_;
    TStringList record_;
    TProjectInfo project_;
    std::vector<TBeforeInstallCommand> beforeInstall_;

    std::string installPath_;
    std::string oldVersion_;
    std::string oldInstallPath_;
    bool dataInProgram_ = false;
    bool repair_ = false;
    bool restartNeeded_ = false;
    bool cancelRequested_ = false;
};
