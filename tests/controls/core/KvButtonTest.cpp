// Push buttons on a shown form: the face paintings read back from the windows,
// groups that release each other, the mouse and the dialog keys.
#include "KvButton.h"
#include "KvCommon.h"
#include "KvThemeSrv.h"
#include "KvUxTheme.h"
#include "TApplication.h"
#include "TBitmap.h"
#include "TForm.h"
#include "TTimer.h"
#include "VisualFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace KvCommon;

namespace {

const TColor kParent = RGB(180, 200, 220);

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// A control that takes the focus and paints nothing of its own.
class FocusTaker : public TCustomControl {
public:
    explicit FocusTaker(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
};

// A container of its own for buttons.
class Holder : public TCustomControl {
public:
    explicit Holder(TComponent* owner) : TCustomControl(owner)
    {
        SetControlStyle(ControlStyle() + csAcceptsControls);
    }
};

class ButtonForm : public testing::Test {
protected:
    void SetUp() override
    {
        ParkPointer();
        form = new TForm(nullptr);
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(30, 30, 400, 200);
        form->SetColor(kParent);
        other = new FocusTaker(form);
        other->SetBounds(380, 180, 10, 10);
        other->SetParent(form);
    }
    void TearDown() override
    {
        delete form;
        ParkPointer();
    }
    // The pointer waits in a corner where no test puts a window.
    static void ParkPointer() { SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1); }

    TKvButton* Add(int left, int top, TWinControl* parent = nullptr)
    {
        auto* button = new TKvButton(form);
        button->SetLeft(left);
        button->SetTop(top);
        button->SetParent(parent != nullptr ? parent : form);
        return button;
    }
    // A container of its own below the buttons' row, for buttons on another parent.
    Holder* AddHolder()
    {
        auto* holder = new Holder(form);
        holder->SetBounds(10, 60, 200, 40);
        holder->SetParent(form);
        return holder;
    }
    void ShowForm()
    {
        form->Show();
        other->SetFocus();
        Application()->ProcessMessages();
    }
    static TColor PixelOf(TKvButton* button, int x, int y) { return WindowPixel(button->Handle(), x, y); }
    static void Press(TKvButton* button, int x = 10, int y = 10)
    {
        SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ::At(x, y));
        SendMessageA(button->Handle(), WM_LBUTTONUP, 0, ::At(x, y));
    }

    TForm* form = nullptr;
    FocusTaker* other = nullptr;
};

} // namespace

TEST_F(ButtonForm, NewButtonHasTheDesignedDefaults)
{
    TKvButton* button = Add(0, 0);
    EXPECT_EQ(75, button->Width());
    EXPECT_EQ(25, button->Height());
    EXPECT_EQ(clBtnFace, button->Color());
    EXPECT_EQ(cl3DDkShadow, button->FrameColor());
    EXPECT_EQ(static_cast<TColor>(0x149BF0), button->HotTrackColor());
    EXPECT_TRUE(button->TabStop());
    EXPECT_TRUE(button->ShowFocusRect());
    EXPECT_TRUE(button->ShowDownPattern());
    EXPECT_TRUE(button->DropDownOnEnter());
    EXPECT_EQ(TAlignment::taCenter, button->Alignment());
    EXPECT_EQ(2, button->TextShadowDepth());
}

TEST_F(ButtonForm, ClassicFaceShowsTheBorderAndTheDefaultOutline)
{
    TKvButton* plain = Add(10, 10);
    TKvButton* colored = Add(100, 10);
    colored->SetColor(RGB(90, 140, 200));
    TKvButton* def = Add(190, 10);
    def->SetDefault(true);
    ShowForm();

    EXPECT_EQ(ColorToRGB(clBtnHighlight), PixelOf(plain, 0, 0));
    EXPECT_EQ(ColorToRGB(cl3DLight), PixelOf(plain, 1, 1));
    EXPECT_EQ(ColorToRGB(clBtnShadow), PixelOf(plain, 73, 23));
    EXPECT_EQ(ColorToRGB(cl3DDkShadow), PixelOf(plain, 74, 24));
    EXPECT_EQ(ColorToRGB(clBtnFace), PixelOf(plain, 6, 3));

    EXPECT_EQ(LightenColor(RGB(90, 140, 200), 100), PixelOf(colored, 0, 0));
    EXPECT_EQ(DarkenColor(RGB(90, 140, 200), 120), PixelOf(colored, 74, 24));
    EXPECT_EQ(RGB(90, 140, 200), PixelOf(colored, 6, 3));

    ASSERT_TRUE(def->IsActive()) << "nothing else is a button: the default acts";
    EXPECT_EQ(ColorToRGB(clWindowFrame), PixelOf(def, 0, 0));
    EXPECT_EQ(ColorToRGB(clBtnHighlight), PixelOf(def, 1, 1));
}

TEST_F(ButtonForm, HotTrackFaceFollowsThePointerAndTheDefault)
{
    const TColor face = RGB(230, 220, 200);
    TKvButton* button = Add(10, 10);
    button->SetHotTrack(true);
    button->SetColor(face);
    TKvButton* def = Add(100, 10);
    def->SetHotTrack(true);
    def->SetDefault(true);
    ShowForm();

    EXPECT_TRUE(button->Transparent());
    EXPECT_EQ(kParent, PixelOf(button, 0, 0)) << "the rounded corner shows the parent";
    EXPECT_EQ(DarkenColor(kParent, 20), PixelOf(button, 0, 10));
    EXPECT_EQ(DarkenColor(kParent, 20), PixelOf(button, 1, 1));
    EXPECT_EQ(LightenColor(kParent, 20), PixelOf(button, 74, 10));
    EXPECT_EQ(LightenColor(kParent, 20), PixelOf(button, 73, 23));
    EXPECT_EQ(ColorToRGB(cl3DDkShadow), PixelOf(button, 1, 10));
    EXPECT_EQ(DarkenColor(face, 10), PixelOf(button, 10, 2)) << "the gradient starts darker";
    EXPECT_EQ(DarkenColor(face, 20), PixelOf(button, 10, 21));
    EXPECT_EQ(DarkenColor(face, 30), PixelOf(button, 10, 22));

    // The pointer over it draws the highlight box in the hot-track colours.
    POINT screen = button->ClientToScreen(POINT{20, 12});
    SetCursorPos(screen.x, screen.y);
    SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, ::At(20, 12));
    ASSERT_TRUE(button->MouseOver());
    EXPECT_EQ(static_cast<TColor>(0x149BF0), PixelOf(button, 2, 10));
    EXPECT_EQ(MixColors(clWhite, 0x149BF0, 190), PixelOf(button, 3, 10));
    button->SetHotTrackColorType(TKvHotTrackColorType::htctComplement);
    TColor inner = OppositeHueColor(0x149BF0, 180);
    EXPECT_EQ(DarkenColor(inner, 30), PixelOf(button, 2, 10));
    EXPECT_EQ(inner, PixelOf(button, 3, 10));

    // The active default button carries its own box.
    TColor base = ColorsHardToTell(clHighlight, clBtnFace) ? DarkenColor(clHighlight, 30) : ColorToRGB(clHighlight);
    TColor light = LightenColor(clBtnFace, 30);
    EXPECT_EQ(MixColors(base, light, 160), PixelOf(def, 2, 10));
    EXPECT_EQ(MixColors(base, light, 60), PixelOf(def, 3, 10));

    // Disabled: a lighter inner frame, the outer ring left to the parent.
    def->SetEnabled(false);
    EXPECT_EQ(LightenColor(clBtnShadow, 30), PixelOf(def, 1, 10));
    EXPECT_EQ(kParent, PixelOf(def, 0, 10));
    EXPECT_EQ(ColorToRGB(clBtnFace), PixelOf(def, 5, 10));
}

TEST_F(ButtonForm, DownPatternCoversAButtonHeldDownInAGroup)
{
    TKvButton* button = Add(10, 10);
    button->SetGroupIndex(1);
    button->SetDown(true);
    TKvButton* silver = Add(100, 10);
    silver->SetColor(clSilver);
    silver->SetGroupIndex(2);
    silver->SetDown(true);
    ShowForm();

    EXPECT_EQ(ColorToRGB(clBtnShadow), PixelOf(button, 0, 0)) << "held down: lowered";
    EXPECT_EQ(ColorToRGB(cl3DDkShadow), PixelOf(button, 1, 1));
    for (int x = 6; x < 10; ++x) {
        EXPECT_EQ(ColorToRGB(clSilver), PixelOf(button, x, x)) << x;
        EXPECT_EQ(ColorToRGB(clBtnFace), PixelOf(button, x, x + 1)) << x;
        EXPECT_EQ(ColorToRGB(clGray), PixelOf(silver, x, x));
        EXPECT_EQ(ColorToRGB(clSilver), PixelOf(silver, x, x + 1));
    }
    button->SetShowDownPattern(false);
    EXPECT_EQ(ColorToRGB(clBtnFace), PixelOf(button, 6, 6));
}

TEST_F(ButtonForm, DisabledCaptionIsGrayWithoutStyleCopies)
{
    TKvButton* button = Add(10, 10);
    button->SetWidth(120);
    button->SetHeight(40);
    // Strokes wide enough to have solid pixels inside their smoothed edges.
    button->Font()->SetHeight(-28);
    button->Font()->SetStyle({fsBold});
    button->SetCaption("WWW");
    button->SetTextStyle(TTextStyle::tsRaised);
    ShowForm();
    auto count = [&](TColor color) {
        int found = 0;
        for (int y = 5; y < 35; ++y)
            for (int x = 5; x < 115; ++x)
                found += PixelOf(button, x, y) == ColorToRGB(color) ? 1 : 0;
        return found;
    };
    EXPECT_GT(count(clBtnHighlight), 0) << "raised text has a highlight copy";
    button->SetEnabled(false);
    UpdateWindow(button->Handle());
    EXPECT_GT(count(clGrayText), 0);
    EXPECT_EQ(0, count(clBtnHighlight));
}

TEST_F(ButtonForm, TextStylesDrawTheirCopiesInTheirColours)
{
    struct Case {
        TTextStyle style;
        bool light;
        bool highlightCopy;
        bool shadowCopy;
    } cases[] = {
        {TTextStyle::tsNormal, false, false, false},  {TTextStyle::tsRaised, false, true, true},
        {TTextStyle::tsRaised, true, true, false},    {TTextStyle::tsRecessed, false, true, true},
        {TTextStyle::tsRecessed, true, true, false},  {TTextStyle::tsShadow, false, false, true},
    };
    TKvButton* button = Add(10, 10);
    button->SetBounds(10, 10, 160, 50);
    button->Font()->SetHeight(-32);
    button->Font()->SetStyle({fsBold});
    button->Font()->SetColor(clBlack);
    button->SetCaption("HH");
    button->SetTextHighlightColor(clRed);
    button->SetTextShadowColor(clBlue);
    ShowForm();
    // Smoothed edges blend a copy with the text and the face, so a copy shows as
    // pixels of its hue rather than of its exact colour.
    auto shows = [&](TColor color) {
        for (int y = 5; y < 45; ++y)
            for (int x = 5; x < 155; ++x) {
                TColor pixel = PixelOf(button, x, y);
                int r = GetRValue(pixel), g = GetGValue(pixel), b = GetBValue(pixel);
                if (color == clRed ? r - std::max(g, b) > 80 : b - std::max(r, g) > 80)
                    return true;
            }
        return false;
    };
    for (const Case& c : cases) {
        button->SetTextStyle(c.style);
        button->SetLightTextStyle(c.light);
        EXPECT_EQ(c.highlightCopy, shows(clRed)) << static_cast<int>(c.style) << " light " << c.light;
        EXPECT_EQ(c.shadowCopy, shows(clBlue)) << static_cast<int>(c.style) << " light " << c.light;
    }
}

TEST_F(ButtonForm, FocusOutlineOnlyWhileFocusedAndWanted)
{
    TKvButton* button = Add(10, 10);
    ShowForm();
    auto outlined = [&] {
        for (int x = 10; x < 14; ++x)
            if (PixelOf(button, x, 4) != ColorToRGB(clBtnFace))
                return true;
        return false;
    };
    EXPECT_FALSE(outlined());
    button->SetFocus();
    ASSERT_TRUE(button->Focused());
    EXPECT_TRUE(outlined());
    button->SetShowFocusRect(false);
    EXPECT_FALSE(outlined());
}

TEST_F(ButtonForm, ThemedFaceIsTheThemesPushButtonInEachState)
{
    KvThemeSrv::SetCommonControlsVersionOverride(0x00060000);
    KvThemeSrv::SharedThemeServices()->RefreshThemeState();
    struct Restore {
        ~Restore()
        {
            KvThemeSrv::SetCommonControlsVersionOverride(0);
            KvThemeSrv::SharedThemeServices()->RefreshThemeState();
        }
    } restore;
    ASSERT_TRUE(KvThemeSrv::SharedThemeServices()->PaintsThemed());

    TKvButton* button = Add(10, 10);
    TKvButton* def = Add(100, 10);
    def->SetDefault(true);
    TKvButton* disabled = Add(190, 10);
    disabled->SetEnabled(false);
    ShowForm();

    auto expected = [](KvThemeSrv::TThemedButton element, int x, int y) {
        TBitmap picture(75, 25);
        picture.Canvas()->Brush()->SetColor(kParent);
        picture.Canvas()->FillRect(RECT{0, 0, 75, 25});
        RECT r = {0, 0, 75, 25};
        KvThemeSrv::SharedThemeServices()->PaintPart(picture.Canvas()->Handle(),
                                                     KvThemeSrv::TThemeServices::ButtonPart(element), r);
        return picture.Canvas()->Pixel(x, y);
    };
    for (int x : {3, 20, 37}) {
        EXPECT_EQ(expected(KvThemeSrv::tbPushButtonNormal, x, 12), PixelOf(button, x, 12)) << x;
        EXPECT_EQ(expected(KvThemeSrv::tbPushButtonDefaulted, x, 12), PixelOf(def, x, 12)) << x;
        EXPECT_EQ(expected(KvThemeSrv::tbPushButtonDisabled, x, 12), PixelOf(disabled, x, 12)) << x;
    }
    POINT over = button->ClientToScreen(POINT{20, 12});
    SetCursorPos(over.x, over.y);
    SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, ::At(20, 12));
    ASSERT_TRUE(button->MouseOver());
    EXPECT_EQ(expected(KvThemeSrv::tbPushButtonHot, 20, 12), PixelOf(button, 20, 12));
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ::At(10, 10));
    ASSERT_TRUE(button->IsPressed());
    EXPECT_EQ(expected(KvThemeSrv::tbPushButtonPressed, 20, 12), PixelOf(button, 20, 12));
    EXPECT_NE(expected(KvThemeSrv::tbPushButtonNormal, 20, 12), expected(KvThemeSrv::tbPushButtonPressed, 20, 12))
        << "the theme tells the states apart";
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, ::At(10, 10));
}

TEST_F(ButtonForm, GroupedButtonsReleaseEachOtherOnOneParentOnly)
{
    TKvButton* a = Add(10, 10);
    TKvButton* b = Add(100, 10);
    TKvButton* otherGroup = Add(190, 10);
    TKvButton* elsewhere = Add(0, 0, AddHolder());
    for (TKvButton* button : {a, b})
        button->SetGroupIndex(1);
    otherGroup->SetGroupIndex(2);
    elsewhere->SetGroupIndex(1);
    otherGroup->SetDown(true);
    elsewhere->SetDown(true);
    ShowForm();

    int clicks = 0;
    b->OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++clicks; });
    Press(a);
    EXPECT_TRUE(a->Down());
    Press(b);
    EXPECT_EQ(1, clicks);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down()) << "the group's other button went up";
    EXPECT_TRUE(otherGroup->Down());
    EXPECT_TRUE(elsewhere->Down()) << "a button on another parent is untouched";

    Press(b);
    EXPECT_TRUE(b->Down()) << "a down button does not release itself";
    b->SetDown(false);
    EXPECT_TRUE(b->Down());

    a->SetAllowAllUp(true);
    EXPECT_TRUE(b->AllowAllUp()) << "the group shares AllowAllUp";
    Press(b);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(a->Down());

    TKvButton* loose = Add(280, 10);
    loose->SetDown(true);
    EXPECT_FALSE(loose->Down()) << "without a group a button never stays down";
}

TEST_F(ButtonForm, MouseReleasedOutsideDoesNotClick)
{
    TKvButton* button = Add(10, 10);
    ShowForm();
    int clicks = 0;
    button->OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++clicks; });

    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ::At(10, 10));
    ASSERT_TRUE(button->Focused());
    EXPECT_TRUE(button->PressedLook());
    EXPECT_EQ(ColorToRGB(cl3DDkShadow), PixelOf(button, 0, 0)) << "sunken";
    SendMessageA(button->Handle(), WM_MOUSEMOVE, MK_LBUTTON, ::At(200, 10));
    EXPECT_FALSE(button->PressedLook());
    EXPECT_EQ(ColorToRGB(clWindowFrame), PixelOf(button, 0, 0)) << "up again, outlined as focused";
    SendMessageA(button->Handle(), WM_MOUSEMOVE, MK_LBUTTON, ::At(12, 12));
    EXPECT_TRUE(button->PressedLook());
    EXPECT_EQ(ColorToRGB(cl3DDkShadow), PixelOf(button, 0, 0)) << "pressed again";
    SendMessageA(button->Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(-5, 12));
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, At(-5, 12));
    EXPECT_EQ(0, clicks);
    EXPECT_FALSE(button->PressedLook());

    Press(button);
    EXPECT_EQ(1, clicks);
    SendMessageA(button->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(button->PressedLook());
    SendMessageA(button->Handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(2, clicks) << "the space bar clicks on release";
}

TEST_F(ButtonForm, RealMouseClickAndHoverReachTheButton)
{
    TKvButton* button = Add(10, 10);
    button->SetHotTrack(true);
    ShowForm();
    int clicks = 0;
    button->OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++clicks; });

    POINT inside = button->ClientToScreen(POINT{30, 12});
    SetCursorPos(inside.x, inside.y);
    ASSERT_TRUE(RunMessagesUntil([&] { return button->MouseOver(); })) << "the pointer came";
    EXPECT_EQ(static_cast<TColor>(0x149BF0), PixelOf(button, 2, 10)) << "hot-track box";

    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ASSERT_TRUE(RunMessagesUntil([&] { return button->PressedLook(); }));
    EXPECT_EQ(DarkenColor(clBtnFace, 10), PixelOf(button, 10, 10)) << "pressed face";
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    EXPECT_TRUE(RunMessagesUntil([&] { return clicks == 1; }));

    POINT away = form->ClientToScreen(POINT{300, 150});
    SetCursorPos(away.x, away.y);
    EXPECT_TRUE(RunMessagesUntil([&] { return !button->MouseOver(); })) << "the pointer left";
}

TEST_F(ButtonForm, EnterAndEscReachTheDefaultAndCancelButtonsOfAModalForm)
{
    TKvButton* ok = Add(10, 10);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    TKvButton* cancel = Add(100, 10);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    TKvButton* apply = Add(190, 10);
    apply->SetCaption("&Apply");
    int applied = 0;
    apply->OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++applied; });
    form->SetActiveControl(other);

    // Shows the form modal and types a key into its focused control; gives up
    // (mrAbort) when nothing ends the loop within a generous bound.
    auto runWithKey = [&](UINT msg, WPARAM key) {
        TTimer timer(nullptr);
        timer.SetInterval(30);
        DWORD start = GetTickCount();
        bool typed = false;
        timer.OnTimer = TNotifyEvent::FromFunction([&](TObject*) {
            if (!typed) {
                HWND focus = GetFocus();
                if (focus == nullptr && form->ActiveControl() != nullptr)
                    focus = form->ActiveControl()->Handle();
                PostMessageA(focus, msg, key, 0);
                typed = true;
            } else if (GetTickCount() - start > 30000) {
                form->SetModalResult(mrAbort);
            }
        });
        return form->ShowModal();
    };
    EXPECT_EQ(mrOk, runWithKey(WM_KEYDOWN, VK_RETURN));
    EXPECT_EQ(mrCancel, runWithKey(WM_KEYDOWN, VK_ESCAPE));

    // A button with the focus acts as the default itself.
    form->SetActiveControl(cancel);
    EXPECT_EQ(mrCancel, runWithKey(WM_KEYDOWN, VK_RETURN));

    form->SetActiveControl(other);
    form->Show();
    other->SetFocus();
    SendMessageA(other->Handle(), WM_SYSCHAR, 'a', 0);
    EXPECT_EQ(1, applied) << "the caption's accelerator clicks";
}

namespace {
// Records whether its click came from Enter without the drop-down.
class DropDownButton : public TKvButton {
public:
    using TKvButton::TKvButton;
    std::vector<bool> withoutDropDown;
    void Click() override
    {
        withoutDropDown.push_back(ClickFromKeyWithoutDropDown());
        TKvButton::Click();
    }
};
} // namespace

TEST_F(ButtonForm, EnterTellsSubclassesWhetherToDropDown)
{
    auto* button = new DropDownButton(form);
    button->SetParent(form);
    button->SetDefault(true);
    ShowForm();
    SendMessageA(other->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    button->SetDropDownOnEnter(false);
    SendMessageA(other->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    Press(button);
    EXPECT_EQ((std::vector<bool>{false, true, false}), button->withoutDropDown);
}

TEST_F(ButtonForm, FocusedButtonTakesOverAsTheDefault)
{
    TKvButton* def = Add(10, 10);
    def->SetDefault(true);
    TKvButton* second = Add(100, 10);
    ShowForm();
    EXPECT_TRUE(def->IsActive());
    second->SetFocus();
    EXPECT_FALSE(def->IsActive());
    EXPECT_TRUE(second->IsActive());
    other->SetFocus();
    EXPECT_TRUE(def->IsActive());
    EXPECT_FALSE(second->IsActive());
    def->SetDefault(false);
    EXPECT_FALSE(def->IsActive());
}

TEST_F(ButtonForm, AGroupMessageFromOutsideTheParentIsIgnored)
{
    TKvButton* a = Add(10, 10);
    TKvButton* b = Add(100, 10);
    TKvButton* elsewhere = Add(0, 0, AddHolder());
    for (TKvButton* button : {a, b, elsewhere})
        button->SetGroupIndex(7);
    a->SetDown(true);
    elsewhere->SetDown(true);
    ShowForm();

    // Any program on the desktop can send the group message with any values.
    SendMessageA(a->Handle(), CM_KVBUTTONPRESSED, 7, 0x10);
    SendMessageA(a->Handle(), CM_KVBUTTONPRESSED, 7, reinterpret_cast<LPARAM>(form));
    // A real button of the same group that is not one of the parent's controls.
    SendMessageA(a->Handle(), CM_KVBUTTONPRESSED, 7, reinterpret_cast<LPARAM>(static_cast<TObject*>(elsewhere)));
    EXPECT_TRUE(a->Down());

    // The group still works among the parent's own buttons.
    Press(b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
}

namespace {
// Ways a press can lose the mouse before its release comes.
enum class Interruption { MessageBox, CaptureTaken, CancelMode };
} // namespace

TEST_F(ButtonForm, AnInterruptedPressLeavesNoStaleState)
{
    TKvButton* button = Add(10, 10);
    ShowForm();
    int clicks = 0;
    button->OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++clicks; });
    Application()->SetTitle("Button test");

    for (Interruption interruption : {Interruption::MessageBox, Interruption::CaptureTaken, Interruption::CancelMode}) {
        SCOPED_TRACE(static_cast<int>(interruption));
        button->SetFocus();
        SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ::At(10, 10));
        ASSERT_TRUE(button->PressedLook());
        ASSERT_EQ(button->Handle(), GetCapture());
        switch (interruption) {
        case Interruption::MessageBox: {
            MessageBoxAnswerer answerer("Button test", IDOK);
            Application()->MessageBox("Interrupting", "Button test");
            EXPECT_TRUE(answerer.Answered());
            break;
        }
        case Interruption::CaptureTaken:
            SetCapture(other->Handle());
            ReleaseCapture();
            break;
        case Interruption::CancelMode:
            SendMessageA(button->Handle(), WM_CANCELMODE, 0, 0);
            break;
        }
        EXPECT_FALSE(button->PressedLook());

        // Later the pointer passes over the button and a right click lands on it.
        SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, ::At(20, 12));
        EXPECT_FALSE(button->PressedLook()) << "hover does not show it pressed";
        EXPECT_EQ(ColorToRGB(clBtnHighlight), PixelOf(button, 1, 1)) << "raised, not sunken";
        SendMessageA(button->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, ::At(20, 12));
        SendMessageA(button->Handle(), WM_RBUTTONUP, 0, ::At(20, 12));
        EXPECT_EQ(0, clicks) << "a right click does not click";

        // A new press takes the mouse again and clicks as usual.
        SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ::At(10, 10));
        EXPECT_EQ(button->Handle(), GetCapture());
        SendMessageA(button->Handle(), WM_LBUTTONUP, 0, ::At(10, 10));
        EXPECT_EQ(1, clicks);
        clicks = 0;
    }
}

TEST_F(ButtonForm, KeysClickAGroupedButtonWithoutToggling)
{
    TKvButton* button = Add(10, 10);
    button->SetCaption("&Go");
    button->SetGroupIndex(3);
    button->SetAllowAllUp(true);
    button->SetDefault(true);
    TKvButton* escape = Add(100, 10);
    escape->SetGroupIndex(4);
    escape->SetAllowAllUp(true);
    escape->SetCancel(true);
    ShowForm();
    int clicks = 0;
    button->OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++clicks; });
    escape->OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++clicks; });

    SendMessageA(other->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(other->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(other->Handle(), WM_SYSCHAR, 'g', 0);
    EXPECT_EQ(3, clicks);
    EXPECT_FALSE(button->Down()) << "Enter and the accelerator only click";
    EXPECT_FALSE(escape->Down()) << "Esc only clicks";
    Press(button);
    EXPECT_TRUE(button->Down()) << "a press toggles";
}
