// TOstrelUninstall: replays an install log from its last line to its first and
// undoes each step; used by the uninstaller and by the rollback of a failed install.
#pragma once

#include "Closure.h"
#include "TComponent.h"
#include "TStringList.h"

#include <string>

class TStrings;

// Reports the target of the step being undone and its place in the replay (1 .. N - 1).
using TOnDeleteTarget = TClosure<void(const std::string& target, int position)>;
// Told once, before the replay, how many lines it will walk.
using TOnStartUninstall = TClosure<void(int count)>;

class TOstrelUninstall : public TComponent {
public:
    CLASSLIB_CLASS_NAME(TOstrelUninstall)
    explicit TOstrelUninstall(TComponent* owner);
    // After a replay, tells the shell and the other programs that associations and
    // the environment may have changed.
    ~TOstrelUninstall() override;

    TOnDeleteTarget OnDeleteTarget;
    TOnStartUninstall OnStartUninstall;

    // Empty (the running uninstaller's own product), a log file, or a PROJECT_ID.
    void SetLogFile(const std::string& logSource) { logSource_ = logSource; }
    const std::string& LogFile() const { return logSource_; }
    // The wizard's language table; borrowed, not owned.
    void SetLanguage(const TStrings* language) { language_ = language; }

    // Loads the log named by the log source and replays it. A product without a
    // registry entry replays an empty log; a log file that cannot be read raises.
    void Uninstall();
    // Undoes the steps of `lines` from the last to the second; the first line, the
    // PROJECT_ID, is never replayed.
    void ReplayLog(const TStrings& lines);

    // The rollback's way: a step that fails is noted and passed, and the replay
    // goes on with the next line. Otherwise (an uninstall) it ends the replay.
    void SetContinueOnFailure(bool value) { continueOnFailure_ = value; }
    // What the last replay could not undo, one text per step: files left for the
    // next restart, keys that stayed, and (when going on past failures) the
    // failures of the steps.
    const TStringList& NotUndone() const { return notUndone_; }

    // The language table's text for `key`, else `defaultText`.
    std::string GetLanguageText(const std::string& key, const std::string& defaultText) const;

    // The position of the line being undone, 0 before a replay.
    int Position() const { return position_; }
    bool Done() const { return done_; }

private:
    void ReplayLine(const std::string& line);
    void Report(const std::string& key, const std::string& defaultText, const std::string& target);

    // The undo steps, one per log tag, each given the line's value (after "TAG=").
    void UndoFolder(const std::string& value);
    void UndoFile(const std::string& path);
    void UndoKey(const std::string& fields);
    void UndoKeyValue(const std::string& fields);
    void UndoRegistration(const std::string& path);
    void UndoCommand(const std::string& packedRecord);
    void UndoComPlusApplication(const std::string& name);
    void UndoComPlusComponent(const std::string& fields);
    void UndoDatabaseAlias(const std::string& alias);
    void ShowUnknownLine(const std::string& line);

    // The folder's contents go with it.
    bool RemoveFolderWithContents(const std::string& folder);
    // Empty subfolders first, then the folder when nothing is left in it.
    bool RemoveFolderWhenEmpty(const std::string& folder);
    // A file that the shell cannot delete is left for deletion at restart.
    bool DeleteTargetFile(const std::string& path);

    void NoteNotUndone(const std::string& key, const std::string& defaultText, const std::string& target);

    std::string logSource_;
    const TStrings* language_ = nullptr;
    bool continueOnFailure_ = false;
    TStringList notUndone_;
    int position_ = 0;
    bool done_ = false;
};
