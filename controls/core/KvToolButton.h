// TKvToolButton: a flat, windowless tool button with a caption. It shows the
// parent through it until the pointer is over it, then paints the selection
// colours; pressed or Down, the same colours darker.
#pragma once

#include "TGraphicControl.h"

class TKvToolButton : public TGraphicControl {
public:
    CLASSLIB_CLASS_NAME(TKvToolButton)
    explicit TKvToolButton(TComponent* owner);

    bool Down() const { return down_; }
    void SetDown(bool value);
    // Colour style of the selection colours (KvCommon::SelectionColors): 0 system, 1 the theme's scheme.
    int SelectionColorStyle() const { return selectionColorStyle_; }
    void SetSelectionColorStyle(int value);

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;
    void CMEnabledChanged(TMessage& message) override;

private:
    bool down_ = false;
    bool pressed_ = false;
    bool hot_ = false;
    int selectionColorStyle_ = 1;
};
