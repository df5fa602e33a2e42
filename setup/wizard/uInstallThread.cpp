// The install thread.
#include "uInstallThread.h"

#include "Exception.h"
#include "uInstallProcess.h"
#include "uMain.h"

void TInstallThread::Execute() { Synchronize(TThreadMethod(this, &TInstallThread::DoInstall)); }

void TInstallThread::DoInstall()
{
    // Nothing may end here unseen: the user would stay on a page whose Cancel
    // has nothing left to stop.
    try {
        page_->RunInstall();
    } catch (const Exception& error) {
        page_->Main()->ShowPageError(page_, error.Message());
    }
}
