// TfmInstallProcess: the page that runs the install. It binds itself to the
// engine's events, shows the object being installed and the progress, asks
// before cancelling, and ends on the finish page: the FINISH record's page on
// success, an outcome page built on the spot after a cancel or an error.
#pragma once

#include "uTopImageDialog.h"

#include <cstdint>
#include <string>

class TKvProgressBar;

class TfmInstallProcess : public TfmTopImageDialog {
public:
    CLASSLIB_CLASS_NAME(TfmInstallProcess)
    explicit TfmInstallProcess(TComponent* owner);
    void FormCreate() override;
    void LoadPage(TStream* stream, TStrings* record) override;
    void Next() override;

    // Runs the whole install, then moves on to the finish page.
    void RunInstall();
    bool Running() const { return running_; }
    // The page that follows a successful install is built from this FINISH
    // record instead of the next record of the stream (repair and reinstall).
    void SetFinishRecord(const std::string& text) { finishRecord_ = text; }

    void DoProcess(TObject* sender, TStrings* record, bool& skip, std::int64_t position);
    void DoStartCancel(int count);
    void DoCanceling(const std::string& target, int position);
    void ShowProgressText(const std::string& text);

    TKvProgressBar* ProgressBar = nullptr;
    TPlainLabel* LabelProcess = nullptr;

protected:
    void FormClose(TObject* sender, TCloseAction& action) override;
    // The cancel question; Yes asks the engine to stop before its next object.
    void AskCancel();

private:
    void CancelClick(TObject* sender) { (void)sender; AskCancel(); }
    bool running_ = false;
    bool hideDetails_ = false;
    std::string finishRecord_;
};
