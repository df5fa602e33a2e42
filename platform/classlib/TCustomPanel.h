// TCustomPanel: a container control with raised or lowered bevels, a border band
// between them and a caption; its children share the area inside the bevels.
#pragma once

#include "TCustomControl.h"

enum class TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
public:
    CLASSLIB_CLASS_NAME(TCustomPanel)
    explicit TCustomPanel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel value);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    // Repaint the whole panel on every resize, not only the edges that moved.
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool value) { fullRepaint_ = value; }

protected:
    void CreateParams(TCreateParams& params) override;
    void AdjustClientRect(RECT& rect) override;
    void Paint() override;

private:
    TAlignment alignment_ = TAlignment::taCenter;
    TPanelBevel bevelInner_ = TPanelBevel::bvNone;
    TPanelBevel bevelOuter_ = TPanelBevel::bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    bool fullRepaint_ = true;
};
