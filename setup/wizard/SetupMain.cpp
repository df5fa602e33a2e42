// The setup program: under the name "uninstall.exe" it hands the uninstall to a
// copy of itself in the temporary folder; otherwise it runs the wizard.
#include "SysUtils.h"
#include "TApplication.h"
#include "uGlobal.h"
#include "uMain.h"
#include "uUninstaller.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (SysUtils::SameText(SysUtils::ExtractFileName(uUninstaller::RunningProgramPath()), "uninstall.exe")) {
        uUninstaller::RelaunchFromTemp();
        return 0;
    }
    std::vector<std::string> arguments = uGlobal::ParseArguments(GetCommandLineA());
    if (arguments.size() > 1 && SysUtils::UpperCase(arguments[1]).find("/U:") != std::string::npos)
        Application()->SetShowMainForm(false);
    auto* main = Application()->CreateForm<TfmMain>();
    main->Start();
    Application()->Run();
    return 0;
}
