// The frame controller: shared frame settings pushed to the controls that joined.
#include "KvFrameController.h"

#include "StoreChanged.h"

#include <algorithm>

TKvFrameController::TKvFrameController(TComponent* owner) : TComponent(owner) {}

// The controls hear of the controller's end through their free notification.
TKvFrameController::~TKvFrameController() = default;

void TKvFrameController::RegisterSink(IKvFrameSettingsSink* sink)
{
    if (sink == nullptr || std::find(sinks_.begin(), sinks_.end(), sink) != sinks_.end())
        return;
    sinks_.push_back(sink);
    sink->UpdateFrame(this, fcnAll);
}

void TKvFrameController::UnregisterSink(IKvFrameSettingsSink* sink)
{
    sinks_.erase(std::remove(sinks_.begin(), sinks_.end(), sink), sinks_.end());
}

template <typename T>
void TKvFrameController::Change(T& field, T value, TKvFrameControllerNotifications kind)
{
    if (!StoreChanged(field, value))
        return;
    Notify(kind);
}

void TKvFrameController::Notify(TKvFrameControllerNotifications changed)
{
    // A sink may leave while it is told; work on a copy.
    std::vector<IKvFrameSettingsSink*> sinks = sinks_;
    for (IKvFrameSettingsSink* sink : sinks)
        if (std::find(sinks_.begin(), sinks_.end(), sink) != sinks_.end())
            sink->UpdateFrame(this, changed);
}

void TKvFrameController::SetFrameVisible(bool value) { Change(frameVisible_, value, fcnAll); }
void TKvFrameController::SetFrameStyle(KvCommon::TFrameStyleEx value) { Change(frameStyle_, value, fcnFrameStyle); }
void TKvFrameController::SetFrameSides(KvCommon::TKvSides value) { Change(frameSides_, value, fcnFrameSides); }
void TKvFrameController::SetFrameColor(TColor value) { Change(frameColor_, value, fcnFrameColor); }
void TKvFrameController::SetFrameHotTrack(bool value) { Change(frameHotTrack_, value, fcnFrameHotTrack); }
void TKvFrameController::SetFrameHotColor(TColor value) { Change(frameHotColor_, value, fcnFrameHotColor); }
void TKvFrameController::SetFrameHotStyle(KvCommon::TFrameStyleEx value)
{
    Change(frameHotStyle_, value, fcnFrameHotStyle);
}
void TKvFrameController::SetColor(TColor value) { Change(color_, value, fcnColor); }
void TKvFrameController::SetParentColor(bool value) { Change(parentColor_, value, fcnParentColor); }
void TKvFrameController::SetFocusColor(TColor value) { Change(focusColor_, value, fcnFocusColor); }
void TKvFrameController::SetDisabledColor(TColor value) { Change(disabledColor_, value, fcnDisabledColor); }
void TKvFrameController::SetReadOnlyColor(TColor value) { Change(readOnlyColor_, value, fcnReadOnlyColor); }
void TKvFrameController::SetReadOnlyColorOnFocus(bool value)
{
    Change(readOnlyColorOnFocus_, value, fcnReadOnlyColorOnFocus);
}

TKvFrameControllerLink::~TKvFrameControllerLink()
{
    if (controller_ != nullptr)
        controller_->UnregisterSink(sink_);
}

void TKvFrameControllerLink::SetController(TKvFrameController* controller)
{
    if (controller == controller_)
        return;
    if (controller_ != nullptr) {
        controller_->UnregisterSink(sink_);
        controller_->RemoveFreeNotification(control_);
    }
    controller_ = controller;
    if (controller_ != nullptr) {
        controller_->FreeNotification(control_);
        controller_->RegisterSink(sink_);
    }
}

void TKvFrameControllerLink::Notification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::opRemove && component != nullptr && component == controller_)
        controller_ = nullptr;
}
