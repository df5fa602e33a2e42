// TMetafile: a vector picture, kept as an enhanced metafile and read from either
// an enhanced (.emf) or a Windows (.wmf, with or without the placeable header)
// metafile.
#pragma once

#include "GdiHandles.h"
#include "TGraphic.h"

class TMetafile : public TGraphic {
public:
    CLASSLIB_CLASS_NAME(TMetafile)

    // The size in pixels of the screen, from the picture's frame.
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    // The size in 0.01 mm.
    int MMWidth() const { return mmWidth_; }
    int MMHeight() const { return mmHeight_; }
    // True when the data read was an enhanced metafile.
    bool Enhanced() const { return enhanced_; }
    HENHMETAFILE Handle() const { return handle_.Get(); }

    void Assign(TPersistent* source) override;
    void LoadFromStream(TStream& stream) override;
    std::unique_ptr<TGraphic> NewOfSameClass() const override { return std::make_unique<TMetafile>(); }

protected:
    void Draw(TCanvas* canvas, const RECT& rect) override;

private:
    // Takes the metafile and reads its size from its header.
    void Adopt(TOwnedEnhMetaFile metafile, bool enhanced);

    TOwnedEnhMetaFile handle_;
    int width_ = 0, height_ = 0;
    int mmWidth_ = 0, mmHeight_ = 0;
    bool enhanced_ = true;
};
