// Picture controls.
#include "TImage.h"

#include "StoreChanged.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 105, 105);
    picture_.OnChange = TNotifyEvent(this, &TImage::PictureChanged);
}

void TImage::SetStretch(bool value)
{
    if (!StoreChanged(stretch_, value))
        return;
    Invalidate();
}

void TImage::SetCenter(bool value)
{
    if (!StoreChanged(center_, value))
        return;
    Invalidate();
}

void TImage::SetTransparent(bool value)
{
    if (!StoreChanged(transparent_, value))
        return;
    if (TGraphic* graphic = picture_.Graphic())
        graphic->SetTransparent(value);
    Invalidate();
}

void TImage::PictureChanged(TObject*)
{
    TGraphic* graphic = picture_.Graphic();
    if (graphic != nullptr && graphic->Transparent() != transparent_)
        graphic->SetTransparent(transparent_); // tells us again, with the same state
    Invalidate();
}

RECT TImage::DestRect()
{
    if (stretch_)
        return RECT{0, 0, Width(), Height()};
    int width = picture_.Width(), height = picture_.Height();
    if (center_) {
        int left = (Width() - width) / 2, top = (Height() - height) / 2;
        return RECT{left, top, left + width, top + height};
    }
    return RECT{0, 0, width, height};
}

void TImage::Paint()
{
    TGraphic* graphic = picture_.Graphic();
    if (graphic == nullptr || graphic->Empty())
        return;
    Canvas()->StretchDraw(DestRect(), graphic);
}
