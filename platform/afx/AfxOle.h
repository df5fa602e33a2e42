// OLE start-up of the program and the switch that lets windows host controls.
#pragma once

#include <windows.h>

class COccManager;

// Initialises OLE on the calling thread; it is uninitialised when the program
// ends (AfxOleTerm). FALSE when OLE could not start.
BOOL AfxOleInit();
void AfxOleTerm();

// Lets windows host OLE controls; `manager` (kept, owned by the caller) makes
// their sites. Without an argument a plain manager is used.
void AfxEnableControlContainer(COccManager* manager = nullptr);
// The manager of the program, or null while containment is not enabled.
COccManager* AfxGetOccManager();
