// TTimer: fires OnTimer every Interval milliseconds while Enabled, from a small
// window of its own on the thread that made it.
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
    // Assigning the event (re)starts the timer; an empty one stops it.
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(const TNotifyEvent& event);

protected:
    virtual void Timer();

private:
    friend struct TTimerWindow; // the timer's window calls Timer()
    void UpdateTimer();

    HWND__* window_ = nullptr;
    bool enabled_ = true;
    unsigned interval_ = 1000;
    bool running_ = false;
    TNotifyEvent onTimer_;
};
