// The user-interface block read by the main form, texts and their expansion,
// translation of a real page, and the finish page's restart item.
#include "UiBlockDescription.h"
#include "uFinish.h"
#include "uMain.h"
#include "uOstrelExecutor.h"
#include "KvComboBox.h"
#include "KvGroupBox.h"
#include "KvPageControl.h"
#include "KvRadChk.h"
#include "KvTabSheet.h"
#include "TForm.h"
#include "uPlainControls.h"
#include "uReboot.h"
#include "uLicence.h"
#include "uReadme.h"
#include "uWelcome.h"

#include "Exception.h"
#include "PictureBytes.h"
#include "RepaintedPixel.h"
#include "TBitmap.h"
#include "TImage.h"
#include "TJPEGImage.h"
#include "TMemoryStream.h"
#include "TStringList.h"
#include "TempFolder.h"
#include "WizardFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <atomic>
#include <thread>

namespace {

std::unique_ptr<TMemoryStream> Block(const std::vector<std::string>& settings, const std::vector<std::string>& language,
                    const std::string& baseFolder = std::string())
{
    TUiBlockDescription ui;
    ui.Settings = settings;
    ui.Language = language;
    std::string bytes = BuildUiBlock(ui, baseFolder);
    auto stream = std::make_unique<TMemoryStream>();
    stream->WriteBuffer(bytes.data(), bytes.size());
    return stream;
}

std::vector<std::string> Flags()
{
    return {"XpStyle=True", "ShowBackGround=False", "ShowGradient=False", "ShowTexture=False", "ShowImage=False",
            "StartColor=clBlue", "EndColor=$00FF00"};
}

const TColor kLeftColor = RGB(200, 30, 40);

int restarts = 0;
bool CountRestart(unsigned, unsigned long)
{
    ++restarts;
    return true;
}

} // namespace

class UiBlockTest : public testing::Test {
protected:
    UiBlockTest()
    {
        main_.OstrelExecutor->SetProductName("Product");
        main_.OstrelExecutor->SetVersion("1.0");
    }
    TfmMain main_{nullptr};
    TempFolder folder_;
};

TEST_F(UiBlockTest, WithoutALanguageTableTextsAreTheirDefaultsAndTheFontStays)
{
    std::string font = main_.Font()->Name();
    auto block = Block(Flags(), {});
    main_.LoadUiStream(*block);
    EXPECT_EQ(font, main_.Font()->Name());
    EXPECT_EQ("默认 <PRODUCT_NAME>", main_.GetLanguageText("Missing", "默认 <PRODUCT_NAME>"));
    EXPECT_EQ(1, main_.ImageAlign());
    EXPECT_EQ("True", main_.MacroList().Values("CHECK_UPDATE_VERSION"));
    EXPECT_EQ("Ostrel Installer", main_.LogoString());
    EXPECT_EQ(block->Size(), block->Position());
}

TEST_F(UiBlockTest, LanguageTextsExpandIntoLinesAndSetTheWizardFont)
{
    auto block = Block(Flags(), {"[FontName]=Tahoma", "[FontSize]=11", "Two=<PRODUCT_NAME>#13#10<VERSION>"});
    main_.LoadUiStream(*block);
    EXPECT_EQ("Product\r\n1.0", main_.GetLanguageText("two", "unused"));
    EXPECT_EQ("Tahoma", main_.Font()->Name());
    EXPECT_EQ(11, main_.FontSize());
    main_.OstrelExecutor->SetVersion("");
    main_.MacroList().SetValues("VERSION", "<NULL>");
    EXPECT_EQ("v.", main_.ExpandText("v<VERSION>."));
}

TEST_F(UiBlockTest, PicturesAreReadByTheirSettingsAndThePageBasesShowThem)
{
    WriteWholeFile(folder_ / "left.BMP", MakeBmp(8, 8, 24, kLeftColor, kLeftColor));
    WriteWholeFile(folder_ / "top.JPG", MakeJpeg(16, 8, clWhite, clWhite));
    std::vector<std::string> settings = Flags();
    settings.insert(settings.end(), {"LeftImage=left.BMP", "TopImage=top.JPG", "ImageAlign=0"});
    auto block = Block(settings, {}, folder_.Path());
    main_.LoadUiStream(*block);
    ASSERT_NE(nullptr, main_.LeftPicture());
    EXPECT_NE(nullptr, dynamic_cast<TBitmap*>(main_.LeftPicture()->Graphic()));
    ASSERT_NE(nullptr, main_.TopPicture());
    EXPECT_NE(nullptr, dynamic_cast<TJPEGImage*>(main_.TopPicture()->Graphic())) << "the extension is lower-cased";
    EXPECT_EQ(16, main_.TopPicture()->Width());
    EXPECT_EQ(0, main_.ImageAlign());

    auto* welcome = CreatePage<TfmWelcome>(&main_);
    welcome->LoadPage(nullptr, nullptr);
    welcome->Show();
    EXPECT_EQ(kLeftColor, RepaintedPixel(welcome->Handle(), 3, 3));
    welcome->Hide();

    auto* banner = CreatePage<TfmReadme>(&main_);
    banner->LoadPage(nullptr, nullptr);
    EXPECT_EQ(TAlign::alLeft, banner->ImageBanner->Align());
}

TEST_F(UiBlockTest, DamagedBlocksRaiseClearErrors)
{
    WriteWholeFile(folder_ / "t.jpeg", "x");
    struct Case {
        std::vector<std::string> settings;
        size_t cut; // bytes removed from the end
        std::string expected;
    } cases[] = {
        {{"XpStyle=perhaps"}, 0, "XpStyle"},
        {Flags(), 3, "damaged"},
        {[] { auto s = Flags(); s.push_back("Texture=t.jpeg"); return s; }(), 0, "不支持的图像格式"},
    };
    for (const Case& c : cases) {
        auto block = Block(c.settings, {}, folder_.Path());
        block->SetSize(block->Size() - static_cast<std::int64_t>(c.cut));
        try {
            main_.LoadUiStream(*block);
            ADD_FAILURE() << "no error for " << c.expected;
        } catch (const Exception& error) {
            EXPECT_NE(std::string::npos, error.Message().find(c.expected)) << error.Message();
        }
    }
}

TEST_F(UiBlockTest, TranslateFormUsesTheClassAndTheClassDotComponentKeys)
{
    auto block = Block(Flags(), {"TfmWelcome=Hello", "TfmWelcome.btnNext=Go on", "TfmWelcome.LabelTitle=Hi <PRODUCT_NAME>",
                                 "TfmLicence.rbAccept=I agree", "TfmLicence.actPrior=Back"});
    main_.LoadUiStream(*block);
    auto* page = CreatePage<TfmWelcome>(&main_);
    EXPECT_EQ("Go on", page->btnNext->Caption());
    EXPECT_EQ("Hi Product", page->LabelTitle->Caption());
    EXPECT_EQ("取消", page->btnCancel->Caption());
    EXPECT_EQ("Product 1.0", page->Caption());
    page->SetCaption("x");
    main_.TranslateForm(page);
    EXPECT_EQ("Hello", page->Caption());
    auto* licence = CreatePage<TfmLicence>(&main_);
    EXPECT_EQ("I agree", licence->rbAccept->Caption());
    EXPECT_EQ("Back", licence->btnBack->Caption()) << "through its action";
}

TEST_F(UiBlockTest, TranslateFormReachesPagesGroupBoxesAndComboBoxItems)
{
    auto block = Block(Flags(), {"TForm.Pages1=第一页", "TForm.Box=组", "TForm.Choice=甲#13#10乙#13#10<PRODUCT_NAME>"});
    main_.LoadUiStream(*block);
    TForm form(nullptr);
    auto* pages = new TKvPageControl(&form);
    pages->SetParent(&form);
    auto* first = new TKvTabSheet(&form);
    first->SetName("Pages1");
    first->SetCaption("one");
    first->SetPageControl(pages);
    auto* second = new TKvTabSheet(&form);
    second->SetName("Pages2");
    second->SetCaption("two");
    second->SetPageControl(pages);
    auto* box = new TKvGroupBox(&form);
    box->SetName("Box");
    box->SetCaption("box");
    auto* choice = new TKvComboBox(&form);
    choice->SetName("Choice");
    choice->Items()->Add("a");
    auto* untranslated = new TKvComboBox(&form);
    untranslated->SetName("Other");
    untranslated->Items()->Add("x");
    untranslated->Items()->Add("y");

    main_.TranslateForm(&form);
    EXPECT_EQ("第一页", first->Caption());
    EXPECT_EQ("two", second->Caption()) << "no key: the caption stays";
    EXPECT_EQ("组", box->Caption());
    ASSERT_EQ(3, choice->Items()->Count());
    EXPECT_EQ("甲", (*choice->Items())[0]);
    EXPECT_EQ("乙", (*choice->Items())[1]);
    EXPECT_EQ("Product", (*choice->Items())[2]);
    ASSERT_EQ(2, untranslated->Items()->Count()) << "the items joined and split again";
    EXPECT_EQ("y", (*untranslated->Items())[1]);
}

TEST_F(UiBlockTest, TheRestartItemRestartsWhenTickedAndAddsMinusTwoWhenNot)
{
    auto previous = uReboot::SetExitWindowsFunc(&CountRestart);
    for (bool ticked : {true, false}) {
        restarts = 0;
        main_.SkipList().Clear();
        main_.OstrelExecutor->SetRestartNeeded(true);
        auto* finish = CreatePage<TfmFinish>(&main_);
        TStringList record;
        record.Add("ISLAST=TRUE");
        finish->LoadPage(nullptr, &record);
        ASSERT_EQ(1u, finish->Items().size());
        TKvCustomGlyphButton* item = finish->Items()[0];
        EXPECT_EQ(-2, item->Tag());
        EXPECT_EQ(260, item->Top());
        EXPECT_TRUE(item->Checked());
        item->SetChecked(ticked);
        finish->Next();
        EXPECT_EQ(ticked ? 0 : 1, main_.SkipList().IndexOf("-2") >= 0 ? 1 : 0);
        EXPECT_EQ(ticked ? 1 : 0, restarts);
    }
    uReboot::SetExitWindowsFunc(previous);
}

TEST_F(UiBlockTest, WithoutARestartTheFinishPageAddsMinusTwoAndShowsOnlyChosenItems)
{
    main_.SkipList().Add("7");
    auto* finish = CreatePage<TfmFinish>(&main_);
    TStringList record;
    record.Add("Optionals=ID=1;;DisplayName=A;;Selected=Y;;Default=N;;package_id=7#13#10"
               "ID=2;;DisplayName=B;;Selected=Y;;Default=N;;DisplayType=1#13#10ID=3;;DisplayName=C;;Selected=y");
    finish->LoadPage(nullptr, &record);
    ASSERT_EQ(1u, finish->Items().size());
    EXPECT_EQ("B", finish->Items()[0]->Caption());
    EXPECT_NE(nullptr, dynamic_cast<TKvRadioButton*>(finish->Items()[0]));
    finish->Next();
    EXPECT_GE(main_.SkipList().IndexOf("2"), 0);
    EXPECT_GE(main_.SkipList().IndexOf("-2"), 0);
}

TEST_F(UiBlockTest, WithoutAFinishPageAPendingRestartIsAskedFirst)
{
    auto previous = uReboot::SetExitWindowsFunc(&CountRestart);
    for (int answer : {IDNO, IDYES}) {
        restarts = 0;
        main_.SkipList().Clear();
        main_.OstrelExecutor->SetRestartNeeded(true);
        auto* welcome = CreatePage<TfmWelcome>(&main_);
        TStringList record;
        record.Add("ISLAST=TRUE");
        welcome->LoadPage(nullptr, &record);
        std::string question;
        std::thread answerer([&] { question = WizardFixture::AnswerMessageBox(answer, GetCurrentProcessId()); });
        welcome->Next();
        answerer.join();
        EXPECT_EQ("需要重新启动才能完成安装，是否立即重启？", question);
        EXPECT_EQ(answer == IDYES ? 1 : 0, restarts);
    }
    uReboot::SetExitWindowsFunc(previous);
}

namespace {

// Answers every message box of this process with No while it runs, counting them.
class TBoxWatcher {
public:
    TBoxWatcher()
        : thread_([this] {
              while (!stop_) {
                  if (HWND box = WizardFixture::FindVisible("#32770", GetCurrentProcessId())) {
                      ++boxes_;
                      SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
                  }
                  Sleep(50);
              }
          })
    {
    }
    ~TBoxWatcher()
    {
        stop_ = true;
        thread_.join();
    }
    int Boxes() const { return boxes_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<int> boxes_{0};
    std::thread thread_;
};

} // namespace

TEST_F(UiBlockTest, OnlyARestartTheEngineNeedsIsDoneOrAskedAboutAndAnUntickedProjectItemPreventsIt)
{
    auto previous = uReboot::SetExitWindowsFunc(&CountRestart);
    // Closing the background (Alt+F4 on the welcome page) with no restart pending.
    {
        restarts = 0;
        main_.SkipList().Clear();
        main_.OstrelExecutor->SetRestartNeeded(false);
        TBoxWatcher watcher;
        main_.Close();
        EXPECT_EQ(0, watcher.Boxes()) << "a question without a restart pending";
        EXPECT_EQ(0, restarts);
    }
    // The finish page with the project's own restart item (ID -1).
    struct TCase {
        bool needed, ticked;
        int restarts;
    };
    for (TCase c : {TCase{true, false, 0}, TCase{true, true, 1}, TCase{false, true, 0}}) {
        SCOPED_TRACE(std::string(c.needed ? "needed" : "not needed") + (c.ticked ? ", ticked" : ", unticked"));
        restarts = 0;
        main_.SkipList().Clear();
        main_.OstrelExecutor->SetRestartNeeded(c.needed);
        auto* finish = CreatePage<TfmFinish>(&main_);
        TStringList record;
        record.Add("Optionals=ID=-1;;DisplayName=Restart;;Selected=Y;;Default=Y;;DisplayType=0");
        finish->LoadPage(nullptr, &record);
        ASSERT_EQ(1u, finish->Items().size()) << "the project's item stands in for the engine's";
        finish->Items()[0]->SetChecked(c.ticked);
        TBoxWatcher watcher;
        finish->Next();
        EXPECT_EQ(0, watcher.Boxes());
        EXPECT_EQ(c.restarts, restarts);
    }
    uReboot::SetExitWindowsFunc(previous);
}
