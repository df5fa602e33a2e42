// TPen: colour, width, style and mix mode of lines; the GDI pen is made on demand.
#pragma once

#include "Colors.h"
#include "GdiHandles.h"
#include "TGraphicsObject.h"

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// The binary raster operations of lines, in the order of their R2_ codes.
enum class TPenMode {
    pmBlack, pmNotMerge, pmMaskNotPen, pmNotCopy, pmMaskPenNot, pmNot, pmXor, pmNotMask,
    pmMask, pmNotXor, pmNop, pmMergeNotPen, pmCopy, pmMergePenNot, pmMerge, pmWhite
};

class TPen : public TGraphicsObject {
public:
    CLASSLIB_CLASS_NAME(TPen)

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode mode);
    // The R2_ code that goes with Mode.
    int RasterOperation() const { return static_cast<int>(mode_) + 1; }

    HPEN Handle();
    void Assign(TPersistent* source) override;

private:
    void Change();

    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::psSolid;
    TPenMode mode_ = TPenMode::pmCopy;
    TOwnedPen handle_;
};
