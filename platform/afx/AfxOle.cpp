// AfxOleInit and the program's control-container manager.
#include "AfxOle.h"

#include <optional>

#include "COccManager.h"
#include "ComApartment.h"

namespace {

// The framework's process-wide state for OLE.
struct OleState {
    std::optional<TOleApartment> ole;  // started by AfxOleInit, ended by AfxOleTerm
    COccManager* manager = nullptr;
    COccManager plainManager;
};

OleState& State()
{
    // Never destroyed: OLE ends through AfxOleTerm on the thread that started
    // it, never during the process's exit.
    static OleState* state = new OleState;
    return *state;
}

}  // namespace

BOOL AfxOleInit()
{
    OleState& state = State();
    if (state.ole)
        return TRUE;
    state.ole.emplace();
    if (!state.ole->Started()) {
        state.ole.reset();
        return FALSE;
    }
    return TRUE;
}

void AfxOleTerm()
{
    State().ole.reset();
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
