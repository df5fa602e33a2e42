// Controls on a form shown on the display: painting through the canvas read back
// from the window, the message dispatch, mouse and keyboard, properties that
// follow the parent, and alignment.
#include "TApplication.h"
#include "TCustomControl.h"
#include "TForm.h"
#include "TGraphicControl.h"
#include "VisualFixtures.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Paints its left half in one colour and the rest in another, counting the
// messages it is interested in.
class TwoToneControl : public TCustomControl {
public:
    CLASSLIB_CLASS_NAME(TwoToneControl)
    explicit TwoToneControl(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }

    TColor Left = clRed, Right = clGreen;
    int paints = 0, enabledChanges = 0, groupMessages = 0, enters = 0, leaves = 0;
    std::vector<TWinControl*> focusNotices;
    bool takesEnter = false, clickedByAccelerator = false;
    UINT lastDialogKey = 0;

protected:
    void Paint() override
    {
        ++paints;
        Canvas()->Brush()->SetColor(Left);
        Canvas()->FillRect(RECT{0, 0, Width() / 2, Height()});
        Canvas()->Brush()->SetColor(Right);
        Canvas()->FillRect(RECT{Width() / 2, 0, Width(), Height()});
    }
    // A subclass extends the dispatch with its own message and passes the rest on.
    void Dispatch(TMessage& message) override
    {
        switch (message.Msg) {
        case 0x2421:
            ++groupMessages;
            return;
        case CM_FOCUSCHANGED:
            focusNotices.push_back(reinterpret_cast<TWinControl*>(message.LParam));
            break;
        case CM_DIALOGKEY:
            lastDialogKey = static_cast<UINT>(message.WParam);
            if (takesEnter && message.WParam == VK_RETURN) {
                message.Result = 1;
                return;
            }
            break;
        case CM_DIALOGCHAR:
            if (IsAccel(static_cast<WORD>(message.WParam), Caption())) {
                clickedByAccelerator = true;
                message.Result = 1;
                return;
            }
            break;
        default:
            break;
        }
        TCustomControl::Dispatch(message);
    }
    void CMEnabledChanged(TMessage& message) override
    {
        ++enabledChanges;
        TCustomControl::CMEnabledChanged(message);
    }
    void CMMouseEnter(TMessage& message) override
    {
        ++enters;
        TCustomControl::CMMouseEnter(message);
    }
    void CMMouseLeave(TMessage& message) override
    {
        ++leaves;
        TCustomControl::CMMouseLeave(message);
    }
};

class Swatch : public TGraphicControl {
public:
    explicit Swatch(TComponent* owner) : TGraphicControl(owner) { SetControlStyle(ControlStyle() + csOpaque); }
    int enters = 0;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
    }
    void CMMouseEnter(TMessage& message) override
    {
        ++enters;
        TGraphicControl::CMMouseEnter(message);
    }
};

// A shown form with two custom controls and a windowless swatch.
class FormFixture : public testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(50, 50, 200, 120);
        form->SetColor(clWhite);
        first = Add(10, 10);
        second = Add(100, 10);
        swatch = new Swatch(form);
        swatch->SetBounds(10, 80, 30, 20);
        swatch->SetColor(clYellow);
        swatch->SetParent(form);
        form->Show();
        Application()->ProcessMessages();
    }
    void TearDown() override { delete form; }
    TwoToneControl* Add(int left, int top)
    {
        auto* control = new TwoToneControl(form);
        control->SetBounds(left, top, 80, 50);
        control->SetParent(form);
        return control;
    }

    TForm* form = nullptr;
    TwoToneControl* first = nullptr;
    TwoToneControl* second = nullptr;
    Swatch* swatch = nullptr;
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

} // namespace

TEST_F(FormFixture, CustomAndWindowlessControlsPaintThroughTheirCanvas)
{
    ASSERT_TRUE(first->HandleAllocated());
    ASSERT_TRUE(IsWindowVisible(first->Handle()));
    EXPECT_EQ(clRed, WindowPixel(first->Handle(), 5, 25));
    EXPECT_EQ(clGreen, WindowPixel(first->Handle(), 60, 25));
    EXPECT_EQ(clYellow, WindowPixel(form->Handle(), 20, 90)) << "the form paints its windowless child";
    EXPECT_EQ(clWhite, WindowPixel(form->Handle(), 5, 5)) << "the form erases with its colour";

    // A changed property repaints.
    first->Left = clBlue;
    first->Invalidate();
    EXPECT_EQ(clBlue, WindowPixel(first->Handle(), 5, 25));
    swatch->SetColor(clFuchsia);
    EXPECT_EQ(clFuchsia, WindowPixel(form->Handle(), 20, 90));
    swatch->Hide();
    EXPECT_EQ(clWhite, WindowPixel(form->Handle(), 20, 90));
}

TEST_F(FormFixture, SubclassesExtendTheDispatch)
{
    first->SetEnabled(false);
    EXPECT_EQ(1, first->enabledChanges);
    EXPECT_FALSE(IsWindowEnabled(first->Handle()));
    first->SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(first->Handle()));

    TMessage group;
    group.Msg = 0x2421;
    form->Broadcast(group);
    EXPECT_EQ(1, first->groupMessages);
    EXPECT_EQ(1, second->groupMessages);

    // Window messages and Perform take the same road.
    SendMessageA(first->Handle(), 0x2421, 0, 0);
    first->Perform(0x2421);
    EXPECT_EQ(3, first->groupMessages);
}

TEST_F(FormFixture, ReleasingTheMouseInsideClicks)
{
    int clicks = 0, swatchClicks = 0;
    POINT swatchPoint = {-1, -1};
    first->OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++clicks; });
    swatch->OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++swatchClicks; });
    swatch->OnMouseDown = TMouseEvent::FromFunction(
        [&](TObject*, TMouseButton, TShiftState, int x, int y) { swatchPoint = POINT{x, y}; });

    SendMessageA(first->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    EXPECT_TRUE(first->MouseCapture());
    SendMessageA(first->Handle(), WM_LBUTTONUP, 0, At(12, 12));
    EXPECT_EQ(1, clicks);
    EXPECT_FALSE(first->MouseCapture());

    SendMessageA(first->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    SendMessageA(first->Handle(), WM_LBUTTONUP, 0, At(200, 12));
    EXPECT_EQ(1, clicks) << "released outside";

    // The form hands mouse messages over a windowless child to it, in its coordinates.
    SendMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(15, 85));
    EXPECT_EQ(5, swatchPoint.x);
    EXPECT_EQ(5, swatchPoint.y);
    // While it holds the capture it gets the release even from outside its area.
    SendMessageA(form->Handle(), WM_LBUTTONUP, 0, At(30, 95));
    EXPECT_EQ(1, swatchClicks);
}

TEST_F(FormFixture, MouseEnterAndLeaveFollowThePointer)
{
    SendMessageA(first->Handle(), WM_MOUSEMOVE, 0, At(5, 5));
    SendMessageA(first->Handle(), WM_MOUSEMOVE, 0, At(6, 6));
    EXPECT_EQ(1, first->enters);
    EXPECT_TRUE(first->MouseInControl());
    SendMessageA(second->Handle(), WM_MOUSEMOVE, 0, At(5, 5));
    EXPECT_EQ(1, first->leaves);
    EXPECT_EQ(1, second->enters);
    SendMessageA(form->Handle(), WM_MOUSEMOVE, 0, At(20, 90));
    EXPECT_EQ(1, second->leaves);
    EXPECT_EQ(1, swatch->enters);
    SendMessageA(form->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(swatch->MouseInControl());
    EXPECT_EQ(nullptr, TControl::MouseControl());
}

TEST_F(FormFixture, ColourAndFontFollowTheParentUntilSetThemselves)
{
    first->SetParentColor(true);
    EXPECT_EQ(clWhite, first->Color());
    form->SetColor(clSilver);
    EXPECT_EQ(clSilver, first->Color());
    EXPECT_TRUE(first->ParentColor());
    first->SetColor(clAqua);
    EXPECT_FALSE(first->ParentColor());
    form->SetColor(clWhite);
    EXPECT_EQ(clAqua, first->Color());

    EXPECT_TRUE(second->ParentFont());
    form->Font()->SetName("Tahoma");
    form->Font()->SetSize(14);
    EXPECT_EQ("Tahoma", second->Font()->Name());
    EXPECT_EQ(14, second->Font()->Size());
    EXPECT_TRUE(second->ParentFont());
    second->Font()->SetSize(9);
    EXPECT_FALSE(second->ParentFont());
    form->Font()->SetSize(20);
    EXPECT_EQ(9, second->Font()->Size());
}

TEST_F(FormFixture, TabMovesTheFocusInTabOrderAndEveryoneIsTold)
{
    int enters = 0, exits = 0;
    first->OnExit = TNotifyEvent::FromFunction([&](TObject*) { ++exits; });
    second->OnEnter = TNotifyEvent::FromFunction([&](TObject*) { ++enters; });
    first->SetFocus();
    ASSERT_TRUE(first->Focused());
    EXPECT_EQ(first, form->ActiveControl());

    SendMessageA(first->Handle(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(second->Focused());
    EXPECT_EQ(1, exits);
    EXPECT_EQ(1, enters);
    ASSERT_FALSE(first->focusNotices.empty());
    EXPECT_EQ(second, first->focusNotices.back()) << "the focus-changed notice names the new control";
    EXPECT_EQ(second, second->focusNotices.back());

    SendMessageA(second->Handle(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(first->Focused()) << "the order wraps round";

    second->SetTabOrder(0);
    EXPECT_EQ(0, second->TabOrder());
    EXPECT_EQ(1, first->TabOrder());
    SendMessageA(first->Handle(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(second->Focused());

    // A control that stops taking the focus loses it.
    second->SetEnabled(false);
    EXPECT_FALSE(second->Focused());
    SendMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(first->Focused()) << "a disabled control is passed over";
}

TEST_F(FormFixture, DialogKeysAndCharactersGoThroughTheForm)
{
    second->takesEnter = true;
    first->SetFocus();
    SendMessageA(first->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(static_cast<UINT>(VK_RETURN), first->lastDialogKey);
    EXPECT_EQ(static_cast<UINT>(VK_RETURN), second->lastDialogKey) << "broadcast to every control";

    second->SetCaption("&Open");
    SendMessageA(first->Handle(), WM_SYSCHAR, 'o', 0);
    EXPECT_TRUE(second->clickedByAccelerator);
    EXPECT_FALSE(first->clickedByAccelerator);
    EXPECT_FALSE(IsAccel('x', "&Open"));
    EXPECT_FALSE(IsAccel('o', "Open && close"));
}

TEST_F(FormFixture, CaptionsReachTheWindow)
{
    first->SetCaption("标题");
    char text[32] = {};
    GetWindowTextA(first->Handle(), text, sizeof(text));
    EXPECT_STREQ("标题", text);
    SetWindowTextA(first->Handle(), "changed");
    EXPECT_EQ("changed", first->Caption());
    swatch->SetCaption("windowless");
    EXPECT_EQ("windowless", swatch->Caption());
}

namespace {
// A container whose aligned children share its client area less a 5-pixel border.
class BorderedPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void AdjustClientRect(RECT& rect) override { InflateRect(&rect, -5, -5); }
};
} // namespace

TEST(Controls, AlignedChildrenShareTheClientArea)
{
    TForm form(nullptr);
    form.SetBorderStyle(TFormBorderStyle::bsNone);
    form.SetBounds(0, 0, 210, 110);
    auto* panel = new BorderedPanel(&form);
    panel->SetParent(&form);
    panel->SetAlign(TAlign::alClient);
    auto make = [&](TAlign align, int size) {
        auto* child = new TCustomControl(&form);
        child->SetBounds(0, 0, size, size);
        child->SetParent(panel);
        child->SetAlign(align);
        return child;
    };
    TControl* top = make(TAlign::alTop, 10);
    TControl* bottom = make(TAlign::alBottom, 20);
    TControl* left = make(TAlign::alLeft, 30);
    TControl* client = make(TAlign::alClient, 1);
    form.Show();
    Application()->ProcessMessages();

    auto expect = [](TControl* c, int l, int t, int w, int h) {
        EXPECT_EQ(l, c->Left());
        EXPECT_EQ(t, c->Top());
        EXPECT_EQ(w, c->Width());
        EXPECT_EQ(h, c->Height());
    };
    expect(panel, 0, 0, 210, 110);
    expect(top, 5, 5, 200, 10);
    expect(bottom, 5, 85, 200, 20);
    expect(left, 5, 15, 30, 70);
    expect(client, 35, 15, 170, 70);

    form.SetBounds(0, 0, 310, 160);
    Application()->ProcessMessages();
    expect(bottom, 5, 135, 300, 20);
    expect(client, 35, 15, 270, 120);
    bottom->Hide();
    expect(client, 35, 15, 270, 140);
}
