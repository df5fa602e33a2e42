// Command-line arguments: the first plain argument is a document to open.
#include "CCommandLineInfo.h"

void CCommandLineInfo::ParseParam(LPCSTR param, BOOL flag, BOOL)
{
    if (flag || !m_strFileName.IsEmpty())
        return;  // the framework's own flags (/Embedding and the like) do not arise here
    m_strFileName = param;
    m_nShellCommand = FileOpen;
}
