// Pages in-process over real windows: the licence gate, the package choice that
// feeds the skip set, the drive list's titles and needs, and the install page's
// progress handler.
#include "SetupDescription.h"
#include "SetupWriter.h"
#include "TempFolder.h"
#include "TStringList.h"
#include "KvCheckTree.h"
#include "KvRadChk.h"
#include "WizardFixture.h"
#include "uFolderSelect.h"
#include "uInstallProcess.h"
#include "uLicence.h"
#include "uMain.h"
#include "uOptionals.h"
#include "uOstrelExecutor.h"
#include "uPlainControls.h"

#include <gtest/gtest.h>

class PagesTest : public testing::Test {
protected:
    // Opens setup data with these packages and spaces; the language table is set.
    void Open(const std::string& sections, const std::vector<std::string>& language = {})
    {
        TBuildOptions options;
        options.Program = BesideTests("setup.exe");
        options.Output = folder_ / "setup.exe";
        ::BuildSetup(options, ParseSetupDescription(sections + "\r\n[Project]\r\nPROJECT_ID=PagesTest\r\n"
                                                               "ProductName=P\r\nVersion=1\r\nUninstall=False\r\n"
                                                               "IsPatch=False\r\nRunBeforeInstall=0\r\n",
                                                    folder_.Path()));
        main_.OstrelExecutor->OpenSource(options.Output, false);
        for (const std::string& line : language)
            main_.LanguageList().Add(line);
    }
    ~PagesTest() override { main_.OstrelExecutor->CloseSource(); }

    TempFolder folder_;
    TfmMain main_{nullptr};
};

TEST_F(PagesTest, TheLicenceLetsTheUserOnOnlyAfterAccepting)
{
    auto* page = CreatePage<TfmLicence>(&main_);
    page->Show();
    EXPECT_FALSE(page->btnNext->Enabled());
    page->rbAccept->SetChecked(true);
    page->rbAccept->Click();
    EXPECT_TRUE(page->btnNext->Enabled());
    page->Hide();
}

TEST_F(PagesTest, UntickedPackagesAndThoseBelowThemJoinTheSkipSetOnce)
{
    Open("[Packages]\r\n1\t0\tMain\tTrue\t0\tFalse\tTrue\r\n2\t0\tExtras\tTrue\t0\tTrue\tTrue\r\n"
         "3\t2\tSamples\tTrue\t0\tTrue\tTrue\r\n4\t0\tHidden\tFalse\t0\tTrue\tFalse\r\n");
    auto* page = CreatePage<TfmOptionals>(&main_);
    page->Show();
    ASSERT_EQ(4u, page->Packages().size());
    EXPECT_EQ(nullptr, page->Packages()[3].Node) << "not visible";
    EXPECT_EQ(page->Packages()[1].Node, page->Packages()[2].Node->Parent());
    page->TreePackages->SetChecked(page->Packages()[0].Node, false); // not customizable: stays chosen
    page->TreePackages->SetChecked(page->Packages()[1].Node, false);
    EXPECT_FALSE(page->TreePackages->Checked(page->Packages()[2].Node)) << "the part follows its package";
    page->Next();
    page->Next();
    TStringList& skip = main_.SkipList();
    EXPECT_LT(skip.IndexOf("1"), 0);
    EXPECT_GE(skip.IndexOf("2"), 0);
    EXPECT_GE(skip.IndexOf("3"), 0);
    EXPECT_GE(skip.IndexOf("4"), 0) << "an invisible package keeps its default";
    int twos = 0;
    for (int i = 0; i < skip.Count(); ++i)
        twos += skip[i] == "2";
    EXPECT_EQ(1, twos);
}

TEST_F(PagesTest, TheDriveListHasTheTranslatedTitlesAndTheInstallFolderDrive)
{
    Open("[Spaces]\r\n1\t<INSTALL>\t1048576\r\n2\tC:\\\t2097152\r\n", {"VolumeName=Drive", "Remain=Left"});
    main_.OstrelExecutor->SetInstallPath("C:\\Product");
    auto* page = CreatePage<TfmFolderSelect>(&main_);
    page->Show();
    EXPECT_EQ("C:\\Product", page->EditFolder->Caption());
    HWND list = page->ListDrives->Handle();
    ASSERT_EQ(2, SendMessageA(list, LB_GETCOUNT, 0, 0));
    char row[256] = {};
    SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(row));
    EXPECT_EQ("Drive\t磁盘大小\t可用\t必用\tLeft", std::string(row));
    SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(row));
    EXPECT_EQ(0, std::string(row).find("C:\\\t"));
    EXPECT_NE(std::string::npos, std::string(row).find("\t3.0 MB\t")) << row;
    page->Hide();
}

TEST_F(PagesTest, TheProgressHandlerSkipsChosenAwayObjectsAndShowsTheOthers)
{
    Open("");
    auto* page = CreatePage<TfmInstallProcess>(&main_);
    TStringList pageRecord;
    pageRecord.Add("HIDE_DETAIL=True");
    page->LoadPage(nullptr, &pageRecord);
    main_.SkipList().Add("9");
    struct Case {
        std::string packageId, id;
        bool skipped;
    } cases[] = {{"9", "1", true}, {"", "9", true}, {"2", "3", false}};
    for (const Case& c : cases) {
        page->ShowProgressText("before");
        TStringList record;
        record.Add("OBJECT_TYPE=FILE");
        record.Add("DESTINATION=C:\\x.txt");
        record.Add("PACKAGE_ID=" + c.packageId);
        record.Add("ID=" + c.id);
        bool skip = false;
        page->DoProcess(nullptr, &record, skip, 10);
        EXPECT_EQ(c.skipped, skip);
        EXPECT_EQ(c.skipped ? "before" : "正在解压文件", page->LabelProcess->Caption()) << "no target with HIDE_DETAIL";
    }
}
