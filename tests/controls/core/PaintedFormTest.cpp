// A form of custom controls shown on the display that paint through the canvas,
// the theme services and the gradient fill; their pixels are read back from the
// windows.
#include "KvCommon.h"
#include "KvGrafx.h"
#include "KvThemeSrv.h"
#include "KvUxTheme.h"
#include "OwnedDC.h"
#include "TApplication.h"
#include "TBitmap.h"
#include "TCustomControl.h"
#include "TForm.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace KvThemeSrv;

namespace {

const TColor kTop = RGB(200, 30, 30);
const TColor kBottom = RGB(20, 40, 220);

// Fills itself with a top-to-bottom gradient.
class GradientPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override
    {
        KvGrafx::GradientFillRect(Canvas(), ClientRect(), KvGrafx::gdHorizontalEnd, kTop, kBottom, 1);
    }
};

// A push button face: themed when the services say so, classic otherwise. It
// repaints when the theme changes.
class FaceControl : public TCustomControl {
public:
    explicit FaceControl(TComponent* owner) : TCustomControl(owner)
    {
        SharedThemeServices()->OnThemeChange = TNotifyEvent(this, &FaceControl::ThemeChanged);
    }
    ~FaceControl() override { SharedThemeServices()->OnThemeChange = TNotifyEvent(); }
    void ThemeChanged(TObject*) { Invalidate(); }
    bool paintedThemed = false;

protected:
    void Paint() override
    {
        RECT r = ClientRect();
        TThemeServices* services = SharedThemeServices();
        paintedThemed = services->PaintsThemed();
        if (paintedThemed) {
            services->PaintParentUnder(Handle(), Canvas()->Handle(), nullptr, false, &r);
            services->PaintPart(Canvas()->Handle(), TThemeServices::ButtonPart(tbPushButtonNormal), r);
        } else {
            DrawFrameControl(Canvas()->Handle(), &r, DFC_BUTTON, DFCS_BUTTONPUSH);
        }
    }
};

// Lets its parent's picture show through: erasing paints what lies behind it.
class SeeThroughControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Dispatch(TMessage& message) override
    {
        if (message.Msg == WM_ERASEBKGND) {
            KvGrafx::PaintParentBehind(this, MessageParams::PaintDC(message), false);
            message.Result = 1;
            return;
        }
        TCustomControl::Dispatch(message);
    }
};

TColor Pixel(HWND window, int x, int y)
{
    UpdateWindow(window);
    return GetPixel(TWindowDC(window), x, y);
}

bool Near(TColor a, TColor b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

class PaintedForm : public testing::Test {
protected:
    void SetUp() override
    {
        SetCommonControlsVersionOverride(0x00060000);
        SharedThemeServices()->RefreshThemeState();
        form = new TForm(nullptr);
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(40, 40, 380, 140);
        gradient = new GradientPanel(form);
        gradient->SetBounds(10, 10, 60, 100);
        gradient->SetParent(form);
        face = new FaceControl(form);
        face->SetBounds(90, 10, 75, 25);
        face->SetParent(form);
        see = new SeeThroughControl(form);
        see->SetBounds(180, 60, 40, 40);
        see->SetParent(form);
        form->SetColor(clTeal);
        form->Show();
        Application()->ProcessMessages();
    }
    void TearDown() override
    {
        delete form;
        SetCommonControlsVersionOverride(0);
        SharedThemeServices()->RefreshThemeState();
    }

    TForm* form = nullptr;
    GradientPanel* gradient = nullptr;
    FaceControl* face = nullptr;
    SeeThroughControl* see = nullptr;
};

} // namespace

TEST_F(PaintedForm, GradientControlShowsItsGradient)
{
    HWND window = gradient->Handle();
    EXPECT_EQ(kTop, Pixel(window, 0, 0));
    EXPECT_EQ(kTop, Pixel(window, 59, 0));
    EXPECT_TRUE(Near(Pixel(window, 30, 99), kBottom, 3));
    TColor middle = Pixel(window, 30, 50);
    EXPECT_TRUE(Near(middle, KvCommon::MixColors(kTop, kBottom, 128), 4)) << std::hex << middle;
    EXPECT_EQ(Pixel(window, 0, 50), Pixel(window, 59, 50));
}

TEST_F(PaintedForm, ThemedFaceIsWhatTheThemePaintsAndTurnsClassicOnAThemeChange)
{
    ASSERT_TRUE(SharedThemeServices()->PaintsThemed());
    // What the theme itself paints for the element, over the form's colour.
    TBitmap expected(75, 25);
    expected.Canvas()->Brush()->SetColor(clTeal);
    expected.Canvas()->FillRect(RECT{0, 0, 75, 25});
    RECT r = {0, 0, 75, 25};
    KvUxTheme::DrawThemeBackground(SharedThemeServices()->ThemeHandleFor(tcButton), expected.Canvas()->Handle(), 1,
                                   1, &r, nullptr);
    HWND window = face->Handle();
    EXPECT_TRUE(face->paintedThemed);
    int compared = 0;
    for (int y = 2; y < 23; y += 4)
        for (int x = 2; x < 73; x += 7) {
            EXPECT_EQ(expected.Canvas()->Pixel(x, y), Pixel(window, x, y)) << x << "," << y;
            ++compared;
        }
    EXPECT_GT(compared, 50);

    // The application's window hears of the change; the control repaints classically.
    SetCommonControlsVersionOverride(0x00050051);
    SendMessageA(Application()->Handle(), WM_THEMECHANGED, 0, 0);
    EXPECT_FALSE(SharedThemeServices()->PaintsThemed());
    UpdateWindow(window);
    EXPECT_FALSE(face->paintedThemed);
    EXPECT_EQ(ColorToRGB(clBtnFace), Pixel(window, 37, 12));
}

TEST_F(PaintedForm, ParentPictureShowsThroughBehindAControl)
{
    // The form erases with its colour; the see-through control shows that colour,
    // and the gradient panel's pixels stay its own.
    EXPECT_EQ(ColorToRGB(clTeal), Pixel(see->Handle(), 20, 20));

    // A parent that paints a gradient shows it behind the child, at the child's place.
    auto* backdrop = new GradientPanel(form);
    backdrop->SetBounds(250, 10, 100, 100);
    backdrop->SetParent(form);
    auto* child = new SeeThroughControl(form);
    child->SetBounds(20, 30, 30, 40);
    child->SetParent(backdrop);
    Application()->ProcessMessages();
    UpdateWindow(backdrop->Handle());
    for (int y : {0, 10, 39})
        EXPECT_EQ(Pixel(backdrop->Handle(), 5, 30 + y), Pixel(child->Handle(), 15, y)) << y;
    EXPECT_NE(Pixel(child->Handle(), 15, 0), Pixel(child->Handle(), 15, 39));
}
