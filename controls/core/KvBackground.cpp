// The installer's background and its off-screen picture.
#include "KvBackground.h"

#include "KvCommon.h"
#include "KvGrafx.h"
#include "StoreChanged.h"

TKvBackground::TKvBackground(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(ControlStyle() + csOpaque);
    SetBounds(0, 0, 200, 150);
    texture_.OnChange = TNotifyEvent(this, &TKvBackground::PictureChanged);
    image_.OnChange = TNotifyEvent(this, &TKvBackground::PictureChanged);
}

TKvBackground::~TKvBackground() = default;

void TKvBackground::LayersChanged()
{
    rendered_.reset();
    Invalidate();
}

void TKvBackground::PictureChanged(TObject*) { LayersChanged(); }

void TKvBackground::SetStartColor(TColor value)
{
    if (!StoreChanged(startColor_, value))
        return;
    LayersChanged();
}

void TKvBackground::SetEndColor(TColor value)
{
    if (!StoreChanged(endColor_, value))
        return;
    LayersChanged();
}

void TKvBackground::SetShowGradient(bool value)
{
    if (!StoreChanged(showGradient_, value))
        return;
    LayersChanged();
}

void TKvBackground::SetShowTexture(bool value)
{
    if (!StoreChanged(showTexture_, value))
        return;
    LayersChanged();
}

void TKvBackground::SetShowImage(bool value)
{
    if (!StoreChanged(showImage_, value))
        return;
    LayersChanged();
}

void TKvBackground::SetImageStyle(TKvImageStyle value)
{
    if (!StoreChanged(imageStyle_, value))
        return;
    LayersChanged();
}

void TKvBackground::WMEraseBkgnd(TMessage& message)
{
    // Paint covers every pixel; erasing first would only flicker.
    message.Result = 1;
}

void TKvBackground::TilePicture(TCanvas* canvas, TGraphic* graphic, const RECT& rect)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic)) {
        KvGrafx::TileBitmap(canvas, bitmap, rect);
        return;
    }
    // Other pictures are drawn once into a bitmap of their size, which is then tiled.
    TBitmap tile(graphic->Width(), graphic->Height());
    tile.Canvas()->Brush()->SetColor(clWhite);
    tile.Canvas()->FillRect(RECT{0, 0, tile.Width(), tile.Height()});
    tile.Canvas()->Draw(0, 0, graphic);
    KvGrafx::TileBitmap(canvas, &tile, rect);
}

void TKvBackground::RenderLayers(TCanvas* canvas, const RECT& rect)
{
    if (showGradient_) {
        KvGrafx::GradientFillRect(canvas, rect, KvGrafx::gdHorizontalEnd, startColor_, endColor_, 1);
    } else {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(rect);
    }
    TGraphic* texture = texture_.Graphic();
    if (showTexture_ && texture != nullptr && !texture->Empty())
        TilePicture(canvas, texture, rect);
    TGraphic* image = image_.Graphic();
    if (!showImage_ || image == nullptr || image->Empty())
        return;
    switch (imageStyle_) {
    case TKvImageStyle::isCenter:
        canvas->StretchDraw(KvCommon::RectCenteredIn(rect, image->Width(), image->Height()), image);
        break;
    case TKvImageStyle::isStretch:
        canvas->StretchDraw(rect, image);
        break;
    case TKvImageStyle::isTile:
        TilePicture(canvas, image, rect);
        break;
    }
}

void TKvBackground::Paint()
{
    RECT client = ClientRect();
    int width = client.right - client.left, height = client.bottom - client.top;
    if (width <= 0 || height <= 0)
        return;
    if (rendered_ == nullptr || rendered_->Width() != width || rendered_->Height() != height) {
        auto picture = std::make_unique<TBitmap>(width, height);
        RenderLayers(picture->Canvas(), RECT{0, 0, width, height});
        rendered_ = std::move(picture);
    }
    Canvas()->Draw(0, 0, rendered_.get());
}
