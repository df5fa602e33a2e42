// Pages in-process over real windows: the licence gate, the package choice that
// feeds the skip set, the drive list's titles and needs, and the install page's
// progress handler.
#include "SetupDescription.h"
#include "SetupWriter.h"
#include "TempFolder.h"
#include "TStringList.h"
#include "KvCheckTree.h"
#include "KvBitBtn.h"
#include "KvButton.h"
#include "KvEdit.h"
#include "KvRichEdit.h"
#include "KvRadChk.h"
#include "KvShellDialogs.h"
#include "ModalPlayer.h"
#include "PictureBytes.h"
#include "RepaintedPixel.h"
#include "TImage.h"
#include "TPanel.h"
#include "TMemoryStream.h"
#include "Exception.h"
#include "WizardFixture.h"
#include "uFolderSelect.h"
#include "uInstallProcess.h"
#include "uLicence.h"
#include "uMain.h"
#include "uOptionals.h"
#include "uReadme.h"
#include "uWelcome.h"
#include "uOstrelExecutor.h"
#include "uPlainControls.h"

#include <gtest/gtest.h>

#include <thread>

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

TEST_F(PagesTest, BrowseStartsAtTheNearestExistingFolderAndOkPutsTheChoiceIntoTheEdit)
{
    Open("[Spaces]\r\n1\t<INSTALL>\t1024\r\n");
    CreateDirectoryA((folder_ / "甲").c_str(), nullptr);
    CreateDirectoryA((folder_ / "乙").c_str(), nullptr);
    auto* page = CreatePage<TfmFolderSelect>(&main_);
    page->Show();
    page->EditFolder->SetCaption(folder_ / "甲\\not yet");
    TKvSelectFolderForm* form = nullptr;
    page->FolderDialog->OnInitialized = TKvFormEvent::FromFunction([&](TObject*, TKvSelectFolderForm* made) {
        form = made;
    });
    std::string shownFirst, title;
    TModalPlayer player([&] {
        if (form == nullptr || !IsWindowVisible(form->Handle()) || form->ShellTree->RootCount() == 0)
            return false;
        shownFirst = form->ShellTree->GetSelectedPathName();
        title = form->Caption();
        form->ShellTree->SetSelectedPathName(folder_ / "乙");
        form->btnOk->Click();
        return true;
    });
    page->btnBrowse->Click();
    EXPECT_EQ(folder_ / "甲", shownFirst);
    EXPECT_EQ(page->LabelFolder->Caption(), title);
    EXPECT_EQ(folder_ / "乙", page->EditFolder->Caption());
    char row[256] = {};
    SendMessageA(page->ListDrives->Handle(), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(row));
    EXPECT_EQ(0, std::string(row).find((folder_ / "乙").substr(0, 3))) << "the drive list follows the folder";
    page->Hide();
}

namespace {

// Page attachments as the user-interface block carries them: a dword length, then the bytes.
void Attach(TStream& stream, const std::string& bytes)
{
    auto length = static_cast<std::uint32_t>(bytes.size());
    unsigned char head[4] = {static_cast<unsigned char>(length), static_cast<unsigned char>(length >> 8),
                             static_cast<unsigned char>(length >> 16), static_cast<unsigned char>(length >> 24)};
    stream.WriteBuffer(head, sizeof head);
    stream.WriteBuffer(bytes.data(), bytes.size());
}

} // namespace

TEST_F(PagesTest, TheWelcomePictureAndTheReadmeBannerShowWhereTheRecordsSay)
{
    const TColor welcomeColor = RGB(30, 160, 60), bannerColor = RGB(40, 50, 210);
    TMemoryStream stream;
    Attach(stream, MakeBmp(20, 20, 24, welcomeColor, welcomeColor));
    Attach(stream, MakeBmp(30, 58, 24, bannerColor, bannerColor));
    Attach(stream, "readme text");
    stream.SetPosition(0);

    auto* welcome = CreatePage<TfmWelcome>(&main_);
    TStringList welcomeRecord;
    welcomeRecord.SetText("DIALOGID=WELCOME\r\nBITMAP=w.Bmp");
    welcome->LoadPage(&stream, &welcomeRecord);
    welcome->Show();
    EXPECT_EQ(welcomeColor, RepaintedPixel(welcome->Handle(), 5, 5));
    welcome->Hide();

    auto* readme = CreatePage<TfmReadme>(&main_);
    TStringList readmeRecord;
    readmeRecord.SetText("DIALOGID=README\r\nBANNER_IMAGE=b.bmp\r\nREADME=r.txt");
    readme->LoadPage(&stream, &readmeRecord);
    EXPECT_EQ("1", readmeRecord.Values("BANNER_ALIGNMENT")) << "an empty alignment is written back as right";
    readme->Show();
    HWND banner = readme->PanelTop->Handle();
    int left = readme->ImageBanner->Left();
    EXPECT_EQ(readme->PanelTop->Width(), left + readme->ImageBanner->Width()) << "aligned right";
    EXPECT_EQ(bannerColor, RepaintedPixel(banner, left + 3, 5));
    EXPECT_NE(bannerColor, RepaintedPixel(banner, 3, 5));
    EXPECT_EQ(stream.Size(), stream.Position()) << "the text after the banner was read as well";
    char text[64] = {};
    GetWindowTextA(readme->MemoText->Handle(), text, sizeof text);
    EXPECT_EQ("readme text", std::string(text));
    readme->Hide();
}

TEST_F(PagesTest, AnRtfLicenceShowsItsTextAndAnyOtherFileShowsAsItStands)
{
    struct Case {
        std::string file, bytes, shown;
    } cases[] = {{"l.RTF", "{\\rtf1 \\b Terms\\b0 .}", "Terms."}, {"l.txt", "{\\rtf1 Terms}", "{\\rtf1 Terms}"}};
    for (const Case& c : cases) {
        TMemoryStream stream;
        Attach(stream, c.bytes);
        stream.SetPosition(0);
        auto* licence = CreatePage<TfmLicence>(&main_);
        TStringList record;
        record.SetText("DIALOGID=LICENCE\r\nLICENCE=" + c.file);
        licence->LoadPage(&stream, &record);
        char text[64] = {};
        GetWindowTextA(licence->MemoText->Handle(), text, sizeof text);
        EXPECT_EQ(c.shown, std::string(text)) << c.file;
        EXPECT_TRUE(licence->MemoText->ReadOnly());
    }
}

TEST_F(PagesTest, AnUnknownPictureExtensionRaisesTheLanguageText)
{
    main_.LanguageList().Add("NotSupportedImageFormat=unsupported: %s");
    TMemoryStream stream;
    Attach(stream, MakeBmp(4, 4, 24, clRed, clRed));
    stream.SetPosition(0);
    auto* welcome = CreatePage<TfmWelcome>(&main_);
    TStringList record;
    record.SetText("DIALOGID=WELCOME\r\nBITMAP=w.jpeg");
    try {
        welcome->LoadPage(&stream, &record);
        ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ("unsupported: jpeg", error.Message());
    }
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

TEST_F(PagesTest, PackagesWhoseParentsRunInACircleAreDamagedData)
{
    Open("[Packages]\r\n1\t0\tMain\tTrue\t0\tTrue\tTrue\r\n2\t3\tA\tTrue\t0\tTrue\tTrue\r\n"
         "3\t2\tB\tTrue\t0\tTrue\tTrue\r\n");
    // The tree is built when the page is first shown, which its making does once.
    try {
        CreatePage<TfmOptionals>(&main_)->Show();
        ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(0u, error.Message().find("安装数据已损坏")) << error.Message();
    }
}

TEST_F(PagesTest, TheFolderPageSaysWhichDriveIsShortAndWhyAFolderCannotBeTaken)
{
    Open("[Spaces]\r\n1\t<INSTALL>\t1\r\n2\tC:\\\t1099511627776000\r\n");
    auto* page = CreatePage<TfmFolderSelect>(&main_);
    page->Show();
    struct Case {
        std::string folder;
        std::vector<std::string> said;
    } cases[] = {
        {"C:\\Product", {"C:\\", "需要", "可用"}},
        {"Product", {"Product", "完整路径"}},
        {"C:\\Pro|duct", {"C:\\Pro|duct", "字符"}},
        {"", {"请输入"}},
    };
    for (const Case& c : cases) {
        page->EditFolder->SetCaption(c.folder);
        std::string message;
        std::thread answerer([&] { message = WizardFixture::AnswerMessageBox(IDOK, GetCurrentProcessId()); });
        page->Next();
        answerer.join();
        for (const std::string& part : c.said)
            EXPECT_NE(std::string::npos, message.find(part)) << c.folder << ": " << message;
        EXPECT_EQ(nullptr, page->NextPage()) << "the page stays";
    }
    page->Hide();
}
