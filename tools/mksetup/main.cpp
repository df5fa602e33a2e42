// mksetup: builds setup data from a project description and appends it to a
// program, or spreads it over Disk folders.
//   mksetup [-c capacity] description.ini program.exe output
#include "Exception.h"
#include "SetupWriter.h"
#include "SysUtils.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    TBuildOptions options;
    std::string description;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-c" && i + 1 < argc) {
            std::int64_t capacity = 0;
            if (!SysUtils::TryStrToInt64(argv[++i], capacity) || capacity <= 0) {
                std::fprintf(stderr, "mksetup: bad capacity '%s'\n", argv[i]);
                return 2;
            }
            options.VolumeCapacity = capacity;
        } else if (positional == 0) {
            description = arg, ++positional;
        } else if (positional == 1) {
            options.Program = arg, ++positional;
        } else if (positional == 2) {
            options.Output = arg, ++positional;
        } else {
            positional = 4;
        }
    }
    if (positional != 3) {
        std::fprintf(stderr, "usage: mksetup [-c capacity] description.ini program.exe output\n");
        return 2;
    }
    try {
        BuildSetup(options, LoadSetupDescription(description));
    } catch (const Exception& error) {
        std::fprintf(stderr, "mksetup: %s\n", error.Message().c_str());
        return 1;
    }
    return 0;
}
