// The start-up COM apartment of the shell controls.
#include "KvShellIntf.h"

#include <objbase.h>

namespace {

// Lives from program start to program end, like the unit it stands for.
class TComStart {
public:
    TComStart() : result_(CoInitialize(nullptr)) {}
    TComStart(const TComStart&) = delete;
    TComStart& operator=(const TComStart&) = delete;
    ~TComStart()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
};

TComStart comStart;

} // namespace

namespace KvShellIntf {

HRESULT ComStartResult() { return comStart.Result(); }
bool ComStarted() { return SUCCEEDED(comStart.Result()); }

} // namespace KvShellIntf
