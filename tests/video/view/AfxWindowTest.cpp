// The framework's windows: message maps, command routing from frame to view
// to document, timers, the status bar's panes, frames made by the document
// template, modal dialogs and message boxes.
#include "Afx.h"
#include "MessagePump.h"
#include "ViewFixtures.h"
#include "res/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_calls;  // what the handlers of this file were called for

class CProbeDoc : public CDocument {
    DECLARE_DYNCREATE(CProbeDoc)
protected:
    void OnDocCommand() { g_calls.push_back("doc 2001"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CProbeDoc, CDocument)
BEGIN_MESSAGE_MAP(CProbeDoc, CDocument)
    ON_COMMAND(2001, OnDocCommand)
END_MESSAGE_MAP()

// A form view over the countdown template with handlers of every kind.
class CProbeView : public CFormView {
    DECLARE_DYNCREATE(CProbeView)
public:
    CProbeView() : CFormView(IDD_VIDEO_FORM) {}
    void OnInitialUpdate() override { g_calls.push_back("initial update"); }
protected:
    void OnViewCommand() { g_calls.push_back("view 2000"); }
    void OnRange(UINT id) { g_calls.push_back("range " + std::to_string(id)); }
    void OnPhotoClicked() { g_calls.push_back("clicked 1000"); }
    LRESULT OnProbe(WPARAM w, LPARAM l)
    {
        g_calls.push_back("probe " + std::to_string(w) + " " + std::to_string(l));
        return 42;
    }
    void OnTimer(UINT_PTR id)
    {
        KillTimer(id);
        g_calls.push_back("timer " + std::to_string(id));
    }
    void OnHotKey(UINT id, UINT modifiers, UINT key)
    {
        g_calls.push_back("hotkey " + std::to_string(id) + " " + std::to_string(modifiers) + " " + std::to_string(key));
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CProbeView, CFormView)
BEGIN_MESSAGE_MAP(CProbeView, CFormView)
    ON_COMMAND(2000, OnViewCommand)
    ON_COMMAND_RANGE(2100, 2102, OnRange)
    ON_BN_CLICKED(IDC_PHOTO, OnPhotoClicked)
    ON_MESSAGE(WM_APP + 5, OnProbe)
    ON_WM_TIMER()
    ON_WM_HOTKEY()
END_MESSAGE_MAP()

class CProbeFrame : public CTestFrame {
    DECLARE_DYNCREATE(CProbeFrame)
protected:
    void OnFrameCommand() { g_calls.push_back("frame 2002"); }
    void OnSharedCommand() { g_calls.push_back("frame 2000"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CProbeFrame, CTestFrame)
BEGIN_MESSAGE_MAP(CProbeFrame, CTestFrame)
    ON_COMMAND(2002, OnFrameCommand)
    ON_COMMAND(2000, OnSharedCommand)
END_MESSAGE_MAP()

class AfxWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_calls.clear();
        m_template = std::make_unique<CSingleDocTemplate>(128, RUNTIME_CLASS(CProbeDoc), RUNTIME_CLASS(CProbeFrame),
                                                          RUNTIME_CLASS(CProbeView));
        m_doc = m_template->OpenDocumentFile(nullptr);
        ASSERT_NE(m_doc, nullptr);
        m_frame = dynamic_cast<CProbeFrame*>(m_template->GetFrame());
        ASSERT_NE(m_frame, nullptr);
        m_view = dynamic_cast<CProbeView*>(m_frame->GetActiveView());
        ASSERT_NE(m_view, nullptr);
    }
    void TearDown() override
    {
        m_template.reset();
        PumpMessages(20);
        TakeQuitMessage();
    }

    ScopedApp m_app;
    std::unique_ptr<CSingleDocTemplate> m_template;
    CDocument* m_doc = nullptr;
    CProbeFrame* m_frame = nullptr;
    CProbeView* m_view = nullptr;
};

}  // namespace

TEST_F(AfxWindowTest, TemplateMakesTheMainFrameWithItsViewAndDocument)
{
    EXPECT_EQ(AfxGetMainWnd(), m_frame);
    EXPECT_EQ(m_view->GetDocument(), m_doc);
    EXPECT_EQ(m_doc->GetViews(), (std::vector<CView*>{m_view}));
    EXPECT_EQ(m_view->GetParentFrame(), m_frame);
    EXPECT_EQ(CWnd::FromHandlePermanent(m_view->m_hWnd), m_view);
    EXPECT_EQ(m_view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_TRUE(m_frame->IsWindowVisible());
    EXPECT_EQ(g_calls, (std::vector<std::string>{"initial update"}));

    // The status bar along the bottom, the view over the rest of the client area.
    RECT client, bar, view;
    m_frame->GetClientRect(&client);
    m_frame->m_wndStatusBar.GetWindowRect(&bar);
    m_frame->ScreenToClient(&bar);
    m_view->GetWindowRect(&view);
    m_frame->ScreenToClient(&view);
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_EQ(view.top, 0);
    EXPECT_EQ(view.bottom, bar.top);
    EXPECT_EQ(view.right, client.right);
    EXPECT_EQ(m_frame->GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE), &m_frame->m_wndStatusBar);
}

TEST_F(AfxWindowTest, CommandsGoToTheViewThenTheDocumentThenTheFrame)
{
    for (UINT id : {2000u, 2001u, 2002u, 2101u, 2999u})
        m_frame->SendMessage(WM_COMMAND, id, 0);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"initial update", "view 2000", "doc 2001", "frame 2002",
                                                 "range 2101"}));
}

TEST_F(AfxWindowTest, ControlsMessagesTimersAndHotKeysReachTheirHandlers)
{
    g_calls.clear();
    SendMessageA(GetDlgItem(m_view->m_hWnd, IDC_PHOTO), BM_CLICK, 0, 0);
    EXPECT_EQ(m_view->SendMessage(WM_APP + 5, 7, 9), 42);
    m_view->SetTimer(3, 10);
    ASSERT_TRUE(PumpUntil([] { return g_calls.size() == 3; }));
    m_view->SendMessage(WM_HOTKEY, 1002, MAKELPARAM(0, VK_F5));
    EXPECT_EQ(g_calls, (std::vector<std::string>{"clicked 1000", "probe 7 9", "timer 3", "hotkey 1002 0 116"}));
}

TEST_F(AfxWindowTest, StatusBarPanesByIndicator)
{
    CStatusBar& bar = m_frame->m_wndStatusBar;
    EXPECT_EQ(bar.GetCount(), 2);
    EXPECT_EQ(bar.CommandToIndex(ID_INDICATOR_PHOTOS), 0);
    EXPECT_EQ(bar.CommandToIndex(ID_INDICATOR_RECORDED), 1);
    EXPECT_EQ(bar.CommandToIndex(12345), -1);
    EXPECT_EQ(bar.GetItemID(1), static_cast<UINT>(ID_INDICATOR_RECORDED));
    EXPECT_TRUE(bar.SetPaneText(1, "已录时间:  "));
    EXPECT_FALSE(bar.SetPaneText(2, "no such pane"));
    char text[64] = {};
    SendMessageA(bar.m_hWnd, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "已录时间:  ");
    EXPECT_EQ(std::string(bar.GetPaneText(1)), "已录时间:  ");
}

TEST_F(AfxWindowTest, ClosingTheMainFrameDeletesItsViewAndEndsTheLoop)
{
    HWND frame = m_frame->m_hWnd, view = m_view->m_hWnd;
    m_frame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(CWnd::FromHandlePermanent(frame), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(view), nullptr);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_TRUE(m_doc->GetViews().empty());
    EXPECT_EQ(TakeQuitMessage(), 0);
}

TEST_F(AfxWindowTest, MessageBoxesCarryTheAppNameAndBelongToTheOpenDialog)
{
    DialogWatcher watcher;
    std::vector<HWND> owners;
    watcher.On(AfxGetAppName(), [&](HWND box) {
        owners.push_back(GetWindow(box, GW_OWNER));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(AfxMessageBox("first", MB_OK), IDOK);
    ASSERT_EQ(owners.size(), 1u);
    EXPECT_EQ(owners[0], m_frame->m_hWnd);
    EXPECT_EQ(watcher.Sequence(), (std::vector<std::string>{"first"}));
}

TEST(AfxDialog, ModalDialogReturnsWhatEndDialogWasGiven)
{
    struct Case {
        const char* name;
        UINT command;
        INT_PTR result;
    } cases[] = {{"ok", IDOK, IDOK}, {"cancel", IDCANCEL, IDCANCEL}, {"close box", 0, IDCANCEL}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogWatcher watcher;
        watcher.On(kOptionsTitle, [&](HWND dialog) {
            if (c.command)
                PostMessageA(dialog, WM_COMMAND, c.command, 0);
            else
                PostMessageA(dialog, WM_CLOSE, 0, 0);
        });
        CDialog dialog(IDD_OPTIONS);
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_EQ(dialog.m_hWnd, nullptr);
    }
    CDialog missing(4242);
    EXPECT_EQ(missing.DoModal(), -1);
}
