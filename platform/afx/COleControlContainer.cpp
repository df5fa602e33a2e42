// Control creation and the sites a window holds.
#include "COleControlContainer.h"

#include "AfxOle.h"
#include "COccManager.h"
#include "COleControlSite.h"

COleControlContainer::~COleControlContainer()
{
    for (COleControlSite* site : m_sites) {
        site->DestroyControl();
        site->Release();
    }
}

COleControlSite* COleControlContainer::CreateControl(REFCLSID clsid, const RECT& rect, UINT id,
                                                     DWORD style)
{
    COccManager plain;
    COccManager* manager = AfxGetOccManager();
    COleControlSite* site = (manager ? manager : &plain)->CreateSite(this);
    if (!site)
        return nullptr;
    if (FAILED(site->CreateControl(clsid, rect, id, style))) {
        site->Release();
        return nullptr;
    }
    m_sites.push_back(site);
    return site;
}

COleControlSite* COleControlContainer::FindItem(UINT id) const
{
    for (COleControlSite* site : m_sites)
        if (site->GetControlId() == id)
            return site;
    return nullptr;
}
