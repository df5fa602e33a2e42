// Tool buttons and status bars on a real form: pixels of the tool button as the
// pointer comes and goes, clicks through the form's mouse messages, and the
// status bar's parts and texts read back from the system control.
#include "KvCommon.h"
#include "KvStatusBar.h"
#include "KvToolButton.h"
#include "RepaintedPixel.h"
#include "TApplication.h"
#include "TBitmap.h"
#include "TCustomImageList.h"
#include "TForm.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

const TColor kFormColor = RGB(240, 250, 200);

std::string PartText(HWND bar, int part)
{
    char text[256] = {};
    SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
    return text;
}

class Bars : public testing::Test {
protected:
    void SetUp() override
    {
        form.SetBorderStyle(TFormBorderStyle::bsNone);
        form.SetBounds(40, 600, 320, 160);
        form.SetColor(kFormColor);
        form.Show();
        Application()->ProcessMessages();
    }
    TForm form{nullptr};
};

} // namespace

TEST_F(Bars, ToolButtonShowsTheParentUntilThePointerIsOverIt)
{
    auto* button = new TKvToolButton(&form);
    button->SetBounds(10, 10, 80, 24);
    button->SetCaption("");
    button->SetParent(&form);
    EXPECT_EQ(kFormColor, RepaintedPixel(form.Handle(), 40, 20));

    TColor frame, start, stop;
    KvCommon::SelectionColors(1, frame, start, stop);
    TControl::SetMouseControl(button);
    EXPECT_EQ(ColorToRGB(frame), RepaintedPixel(form.Handle(), 10, 20)) << "the hot button is framed";
    EXPECT_NE(kFormColor, RepaintedPixel(form.Handle(), 40, 20)) << "and filled";
    TControl::SetMouseControl(nullptr);
    EXPECT_EQ(kFormColor, RepaintedPixel(form.Handle(), 40, 20));

    button->SetDown(true);
    EXPECT_EQ(ColorToRGB(frame), RepaintedPixel(form.Handle(), 10, 20)) << "a down button stays framed";
}

TEST_F(Bars, ToolButtonClicksOnlyWhenEnabled)
{
    auto* button = new TKvToolButton(&form);
    button->SetBounds(10, 10, 80, 24);
    button->SetParent(&form);
    int clicks = 0;
    button->OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++clicks; });
    auto click = [&] {
        SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
        SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    };
    click();
    EXPECT_EQ(1, clicks);
    button->SetEnabled(false);
    click();
    EXPECT_EQ(1, clicks);
}

TEST_F(Bars, ToolButtonShowsItsImageAndItsDisabledImage)
{
    auto* images = new TImageList(&form);
    TBitmap strip(32, 16);
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(RECT{0, 0, 16, 16});
    strip.Canvas()->Brush()->SetColor(clLime);
    strip.Canvas()->FillRect(RECT{16, 0, 32, 16});
    images->AddMasked(&strip, clFuchsia);
    auto* button = new TKvToolButton(&form);
    button->SetBounds(10, 10, 120, 24);
    button->SetCaption("Create Folder");
    button->SetImages(images);
    button->SetImageIndex(0);
    button->SetDisabledIndex(1);
    button->SetParent(&form);
    // The image's middle: 4 pixels in, centred in the height.
    EXPECT_EQ(clRed, RepaintedPixel(form.Handle(), 10 + 4 + 8, 10 + 12));
    button->SetEnabled(false);
    EXPECT_EQ(clLime, RepaintedPixel(form.Handle(), 10 + 4 + 8, 10 + 12));
    delete images;
    EXPECT_EQ(nullptr, button->Images()) << "the list's end is noticed";
    EXPECT_EQ(kFormColor, RepaintedPixel(form.Handle(), 10 + 4 + 8, 10 + 12));
}

TEST_F(Bars, StatusBarShowsItsPanelsOrOneSimpleText)
{
    auto* bar = new TKvStatusBar(&form);
    bar->SetParent(&form);
    TKvStatusPanel* first = bar->AddPanel();
    first->SetWidth(100);
    first->SetText("就绪");
    TKvStatusPanel* second = bar->AddPanel();
    second->SetText("C:\\Program Files");
    Application()->ProcessMessages();

    EXPECT_EQ(form.ClientHeight() - 19, bar->Top()) << "aligned to the bottom";
    EXPECT_EQ(form.ClientWidth(), bar->Width());
    HWND window = bar->Handle();
    int edges[4] = {};
    ASSERT_EQ(2, SendMessageA(window, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)));
    EXPECT_EQ(100, edges[0]);
    EXPECT_EQ("就绪", PartText(window, 0));
    EXPECT_EQ("C:\\Program Files", PartText(window, 1));

    second->SetText("D:\\");
    EXPECT_EQ("D:\\", PartText(window, 1));

    bar->SetSimplePanel(true);
    bar->SetSimpleText("one text");
    EXPECT_TRUE(SendMessageA(window, SB_ISSIMPLE, 0, 0));
    // In simple mode the bar answers for its one part as part 0.
    EXPECT_EQ("one text", PartText(window, 0));
}
