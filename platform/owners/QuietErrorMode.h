// TQuietErrorMode: no critical-error box ("insert a disk") for the owner's
// lifetime; the process's previous error mode comes back when it goes.
#pragma once

#include <windows.h>

class TQuietErrorMode {
public:
    TQuietErrorMode() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    TQuietErrorMode(const TQuietErrorMode&) = delete;
    TQuietErrorMode& operator=(const TQuietErrorMode&) = delete;
    ~TQuietErrorMode() { SetErrorMode(previous_); }

private:
    UINT previous_;
};
