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
#include "uGlobal.h"
#include "KvButtonEdit.h"
#include "KvCheckTree.h"
#include "TBevel.h"

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

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <thread>

namespace {

// Allocations of a size in [failFrom, failTo] fail while the range is set: a
// picture too large for the memory that is left, without taking that memory.
std::atomic<size_t> failFrom{0}, failTo{0};

} // namespace

void* operator new(size_t size)
{
    if (failFrom != 0 && size >= failFrom && size <= failTo)
        throw std::bad_alloc();
    if (void* memory = HeapAlloc(GetProcessHeap(), 0, size != 0 ? size : 1))
        return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept
{
    if (memory != nullptr)
        HeapFree(GetProcessHeap(), 0, memory);
}
void operator delete(void* memory, size_t) noexcept { operator delete(memory); }

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

bool NearColour(TColor expected, TColor actual, int tolerance = 12)
{
    return std::abs(GetRValue(expected) - GetRValue(actual)) <= tolerance &&
           std::abs(GetGValue(expected) - GetGValue(actual)) <= tolerance &&
           std::abs(GetBValue(expected) - GetBValue(actual)) <= tolerance;
}

// The block's background layers: the flags, the colours and the pictures.
std::vector<std::string> BackgroundSettings(bool texture, int imageStyle)
{
    return {"XpStyle=False", "ShowBackGround=True", "ShowGradient=True",
            std::string("ShowTexture=") + (texture ? "True" : "False"),
            std::string("ShowImage=") + (imageStyle >= 0 ? "True" : "False"), "StartColor=$000000C8",
            "EndColor=$00C80000", "ImageStyle=" + std::to_string(imageStyle), "Texture=tile.bmp", "Image=image.bmp"};
}

} // namespace

TEST_F(UiBlockTest, TheMainFormShowsTheGradientTheTiledTextureAndTheImageInEachStyle)
{
    const TColor kTileLeft = RGB(250, 250, 0), kTileRight = RGB(0, 250, 250);
    const TColor kImageLeft = RGB(0, 160, 0), kImageRight = RGB(255, 255, 255);
    WriteWholeFile(folder_ / "tile.bmp", MakeBmp(10, 10, 24, kTileLeft, kTileRight));
    WriteWholeFile(folder_ / "image.bmp", MakeBmp(20, 10, 24, kImageLeft, kImageRight));
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    main_.Show();
    auto at = [&](int x, int y) { return static_cast<TColor>(RepaintedPixel(main_.Handle(), x, y)); };
    auto load = [&](bool texture, int imageStyle) {
        auto block = Block(BackgroundSettings(texture, imageStyle), {}, folder_.Path());
        main_.LoadUiStream(*block);
    };

    load(false, -1);
    EXPECT_TRUE(NearColour(RGB(200, 0, 0), at(width / 2, 0))) << std::hex << at(width / 2, 0);
    EXPECT_TRUE(NearColour(RGB(0, 0, 200), at(width / 2, height - 1))) << std::hex << at(width / 2, height - 1);

    load(true, -1);
    EXPECT_EQ(kTileLeft, at(2, 2));
    EXPECT_EQ(kTileRight, at(7, 2));
    EXPECT_EQ(kTileLeft, at(10 * 7 + 2, 10 * 5 + 2)) << "tiled across and down";

    load(false, 0); // centred over the gradient
    EXPECT_EQ(kImageLeft, at(width / 2 - 5, height / 2));
    EXPECT_EQ(kImageRight, at(width / 2 + 5, height / 2));
    EXPECT_TRUE(NearColour(RGB(200, 0, 0), at(width / 2, 0))) << "the gradient around it";

    load(false, 1); // stretched over the whole form
    EXPECT_EQ(kImageLeft, at(width / 4, 3));
    EXPECT_EQ(kImageRight, at(width * 3 / 4, height - 3));

    load(false, 2); // tiled
    EXPECT_EQ(kImageLeft, at(2, 2));
    EXPECT_EQ(kImageRight, at(15, 2));
    EXPECT_EQ(kImageLeft, at(20 * 3 + 2, 10 * 4 + 2));

    auto bad = Block(BackgroundSettings(false, 3), {}, folder_.Path());
    EXPECT_THROW(main_.LoadUiStream(*bad), Exception) << "an image style of no meaning";
    main_.Hide();
}

TEST_F(UiBlockTest, ACraftedMetafilePictureEndsReadingWithAClearError)
{
    for (const TCraftedMetafile& crafted : CraftedMetafiles()) {
        SCOPED_TRACE(crafted.name + " (" + crafted.extension + ")");
        std::string file = "crafted." + crafted.extension;
        WriteWholeFile(folder_ / file, crafted.bytes);
        std::vector<std::string> settings = Flags();
        settings.push_back("LeftImage=" + file);
        auto block = Block(settings, {}, folder_.Path());
        try {
            main_.LoadUiStream(*block);
            ADD_FAILURE() << "no error";
        } catch (const Exception& error) {
            EXPECT_NE(std::string::npos, error.Message().find("Metafile")) << error.Message();
        }
    }
}

TEST_F(UiBlockTest, StyleControlsSetsTheFramesOfTheCheckTreeAndTheButtonEdit)
{
    TForm form(nullptr);
    auto* tree = new TKvCheckTree(&form);
    tree->SetParent(&form);
    auto* edit = new TKvButtonEdit(&form);
    edit->SetParent(&form);
    edit->SetHideButtonsOnReadOnly(true);
    for (bool styled : {true, false}) {
        std::vector<std::string> settings = Flags();
        settings[0] = std::string("XpStyle=") + (styled ? "True" : "False");
        auto block = Block(settings, {});
        main_.LoadUiStream(*block);
        main_.StyleControls(&form);
        EXPECT_EQ(styled, tree->FrameVisible());
        EXPECT_EQ(styled, (GetWindowLongPtrA(tree->Handle(), GWL_STYLE) & WS_BORDER) != 0) << "the window's frame";
        EXPECT_EQ(styled, edit->FrameVisible());
        EXPECT_FALSE(edit->HideButtonsOnReadOnly());
        EXPECT_EQ(clBtnFace, edit->ReadOnlyColor());
    }
}

TEST_F(UiBlockTest, TheTopImagePagesDrawTheirBevelFromTheLogoToTheRightEdge)
{
    auto block = Block(Flags(), {});
    main_.LoadUiStream(*block);
    auto* page = CreatePage<TfmReadme>(&main_);
    ASSERT_NE(nullptr, page->Bevel1);
    EXPECT_EQ(page->LabelLogoTop->Left() + page->LabelLogoTop->Width() + 10, page->Bevel1->Left());
    EXPECT_EQ(page->Width() - page->Bevel1->Left() - 20, page->Bevel1->Width());
    EXPECT_EQ(page, page->Bevel1->Parent());
}

class PictureMemoryTest : public WizardFixture {};

// A picture whose copy cannot be had ends like damage: LoadUiStream raises
// EOutOfMemory, and the start-up road shows it on its error page.
TEST_F(PictureMemoryTest, AnAllocationFailureWhileLoadingAPictureEndsOnTheStartUpErrorPage)
{
    std::string picture = MakeBmp(400, 300, 24, RGB(1, 2, 3), RGB(4, 5, 6));
    WriteWholeFile(root_ / "top.bmp", picture);
    std::string setup =
        BuildSetup("[UiSettings]\r\nXpStyle=True\r\nShowBackGround=False\r\nShowGradient=True\r\nShowTexture=False\r\n"
                   "ShowImage=False\r\nStartColor=clBlue\r\nEndColor=$00000000\r\nTopImage=top.bmp\r\n"
                   "[Page]\r\nDIALOGID=WELCOME\r\n");
    TfmMain main(nullptr);
    main.Global->SetCommandLine("setup.exe /l:" + setup);
    failFrom = picture.size();
    failTo = picture.size() + 64; // the picture's own copies; the whole block is larger
    main.Start();
    failFrom = 0;
    TfmFinish* page = nullptr;
    for (int i = 0; i < main.ComponentCount() && page == nullptr; ++i) {
        auto* finish = dynamic_cast<TfmFinish*>(main.Components(i));
        if (finish != nullptr && finish->Visible())
            page = finish;
    }
    ASSERT_NE(nullptr, page) << "the error page is shown";
    EXPECT_EQ("安装由于错误被迫取消", page->LabelFinish->Caption());
    EXPECT_EQ("错误信息:\r\n内存不足", page->LabelText->Caption());
    page->Hide();
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
