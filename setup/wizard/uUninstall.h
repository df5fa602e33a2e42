// TfmUninstall: removes the product by replaying its install log, with the step
// being undone and a progress bar, and ends on "UninstallSucceed".
#pragma once

#include "uTopImageDialog.h"

#include <string>

class TOstrelUninstall;
class TKvProgressBar;

class TfmUninstall : public TfmTopImageDialog {
public:
    CLASSLIB_CLASS_NAME(TfmUninstall)
    explicit TfmUninstall(TComponent* owner);
    // Waits for the program that started this copy, then replays the log.
    void RunUninstall();
    void Next() override;

    TOstrelUninstall* OstrelUninstall = nullptr;
    TKvProgressBar* ProgressBar = nullptr;
    TPlainLabel* LabelProcess = nullptr;

protected:
    void FormClose(TObject* sender, TCloseAction& action) override;

private:
    void StartUninstall(int count);
    void DeleteTarget(const std::string& target, int position);
    void WaitForStarter();
    bool running_ = false;
};
