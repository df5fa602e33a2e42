// The hidden browser control and its site: created by class id as a hidden
// child, the document-host answers, the application's external object.
#include <windows.h>

#include <mshtmhst.h>

#include <gtest/gtest.h>

#include "AfxOle.h"
#include "COleControlContainer.h"
#include "COleControlSite.h"
#include "ComPtr.h"
#include "CustomOccManager.h"
#include "Video.h"
#include "WebBrowser2.h"

namespace {

class BrowserSite : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        AfxEnableControlContainer(&m_manager);
        m_host = CreateWindowA("STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                               nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_host, nullptr);
    }
    void TearDown() override
    {
        m_browser.DestroyWindow();
        DestroyWindow(m_host);
        AfxEnableControlContainer(nullptr);
    }

    // The site's document-host interface, as the control would ask for it.
    ComPtr<IDocHostUIHandler> Handler()
    {
        ComPtr<IDocHostUIHandler> handler;
        IOleClientSite* site = m_browser.GetControlSite();
        if (site)
            site->QueryInterface(IID_IDocHostUIHandler, handler.ReceiveVoid());
        return handler;
    }

    CVideoApp m_app;  // the external object's owner
    CCustomOccManager m_manager;
    HWND m_host = nullptr;
    CWebBrowser2 m_browser;
};

}  // namespace

TEST_F(BrowserSite, ControlIsAHiddenChildWithItsId)
{
    const RECT rect = {0, 0, 100, 80};
    ASSERT_TRUE(m_browser.Create(m_host, 1026, rect, WS_CHILD));
    HWND control = GetDlgItem(m_host, 1026);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control, m_browser.GetSafeHwnd());
    EXPECT_FALSE(IsWindowVisible(control));
}

TEST_F(BrowserSite, SiteAnswersAsTheDocumentHost)
{
    const RECT rect = {0, 0, 100, 80};
    ASSERT_TRUE(m_browser.Create(m_host, 1026, rect, WS_CHILD));
    ComPtr<IDocHostUIHandler> handler = Handler();
    ASSERT_TRUE(handler);

    DOCHOSTUIINFO info = {};
    info.cbSize = sizeof info;
    info.dwDoubleClick = 7;
    EXPECT_EQ(handler->GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags, 12u);  // no 3-D border, no scroll bars
    EXPECT_EQ(info.dwDoubleClick, 0u);
    POINT where = {10, 10};
    EXPECT_EQ(handler->ShowContextMenu(0, &where, nullptr, nullptr), S_OK);
    EXPECT_EQ(handler->ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_OK);

    ComPtr<IDispatch> external;
    ASSERT_EQ(handler->GetExternal(external.Receive()), S_OK);
    EXPECT_EQ(external.Get(), m_app.m_external.GetIDispatch(FALSE));
    UINT typeInfos = 5;
    EXPECT_EQ(external->GetTypeInfoCount(&typeInfos), S_OK);
    EXPECT_EQ(typeInfos, 0u);  // an automation object without members
    LPOLESTR name = const_cast<LPOLESTR>(L"anything");
    DISPID id = 0;
    EXPECT_EQ(external->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), DISP_E_UNKNOWNNAME);
}

TEST_F(BrowserSite, SiteSharesOneIdentityAcrossItsInterfaces)
{
    const RECT rect = {0, 0, 100, 80};
    ASSERT_TRUE(m_browser.Create(m_host, 1026, rect, WS_CHILD));
    ComPtr<IDocHostUIHandler> handler = Handler();
    ASSERT_TRUE(handler);
    ComPtr<IUnknown> fromHandler = handler.As<IUnknown>(IID_IUnknown);
    ComPtr<IUnknown> fromSite;
    m_browser.GetControlSite()->QueryInterface(IID_IUnknown, fromSite.ReceiveVoid());
    EXPECT_EQ(fromHandler.Get(), fromSite.Get());
}

TEST_F(BrowserSite, UnknownControlFailsSoftlyWithoutAWindow)
{
    const CLSID nothing = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    COleControlContainer container(m_host);
    const RECT rect = {0, 0, 10, 10};
    EXPECT_EQ(container.CreateControl(nothing, rect, 1026, WS_CHILD), nullptr);
    EXPECT_EQ(GetDlgItem(m_host, 1026), nullptr);
}
