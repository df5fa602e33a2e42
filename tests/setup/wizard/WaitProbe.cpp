// A command for install tests that holds the install up: it leaves "<gate>.started"
// and waits (at most a minute) until the test creates the file "<gate>".
#include "OwnedHandles.h"

#include <windows.h>

#include <string>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 1;
    std::string gate = argv[1];
    {
        // Made and closed again: the test waits for the file to be there.
        TOwnedHandle started(
            CreateFileA((gate + ".started").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    for (int i = 0; i < 600 && GetFileAttributesA(gate.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(100);
    return 0;
}
