// TInstallThread: starts the install when the install page is the wizard's first
// page. Its only work is to hand the install back to the main thread, where the
// page runs it.
#pragma once

#include "TThread.h"

class TfmInstallProcess;

class TInstallThread : public TThread {
public:
    CLASSLIB_CLASS_NAME(TInstallThread)
    TInstallThread() : TThread(true) {}
    void SetPage(TfmInstallProcess* page) { page_ = page; }

protected:
    void Execute() override;

private:
    void DoInstall();
    TfmInstallProcess* page_ = nullptr;
};
