// TJPEGImage: a JPEG picture, decoded with libjpeg into a bitmap when it is read.
#pragma once

#include "TBitmap.h"
#include "TGraphic.h"

#include <memory>

class TJPEGImage : public TGraphic {
public:
    CLASSLIB_CLASS_NAME(TJPEGImage)
    TJPEGImage();
    ~TJPEGImage() override;

    int Width() const override { return bitmap_.Width(); }
    int Height() const override { return bitmap_.Height(); }
    bool Grayscale() const { return grayscale_; }
    // The decoded picture.
    TBitmap* Bitmap() { return &bitmap_; }

    void Assign(TPersistent* source) override;
    // Damage, truncation and colour spaces that cannot become RGB raise EInvalidGraphic.
    void LoadFromStream(TStream& stream) override;
    std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TJPEGImage>(); }

protected:
    void Draw(TCanvas* canvas, const RECT& rect) override;

private:
    TBitmap bitmap_;
    bool grayscale_ = false;
};
