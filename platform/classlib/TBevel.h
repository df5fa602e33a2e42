// TBevel: a windowless etched box, frame or line that divides a form.
#pragma once

#include "TGraphicControl.h"

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    CLASSLIB_CLASS_NAME(TBevel)
    explicit TBevel(TComponent* owner);

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;

private:
    TBevelShape shape_ = TBevelShape::bsBox;
    TBevelStyle style_ = TBevelStyle::bsLowered;
};
