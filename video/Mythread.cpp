// The update check of the update thread.
#include "Mythread.h"

#include <windows.h>

#include "AfxState.h"
#include "UpdateLibrary.h"

BOOL Cmythread::InitInstance()
{
    const UpdateLibrary::Exports update = UpdateLibrary::Load();
    if (!update.isNewVersion || !update.downNewVersion)
        return TRUE;
    if (update.isNewVersion(UpdateLibrary::kProductName, UpdateLibrary::kUpdatePage,
                            UpdateLibrary::kVersion) != 1)
        return TRUE;
    // The question belongs to this thread alone: a box owned by the main window
    // would disable it while the user thinks about the answer.
    if (MessageBoxA(nullptr, "软件已经有新版本了,是否升级为最新版本", AfxGetAppName(),
                    MB_OKCANCEL) != IDOK)
        return TRUE;
    update.downNewVersion(UpdateLibrary::kProductName, UpdateLibrary::kUpdatePage,
                          UpdateLibrary::kVersion);
    return TRUE;
}
