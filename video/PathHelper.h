// CPathHelper: where the recorder keeps things: config.ini beside the program,
// its settings, and the clock-named paths of new photos and recordings.
#pragma once

#include <windows.h>

#include "CString.h"

class CPathHelper {
public:
    // Folder of the running program; empty when its path holds no backslash.
    CString GetProgramFolder() const;
    // The settings file: program folder + "\config.ini".
    CString GetConfigPath() const;
    BOOL ConfigExists() const;

    // [section] key of config.ini, at most 260 characters; `fallback` when absent.
    CString ReadSetting(LPCSTR section, LPCSTR key, LPCSTR fallback = "") const;
    BOOL WriteSetting(LPCSTR section, LPCSTR key, LPCSTR value) const;

    static BOOL FolderExists(LPCSTR path);

    // The clock name of a shot: year, month, day, hour, minute and second
    // without zero padding, then "f" and `number`.
    static CString MakeClockFileName(const SYSTEMTIME& time, int number);
    // The clock name for now, with the number rand() % 11.
    static CString MakeClockFileName();
    // folder + "\" + clock name + extension, for a file that does not exist
    // yet: when the name of this second is taken, another number is chosen.
    static CString MakeShotPath(LPCSTR folder, LPCSTR extension);
    static CString MakeShotPath(LPCSTR folder, LPCSTR extension, const SYSTEMTIME& time, int firstNumber);
};
