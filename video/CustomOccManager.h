// CCustomOccManager: gives every control the program hosts a CCustomControlSite.
#pragma once

#include "COccManager.h"

class CCustomOccManager : public COccManager {
public:
    COleControlSite* CreateSite(COleControlContainer* container) override;
};
