// TTimer: fires OnTimer every Interval milliseconds while Enabled, from a small
// window of its own on the thread that made it. The system timer runs whether or
// not an event is assigned, so that an event assigned later is called at the next tick.
#pragma once

#include "Closure.h"
#include "TComponent.h"

// The window handle type of the system, without the system's headers.
struct HWND__;

class TTimer : public TComponent {
public:
    CLASSLIB_CLASS_NAME(TTimer)
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned interval);

    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    friend struct TTimerWindow; // the timer's window calls Timer()
    void UpdateTimer();

    HWND__* window_ = nullptr;
    bool enabled_ = true;
    unsigned interval_ = 1000;
    bool running_ = false;
};
