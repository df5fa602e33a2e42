// CEvent: a Win32 event owned for its lifetime, auto or manual reset.
#pragma once

#include "CSyncObject.h"

class CEvent : public CSyncObject {
public:
    explicit CEvent(BOOL initiallyOwn = FALSE, BOOL manualReset = FALSE, LPCSTR name = nullptr,
                    LPSECURITY_ATTRIBUTES attributes = nullptr);

    BOOL SetEvent();
    BOOL ResetEvent();
    BOOL PulseEvent();
    // An event has nothing to release; waiting already consumed an auto-reset signal.
    BOOL Unlock() override { return TRUE; }
};
