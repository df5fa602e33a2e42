// The device-change receiver window and its registrations.
#include "KvDeviceChangeHandler.h"

#include "Exception.h"
#include "TApplication.h"

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
    for (auto it = notifies_.begin(); it != notifies_.end(); ++it)
        if (*it == notify) {
            notifies_.erase(it);
            return;
        }
}

void TKvDeviceChangeHandler::DeleteNotifyAt(int index)
{
    if (index >= 0 && index < NotifyCount())
        notifies_.erase(notifies_.begin() + index);
}

void TKvDeviceChangeHandler::DeviceChanged(TMessage& message)
{
    if (!active_)
        return;
    // A registration may remove itself (or another) while it runs.
    std::vector<TKvDeviceChangeNotify> notifies = notifies_;
    for (const TKvDeviceChangeNotify& notify : notifies) {
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
