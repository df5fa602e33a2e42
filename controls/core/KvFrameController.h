// KvFrameController: one place holding frame settings (visibility, style, sides,
// colours, hot tracking) that several framed controls share. A control joins with
// its settings sink; the controller pushes all settings when it joins and each
// setting as it changes.
#pragma once

#include "KvCommon.h"
#include "TComponent.h"

#include <vector>

class TKvFrameController;

// The kinds of settings, as bits: a control keeps a set of those it takes.
enum TKvFrameControllerNotification : WORD {
    fcnColor = 0x0001,
    fcnParentColor = 0x0002,
    fcnFocusColor = 0x0004,
    fcnDisabledColor = 0x0008,
    fcnReadOnlyColor = 0x0010,
    fcnReadOnlyColorOnFocus = 0x0020,
    fcnFrameColor = 0x0040,
    fcnFrameHotColor = 0x0080,
    fcnFrameHotTrack = 0x0100,
    fcnFrameHotStyle = 0x0200,
    fcnFrameSides = 0x0400,
    fcnFrameStyle = 0x0800,
    fcnFrameVisible = 0x1000,
};
using TKvFrameControllerNotifications = WORD;
constexpr TKvFrameControllerNotifications fcnAll = 0xFFFF;

// What a framed control offers the controller: one call whenever settings change.
class IKvFrameSettingsSink {
public:
    virtual void UpdateFrame(TKvFrameController* controller, TKvFrameControllerNotifications changed) = 0;

protected:
    ~IKvFrameSettingsSink() = default;
};

class TKvFrameController : public TComponent {
public:
    CLASSLIB_CLASS_NAME(TKvFrameController)
    explicit TKvFrameController(TComponent* owner);
    ~TKvFrameController() override;

    // A sink joins once; it is given every setting at once.
    void RegisterSink(IKvFrameSettingsSink* sink);
    void UnregisterSink(IKvFrameSettingsSink* sink);
    int SinkCount() const { return static_cast<int>(sinks_.size()); }

    bool FrameVisible() const { return frameVisible_; }
    void SetFrameVisible(bool value);
    KvCommon::TFrameStyleEx FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(KvCommon::TFrameStyleEx value);
    KvCommon::TKvSides FrameSides() const { return frameSides_; }
    void SetFrameSides(KvCommon::TKvSides value);
    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor value);
    bool FrameHotTrack() const { return frameHotTrack_; }
    void SetFrameHotTrack(bool value);
    TColor FrameHotColor() const { return frameHotColor_; }
    void SetFrameHotColor(TColor value);
    KvCommon::TFrameStyleEx FrameHotStyle() const { return frameHotStyle_; }
    void SetFrameHotStyle(KvCommon::TFrameStyleEx value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TColor FocusColor() const { return focusColor_; }
    void SetFocusColor(TColor value);
    TColor DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(TColor value);
    TColor ReadOnlyColor() const { return readOnlyColor_; }
    void SetReadOnlyColor(TColor value);
    bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
    void SetReadOnlyColorOnFocus(bool value);

private:
    template <typename T>
    void Change(T& field, T value, TKvFrameControllerNotifications kind);
    void Notify(TKvFrameControllerNotifications changed);

    std::vector<IKvFrameSettingsSink*> sinks_;
    bool frameVisible_ = true;
    KvCommon::TFrameStyleEx frameStyle_ = KvCommon::fsFlat;
    KvCommon::TKvSides frameSides_ = KvCommon::sdAllSides;
    TColor frameColor_ = clBtnShadow;
    bool frameHotTrack_ = false;
    TColor frameHotColor_ = clHighlight;
    KvCommon::TFrameStyleEx frameHotStyle_ = KvCommon::fsFlatBold;
    TColor color_ = clWindow;
    bool parentColor_ = false;
    TColor focusColor_ = clWindow;
    TColor disabledColor_ = clBtnFace;
    TColor readOnlyColor_ = clInfoBk;
    bool readOnlyColorOnFocus_ = false;
};

// One control's link to its frame controller: joining (the controller then pushes
// every setting), leaving, and forgetting the controller when it is freed. The
// control passes its Notification on to the link.
class TKvFrameControllerLink {
public:
    TKvFrameControllerLink(TComponent* control, IKvFrameSettingsSink* sink) : control_(control), sink_(sink) {}
    ~TKvFrameControllerLink();
    TKvFrameControllerLink(const TKvFrameControllerLink&) = delete;
    TKvFrameControllerLink& operator=(const TKvFrameControllerLink&) = delete;

    TKvFrameController* Controller() const { return controller_; }
    void SetController(TKvFrameController* controller);
    void Notification(TComponent* component, TOperation operation);

private:
    TComponent* control_;
    IKvFrameSettingsSink* sink_;
    TKvFrameController* controller_ = nullptr;
};
