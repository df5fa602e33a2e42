// Forms shown modeless and modal, closing with its actions, placement, the
// application's message boxes and exceptions, and timers.
#include "TApplication.h"
#include "TCustomControl.h"
#include "TForm.h"
#include "TTimer.h"
#include "VisualFixtures.h"
#include "Waits.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

TEST(Forms, ShowModalReturnsTheModalResultAndGivesTheOtherWindowsBack)
{
    TForm owner(nullptr);
    owner.Show();
    TForm dialog(nullptr);
    TTimer timer(nullptr);
    timer.SetInterval(50);
    int queries = 0;
    dialog.OnCloseQuery = TCloseQueryEvent::FromFunction([&](TObject*, bool& canClose) {
        // The first attempt is refused: the form stays up.
        canClose = ++queries > 1;
    });
    timer.OnTimer = TNotifyEvent::FromFunction([&](TObject*) {
        EXPECT_FALSE(IsWindowEnabled(owner.Handle())) << "other windows are disabled while modal";
        dialog.SetModalResult(mrOk);
    });
    EXPECT_EQ(mrOk, dialog.ShowModal());
    timer.SetEnabled(false);
    EXPECT_EQ(2, queries);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST(Forms, ClosingAModalFormCancelsIt)
{
    TForm dialog(nullptr);
    TTimer timer(nullptr);
    timer.SetInterval(30);
    timer.OnTimer = TNotifyEvent::FromFunction([&](TObject*) { PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0); });
    EXPECT_EQ(mrCancel, dialog.ShowModal());
}

TEST(Forms, CloseActionDecidesWhatClosingDoes)
{
    auto* form = new TForm(nullptr);
    TCloseAction next = TCloseAction::caNone;
    bool destroyed = false;
    form->OnClose = TCloseEvent::FromFunction([&](TObject*, TCloseAction& action) {
        EXPECT_EQ(TCloseAction::caHide, action);
        action = next;
    });
    form->OnDestroy = TNotifyEvent::FromFunction([&](TObject*) { destroyed = true; });
    form->Show();
    ASSERT_TRUE(IsWindowVisible(form->Handle()));

    form->Close();
    EXPECT_TRUE(form->Visible()) << "caNone keeps it open";
    next = TCloseAction::caHide;
    form->Close();
    EXPECT_FALSE(form->Visible());
    form->Show();
    next = TCloseAction::caFree;
    form->Close();
    EXPECT_FALSE(destroyed) << "freed only after the messages in flight";
    EXPECT_TRUE(RunMessagesUntil([&] { return destroyed; }));
}

TEST(Forms, ScreenCentrePlacesTheFormInTheMiddle)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    form.SetPosition(TPosition::poScreenCenter);
    bool shown = false;
    form.OnShow = TNotifyEvent::FromFunction([&](TObject*) { shown = true; });
    form.Show();
    EXPECT_TRUE(shown);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 300) / 2, form.Left());
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 200) / 2, form.Top());
    RECT window = {};
    GetWindowRect(form.Handle(), &window);
    EXPECT_EQ(form.Left(), window.left);
}

TEST(Forms, ActiveControlTakesTheFocusWhenTheFormShows)
{
    TForm form(nullptr);
    auto* a = new TCustomControl(&form);
    auto* b = new TCustomControl(&form);
    for (TCustomControl* c : {a, b}) {
        c->SetParent(&form);
        c->SetBounds(0, 0, 20, 20);
        c->SetTabStop(true);
    }
    form.SetActiveControl(b);
    form.Show();
    Application()->ProcessMessages();
    EXPECT_TRUE(b->Focused());
    delete b;
    EXPECT_EQ(nullptr, form.ActiveControl()) << "a freed control is forgotten";
}

TEST(Application, MessageBoxIsCaptionedWithTheTitle)
{
    Application()->SetTitle("安装程序");
    char title[64] = {};
    GetWindowTextA(Application()->Handle(), title, sizeof(title));
    EXPECT_STREQ("安装程序", title);

    MessageBoxAnswerer answerer("安装程序", IDYES);
    EXPECT_EQ(IDYES, Application()->MessageBox("继续吗?", "", MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(answerer.Answered());
    EXPECT_EQ("继续吗?", answerer.Text());
}

TEST(Application, ExceptionsInHandlersReachTheApplication)
{
    TForm form(nullptr);
    auto* control = new TCustomControl(&form);
    control->SetParent(&form);
    control->SetBounds(0, 0, 40, 40);
    control->OnClick = TNotifyEvent::FromFunction([](TObject*) { throw EConvertError("bad value"); });
    std::string reported;
    TObject* sender = nullptr;
    Application()->OnException = TExceptionEvent::FromFunction([&](TObject* s, Exception& e) {
        reported = e.Message();
        sender = s;
    });
    form.Show();
    SendMessageA(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ("bad value", reported);
    EXPECT_EQ(control, sender);

    // Exceptions that are not the library's reach it too, instead of unwinding
    // through the system's window procedure.
    const struct {
        void (*raise)();
        const char* message;
    } foreign[] = {
        {[] { throw std::runtime_error("out of range"); }, "out of range"},
        {[] { throw 42; }, "Unknown exception"},
    };
    for (const auto& c : foreign) {
        reported.clear();
        control->OnClick = TNotifyEvent::FromFunction([&](TObject*) { c.raise(); });
        SendMessageA(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(c.message, reported);
    }
    Application()->OnException = TExceptionEvent();

    // Without a handler the message is shown in a box.
    control->OnClick = TNotifyEvent::FromFunction([](TObject*) { throw Exception("磁盘已满"); });
    MessageBoxAnswerer answerer(Application()->Title(), IDOK);
    SendMessageA(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(answerer.Answered());
    EXPECT_EQ("磁盘已满.", answerer.Text());
}

TEST(Timers, FireTheirEventAtTheirIntervalWhileEnabled)
{
    TTimer timer(nullptr);
    EXPECT_TRUE(timer.Enabled());
    timer.SetInterval(20);
    // The timer already runs; an event assigned now is called at its next ticks.
    int ticks = 0;
    timer.OnTimer = TNotifyEvent::FromFunction([&](TObject* sender) {
        EXPECT_EQ(&timer, sender);
        ++ticks;
    });
    EXPECT_TRUE(RunMessagesUntil([&] { return ticks >= 3; }, kWaitBoundMs));

    // A stopped timer stays silent while a witness of the same interval ticks
    // five times; started again, it ticks again.
    TTimer witness(nullptr);
    witness.SetInterval(20);
    int witnessTicks = 0;
    witness.OnTimer = TNotifyEvent::FromFunction([&](TObject*) { ++witnessTicks; });
    struct Stop {
        const char* how;
        std::function<void()> stop;
        std::function<void()> start;
    };
    const Stop stops[] = {
        {"disabled", [&] { timer.SetEnabled(false); }, [&] { timer.SetEnabled(true); }},
        {"interval 0", [&] { timer.SetInterval(0); }, [&] { timer.SetInterval(20); }},
    };
    for (const Stop& c : stops) {
        c.stop();
        int stopped = ticks;
        int seen = witnessTicks;
        EXPECT_TRUE(RunMessagesUntil([&] { return witnessTicks >= seen + 5; }, kWaitBoundMs)) << c.how;
        EXPECT_EQ(stopped, ticks) << c.how;
        c.start();
        EXPECT_TRUE(RunMessagesUntil([&] { return ticks > stopped; }, kWaitBoundMs)) << c.how;
    }
}

// Ends the message loop of the process: the last test of the program.
TEST(Application, ZzRunShowsTheMainFormAndClosingItEndsTheLoop)
{
    auto* main = Application()->CreateForm<TForm>();
    EXPECT_EQ(main, Application()->MainForm());
    bool shown = false;
    main->OnShow = TNotifyEvent::FromFunction([&](TObject*) {
        shown = true;
        PostMessageA(main->Handle(), WM_CLOSE, 0, 0);
    });
    Application()->Run();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(Application()->Terminated());
    delete main;
    EXPECT_EQ(nullptr, Application()->MainForm());
}
