// A command for install tests that holds the install up: it leaves "<gate>.started"
// and waits (at most a minute) until the test creates the file "<gate>". Given a
// second argument, it first adds a line to that file, so a test counts its runs.
#include "OwnedHandles.h"

#include <windows.h>

#include <string>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 1;
    std::string gate = argv[1];
    if (argc > 2) {
        TOwnedHandle runs(CreateFileA(argv[2], FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr));
        DWORD written = 0;
        if (runs.IsValid())
            WriteFile(runs.Get(), "run\r\n", 5, &written, nullptr);
    }
    {
        // Made and closed again: the test waits for the file to be there.
        TOwnedHandle started(
            CreateFileA((gate + ".started").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    for (int i = 0; i < 600 && GetFileAttributesA(gate.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(100);
    return 0;
}
