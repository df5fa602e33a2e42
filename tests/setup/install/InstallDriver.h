// Drives an install in tests as the wizard would: builds a setup with the
// setup-data builder, opens it, skips the records of deselected packages and
// items, can ask for cancel while a chosen record runs, and calls Install.
#pragma once

#include "SetupDescription.h"
#include "TStringList.h"
#include "uOstrelExecutor.h"

#include <functional>
#include <string>
#include <vector>

// A record for a description: name=value lines, with an optional payload.
TSetupRecord Record(std::vector<std::string> lines);
TSetupRecord FileRecord(const std::string& destination, const std::string& payload,
                        std::vector<std::string> extraLines = {});

class TInstallDriver {
public:
    // `workFolder` receives the built setup program.
    explicit TInstallDriver(const std::string& workFolder);

    // Project lines beside the defaults (Uninstall False, IsPatch False, no commands).
    std::vector<std::string> Project;
    std::vector<TSetupRecord> Objects;
    // IDs and package IDs the user deselected.
    TStringList SkipSet;
    // Asks for cancel while the record of this index (from 0) is announced; -1: never.
    int CancelAtRecord = -1;
    // The user-interface block the setup carries (saved beside the log as ".Dat").
    std::string UserInterface;
    // Called with each announced record's index (from 0), as the record starts.
    std::function<void(int index)> OnRecord;
    // Called with the built setup program's path before it is opened (to damage it).
    std::function<void(const std::string& setupProgram)> AfterBuild;

    // Builds the setup and opens it; the install path comes from the project.
    TOstrelExecutor& Open();
    // Open (when not yet opened) and Install.
    void Install();

    TOstrelExecutor& Engine() { return engine_; }
    // The records announced through OnProcess, and the positions reported with them.
    const std::vector<std::string>& Announced() const { return announced_; }
    const std::vector<long long>& Positions() const { return positions_; }
    int StartCancelCount() const { return startCancelCount_; }
    int CancelingReports() const { return cancelingReports_; }

private:
    void Process(TObject* sender, TStrings* record, bool& skip, std::int64_t position);
    void StartCancel(int count);
    void Canceling(const std::string& target, int position);

    std::string workFolder_;
    TOstrelExecutor engine_{nullptr};
    bool opened_ = false;
    int recordIndex_ = 0;
    std::vector<std::string> announced_;
    std::vector<long long> positions_;
    int startCancelCount_ = -1;
    int cancelingReports_ = 0;
};

// The path of the fixture program beside the running test program.
std::string BesideTestProgram(const std::string& name);
