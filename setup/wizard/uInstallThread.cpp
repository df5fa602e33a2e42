// The install thread.
#include "uInstallThread.h"

#include "uInstallProcess.h"

void TInstallThread::Execute() { Synchronize(TThreadMethod(this, &TInstallThread::DoInstall)); }

void TInstallThread::DoInstall() { page_->RunInstall(); }
