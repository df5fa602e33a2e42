// The setup program: under the name "uninstall.exe" it hands the uninstall to a
// copy of itself in the temporary folder; otherwise it runs the wizard.
#include "Exception.h"
#include "SysUtils.h"
#include "TApplication.h"
#include "TStringList.h"
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
    TStringList options;
    uGlobal::SplitOptions(uGlobal::ParseArguments(GetCommandLineA()), options);
    if (TfmMain::IsUninstallStart(options)) {
        Application()->SetShowMainForm(false);
        // The copy must hold no folder that the uninstall removes: it may have
        // inherited the install folder from Uninstall.exe started there.
        try {
            SetCurrentDirectoryA(SysUtils::TempFolder().c_str());
        } catch (const Exception&) {
            // no temporary folder: the copy could not have been made there either
        }
    }
    auto* main = Application()->CreateForm<TfmMain>();
    main->Start();
    Application()->Run();
    return 0;
}
