// A group box's caption accelerator, typed on the keyboard.
#include "ControlSnapshot.h"
#include "KvGroupBox.h"
#include "TForm.h"
#include "UserInput.h"

#include <gtest/gtest.h>

TEST(KvGroupBoxInput, TheAcceleratorFocusesTheFirstChild)
{
    TForm form(nullptr);
    form.SetBorderStyle(TFormBorderStyle::bsNone);
    form.SetBounds(kQuietLeft, kQuietTop, 300, 200);
    auto* before = new TKvPanel(&form);
    before->SetParent(&form);
    before->SetBounds(0, 0, 20, 20);
    before->SetTabStop(true);
    auto* box = new TKvGroupBox(&form);
    box->SetParent(&form);
    box->SetBounds(40, 10, 200, 150);
    box->SetCaption("&Group");
    auto* first = new TKvPanel(&form);
    first->SetParent(box);
    first->SetBounds(10, 30, 40, 20);
    first->SetTabStop(true);
    ASSERT_TRUE(UserInput::BringToFront(&form));
    before->SetFocus();
    ASSERT_TRUE(UserInput::RunUntil([&] { return before->Focused(); }));

    UserInput::PressKey('G', true);
    EXPECT_TRUE(UserInput::RunUntil([&] { return first->Focused(); }));
}
