// Pens made on demand.
#include "TPen.h"

#include "StoreChanged.h"

void TPen::Change()
{
    handle_.Reset();
    Changed();
}

void TPen::SetColor(TColor color)
{
    if (!StoreChanged(color_, color))
        return;
    Change();
}

void TPen::SetWidth(int width)
{
    if (width < 0 || !StoreChanged(width_, width))
        return;
    Change();
}

void TPen::SetStyle(TPenStyle style)
{
    if (!StoreChanged(style_, style))
        return;
    Change();
}

void TPen::SetMode(TPenMode mode)
{
    if (!StoreChanged(mode_, mode))
        return;
    Changed(); // the mode is set on the context, not in the pen
}

HPEN TPen::Handle()
{
    if (handle_.IsNull()) {
        static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        handle_.Reset(CreatePen(styles[static_cast<int>(style_)], width_, ColorToRGB(color_)));
    }
    return handle_.Get();
}

void TPen::Assign(TPersistent* source)
{
    auto* pen = dynamic_cast<TPen*>(source);
    if (pen == nullptr) {
        TGraphicsObject::Assign(source);
        return;
    }
    if (pen == this)
        return;
    color_ = pen->color_;
    width_ = pen->width_;
    style_ = pen->style_;
    mode_ = pen->mode_;
    Change();
}
