// TKvBackground: the painted background of the installer's main form, in three
// layers, each switched on its own: a gradient from StartColor at the top to
// EndColor at the bottom, a texture tiled over the whole area, and an image
// centred, stretched or tiled. The layers are painted off-screen once per size
// and property change; each paint only copies that picture.
#pragma once

#include "TBitmap.h"
#include "TCustomControl.h"
#include "TPicture.h"

#include <memory>

enum class TKvImageStyle { isCenter, isStretch, isTile };

class TKvBackground : public TCustomControl {
public:
    CLASSLIB_CLASS_NAME(TKvBackground)
    explicit TKvBackground(TComponent* owner);
    ~TKvBackground() override;

    TColor StartColor() const { return startColor_; }
    void SetStartColor(TColor value);
    TColor EndColor() const { return endColor_; }
    void SetEndColor(TColor value);
    bool ShowGradient() const { return showGradient_; }
    void SetShowGradient(bool value);
    bool ShowTexture() const { return showTexture_; }
    void SetShowTexture(bool value);
    bool ShowImage() const { return showImage_; }
    void SetShowImage(bool value);
    TKvImageStyle ImageStyle() const { return imageStyle_; }
    void SetImageStyle(TKvImageStyle value);
    TPicture* Texture() { return &texture_; }
    void SetTexture(TPicture* value) { texture_.Assign(value); }
    TPicture* Image() { return &image_; }
    void SetImage(TPicture* value) { image_.Assign(value); }

protected:
    void Paint() override;
    void WMEraseBkgnd(TMessage& message) override;
    // Paints every layer that is switched on into the off-screen picture.
    virtual void RenderLayers(TCanvas* canvas, const RECT& rect);

private:
    // Forgets the off-screen picture and repaints.
    void LayersChanged();
    void PictureChanged(TObject* sender);
    // Covers the rectangle with copies of a picture of any class.
    static void TilePicture(TCanvas* canvas, TGraphic* graphic, const RECT& rect);

    TColor startColor_ = clBlue;
    TColor endColor_ = clBlack;
    bool showGradient_ = true;
    bool showTexture_ = false;
    bool showImage_ = false;
    TKvImageStyle imageStyle_ = TKvImageStyle::isCenter;
    TPicture texture_;
    TPicture image_;
    std::unique_ptr<TBitmap> rendered_;
};
