// Cmythread: the update check that runs beside the user interface once per
// start: it asks the update library for a newer version and offers to fetch it.
#pragma once

#include "CWinThread.h"

class Cmythread : public CWinThread {
public:
    Cmythread() = default;

    // The check; the thread then runs its message loop until the program ends.
    BOOL InitInstance() override;
};
