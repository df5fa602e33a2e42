// setup.exe as a user meets it: a silent install and the uninstaller, the page
// walk with translated captions, the install through the progress page, the
// finish page's actions, cancel and failure outcomes, damaged setup data.
#include "PictureBytes.h"
#include "WizardRoads.h"

#include <algorithm>

TEST_F(WizardRoadsTest, SilentInstallShowsNoWindowAndTheUninstallerRemovesEverything)
{
    std::string setup = BuildSetup(std::string(kSettings) + Objects());
    TSnapshot before = Machine();

    Start(setup, "/silent");
    EXPECT_EQ(0u, WaitForExit());
    EXPECT_EQ(nullptr, FindVisible("TfmMain", processId_));
    ExpectInstalled();

    UninstallThroughPages();
    EXPECT_EQ(before, Machine());
    EXPECT_FALSE(FileExists(LogPath()));
}

TEST_F(WizardRoadsTest, PagesWalkBackAndForthTranslatedAndInstallRunsTheTickedActionsOnly)
{
    WriteWholeFile(root_ / "marker1", "x");
    WriteWholeFile(root_ / "marker2", "x");
    std::string setup = BuildSetup(
        std::string(kSettings) +
        "[UiLanguage]\r\nTfmWelcome.btnNext=继续(&N)\r\nTfmFolderSelect.LabelFolder=目标文件夹:\r\n"
        "TfmFolderSelect.actPrior=返回\r\n"
        "TfmWelcome.LabelTitle=<PRODUCT_NAME>#13#10<VERSION>\r\n"
        "[Page]\r\nDIALOGID=WELCOME\r\n[Page]\r\nDIALOGID=FOLDERSELECT\r\n[Page]\r\nDIALOGID=READYTOINSTALL\r\n"
        "[Page]\r\nDIALOGID=INSTALLPROCESS\r\n[Page]\r\nDIALOGID=FINISH\r\nTITLE=Done <PRODUCT_NAME>\r\nISLAST=TRUE\r\n"
        "Optionals=ID=1;;DisplayName=First;;Selected=Y;;Default=Y;;DisplayType=0#13#10"
        "ID=2;;DisplayName=Second;;Selected=Y;;Default=Y;;DisplayType=0#13#10"
        "ID=3;;DisplayName=Hidden;;Selected=N;;Default=Y;;DisplayType=0\r\n" +
        Objects() +
        "[Object]\r\nOBJECT_TYPE=COMMAND\r\nID=1\r\nEXECUTE_TYPE=2\r\nTYPE=2\r\nTARGET=" + root_.Path() +
        "\\marker1\r\nPARAMS=\r\nURL=False\r\nHIDDEN=False\r\n"
        "[Object]\r\nOBJECT_TYPE=COMMAND\r\nID=2\r\nEXECUTE_TYPE=2\r\nTYPE=2\r\nTARGET=" + root_.Path() +
        "\\marker2\r\nPARAMS=\r\nURL=False\r\nHIDDEN=False\r\n");
    Start(setup);

    HWND welcome = Page("TfmWelcome");
    ASSERT_NE(nullptr, welcome);
    EXPECT_EQ("Wizard Test 2.5", Text(welcome));
    EXPECT_TRUE(Has(ChildTexts(welcome), "Wizard Test\r\n2.5"));
    ClickText(welcome, "继续(&N)");
    HWND folder = Page("TfmFolderSelect");
    ASSERT_NE(nullptr, folder);
    EXPECT_TRUE(Has(ChildTexts(folder), "目标文件夹:"));
    EXPECT_TRUE(Has(ChildTexts(folder), App()));
    ClickText(folder, "返回");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(welcome) && !IsWindowVisible(folder); }));
    ClickText(welcome, "继续(&N)");
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(folder); }));
    ClickText(folder, "下一步");
    HWND ready = Page("TfmReadyToInstall");
    ASSERT_NE(nullptr, ready);
    ClickText(ready, "下一步");

    HWND finish = Page("TfmFinish");
    ASSERT_NE(nullptr, finish);
    std::vector<std::string> texts = ChildTexts(finish);
    EXPECT_TRUE(Has(texts, "Done Wizard Test"));
    EXPECT_TRUE(Has(texts, "First"));
    EXPECT_FALSE(Has(texts, "Hidden"));
    ExpectInstalled();
    HWND second = Child(finish, "Second");
    ASSERT_NE(nullptr, second);
    Click(second); // the user unticks it
    ClickText(finish, "完成");
    EXPECT_EQ(0u, WaitForExit());
    EXPECT_FALSE(FileExists(root_ / "marker1"));
    EXPECT_TRUE(FileExists(root_ / "marker2"));
}

TEST_F(WizardRoadsTest, CancelDuringTheInstallAnsweredYesEndsOnTheCancelPageAndLeavesNothing)
{
    std::string gate = root_ / "gate";
    std::string setup = BuildSetup(
        std::string(kSettings) + "[Page]\r\nDIALOGID=READYTOINSTALL\r\n[Page]\r\nDIALOGID=INSTALLPROCESS\r\n"
        "[Page]\r\nDIALOGID=FINISH\r\nISLAST=TRUE\r\n" + Objects() +
        "[Object]\r\nOBJECT_TYPE=COMMAND\r\nEXECUTE_TYPE=0\r\nTYPE=1\r\nTARGET=" + BesideTests("wizard_wait_probe.exe") +
        "\r\nPARAMS=" + gate + "\r\nURL=False\r\nHIDDEN=True\r\n" +
        "[Object]\r\nOBJECT_TYPE=FILE\r\nDESTINATION=<INSTALL>\\late.txt\r\nREPLACE_OPTION=2\r\n"
        "FILE_AGE=0\r\nREADONLY=False\r\nVISIBLE=True\r\nREGISTER=False\r\nUNINSTALL=True\r\n@payload-text=late\r\n");
    TSnapshot before = Machine();
    Start(setup);
    HWND ready = Page("TfmReadyToInstall");
    ASSERT_NE(nullptr, ready);
    ClickText(ready, "下一步");
    HWND install = Page("TfmInstallProcess");
    ASSERT_NE(nullptr, install);
    ASSERT_TRUE(WaitUntil([&] { return FileExists(gate + ".started"); }));
    ClickText(install, "取消");
    WriteWholeFile(gate, "go");
    EXPECT_EQ("Are  you sure to cancel?", AnswerMessageBox(IDYES));

    HWND finish = Page("TfmFinish");
    ASSERT_NE(nullptr, finish);
    std::vector<std::string> texts = ChildTexts(finish);
    EXPECT_TRUE(Has(texts, "安装已经被用户取消"));
    EXPECT_TRUE(Has(texts, "现在您可以点击“退出”按钮退出安装程序"));
    ClickText(finish, "退出");
    EXPECT_EQ(0u, WaitForExit());
    DeleteFileA(gate.c_str());
    DeleteFileA((gate + ".started").c_str());
    EXPECT_EQ(before, Machine());
}

TEST_F(WizardRoadsTest, AFailingRecordEndsOnTheErrorPageWithItsMessage)
{
    std::string setup = BuildSetup(
        std::string(kSettings) + "[Page]\r\nDIALOGID=INSTALLPROCESS\r\n[Page]\r\nDIALOGID=FINISH\r\nISLAST=TRUE\r\n" +
        Objects() + "[Object]\r\nOBJECT_TYPE=REGISTRY\r\nROOT=HKEY_LOCAL_MACHINE\r\nKEY=Software\\" + id_ +
        "\r\nVALUES=broken=NOTATYPE:1\r\n");
    TSnapshot before = Machine();
    Start(setup);
    HWND finish = Page("TfmFinish");
    ASSERT_NE(nullptr, finish);
    std::vector<std::string> texts = ChildTexts(finish);
    EXPECT_TRUE(Has(texts, "安装由于错误被迫取消"));
    auto info = std::find_if(texts.begin(), texts.end(),
                             [](const std::string& t) { return t.compare(0, 11, "错误信息:\r\n") == 0; });
    ASSERT_NE(texts.end(), info);
    EXPECT_GT(info->size(), 13u) << "the message follows";
    ClickText(finish, "退出");
    EXPECT_EQ(0u, WaitForExit());
    EXPECT_EQ(before, Machine());
}

TEST_F(WizardRoadsTest, DamagedSetupDataEndsOnTheStartUpErrorPage)
{
    std::string setup = BuildSetup("[UiSettings]\r\nXpStyle=perhaps\r\n" + Objects());
    Start(setup);
    HWND finish = Page("TfmFinish");
    ASSERT_NE(nullptr, finish);
    std::vector<std::string> texts = ChildTexts(finish);
    EXPECT_TRUE(Has(texts, "安装由于错误被迫取消"));
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [](const std::string& t) { return t.find("XpStyle") != std::string::npos; }));
    ClickText(finish, "退出");
    EXPECT_EQ(0u, WaitForExit());
    EXPECT_FALSE(FolderExists(App()));
}

TEST_F(WizardRoadsTest, AMissingVolumeIsAskedForOnTheNextVolumePage)
{
    std::string noiseObject = NoiseObject(300000);
    std::string noise = ReadWholeFile(root_ / "noise.bin");
    std::int64_t programSize = ProgramSize();
    ASSERT_GT(programSize, 0);
    std::string setup = BuildSetup(
        std::string(kSettings) + "[Page]\r\nDIALOGID=INSTALLPROCESS\r\n[Page]\r\nDIALOGID=FINISH\r\nISLAST=TRUE\r\n" +
            noiseObject,
        "media", programSize + 8 + 200000);
    std::string volume = root_ / "media\\Disk2\\Setup.T01";
    ASSERT_TRUE(FileExists(volume));
    ASSERT_FALSE(FileExists(root_ / "media\\Disk3\\Setup.T02")) << "two volumes expected";
    std::string moved = root_ / "Setup.T01";
    ASSERT_TRUE(MoveFileA(volume.c_str(), moved.c_str()));

    Start(setup);
    HWND ask = Page("TfmNextVolume");
    ASSERT_NE(nullptr, ask);
    std::vector<std::string> texts = ChildTexts(ask);
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [](const std::string& t) { return t.find("第 2 张") != std::string::npos; }));
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [](const std::string& t) { return t.find("Setup.T01") != std::string::npos; }));
    HWND edit = FindWindowExA(ask, nullptr, "TKvEdit", nullptr);
    ASSERT_NE(nullptr, edit);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(moved.c_str()));
    ClickText(ask, "确定");

    HWND finish = Page("TfmFinish");
    ASSERT_NE(nullptr, finish);
    EXPECT_EQ(noise, ReadWholeFile(App() + "\\noise.bin"));
    ClickText(finish, "完成");
    EXPECT_EQ(0u, WaitForExit());
}

TEST_F(WizardRoadsTest, APreviousInstallationIsFoundAndRepairedOnTheChosenRoad)
{
    WriteWholeFile(root_ / "welcome.bmp", MakeBmp(164, 314, 24, clNavy, clTeal));
    WriteWholeFile(root_ / "banner.bmp", MakeBmp(55, 55, 24, clWhite, clSilver));
    std::string pages = std::string(kSettings) + "OldInstall=2\r\n" +
                        "[Page]\r\nDIALOGID=WELCOME\r\nBITMAP=welcome.bmp\r\n@attach=welcome.bmp\r\n"
                        "[Page]\r\nDIALOGID=FOLDERSELECT\r\nBANNER_IMAGE=banner.bmp\r\n@attach=banner.bmp\r\n"
                        "[Page]\r\nDIALOGID=INSTALLPROCESS\r\nBANNER_IMAGE=banner.bmp\r\n@attach=banner.bmp\r\n"
                        "[Page]\r\nDIALOGID=FINISH\r\nTITLE=Repaired <PRODUCT_NAME>\r\nISLAST=TRUE\r\n";
    std::string setup = BuildSetup(pages + Objects());
    Start(setup, "/silent");
    ASSERT_EQ(0u, WaitForExit());
    ASSERT_TRUE(DeleteFileA((App() + "\\readme.txt").c_str()));

    Start(setup);
    HWND old = Page("TfmFindOld");
    ASSERT_NE(nullptr, old);
    // OldInstall preselects the repair: Next goes straight on.
    ClickText(old, "下一步");
    HWND finish = Page("TfmFinish");
    ASSERT_NE(nullptr, finish);
    EXPECT_TRUE(Has(ChildTexts(finish), "Repaired Wizard Test"));
    EXPECT_TRUE(FileExists(App() + "\\readme.txt")) << "the repair put the file back";
    ClickText(finish, "完成");
    EXPECT_EQ(0u, WaitForExit());

    Start(setup);
    old = Page("TfmFindOld");
    ASSERT_NE(nullptr, old);
    // The user picks Exit instead of the preselected repair.
    ClickText(old, "退出安装程序(&X)");
    ClickText(old, "下一步");
    EXPECT_EQ(0u, WaitForExit());
}

TEST_F(WizardRoadsTest, AnUpdatePackWithoutAPreviousInstallationSaysSoAndInstallsNothing)
{
    isPatch_ = true;
    std::string setup = BuildSetup(std::string(kSettings) + "[Page]\r\nDIALOGID=INSTALLPROCESS\r\n" + Objects());
    Start(setup);
    HWND finish = Page("TfmFinish");
    ASSERT_NE(nullptr, finish);
    EXPECT_TRUE(Has(ChildTexts(finish), "没有找到 Wizard Test 不能安装升级包"));
    ClickText(finish, "退出");
    EXPECT_EQ(0u, WaitForExit());
    EXPECT_FALSE(FolderExists(App()));
}

TEST_F(WizardRoadsTest, ClosingTheInstallPageAnsweredNoKeepsItAndTheInstallGoesOn)
{
    std::string gate = root_ / "gate";
    std::string setup = BuildSetup(
        std::string(kSettings) + "[Page]\r\nDIALOGID=INSTALLPROCESS\r\n[Page]\r\nDIALOGID=FINISH\r\nTITLE=<PRODUCT_NAME> is there\r\nISLAST=TRUE\r\n" +
        Objects() + "[Object]\r\nOBJECT_TYPE=COMMAND\r\nEXECUTE_TYPE=0\r\nTYPE=1\r\nTARGET=" +
        BesideTests("wizard_wait_probe.exe") + "\r\nPARAMS=" + gate + "\r\nURL=False\r\nHIDDEN=True\r\n" +
        "[Object]\r\nOBJECT_TYPE=FILE\r\nDESTINATION=<INSTALL>\\late.txt\r\nREPLACE_OPTION=2\r\n"
        "FILE_AGE=0\r\nREADONLY=False\r\nVISIBLE=True\r\nREGISTER=False\r\nUNINSTALL=True\r\n@payload-text=late\r\n");
    Start(setup);
    HWND install = Page("TfmInstallProcess");
    ASSERT_NE(nullptr, install);
    ASSERT_TRUE(WaitUntil([&] { return FileExists(gate + ".started"); }));
    PostMessageA(install, WM_CLOSE, 0, 0);
    WriteWholeFile(gate, "go");
    EXPECT_EQ("Are  you sure to cancel?", AnswerMessageBox(IDNO));

    HWND finish = Page("TfmFinish");
    ASSERT_NE(nullptr, finish);
    EXPECT_TRUE(Has(ChildTexts(finish), "Wizard Test is there"));
    EXPECT_EQ("late", ReadWholeFile(App() + "\\late.txt"));
    ClickText(finish, "完成");
    EXPECT_EQ(0u, WaitForExit());
    DeleteFileA(gate.c_str());
    DeleteFileA((gate + ".started").c_str());
}

TEST_F(WizardRoadsTest, AnUninstallStartWithoutAnInstalledProductSaysSoAndEnds)
{
    std::string setup = BuildSetup(std::string(kSettings) + Objects());
    Start(setup, "/u:1");
    EXPECT_EQ("Installation not found", AnswerMessageBox(IDOK));
    EXPECT_EQ(0u, WaitForExit());
    EXPECT_EQ(nullptr, FindVisible("TfmReadyToUninstall", processId_));
}

TEST_F(WizardRoadsTest, TheWaitOptionWaitsForTheProcessAndGivesUpAfterTenSeconds)
{
    std::string setup = BuildSetup(std::string(kSettings) + "[Page]\r\nDIALOGID=WELCOME\r\n" + Objects());
    for (bool released : {true, false}) {
        std::string gate = root_ / (released ? "gate-released" : "gate-held");
        std::string commandLine = "\"" + BesideTests("wizard_wait_probe.exe") + "\" " + gate;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &started));
        TOwnedHandle probe(started.hProcess);
        TOwnedHandle probeThread(started.hThread);
        ASSERT_TRUE(WaitUntil([&] { return FileExists(gate + ".started"); }));
        Start(setup, "/w:" + std::to_string(started.dwProcessId));
        if (released) {
            WriteWholeFile(gate, "go");
            HWND welcome = Page("TfmWelcome");
            ASSERT_NE(nullptr, welcome);
            ClickText(welcome, "取消");
            EXPECT_EQ("Are  you sure to cancel?", AnswerMessageBox(IDYES));
        } else {
            EXPECT_EQ("等待超时", AnswerMessageBox(IDOK));
            EXPECT_EQ(nullptr, FindVisible("TfmWelcome", processId_));
        }
        EXPECT_EQ(0u, WaitForExit());
        process_.Reset();
        thread_.Reset();
        processId_ = 0;
        if (WaitForSingleObject(probe.Get(), 0) == WAIT_TIMEOUT)
            TerminateProcess(probe.Get(), 1);
    }
}
