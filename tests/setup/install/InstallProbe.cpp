// A setup program for tests: it carries its setup data appended to its own file,
// installs it without questions, and answers through its exit code (0 installed,
// 1 failed, with the message in the file named by its argument).
#include "Exception.h"
#include "uOstrelExecutor.h"
#include "uProgramPath.h"

#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    try {
        TOstrelExecutor engine(nullptr);
        engine.SetQuiet(true);
        engine.OpenSource(uProgramPath::RunningProgramPath(), true);
        engine.SetInstallPath(engine.Project().InstallPath);
        engine.Install();
        return 0;
    } catch (const Exception& error) {
        if (argc > 1)
            std::ofstream(argv[1], std::ios::binary) << error.Message();
        return 1;
    }
}
