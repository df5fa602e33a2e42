// The plain control-site factory.
#include "COccManager.h"

#include "COleControlSite.h"

COleControlSite* COccManager::CreateSite(COleControlContainer* container)
{
    return new COleControlSite(container);
}
