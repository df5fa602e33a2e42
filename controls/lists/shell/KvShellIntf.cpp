// The start-up COM apartment of the shell controls.
#include "KvShellIntf.h"

#include "ComApartment.h"

namespace {

// Lives from program start to program end, like the unit it stands for.
TComApartment comStart;

} // namespace

namespace KvShellIntf {

HRESULT ComStartResult() { return comStart.Result(); }
bool ComStarted() { return comStart.Started(); }

} // namespace KvShellIntf
