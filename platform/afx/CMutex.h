// CMutex: a Win32 mutex owned for its lifetime; Lock waits for it, Unlock releases it.
#pragma once

#include "CSyncObject.h"

class CMutex : public CSyncObject {
public:
    explicit CMutex(BOOL initiallyOwn = FALSE, LPCSTR name = nullptr,
                    LPSECURITY_ATTRIBUTES attributes = nullptr);

    BOOL Unlock() override;
};
