// How setup.exe's roads end: nothing runs after a cancel or a failure, the
// finish and uninstall pages' close boxes, a silent update pack without an
// installation, pages that cannot be made, an uninstall that leaves nothing,
// the progress bar over the setup data, the taskbar entry, the "U:" option.
#include "OwnedDC.h"
#include "OwnedGdi.h"
#include "TempFolder.h"
#include "WizardRoads.h"

#include <algorithm>
#include <cstdint>

namespace {

std::string Command(int id, int executeType, int type, const std::string& target, const std::string& params = {})
{
    return "[Object]\r\nOBJECT_TYPE=COMMAND\r\nID=" + std::to_string(id) + "\r\nEXECUTE_TYPE=" +
           std::to_string(executeType) + "\r\nTYPE=" + std::to_string(type) + "\r\nTARGET=" + target +
           "\r\nPARAMS=" + params + "\r\nURL=False\r\nHIDDEN=True\r\n";
}

// A command that holds the install up until the test opens `gate`.
std::string HoldUntil(const std::string& gate)
{
    return Command(0, 0, 1, BesideTests("wizard_wait_probe.exe"), gate);
}

const char kLateFile[] = "[Object]\r\nOBJECT_TYPE=FILE\r\nDESTINATION=<INSTALL>\\late.txt\r\nREPLACE_OPTION=2\r\n"
                         "FILE_AGE=0\r\nREADONLY=False\r\nVISIBLE=True\r\nREGISTER=False\r\nUNINSTALL=True\r\n"
                         "@payload-text=late\r\n";

const char kInstallThenFinish[] = "[Page]\r\nDIALOGID=INSTALLPROCESS\r\n[Page]\r\nDIALOGID=FINISH\r\nISLAST=TRUE\r\n";

bool HasPrefix(const std::vector<std::string>& texts, const std::string& prefix, const std::string& part = {})
{
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& text) {
        return text.compare(0, prefix.size(), prefix) == 0 && text.find(part) != std::string::npos;
    });
}

// The middle row of a window as the screen shows it (the window belongs to
// another process, so it is read from the screen).
std::vector<COLORREF> ScreenRow(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, client.bottom / 2};
    ClientToScreen(window, &origin);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const TWindowDC screen(nullptr);
    TOwnedBitmap bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::vector<COLORREF> row;
    if (!bitmap.IsValid())
        return row;
    TMemoryDC memory(screen);
    {
        TSelectObject selected(memory, bitmap.Get());
        BitBlt(memory, 0, 0, client.right, 1, screen, origin.x, origin.y, SRCCOPY);
    }
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    row.assign(pixels, pixels + client.right);
    return row;
}

// How many pixels of the bar's middle row differ from its empty end's.
int FilledPixels(const std::vector<COLORREF>& row, COLORREF background)
{
    return static_cast<int>(std::count_if(row.begin(), row.end(), [&](COLORREF c) { return c != background; }));
}

} // namespace

class WizardEndingsTest : public WizardRoadsTest {
protected:
    bool Opened(const std::string& gate) { return WaitUntil([&] { return FileExists(gate + ".started"); }); }
    // Asks the held install page to cancel, lets the install go on to its next
    // record and confirms: the engine stops there and rolls back.
    void CancelAndOpen(HWND install, const std::string& gate)
    {
        ClickText(install, "取消");
        WriteWholeFile(gate, "go");
        EXPECT_EQ("Are  you sure to cancel?", AnswerMessageBox(IDYES));
    }
    void Forget()
    {
        process_.Reset();
        thread_.Reset();
        processId_ = 0;
    }
    // Gates and counters lie apart from the test folder, whose files the snapshots compare.
    TempFolder gates_;
};

TEST_F(WizardEndingsTest, NoAfterInstallCommandRunsAfterACancelledOrAFailedInstall)
{
    std::string marker = root_ / "marker";
    WriteWholeFile(marker, "x");
    for (bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "cancelled" : "failed");
        std::string gate = gates_ / (cancel ? "cancel" : "fail");
        std::string ending = cancel ? HoldUntil(gate) + kLateFile
                                    : "[Object]\r\nOBJECT_TYPE=REGISTRY\r\nROOT=HKEY_LOCAL_MACHINE\r\nKEY=Software\\" +
                                          id_ + "\r\nVALUES=broken=NOTATYPE:1\r\n";
        // The after-install command would delete the marker.
        std::string setup =
            BuildSetup(std::string(kSettings) + kInstallThenFinish + Objects() + Command(7, 2, 2, marker) + ending);
        TSnapshot before = Machine();
        Start(setup);
        if (cancel) {
            HWND install = Page("TfmInstallProcess");
            ASSERT_NE(nullptr, install);
            ASSERT_TRUE(Opened(gate));
            CancelAndOpen(install, gate);
        }
        HWND finish = Page("TfmFinish");
        ASSERT_NE(nullptr, finish);
        EXPECT_TRUE(Has(ChildTexts(finish), cancel ? "安装已经被用户取消" : "安装由于错误被迫取消"));
        ClickText(finish, "退出");
        EXPECT_EQ(0u, WaitForExit());
        EXPECT_TRUE(FileExists(marker)) << "the after-install command ran";
        EXPECT_EQ(before, Machine());
        Forget();
    }
}

TEST_F(WizardEndingsTest, ACancelledInstallNamesWhatItsRollbackCouldNotUndo)
{
    std::string gate = gates_ / "held";
    Start(BuildSetup(std::string(kSettings) + kInstallThenFinish + Objects() + HoldUntil(gate) + kLateFile));
    HWND install = Page("TfmInstallProcess");
    ASSERT_NE(nullptr, install);
    ASSERT_TRUE(Opened(gate));
    // The installed file is held open without delete sharing: the rollback cannot remove it.
    const std::string held = App() + "\\readme.txt";
    TOwnedHandle holder(
        CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.IsValid());
    CancelAndOpen(install, gate);
    HWND finish = Page("TfmFinish");
    ASSERT_NE(nullptr, finish);
    std::vector<std::string> texts = ChildTexts(finish);
    EXPECT_TRUE(Has(texts, "安装已经被用户取消"));
    EXPECT_TRUE(HasPrefix(texts, "现在您可以点击“退出”按钮退出安装程序", held)) << "the file that stayed is not named";
    holder.Reset();
    ClickText(finish, "退出");
    EXPECT_EQ(0u, WaitForExit());
    // The rollback scheduled the held file's deletion at restart; it goes now.
    DeleteFileA(held.c_str());
    RemoveDirectoryA(App().c_str());
}

TEST_F(WizardEndingsTest, TheFinishPageCloseBoxRunsTheTickedActionsOnceAndAsksNothing)
{
    std::string gate = gates_ / "gate", runs = gates_ / "runs";
    std::string second = root_ / "second", third = root_ / "third";
    WriteWholeFile(second, "x");
    WriteWholeFile(third, "x");
    std::string setup = BuildSetup(
        std::string(kSettings) + "[Page]\r\nDIALOGID=INSTALLPROCESS\r\n[Page]\r\nDIALOGID=FINISH\r\nISLAST=TRUE\r\n"
        "Optionals=ID=1;;DisplayName=First;;Selected=Y;;Default=Y;;DisplayType=0#13#10"
        "ID=2;;DisplayName=Second;;Selected=Y;;Default=Y;;DisplayType=0#13#10"
        "ID=3;;DisplayName=Third;;Selected=Y;;Default=Y;;DisplayType=0\r\n" +
        Objects() + Command(1, 2, 1, BesideTests("wizard_wait_probe.exe"), gate + " " + runs) +
        Command(2, 2, 2, second) + Command(3, 2, 2, third));
    Start(setup);
    HWND finish = Page("TfmFinish");
    ASSERT_NE(nullptr, finish);
    Click(Child(finish, "Second")); // the user unticks it
    PostMessageA(finish, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Opened(gate)) << "the first action does not run";
    // While the first action runs the user closes and clicks once more.
    PostMessageA(finish, WM_CLOSE, 0, 0);
    Click(Child(finish, "完成"));
    Sleep(1000);
    WriteWholeFile(gate, "go");
    EXPECT_EQ(0u, WaitForExit()) << "a question held the program up";
    EXPECT_EQ("run\r\n", ReadWholeFile(runs)) << "the actions ran more than once";
    EXPECT_TRUE(FileExists(second)) << "an unticked action ran";
    EXPECT_FALSE(FileExists(third)) << "a ticked action did not run";
}

TEST_F(WizardEndingsTest, ASilentUpdatePackWithoutAnInstallationLeavesTheMachineAsItWas)
{
    isPatch_ = true;
    std::string setup = BuildSetup(std::string(kSettings) + Objects());
    TSnapshot before = Machine();
    Start(setup, "/silent");
    EXPECT_EQ(0u, WaitForExit());
    EXPECT_EQ(before, Machine());
    EXPECT_FALSE(FileExists(LogPath()));
}

TEST_F(WizardEndingsTest, APageWhosePictureCannotBeLoadedEndsOnTheErrorPageBeforeAnythingIsInstalled)
{
    for (bool installFirst : {false, true}) {
        SCOPED_TRACE(installFirst ? "the install page first" : "after the welcome page");
        std::string broken = "BANNER_IMAGE=banner.tga\r\n@attach-text=not a picture\r\n";
        std::string pages = installFirst ? "[Page]\r\nDIALOGID=INSTALLPROCESS\r\n" + broken
                                         : "[Page]\r\nDIALOGID=WELCOME\r\n[Page]\r\nDIALOGID=FOLDERSELECT\r\n" + broken +
                                               "[Page]\r\nDIALOGID=INSTALLPROCESS\r\n";
        std::string setup = BuildSetup(std::string(kSettings) + pages +
                                       "[Page]\r\nDIALOGID=FINISH\r\nISLAST=TRUE\r\n" + Objects());
        TSnapshot before = Machine();
        Start(setup);
        if (!installFirst) {
            HWND welcome = Page("TfmWelcome");
            ASSERT_NE(nullptr, welcome);
            ClickText(welcome, "下一步");
        }
        HWND finish = Page("TfmFinish");
        ASSERT_NE(nullptr, finish);
        std::vector<std::string> texts = ChildTexts(finish);
        EXPECT_TRUE(Has(texts, "安装由于错误被迫取消"));
        EXPECT_TRUE(HasPrefix(texts, "错误信息:\r\n", "不支持的图像格式"));
        ClickText(finish, "退出");
        EXPECT_EQ(0u, WaitForExit());
        EXPECT_FALSE(FolderExists(App()));
        EXPECT_EQ(before, Machine());
        Forget();
    }
}

TEST_F(WizardEndingsTest, AnUninstallStartedInTheInstallFolderAndClosedByItsCloseBoxLeavesNothing)
{
    std::string setup = BuildSetup(std::string(kSettings) + Objects());
    TSnapshot before = Machine();
    Start(setup, "/silent");
    ASSERT_EQ(0u, WaitForExit());
    ExpectInstalled();

    // As a double click in Explorer starts it: in the install folder.
    UninstallThroughPages(App(), TLeave::CloseBox);
    EXPECT_FALSE(FolderExists(App()));
    EXPECT_EQ(before, Machine());
}

TEST_F(WizardEndingsTest, AnUnreadableSavedBlockStillUninstallsWithTheBuiltInTexts)
{
    std::string setup = BuildSetup(std::string(kSettings) + Objects());
    TSnapshot before = Machine();
    Start(setup, "/silent");
    ASSERT_EQ(0u, WaitForExit());
    WriteWholeFile(LogPath() + ".Dat", "damaged");

    UninstallThroughPages();
    EXPECT_EQ(before, Machine());
    EXPECT_FALSE(FileExists(LogPath()));
}

TEST_F(WizardEndingsTest, TheProgressBarRunsOverTheSetupDataFromEmptyToFull)
{
    // Far more than the 64 KB that the inflate stream reads ahead.
    std::string noiseObject = NoiseObject(1000000);
    std::int64_t programSize = ProgramSize();
    ASSERT_GT(programSize, 0);
    for (bool volumes : {false, true}) {
        SCOPED_TRACE(volumes ? "volumes" : "appended data");
        std::string first = gates_ / (volumes ? "first-v" : "first"), last = gates_ / (volumes ? "last-v" : "last");
        std::string setup = BuildSetup(
            std::string(kSettings) + kInstallThenFinish + HoldUntil(first) + noiseObject + HoldUntil(last),
            volumes ? "media" : "setup.exe", volumes ? programSize + 8 + 400000 : 0);
        Start(setup);
        HWND install = Page("TfmInstallProcess");
        ASSERT_NE(nullptr, install);
        HWND bar = FindWindowExA(install, nullptr, "TKvProgressBar", nullptr);
        ASSERT_NE(nullptr, bar);
        RECT client{};
        GetClientRect(bar, &client);
        const int width = client.right;
        ASSERT_GT(width, 100);

        ASSERT_TRUE(Opened(first));
        COLORREF background = 0;
        int filled = -1;
        // The bar's empty end shows its background; at the first object little else shows.
        WaitUntil([&] {
            std::vector<COLORREF> row = ScreenRow(bar);
            if (row.size() != static_cast<size_t>(width))
                return false;
            background = row.back();
            filled = FilledPixels(row, background);
            return filled > 0 && filled < width / 5;
        }, 10000);
        EXPECT_GT(filled, 0) << "the bar shows nothing of the data read so far";
        EXPECT_LT(filled, width / 5) << "at the first object the bar is " << filled << " of " << width << " full";
        WriteWholeFile(first, "go");

        ASSERT_TRUE(Opened(last));
        WaitUntil([&] { return (filled = FilledPixels(ScreenRow(bar), background)) == width; }, 10000);
        EXPECT_EQ(width, filled) << "at the end the bar is not full";
        WriteWholeFile(last, "go");
        HWND finish = Page("TfmFinish");
        ASSERT_NE(nullptr, finish);
        ClickText(finish, "完成");
        EXPECT_EQ(0u, WaitForExit());
        Forget();
        // The next round installs anew.
        UninstallThroughPages();
    }
}

TEST_F(WizardEndingsTest, APageHasOneTaskbarEntryUnderTheProductTitle)
{
    std::string setup = BuildSetup(std::string(kSettings) + "[Page]\r\nDIALOGID=WELCOME\r\n" + Objects());
    Start(setup);
    HWND welcome = Page("TfmWelcome");
    ASSERT_NE(nullptr, welcome);
    // The shell lists a visible window that is unowned or marked as an
    // application window, unless it is a tool window.
    auto listed = [](HWND window) {
        LONG_PTR style = GetWindowLongPtrA(window, GWL_EXSTYLE);
        return IsWindowVisible(window) && !(style & WS_EX_TOOLWINDOW) &&
               ((style & WS_EX_APPWINDOW) || GetWindow(window, GW_OWNER) == nullptr);
    };
    HWND owner = GetWindow(welcome, GW_OWNER);
    HWND entry = nullptr;
    WaitUntil([&] {
        entry = listed(welcome) ? welcome : (owner != nullptr && listed(owner) ? owner : nullptr);
        return entry != nullptr;
    }, 10000);
    ASSERT_NE(nullptr, entry) << "neither the page nor its owner is in the task list";
    EXPECT_EQ("Wizard Test 2.5", Text(entry));
    ClickText(welcome, "取消");
    EXPECT_EQ("Are  you sure to cancel?", AnswerMessageBox(IDYES));
    EXPECT_EQ(0u, WaitForExit());
}

TEST_F(WizardEndingsTest, ASourceOnDriveUIsAnInstallThatEndsOnTheStartUpErrorPage)
{
    std::string setup = BuildSetup(std::string(kSettings) + "[Page]\r\nDIALOGID=WELCOME\r\n" + Objects());
    Start(setup, "/l:u:\\missing\\setup.dat");
    HWND finish = Page("TfmFinish");
    ASSERT_NE(nullptr, finish);
    EXPECT_TRUE(Has(ChildTexts(finish), "安装由于错误被迫取消"));
    ClickText(finish, "退出");
    EXPECT_EQ(0u, WaitForExit());
}

TEST_F(WizardEndingsTest, AnUninstallWithoutItsLogSaysSoUnderTheProductTitle)
{
    std::string setup = BuildSetup(std::string(kSettings) + Objects());
    Start(setup, "/silent");
    ASSERT_EQ(0u, WaitForExit());
    ASSERT_TRUE(DeleteFileA(LogPath().c_str()));
    // The relaunched copy's road, started directly.
    std::string copy = root_ / "copy.exe";
    ASSERT_TRUE(CopyFileA((App() + "\\Uninstall.exe").c_str(), copy.c_str(), FALSE));
    Start(copy, "/U:1");
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindVisible("#32770", processId_)) != nullptr; }));
    EXPECT_EQ("Wizard Test 2.5", Text(box));
    EXPECT_EQ("没有找到安装记录，无法卸载", AnswerMessageBox(IDOK));
    EXPECT_EQ(0u, WaitForExit());
    EXPECT_EQ(nullptr, FindVisible("TfmReadyToUninstall", processId_));
    DeleteFileA(copy.c_str());
}

TEST_F(WizardEndingsTest, AnUninstallerThatCannotBeStartedFromTheFindOldPageIsReportedAndTheWizardStays)
{
    std::string setup = BuildSetup(std::string(kSettings) + "OldInstall=1\r\n" + Objects());
    Start(setup, "/silent");
    ASSERT_EQ(0u, WaitForExit());
    ASSERT_TRUE(DeleteFileA((App() + "\\Uninstall.exe").c_str()));
    Start(setup);
    HWND old = Page("TfmFindOld");
    ASSERT_NE(nullptr, old);
    ClickText(old, "下一步");
    std::string message = AnswerMessageBox(IDOK);
    EXPECT_NE(std::string::npos, message.find("Uninstall.exe")) << message;
    EXPECT_TRUE(IsWindowVisible(old)) << "the wizard went away";
    ClickText(old, "退出安装程序(&X)");
    ClickText(old, "下一步");
    EXPECT_EQ(0u, WaitForExit());
}
