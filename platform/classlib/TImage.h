// TImage: a windowless control that shows a picture at its top-left corner,
// centred, or stretched to its size.
#pragma once

#include "TGraphicControl.h"
#include "TPicture.h"

class TImage : public TGraphicControl {
public:
    CLASSLIB_CLASS_NAME(TImage)
    explicit TImage(TComponent* owner);

    TPicture* Picture() { return &picture_; }
    void SetPicture(TPicture* picture) { picture_.Assign(picture); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    // A transparent picture leaves the parent showing where the picture has its
    // transparent colour.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    // Where the picture is drawn in the client area.
    RECT DestRect();

protected:
    void Paint() override;

private:
    void PictureChanged(TObject* sender);

    TPicture picture_;
    bool stretch_ = false;
    bool center_ = false;
    bool transparent_ = false;
};
