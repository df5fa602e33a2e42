// The device-change receiver window and its registrations.
#include "KvDeviceChangeHandler.h"

#include "Exception.h"
#include "ScopeExit.h"
#include "TApplication.h"

#include <algorithm>
#include <cstddef>

namespace {
const char* const kReceiverClass = "TKvDeviceChangeReceiver";
} // namespace

TKvDeviceChangeHandler::TKvDeviceChangeHandler()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    if (!GetClassInfoA(instance, kReceiverClass, &windowClass)) {
        windowClass = {};
        windowClass.lpfnWndProc = &TKvDeviceChangeHandler::WindowProcedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kReceiverClass;
        RegisterClassA(&windowClass);
    }
    // A top-level window: broadcasts never reach message-only windows.
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kReceiverClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                              nullptr);
    if (window_ == nullptr)
        throw EOSError("Cannot create the device-change window");
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TKvDeviceChangeHandler::~TKvDeviceChangeHandler()
{
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

void TKvDeviceChangeHandler::AddNotify(const TKvDeviceChangeNotify& notify) { notifies_.push_back(notify); }

void TKvDeviceChangeHandler::RemoveNotify(const TKvDeviceChangeNotify& notify)
{
    for (size_t i = 0; i < notifies_.size(); ++i)
        if (notifies_[i] == notify) {
            EraseAt(i);
            return;
        }
}

void TKvDeviceChangeHandler::DeleteNotifyAt(int index)
{
    if (index >= 0 && index < NotifyCount())
        EraseAt(static_cast<size_t>(index));
}

void TKvDeviceChangeHandler::EraseAt(size_t index)
{
    notifies_.erase(notifies_.begin() + static_cast<std::ptrdiff_t>(index));
    for (size_t* next : walks_)
        if (index < *next)
            --*next;
}

void TKvDeviceChangeHandler::DeviceChanged(TMessage& message)
{
    if (!active_)
        return;
    // A registration may remove itself or another one (its tree freed) while it
    // runs: the walk follows the live list.
    size_t next = 0;
    walks_.push_back(&next);
    TScopeExit done([this, &next] { walks_.erase(std::find(walks_.begin(), walks_.end(), &next)); });
    while (next < notifies_.size()) {
        TKvDeviceChangeNotify notify = notifies_[next++];
        try {
            notify(this, message);
        } catch (Exception& error) {
            Application()->HandleException(this, error);
        }
    }
}

LRESULT CALLBACK TKvDeviceChangeHandler::WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* handler = reinterpret_cast<TKvDeviceChangeHandler*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (handler != nullptr) {
        if (msg == WM_DEVICECHANGE) {
            PostMessageA(window, KVM_DEVICECHANGE, wParam, lParam);
        } else if (msg == KVM_DEVICECHANGE) {
            TMessage message;
            message.Msg = msg;
            message.WParam = wParam;
            message.LParam = lParam;
            handler->DeviceChanged(message);
            return message.Result;
        }
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}
