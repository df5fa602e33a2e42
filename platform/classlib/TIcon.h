// TIcon: an icon picture read from an icon file (.ico); of the images the file
// holds, the largest with the most colours is taken.
#pragma once

#include "GdiHandles.h"
#include "TGraphic.h"

class TIcon : public TGraphic {
public:
    CLASSLIB_CLASS_NAME(TIcon)

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    HICON Handle() const { return handle_.Get(); }

    void Assign(TPersistent* source) override;
    void LoadFromStream(TStream& stream) override;
    std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TIcon>(); }

protected:
    void Draw(TCanvas* canvas, const RECT& rect) override;

private:
    TOwnedIcon handle_;
    int width_ = 0, height_ = 0;
};
