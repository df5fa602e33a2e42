// The wizard fixture.
#include "WizardFixture.h"

#include "SetupDescription.h"
#include "SetupWriter.h"
#include "uInstallLog.h"
#include "uSystemFolders.h"

#include <shlwapi.h>

std::string BesideTests(const std::string& name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string self = path;
    return self.substr(0, self.rfind('\\') + 1) + name;
}

WizardFixture::WizardFixture()
    : id_("WizardTest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(GetTickCount()))
{
}

WizardFixture::~WizardFixture()
{
    if (process_.IsValid() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT)
        TerminateProcess(process_.Get(), 1);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, UninstallEntry().c_str());
    DeleteFileA(LogPath().c_str());
    DeleteFileA((LogPath() + ".Dat").c_str());
}

std::string WizardFixture::UninstallEntry() const
{
    return "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + id_;
}

std::string WizardFixture::LogPath() const
{
    return uSystemFolders::SpecialFolders().CommonApplicationData + "\\Ostrel Install\\" + id_;
}

std::string WizardFixture::ProjectSection() const
{
    return "[Project]\r\nPROJECT_ID=" + id_ +
           "\r\nProductName=Wizard Test\r\nVersion=2.5\r\nCompanyName=Ferrin\r\nUninstall=True\r\nIsPatch=" +
           (isPatch_ ? "True" : "False") + "\r\n"
           "RunBeforeInstall=0\r\nInstallPath=" +
           App() + "\r\n";
}

std::string WizardFixture::BuildSetup(const std::string& description, const std::string& name,
                                      std::int64_t capacity)
{
    TBuildOptions options;
    options.Program = BesideTests("setup.exe");
    options.Output = root_ / name;
    options.VolumeCapacity = capacity;
    ::BuildSetup(options, ParseSetupDescription(description + "\r\n" + ProjectSection(), root_.Path()));
    return capacity > 0 ? options.Output + "\\Disk1\\Setup.exe" : options.Output;
}

void WizardFixture::Start(const std::string& program, const std::string& arguments,
                          const std::string& workingFolder)
{
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::string folder = workingFolder.empty() ? root_.Path() : workingFolder;
    ASSERT_TRUE(CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                               folder.c_str(), &startup, &started))
        << program;
    process_.Reset(started.hProcess);
    thread_.Reset(started.hThread);
    processId_ = started.dwProcessId;
}

DWORD WizardFixture::WaitForExit()
{
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_.Get(), 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process_.Get(), &code);
    return code;
}

bool WizardFixture::WaitUntil(const std::function<bool()>& condition, int milliseconds)
{
    for (int waited = 0; waited < milliseconds; waited += 50) {
        if (condition())
            return true;
        Sleep(50);
    }
    return condition();
}

HWND WizardFixture::FindVisible(const std::string& className, DWORD processId)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className.c_str(), nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (IsWindowVisible(window) && (processId == 0 || owner == processId))
            return window;
    }
    return nullptr;
}

HWND WizardFixture::WaitForPage(const std::string& className, DWORD processId)
{
    HWND page = nullptr;
    WaitUntil([&] { return (page = FindVisible(className, processId)) != nullptr; });
    return page;
}

std::string WizardFixture::Text(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return std::string();
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 5000,
                        &copied);
    text.resize(copied);
    return text;
}

namespace {

struct TChildSearch {
    std::vector<HWND> children;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM data)
{
    reinterpret_cast<TChildSearch*>(data)->children.push_back(child);
    return TRUE;
}

std::vector<HWND> Children(HWND page)
{
    TChildSearch search;
    EnumChildWindows(page, &CollectChild, reinterpret_cast<LPARAM>(&search));
    return search.children;
}

} // namespace

HWND WizardFixture::Child(HWND page, const std::string& text, bool prefix)
{
    for (HWND child : Children(page)) {
        std::string own = Text(child);
        if (own == text || (prefix && own.compare(0, text.size(), text) == 0))
            return child;
    }
    return nullptr;
}

std::vector<std::string> WizardFixture::ChildTexts(HWND page)
{
    std::vector<std::string> texts;
    for (HWND child : Children(page))
        if (IsWindowVisible(child))
            texts.push_back(Text(child));
    return texts;
}

void WizardFixture::Click(HWND button)
{
    ASSERT_NE(nullptr, button);
    char className[64] = {};
    GetClassNameA(button, className, sizeof className);
    if (std::string(className).compare(0, 3, "TKv") == 0) {
        // The library's buttons and boxes are pressed and released by the mouse.
        PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        return;
    }
    PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

void WizardFixture::ClickText(HWND page, const std::string& text, bool prefix)
{
    HWND button = nullptr;
    WaitUntil([&] { return (button = Child(page, text, prefix)) != nullptr && IsWindowEnabled(button); });
    ASSERT_NE(nullptr, button) << "no button " << text;
    Click(button);
}

std::string WizardFixture::AnswerMessageBox(int button, DWORD processId)
{
    HWND box = nullptr;
    std::string text;
    // The box may show before its text is in place.
    WaitUntil([&] {
        box = FindVisible("#32770", processId);
        return box != nullptr && !(text = Text(GetDlgItem(box, 0xFFFF))).empty();
    });
    if (box == nullptr)
        return "(no message box)";
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    return text;
}
