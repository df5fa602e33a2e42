// Creation of the hosted WebBrowser control.
#include "WebBrowser2.h"

#include "COleControlContainer.h"
#include "COleControlSite.h"

const CLSID CWebBrowser2::clsid = {
    0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};

CWebBrowser2::CWebBrowser2() = default;

CWebBrowser2::~CWebBrowser2() = default;

BOOL CWebBrowser2::Create(HWND parent, UINT id, const RECT& rect, DWORD style)
{
    DestroyWindow();
    m_container = std::make_unique<COleControlContainer>(parent);
    m_pSite = m_container->CreateControl(clsid, rect, id, style);
    if (!m_pSite)
        m_container.reset();
    return m_pSite != nullptr;
}

void CWebBrowser2::DestroyWindow()
{
    m_pSite = nullptr;
    m_container.reset();
}

HWND CWebBrowser2::GetSafeHwnd() const
{
    return m_pSite ? m_pSite->GetControlWindow() : nullptr;
}
