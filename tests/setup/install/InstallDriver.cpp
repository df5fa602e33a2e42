// The install driver for tests.
#include "InstallDriver.h"

#include "SetupWriter.h"

#include <windows.h>

TSetupRecord Record(std::vector<std::string> lines)
{
    TSetupRecord record;
    record.Lines = std::move(lines);
    return record;
}

TSetupRecord FileRecord(const std::string& destination, const std::string& payload,
                        std::vector<std::string> extraLines)
{
    std::vector<std::string> lines = {"OBJECT_TYPE=FILE",   "DESTINATION=" + destination,
                                      "REPLACE_OPTION=2",   "FILE_AGE=0",
                                      "READONLY=False",     "VISIBLE=True",
                                      "REGISTER=False",     "UNINSTALL=True"};
    // Later lines win over the defaults: drop the default of every key given.
    for (const std::string& extra : extraLines) {
        std::string name = extra.substr(0, extra.find('='));
        for (auto it = lines.begin(); it != lines.end(); ++it)
            if (it->compare(0, name.size() + 1, name + "=") == 0) {
                lines.erase(it);
                break;
            }
        lines.push_back(extra);
    }
    TSetupRecord record = Record(lines);
    record.HasPayload = true;
    record.PayloadText = payload;
    return record;
}

std::string BesideTestProgram(const std::string& name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string self = path;
    return self.substr(0, self.rfind('\\') + 1) + name;
}

TInstallDriver::TInstallDriver(const std::string& workFolder) : workFolder_(workFolder) {}

TOstrelExecutor& TInstallDriver::Open()
{
    TSetupDescription description;
    description.Project = {"Uninstall=False", "IsPatch=False", "RunBeforeInstall=0"};
    // Later project lines are looked up after the defaults, so put the test's first.
    description.Project.insert(description.Project.begin(), Project.begin(), Project.end());
    description.Objects = Objects;
    description.UserInterface = UserInterface;
    TBuildOptions options;
    options.Program = BesideTestProgram("setupdata_stub.exe");
    options.Output = workFolder_ + "\\setup.exe";
    BuildSetup(options, description);
    if (AfterBuild)
        AfterBuild(options.Output);

    engine_.OnProcess = TOstrelExecutor::TProcessEvent(this, &TInstallDriver::Process);
    engine_.OnStartCancel = TOstrelExecutor::TStartCancelEvent(this, &TInstallDriver::StartCancel);
    engine_.OnCanceling = TOstrelExecutor::TCancelingEvent(this, &TInstallDriver::Canceling);
    engine_.SetQuiet(true);
    engine_.OpenSource(options.Output, false);
    engine_.SetInstallPath(engine_.Project().InstallPath);
    opened_ = true;
    return engine_;
}

void TInstallDriver::Install()
{
    if (!opened_)
        Open();
    opened_ = false;
    engine_.Install();
}

void TInstallDriver::Process(TObject*, TStrings* record, bool& skip, std::int64_t position)
{
    if (!record)
        return; // a plain position report
    int index = recordIndex_++;
    // As the wizard does: a deselected package or item is passed over unannounced.
    if (SkipSet.IndexOf(record->Values("PACKAGE_ID")) >= 0 || SkipSet.IndexOf(record->Values("ID")) >= 0) {
        skip = true;
        return;
    }
    announced_.push_back(record->Values("OBJECT_TYPE"));
    positions_.push_back(position);
    if (index == CancelAtRecord)
        engine_.SetCancelRequested(true);
    if (OnRecord)
        OnRecord(index);
}

void TInstallDriver::StartCancel(int count) { startCancelCount_ = count; }

void TInstallDriver::Canceling(const std::string&, int) { ++cancelingReports_; }
