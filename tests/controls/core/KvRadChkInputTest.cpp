// Radio buttons and check boxes driven by the mouse and the keyboard as a user
// drives them.
#include "ControlSnapshot.h"
#include "KvPanel.h"
#include "KvRadChk.h"
#include "TApplication.h"
#include "TForm.h"
#include "UserInput.h"
#include "VisualFixtures.h"

#include <gtest/gtest.h>

namespace {

class GlyphInput : public testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(kQuietLeft, kQuietTop, 400, 260);
        panel = new TKvPanel(form);
        panel->SetParent(form);
        panel->SetBounds(0, 0, 200, 260);
        other = new TKvPanel(form);
        other->SetParent(form);
        other->SetBounds(200, 0, 200, 260);
    }
    void TearDown() override { delete form; }
    template <typename T>
    T* Make(TWinControl* parent, int top, const std::string& caption)
    {
        auto* control = new T(form);
        control->SetParent(parent);
        control->SetBounds(10, top, 150, 22);
        control->SetCaption(caption);
        control->OnClick = TNotifyEvent::FromFunction([this](TObject*) { ++clicks; });
        return control;
    }
    void Show() { ASSERT_TRUE(UserInput::BringToFront(form)); }
    static void ClickOn(TWinControl* control) { UserInput::Click(control->Handle(), 6, 8); }

    TForm* form = nullptr;
    TKvPanel* panel = nullptr;
    TKvPanel* other = nullptr;
    int clicks = 0;
};

} // namespace

TEST_F(GlyphInput, ClickingMnemonicsAndArrowsCheckARadioButton)
{
    auto* a = Make<TKvRadioButton>(panel, 10, "&Alpha");
    auto* b = Make<TKvRadioButton>(panel, 40, "&Beta");
    auto* c = Make<TKvRadioButton>(panel, 70, "&Gamma");
    a->SetChecked(true);
    Show();
    ClickOn(b);
    EXPECT_TRUE(UserInput::RunUntil([&] { return b->Checked(); }));
    EXPECT_FALSE(a->Checked());

    UserInput::PressKey('G', true);
    EXPECT_TRUE(UserInput::RunUntil([&] { return c->Checked(); }));
    EXPECT_FALSE(b->Checked());

    a->SetFocus();
    ASSERT_TRUE(UserInput::RunUntil([&] { return a->Checked(); })) << "focus by the keyboard checks";
    UserInput::PressKey(VK_DOWN);
    EXPECT_TRUE(UserInput::RunUntil([&] { return b->Focused() && b->Checked(); }));
    EXPECT_FALSE(a->Checked());
}

TEST_F(GlyphInput, AReadOnlyRadioGroupIgnoresTheUserButNotTheCode)
{
    auto* a = Make<TKvRadioButton>(panel, 10, "&Alpha");
    auto* b = Make<TKvRadioButton>(panel, 40, "&Beta");
    auto* c = Make<TKvRadioButton>(panel, 70, "&Gamma");
    auto* elsewhere = Make<TKvRadioButton>(other, 10, "&Elsewhere");
    a->SetChecked(true);
    b->SetReadOnly(true);
    EXPECT_TRUE(a->ReadOnly());
    EXPECT_FALSE(elsewhere->ReadOnly());
    Show();
    a->SetFocus();
    ASSERT_TRUE(UserInput::RunUntil([&] { return a->Focused(); }));

    ClickOn(b);
    UserInput::PressKey('G', true);
    ASSERT_TRUE(UserInput::RunUntil([&] { return c->Focused(); })) << "the mnemonic still moves the focus";
    UserInput::PressKey(VK_UP);
    ASSERT_TRUE(UserInput::RunUntil([&] { return b->Focused(); }));
    EXPECT_TRUE(a->Checked());
    EXPECT_FALSE(b->Checked());
    EXPECT_FALSE(c->Checked());

    c->SetChecked(true);
    EXPECT_TRUE(c->Checked());
    EXPECT_FALSE(a->Checked());
}

TEST_F(GlyphInput, ClicksCycleACheckBoxThroughGrayedWhenAllowed)
{
    auto* box = Make<TKvCheckBox>(panel, 10, "&Box");
    Show();
    const TCheckBoxState twoStates[] = {cbChecked, cbUnchecked};
    for (TCheckBoxState expected : twoStates) {
        ClickOn(box);
        EXPECT_TRUE(UserInput::RunUntil([&] { return box->State() == expected; })) << expected;
    }
    box->SetAllowGrayed(true);
    const TCheckBoxState threeStates[] = {cbGrayed, cbChecked, cbUnchecked};
    for (TCheckBoxState expected : threeStates) {
        ClickOn(box);
        EXPECT_TRUE(UserInput::RunUntil([&] { return box->State() == expected; })) << expected;
    }
    EXPECT_EQ(5, clicks);

    UserInput::PressKey(VK_SPACE);
    EXPECT_TRUE(UserInput::RunUntil([&] { return box->State() == cbGrayed; }));
    UserInput::PressKey('B', true);
    EXPECT_TRUE(UserInput::RunUntil([&] { return box->State() == cbChecked; }));
}

TEST_F(GlyphInput, AReadOnlyCheckBoxIgnoresClicksSpaceAndItsMnemonic)
{
    auto* box = Make<TKvCheckBox>(panel, 10, "&Box");
    auto* probe = Make<TKvCheckBox>(panel, 40, "Probe");
    box->SetReadOnly(true);
    Show();
    box->SetFocus();
    ASSERT_TRUE(UserInput::RunUntil([&] { return box->Focused(); }));
    ClickOn(box);
    UserInput::PressKey(VK_SPACE);
    UserInput::PressKey('B', true);
    // The probe's click comes after everything above has been handled.
    ClickOn(probe);
    ASSERT_TRUE(UserInput::RunUntil([&] { return probe->Checked(); }));
    EXPECT_EQ(cbUnchecked, box->State());
    EXPECT_EQ(1, clicks);
}

TEST_F(GlyphInput, EnterActsAsTabWhenAskedTo)
{
    auto* box = Make<TKvCheckBox>(panel, 10, "Box");
    auto* next = Make<TKvCheckBox>(panel, 40, "Next");
    box->SetTabOnEnter(true);
    Show();
    box->SetFocus();
    ASSERT_TRUE(UserInput::RunUntil([&] { return box->Focused(); }));
    UserInput::PressKey(VK_RETURN);
    EXPECT_TRUE(UserInput::RunUntil([&] { return next->Focused(); }));
    EXPECT_EQ(cbUnchecked, box->State());
}

TEST_F(GlyphInput, TheFocusedControlOutlinesItsCaption)
{
    auto* box = Make<TKvCheckBox>(panel, 10, "Caption");
    auto* next = Make<TKvCheckBox>(panel, 40, "Next");
    Show();
    next->SetFocus();
    ASSERT_TRUE(UserInput::RunUntil([&] { return next->Focused(); }));
    ControlSnapshot unfocused(box);
    box->SetFocus();
    ASSERT_TRUE(UserInput::RunUntil([&] { return box->Focused(); }));
    ControlSnapshot focused(box);
    // Along the top edge of the caption rectangle, right of the glyph.
    int differing = 0;
    for (int x = 18; x < 40; ++x)
        if (focused.At(x, 0) != unfocused.At(x, 0))
            ++differing;
    EXPECT_GT(differing, 4);
    int beyond = 0;
    for (int x = 100; x < 150; ++x)
        if (focused.At(x, 0) != unfocused.At(x, 0))
            ++beyond;
    EXPECT_EQ(0, beyond) << "the outline is only as wide as the caption";
}

TEST_F(GlyphInput, APressInterruptedByAMessageBoxLeavesTheKeyboardFocusRuleWorking)
{
    auto* a = Make<TKvRadioButton>(panel, 10, "&Alpha");
    auto* b = Make<TKvRadioButton>(panel, 40, "&Beta");
    auto* box = Make<TKvCheckBox>(other, 10, "&Box");
    a->SetChecked(true);
    Show();
    Application()->SetTitle("Glyph test");
    for (TKvCustomGlyphButton* pressed : {static_cast<TKvCustomGlyphButton*>(b), static_cast<TKvCustomGlyphButton*>(box)}) {
        // The button goes down on the control, then a message box takes the focus
        // and the release with it.
        SendMessageA(pressed->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 8));
        ASSERT_TRUE(pressed->PressedLook());
        MessageBoxAnswerer answerer("Glyph test", IDOK);
        Application()->MessageBox("Interrupting", "Glyph test");
        ASSERT_TRUE(answerer.Answered());
        EXPECT_FALSE(pressed->PressedLook());
        SendMessageA(pressed->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(6, 8));
        EXPECT_FALSE(pressed->PressedLook()) << "hover does not show it pressed";
    }
    EXPECT_EQ(cbUnchecked, box->State()) << "the release never came";

    // The keyboard's focus checks a radio button again.
    a->SetFocus();
    ASSERT_TRUE(UserInput::RunUntil([&] { return a->Focused(); }));
    UserInput::PressKey(VK_DOWN);
    EXPECT_TRUE(UserInput::RunUntil([&] { return b->Focused(); }));
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
}

TEST_F(GlyphInput, ArrowDownClicksARadioButtonWhileNoControlHasTheFocus)
{
    auto* a = Make<TKvRadioButton>(panel, 10, "Alpha");
    Show();
    // The form itself holds the focus: its arrow navigation has no control to move from.
    SetFocus(form->Handle());
    ASSERT_TRUE(UserInput::RunUntil([&] { return GetFocus() == form->Handle(); }));
    UserInput::PressKey(VK_DOWN);
    EXPECT_TRUE(UserInput::RunUntil([&] { return clicks == 1; }));
    EXPECT_FALSE(a->Checked()) << "the key clicks; it does not check";
}
