// AfxOleInit and the program's control-container manager.
#include "AfxOle.h"

#include <ole2.h>

#include "COccManager.h"

namespace {

// The framework's process-wide state for OLE.
struct OleState {
    bool initialised = false;
    COccManager* manager = nullptr;
    COccManager plainManager;
};

OleState& State()
{
    static OleState state;
    return state;
}

}  // namespace

BOOL AfxOleInit()
{
    OleState& state = State();
    if (state.initialised)
        return TRUE;
    if (FAILED(OleInitialize(nullptr)))
        return FALSE;
    state.initialised = true;
    return TRUE;
}

void AfxOleTerm()
{
    OleState& state = State();
    if (!state.initialised)
        return;
    state.initialised = false;
    OleUninitialize();
}

void AfxEnableControlContainer(COccManager* manager)
{
    OleState& state = State();
    state.manager = manager ? manager : &state.plainManager;
}

COccManager* AfxGetOccManager()
{
    return State().manager;
}
