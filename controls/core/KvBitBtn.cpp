// The bit button: glyph and image geometry, glyph cells and the standard kinds.
#include "KvBitBtn.h"

#include "KvGrafx.h"
#include "KvThemeSrv.h"
#include "TBitmap.h"
#include "TCustomAction.h"
#include "TCustomImageList.h"

TKvBitBtn::TKvBitBtn(TComponent* owner) : TKvButton(owner), glyph_(std::make_unique<TBitmap>())
{
    glyph_->OnChange = TNotifyEvent(this, &TKvBitBtn::GlyphChanged);
    imagesLink_.OnChange = TNotifyEvent(this, &TKvBitBtn::ImagesChanged);
}

TKvBitBtn::~TKvBitBtn() { SetImages(nullptr); }

// ---- properties -----------------------------------------------------------

void TKvBitBtn::SetGlyph(TBitmap* value)
{
    glyph_->Assign(value);
    modifiedGlyph_ = true;
}

void TKvBitBtn::GlyphChanged(TObject*)
{
    int width = glyph_->Width(), height = glyph_->Height();
    if (height != 0 && width % height == 0) {
        int cells = width / height;
        numGlyphs_ = cells >= 1 && cells <= 4 ? cells : 1;
    }
    Invalidate();
}

TBitBtnKind TKvBitBtn::Kind()
{
    if (kind_ != TBitBtnKind::bkCustom) {
        const KvButtonKinds::TKindInfo& info = KvButtonKinds::KindInfo(kind_);
        if (Default() != info.Default || Cancel() != info.Cancel || ModalResult() != info.ModalResult ||
            modifiedGlyph_)
            kind_ = TBitBtnKind::bkCustom;
    }
    return kind_;
}

void TKvBitBtn::SetKind(TBitBtnKind value)
{
    if (value == TBitBtnKind::bkCustom) {
        kind_ = value;
        return;
    }
    const KvButtonKinds::TKindInfo& info = KvButtonKinds::KindInfo(value);
    SetDefault(info.Default);
    SetCancel(info.Cancel);
    SetCaption(KvButtonKinds::KindCaption(value));
    SetModalResult(info.ModalResult);
    glyph_->Assign(KvButtonKinds::KindGlyph(value));
    numGlyphs_ = 2;
    modifiedGlyph_ = false;
    kind_ = value;
    Invalidate();
}

void TKvBitBtn::SetLayout(TButtonLayout value) { StoreAndInvalidate(layout_, value); }
void TKvBitBtn::SetSpacing(int value) { StoreAndInvalidate(spacing_, value); }
void TKvBitBtn::SetImageIndex(TImageIndex value) { StoreAndInvalidate(imageIndex_, value); }
void TKvBitBtn::SetDisabledIndex(TImageIndex value) { StoreAndInvalidate(disabledIndex_, value); }

void TKvBitBtn::SetMargin(int value)
{
    if (value < -1)
        return;
    StoreAndInvalidate(margin_, value);
}

void TKvBitBtn::SetNumGlyphs(TNumGlyphs value)
{
    if (value < 1 || value > 4)
        return;
    StoreAndInvalidate(numGlyphs_, value);
}

void TKvBitBtn::SetImages(TCustomImageList* value)
{
    if (value == images_)
        return;
    if (images_ != nullptr) {
        images_->UnRegisterChanges(&imagesLink_);
        images_->RemoveFreeNotification(this);
    }
    images_ = value;
    if (images_ != nullptr) {
        images_->RegisterChanges(&imagesLink_);
        images_->FreeNotification(this);
    }
    Invalidate();
}

void TKvBitBtn::ImagesChanged(TObject*) { Invalidate(); }

void TKvBitBtn::Notification(TComponent* component, TOperation operation)
{
    TKvButton::Notification(component, operation);
    // The list is going: its link is already cut, so only forget it.
    if (operation == TOperation::opRemove && component != nullptr && component == images_) {
        images_ = nullptr;
        Invalidate();
    }
}

void TKvBitBtn::ActionChange(TObject* sender, bool checkDefaults)
{
    TKvButton::ActionChange(sender, checkDefaults);
    if (auto* action = dynamic_cast<TCustomAction*>(sender))
        if (!checkDefaults || imageIndex_ == -1)
            SetImageIndex(action->ImageIndex());
}

// ---- geometry -------------------------------------------------------------

void TKvBitBtn::ChangeScale(int multiplier, int divider)
{
    if (multiplier != divider && divider != 0) {
        if (margin_ != -1) // -1 centres, at any scale
            margin_ = MulDiv(margin_, multiplier, divider);
        spacing_ = MulDiv(spacing_, multiplier, divider);
    }
    TKvButton::ChangeScale(multiplier, divider);
}

bool TKvBitBtn::HasImage() const { return images_ != nullptr && imageIndex_ != -1; }

SIZE TKvBitBtn::GlyphSize()
{
    if (HasImage())
        return SIZE{images_->Width(), images_->Height()};
    return SIZE{glyph_->Width() / numGlyphs_, glyph_->Height()};
}

int TKvBitBtn::MeasureCaption(const RECT& rect)
{
    Canvas()->SetFont(Font());
    return CaptionHeight(Canvas(), rect);
}

RECT TKvBitBtn::CaptionRect()
{
    RECT r = TKvButton::CaptionRect();
    if (!HasImage() && glyph_->Empty())
        return r;
    SIZE glyph = GlyphSize();
    if (margin_ == -1 && (layout_ == TButtonLayout::blGlyphTop || layout_ == TButtonLayout::blGlyphBottom)) {
        int h = MeasureCaption(r);
        int free = (Height() - h - glyph.cy - spacing_) / 2;
        r.top = layout_ == TButtonLayout::blGlyphTop ? r.top + glyph.cy + free : r.top + free;
        r.bottom = r.top + h;
        return r;
    }
    switch (layout_) {
    case TButtonLayout::blGlyphLeft: r.left += margin_ + glyph.cx + spacing_; break;
    case TButtonLayout::blGlyphRight: r.right -= margin_ + glyph.cx + spacing_; break;
    case TButtonLayout::blGlyphTop: r.top += margin_ + glyph.cy + spacing_; break;
    case TButtonLayout::blGlyphBottom: r.bottom -= margin_ + glyph.cy + spacing_; break;
    }
    return r;
}

RECT TKvBitBtn::GlyphRect()
{
    RECT r = TKvButton::CaptionRect();
    bool themed = PaintsThemed();
    if (PressedLook())
        OffsetRect(&r, -1, themed ? 0 : -1);
    SIZE glyph = GlyphSize();
    if (margin_ >= 0) {
        switch (layout_) {
        case TButtonLayout::blGlyphLeft: r.left += margin_; break;
        case TButtonLayout::blGlyphRight: r.left = r.right - margin_ - glyph.cx; break;
        case TButtonLayout::blGlyphTop: r.top += margin_; break;
        case TButtonLayout::blGlyphBottom: r.top = r.bottom - margin_ - glyph.cy; break;
        }
    } else {
        int h = MeasureCaption(r);
        int free = (Height() - h - glyph.cy - spacing_) / 2;
        switch (layout_) {
        case TButtonLayout::blGlyphLeft: break;
        case TButtonLayout::blGlyphRight: r.left = r.right - glyph.cx; break;
        case TButtonLayout::blGlyphTop: r.top = free; break;
        case TButtonLayout::blGlyphBottom: r.top += h + free; break;
        }
    }
    if (layout_ == TButtonLayout::blGlyphTop || layout_ == TButtonLayout::blGlyphBottom)
        r.left += (r.right - r.left - glyph.cx + 1) / 2;
    else
        r.top += (r.bottom - r.top - glyph.cy + 1) / 2;
    r.right = r.left + glyph.cx;
    r.bottom = r.top + glyph.cy;
    if (PressedLook())
        OffsetRect(&r, themed ? 2 : 1, themed ? 0 : 1);
    return r;
}

// ---- drawing --------------------------------------------------------------

void TKvBitBtn::DrawCaptionAndGlyph(TCanvas* canvas)
{
    TKvButton::DrawCaptionAndGlyph(canvas);
    RECT rect = GlyphRect();
    if (Kind() == TBitBtnKind::bkCustom && HasImage())
        DrawImageListImage(canvas, rect);
    else if (!glyph_->Empty())
        DrawGlyphBitmap(canvas, rect);
}

void TKvBitBtn::DrawImageListImage(TCanvas* canvas, const RECT& rect)
{
    if (!Enabled() && disabledIndex_ != -1)
        images_->Draw(canvas, rect.left, rect.top, disabledIndex_, true);
    else
        images_->Draw(canvas, rect.left, rect.top, imageIndex_, Enabled());
}

void TKvBitBtn::DrawGlyphBitmap(TCanvas* canvas, const RECT& rect)
{
    int cell = 0;
    if (numGlyphs_ == 4 && State() == kbsDown)
        cell = 3;
    else if (numGlyphs_ >= 3 && (State() == kbsPressed || PressedLook()))
        cell = 2;
    else if (numGlyphs_ >= 2 && !Enabled())
        cell = 1;
    SIZE size = GlyphSize();
    if (size.cx <= 0 || size.cy <= 0)
        return;
    // The cell goes onto a copy of what lies under it, its transparent colour left out.
    TBitmap work(size.cx, size.cy);
    HDC dc = canvas->Handle();
    BitBlt(work.Canvas()->Handle(), 0, 0, size.cx, size.cy, dc, rect.left, rect.top, SRCCOPY);
    RECT source = {cell * size.cx, 0, (cell + 1) * size.cx, size.cy};
    KvGrafx::BlitTransparent(work.Canvas(), RECT{0, 0, size.cx, size.cy}, glyph_.get(), source,
                             glyph_->TransparentColor());
    BitBlt(dc, rect.left, rect.top, size.cx, size.cy, work.Canvas()->Handle(), 0, 0, SRCCOPY);
}
