// Flat tool buttons painted with the library's selection colours.
#include "KvToolButton.h"

#include "KvCommon.h"
#include "KvGrafx.h"
#include "StoreChanged.h"
#include "TCustomImageList.h"

TKvToolButton::TKvToolButton(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 23, 22);
    imageLink_.OnChange = TNotifyEvent(this, &TKvToolButton::ImagesChanged);
}

TKvToolButton::~TKvToolButton() { SetImages(nullptr); }

void TKvToolButton::SetImages(TCustomImageList* value)
{
    if (value == images_)
        return;
    if (images_ != nullptr) {
        images_->UnRegisterChanges(&imageLink_);
        images_->RemoveFreeNotification(this);
    }
    images_ = value;
    if (images_ != nullptr) {
        images_->RegisterChanges(&imageLink_);
        images_->FreeNotification(this);
    }
    Invalidate();
}

void TKvToolButton::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) {
        images_ = nullptr;
        Invalidate();
    }
}

void TKvToolButton::ImagesChanged(TObject*) { Invalidate(); }

void TKvToolButton::SetImageIndex(int value)
{
    if (!StoreChanged(imageIndex_, value))
        return;
    Invalidate();
}

void TKvToolButton::SetDisabledIndex(int value)
{
    if (!StoreChanged(disabledIndex_, value))
        return;
    Invalidate();
}

void TKvToolButton::SetDown(bool value)
{
    if (!StoreChanged(down_, value))
        return;
    Invalidate();
}

void TKvToolButton::SetSelectionColorStyle(int value)
{
    if (!StoreChanged(selectionColorStyle_, value))
        return;
    Invalidate();
}

void TKvToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft && Enabled()) {
        pressed_ = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TKvToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft && pressed_) {
        pressed_ = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TKvToolButton::CMMouseEnter(TMessage& message)
{
    TGraphicControl::CMMouseEnter(message);
    if (Enabled()) {
        hot_ = true;
        Invalidate();
    }
}

void TKvToolButton::CMMouseLeave(TMessage& message)
{
    TGraphicControl::CMMouseLeave(message);
    if (hot_) {
        hot_ = false;
        Invalidate();
    }
}

void TKvToolButton::CMEnabledChanged(TMessage& message)
{
    if (!Enabled())
        hot_ = pressed_ = false;
    TGraphicControl::CMEnabledChanged(message);
}

void TKvToolButton::Paint()
{
    TCanvas* canvas = Canvas();
    RECT client = ClientRect();
    bool sunk = down_ || (pressed_ && hot_);
    if (Enabled() && (hot_ || sunk)) {
        TColor frame, start, stop;
        KvCommon::SelectionColors(selectionColorStyle_, frame, start, stop);
        if (sunk) {
            start = KvCommon::DarkenColor(start, 20);
            stop = KvCommon::DarkenColor(stop, 20);
        }
        KvGrafx::GradientFillRect(canvas, client, KvGrafx::gdHorizontalEnd, start, stop, 1);
        canvas->Brush()->SetColor(frame);
        canvas->FrameRect(client);
    }
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    if (!Enabled())
        canvas->Font()->SetColor(clGrayText);
    RECT text = client;
    if (sunk)
        OffsetRect(&text, 1, 1);
    // The image sits at the left, the caption beside it; without an image the caption is centred.
    bool useDisabled = !Enabled() && disabledIndex_ >= 0;
    int index = useDisabled ? disabledIndex_ : imageIndex_;
    if (images_ != nullptr && index >= 0 && index < images_->Count()) {
        int top = text.top + (client.bottom - client.top - images_->Height()) / 2;
        images_->Draw(canvas, text.left + 4, top, index, Enabled() || useDisabled);
        text.left += 4 + images_->Width() + 4;
        canvas->DrawText(Caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    canvas->DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
