// Control creation and the sites a window holds.
#include "COleControlContainer.h"

#include "AfxOle.h"
#include "COccManager.h"
#include "COleControlSite.h"

COleControlContainer::~COleControlContainer()
{
    // Each control goes before its site lets go of it.
    for (ComPtr<COleControlSite>& site : m_sites) {
        site->DestroyControl();
        site.Reset();
    }
}

COleControlSite* COleControlContainer::CreateControl(REFCLSID clsid, const RECT& rect, UINT id,
                                                     DWORD style)
{
    COccManager plain;
    COccManager* manager = AfxGetOccManager();
    ComPtr<COleControlSite> site;
    site.Reset((manager ? manager : &plain)->CreateSite(this));
    if (!site || FAILED(site->CreateControl(clsid, rect, id, style)))
        return nullptr;
    m_sites.push_back(std::move(site));
    return m_sites.back().Get();
}

COleControlSite* COleControlContainer::FindItem(UINT id) const
{
    for (const ComPtr<COleControlSite>& site : m_sites)
        if (site->GetControlId() == id)
            return site.Get();
    return nullptr;
}
