// CCommandLineInfo: what the program's command line asks for at start-up.
#pragma once

#include "CString.h"

class CCommandLineInfo {
public:
    enum { FileNew, FileOpen, FileNothing = -1 };

    virtual ~CCommandLineInfo() = default;

    // One argument of the command line; flags ("/x" or "-x") come without their
    // lead character.
    virtual void ParseParam(LPCSTR param, BOOL flag, BOOL last);

    int m_nShellCommand = FileNew;
    CString m_strFileName;
};
