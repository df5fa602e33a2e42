// Actions shared by controls: the control follows the action's caption, enabled
// state and handler until it is given its own, and a control class with a checked
// state brings its own link.
#include "TActionLink.h"
#include "TActionList.h"
#include "TControlActionLink.h"
#include "TCustomAction.h"
#include "TCustomControl.h"
#include "TCustomImageList.h"

#include <gtest/gtest.h>

namespace {

// A control that follows an action's checked state through a link of its own.
class CheckedControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    bool checked = false;

protected:
    class CheckedLink : public TControlActionLink {
    public:
        explicit CheckedLink(CheckedControl* client) : TControlActionLink(client), control_(client) {}
        bool IsCheckedLinked() override
        {
            return TControlActionLink::IsCheckedLinked() && control_->checked == CustomAction()->Checked();
        }
        void SetChecked(bool value) override
        {
            if (IsCheckedLinked())
                control_->checked = value;
        }

    private:
        CheckedControl* control_;
    };
    TControlActionLink* CreateActionLink() override { return new CheckedLink(this); }
};

} // namespace

TEST(Actions, ControlFollowsItsActionUntilGivenItsOwnValues)
{
    TAction action(nullptr);
    int executed = 0, ownClicks = 0;
    action.SetCaption("&Next >");
    action.SetOnExecute(TNotifyEvent::FromFunction([&](TObject*) { ++executed; }));
    CheckedControl control(nullptr);
    control.SetAction(&action);
    EXPECT_EQ(&action, control.Action());
    EXPECT_EQ("&Next >", control.Caption());

    control.Click();
    EXPECT_EQ(1, executed);
    action.SetCaption("&Finish");
    EXPECT_EQ("&Finish", control.Caption());
    action.SetEnabled(false);
    EXPECT_FALSE(control.Enabled());
    action.SetEnabled(true);
    EXPECT_TRUE(control.Enabled());
    action.SetChecked(true);
    EXPECT_TRUE(control.checked) << "the control's own link keeps the checked state";

    // Values of its own end the following, each on its own.
    control.SetCaption("Mine");
    action.SetCaption("Theirs");
    EXPECT_EQ("Mine", control.Caption());
    control.OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++ownClicks; });
    control.Click();
    EXPECT_EQ(1, ownClicks);
    EXPECT_EQ(1, executed);
    action.SetEnabled(false);
    EXPECT_FALSE(control.Enabled()) << "the enabled state still follows";
}

TEST(Actions, ActionThatGoesLeavesTheControlWithout)
{
    CheckedControl control(nullptr);
    auto* list = new TActionList(nullptr);
    auto* action = new TAction(nullptr);
    action->SetActionList(list);
    EXPECT_EQ(1, list->ActionCount());
    control.SetAction(action);
    delete action;
    EXPECT_EQ(nullptr, control.Action());
    EXPECT_EQ(0, list->ActionCount());
    control.Click(); // nothing to run, nothing breaks

    TImageList images(nullptr);
    list->SetImages(&images);
    delete list;
}

TEST(Actions, ActionListForgetsItsImagesWhenTheyGo)
{
    TActionList list(nullptr);
    auto* images = new TImageList(nullptr);
    list.SetImages(images);
    EXPECT_EQ(images, list.Images());
    delete images;
    EXPECT_EQ(nullptr, list.Images());
}
