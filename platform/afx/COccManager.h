// COccManager: makes the site of each OLE control a window hosts; a program
// derives from it to give its controls a site class of its own.
#pragma once

class COleControlContainer;
class COleControlSite;

class COccManager {
public:
    virtual ~COccManager() = default;
    // A new site (one reference, owned by the container) for a control of `container`.
    virtual COleControlSite* CreateSite(COleControlContainer* container);
};
