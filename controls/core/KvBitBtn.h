// TKvBitBtn: the push button with a glyph bitmap or an image-list image beside
// its caption, and standard kinds (OK, Cancel, Yes, ...) that set caption, glyph,
// modal result and the default and cancel roles together.
#pragma once

#include "KvButton.h"
#include "KvButtonKinds.h"
#include "TChangeLink.h"

#include <memory>

class TCustomImageList;

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// Cells in a glyph: up, disabled, pressed, down.
using TNumGlyphs = int;
using TImageIndex = int;

class TKvBitBtn : public TKvButton {
public:
    CLASSLIB_CLASS_NAME(TKvBitBtn)
    explicit TKvBitBtn(TComponent* owner);
    ~TKvBitBtn() override;

    TBitmap* Glyph() const { return glyph_.get(); }
    // Copies the picture in; the button's own glyph from now on.
    virtual void SetGlyph(TBitmap* value);
    // bkCustom once the default and cancel roles, modal result or glyph no longer match the kind.
    virtual TBitBtnKind Kind();
    virtual void SetKind(TBitBtnKind value);
    TButtonLayout Layout() const { return layout_; }
    virtual void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    // -1 centres glyph and caption together; values below -1 are ignored.
    virtual void SetMargin(int value);
    TNumGlyphs NumGlyphs() const { return numGlyphs_; }
    // 1 to 4; other values are ignored.
    virtual void SetNumGlyphs(TNumGlyphs value);
    int Spacing() const { return spacing_; }
    virtual void SetSpacing(int value);
    TImageIndex ImageIndex() const { return imageIndex_; }
    virtual void SetImageIndex(TImageIndex value);
    TImageIndex DisabledIndex() const { return disabledIndex_; }
    virtual void SetDisabledIndex(TImageIndex value);
    TCustomImageList* Images() const { return images_; }
    virtual void SetImages(TCustomImageList* value);

    // The size of the image or of one glyph cell.
    virtual SIZE GlyphSize();
    // Where the image or glyph goes.
    virtual RECT GlyphRect();
    RECT CaptionRect() override;
    void ChangeScale(int multiplier, int divider) override;

protected:
    virtual void DrawImageListImage(TCanvas* canvas, const RECT& rect);
    virtual void DrawGlyphBitmap(TCanvas* canvas, const RECT& rect);
    void DrawCaptionAndGlyph(TCanvas* canvas) override;
    void ActionChange(TObject* sender, bool checkDefaults) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void GlyphChanged(TObject* sender);
    void ImagesChanged(TObject* sender);
    bool HasImage() const;
    // The caption's height as DrawText lays it out in the rectangle.
    int MeasureCaption(const RECT& rect);

    std::unique_ptr<TBitmap> glyph_;
    bool modifiedGlyph_ = false;
    TBitBtnKind kind_ = TBitBtnKind::bkCustom;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int margin_ = 2;
    TNumGlyphs numGlyphs_ = 1;
    int spacing_ = 4;
    TImageIndex imageIndex_ = -1;
    TImageIndex disabledIndex_ = -1;
    TCustomImageList* images_ = nullptr;
    TChangeLink imagesLink_;
};
