// Edits, rich edits and button edits on a real form: their texts, the
// read-only and frame colours read back from their windows, and the button.
#include "KvButtonEdit.h"
#include "KvEdit.h"
#include "KvEditButton.h"
#include "KvRichEdit.h"
#include "PictureBytes.h"
#include "RepaintedPixel.h"
#include "TApplication.h"
#include "TForm.h"
#include "TMemoryStream.h"

#include <gtest/gtest.h>

namespace {

class Edits : public testing::Test {
protected:
    void SetUp() override
    {
        form.SetBorderStyle(TFormBorderStyle::bsNone);
        form.SetBounds(700, 300, 320, 200);
        form.SetColor(clBtnFace);
        form.Show();
        Application()->ProcessMessages();
    }
    template <typename Edit>
    Edit* Add(int top, int height)
    {
        auto* edit = new Edit(&form);
        edit->SetBounds(10, top, 200, height);
        edit->SetParent(&form);
        return edit;
    }
    TForm form{nullptr};
};

} // namespace

TEST_F(Edits, EditTextReachesTheWindowAndTypingTellsOfChanges)
{
    auto* edit = Add<TKvEdit>(10, 22);
    int changes = 0;
    edit->OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
    edit->SetText("C:\\Program Files\\视频");
    char text[64] = {};
    GetWindowTextA(edit->Handle(), text, sizeof(text));
    EXPECT_STREQ("C:\\Program Files\\视频", text);
    SendMessageA(edit->Handle(), EM_SETSEL, 0, -1);
    SendMessageA(edit->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("D:\\"));
    EXPECT_EQ("D:\\", edit->Text());
    EXPECT_GE(changes, 1);
    edit->SetMaxLength(4);
    SendMessageA(edit->Handle(), EM_SETSEL, 3, 3);
    SendMessageA(edit->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("abcdef"));
    EXPECT_EQ("D:\\a", edit->Text()) << "MaxLength stops the typing";
}

TEST_F(Edits, ReadOnlyEditsShowTheReadOnlyColour)
{
    struct Case {
        const char* name;
        TKvCustomEdit* edit;
    } cases[] = {{"edit", Add<TKvEdit>(10, 22)}, {"rich edit", Add<TKvRichEdit>(40, 60)},
                 {"button edit", Add<TKvButtonEdit>(110, 22)}};
    const TColor kEditable = RGB(255, 255, 240);
    const TColor kReadOnly = RGB(200, 220, 240);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.edit->SetColor(kEditable);
        c.edit->SetReadOnlyColor(kReadOnly);
        HWND window = c.edit->Handle();
        EXPECT_EQ(kEditable, RepaintedPixel(window, 100, 5));
        c.edit->SetReadOnly(true);
        EXPECT_EQ(kReadOnly, RepaintedPixel(window, 100, 5));
        EXPECT_TRUE(GetWindowLongPtrA(window, GWL_STYLE) & ES_READONLY);
        c.edit->SetReadOnlyColor(clBtnFace);
        EXPECT_EQ(ColorToRGB(clBtnFace), RepaintedPixel(window, 100, 5));
        c.edit->SetReadOnly(false);
        EXPECT_EQ(kEditable, RepaintedPixel(window, 100, 5));
    }
}

TEST_F(Edits, FrameVisibleSwapsTheSunkenEdgeForAFlatFrame)
{
    auto* edit = Add<TKvEdit>(10, 22);
    edit->SetText("kept");
    HWND window = edit->Handle();
    EXPECT_TRUE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    edit->SetFrameColor(RGB(255, 0, 0));
    edit->SetFrameVisible(true);
    EXPECT_EQ(window, edit->Handle()) << "the same window";
    EXPECT_FALSE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(RGB(255, 0, 0), RepaintedPixel(window, 0, 10, TPixelArea::WholeWindow));
    EXPECT_EQ(RGB(255, 0, 0), RepaintedPixel(window, 199, 21, TPixelArea::WholeWindow));
    EXPECT_EQ(198, edit->ClientWidth()) << "one pixel of frame on each side";
    EXPECT_EQ("kept", edit->Text());
    edit->SetFrameVisible(false);
    EXPECT_TRUE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(Edits, RichEditReadsPlainTextAndRtf)
{
    auto* rich = Add<TKvRichEdit>(10, 100);
    rich->SetPlainText(true);
    StreamOf plain("第一行\r\nsecond line");
    rich->LoadFromStream(plain);

    EXPECT_EQ("第一行\r\nsecond line", rich->Text());
    rich->SetText("直接 set");
    EXPECT_EQ("直接 set", rich->Text());

    rich->SetPlainText(false);
    StreamOf rtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Licence {\\b terms} apply.}");
    rich->LoadFromStream(rtf);
    EXPECT_EQ("Licence terms apply.", rich->Text());
    EXPECT_TRUE(GetWindowLongPtrA(rich->Handle(), GWL_STYLE) & ES_MULTILINE);
    EXPECT_FALSE(GetWindowLongPtrA(rich->Handle(), GWL_STYLE) & ES_AUTOHSCROLL) << "long lines wrap";
}

TEST_F(Edits, ButtonEditRaisesOnButtonClickAndHidesTheButtonWhenReadOnly)
{
    auto* edit = Add<TKvButtonEdit>(10, 22);
    // Styling code picks the settings by class, one-line edits first: a button edit must not pass for one.
    EXPECT_EQ(nullptr, dynamic_cast<TKvEdit*>(static_cast<TControl*>(edit)));
    int clicks = 0;
    edit->OnButtonClick = TNotifyEvent::FromFunction([&](TObject* sender) {
        EXPECT_EQ(edit, sender);
        ++clicks;
    });
    TKvEditButton* button = edit->Button();
    ASSERT_TRUE(button->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(button->Handle()));
    EXPECT_EQ(edit->ClientWidth(), button->Left() + button->Width()) << "at the right end";
    DWORD margins = static_cast<DWORD>(SendMessageA(edit->Handle(), EM_GETMARGINS, 0, 0));
    EXPECT_EQ(edit->ButtonWidth(), HIWORD(margins)) << "the text keeps clear of the button";

    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(1, clicks);

    edit->SetReadOnly(true);
    EXPECT_FALSE(IsWindowVisible(button->Handle()));
    edit->SetHideButtonsOnReadOnly(false);
    EXPECT_TRUE(IsWindowVisible(button->Handle()));
}
