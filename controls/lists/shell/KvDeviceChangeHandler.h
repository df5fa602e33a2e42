// TKvDeviceChangeHandler: a hidden top-level window that hears the system's
// device-change broadcasts, re-posts each to itself as KVM_DEVICECHANGE and
// then tells every registered method, in order.
#pragma once

#include "Closure.h"
#include "Messages.h"
#include "TObject.h"

#include <vector>

// A device change, re-posted with the broadcast's parameters. Its LParam pointed
// at the broadcast's record, which is gone by now: read the WParam only.
constexpr UINT KVM_DEVICECHANGE = 0x464;

using TKvDeviceChangeNotify = TClosure<void(TObject* sender, TMessage& message)>;

class TKvDeviceChangeHandler : public TObject {
public:
    CLASSLIB_CLASS_NAME(TKvDeviceChangeHandler)
    TKvDeviceChangeHandler();
    ~TKvDeviceChangeHandler() override;

    void AddNotify(const TKvDeviceChangeNotify& notify);
    // Removes the first equal registration.
    void RemoveNotify(const TKvDeviceChangeNotify& notify);
    void DeleteNotifyAt(int index);
    int NotifyCount() const { return static_cast<int>(notifies_.size()); }

    bool Active() const { return active_; }
    void SetActive(bool value) { active_ = value; }
    HWND Window() const { return window_; }

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void DeviceChanged(TMessage& message);
    void EraseAt(size_t index);

    std::vector<TKvDeviceChangeNotify> notifies_;
    // The next registration each device change being handed out calls (one per
    // nesting level): a removal moves them, so a removed one is never called.
    std::vector<size_t*> walks_;
    HWND window_ = nullptr;
    bool active_ = true;
};
