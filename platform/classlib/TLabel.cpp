// Captions drawn by their parent.
#include "TLabel.h"

#include "GdiHandles.h"
#include "StoreChanged.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
    SetControlStyle(ControlStyle() + csOpaque);
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

void TLabel::SetAutoSize(bool value)
{
    if (!StoreChanged(autoSize_, value))
        return;
    AdjustBounds();
}

void TLabel::SetWordWrap(bool value)
{
    if (!StoreChanged(wordWrap_, value))
        return;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool value)
{
    if (!StoreChanged(transparent_, value))
        return;
    TControlStyle style = ControlStyle();
    SetControlStyle(value ? style - csOpaque : style + csOpaque);
    Invalidate();
}

void TLabel::SetAlignment(TAlignment value)
{
    if (!StoreChanged(alignment_, value))
        return;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool value)
{
    if (!StoreChanged(showAccelChar_, value))
        return;
    AdjustBounds();
    Invalidate();
}

UINT TLabel::TextFormat() const
{
    UINT format = DT_EXPANDTABS;
    if (wordWrap_)
        format |= DT_WORDBREAK;
    if (!showAccelChar_)
        format |= DT_NOPREFIX;
    switch (alignment_) {
    case TAlignment::taRightJustify: format |= DT_RIGHT; break;
    case TAlignment::taCenter: format |= DT_CENTER; break;
    default: format |= DT_LEFT; break;
    }
    return format;
}

void TLabel::AdjustBounds()
{
    if (!autoSize_)
        return;
    std::string text = Caption();
    RECT rect = {0, 0, wordWrap_ ? Width() : 0, 0};
    TWindowDC screen(nullptr);
    {
        TSelectObject font(screen, Font()->Handle());
        // An empty caption still takes the height of one line.
        DrawTextA(screen, text.empty() ? " " : text.c_str(), -1, &rect, (TextFormat() & ~(DT_RIGHT | DT_CENTER)) | DT_CALCRECT);
    }
    int width = wordWrap_ ? Width() : rect.right;
    int left = Left();
    if (!wordWrap_ && alignment_ == TAlignment::taRightJustify)
        left += Width() - width;
    else if (!wordWrap_ && alignment_ == TAlignment::taCenter)
        left += (Width() - width) / 2;
    SetBounds(left, Top(), width, rect.bottom);
}

void TLabel::CMTextChanged(TMessage& message)
{
    AdjustBounds();
    TGraphicControl::CMTextChanged(message);
}

void TLabel::CMFontChanged(TMessage& message)
{
    AdjustBounds();
    TGraphicControl::CMFontChanged(message);
}

void TLabel::Paint()
{
    TCanvas* canvas = Canvas();
    RECT client = ClientRect();
    if (!transparent_) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
        canvas->FillRect(client);
    }
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    canvas->SetFont(Font());
    std::string text = Caption();
    if (Enabled()) {
        canvas->DrawText(text, client, TextFormat());
        return;
    }
    // Disabled: the etched look of the system's disabled text.
    RECT offset = client;
    OffsetRect(&offset, 1, 1);
    canvas->Font()->SetColor(clBtnHighlight);
    canvas->DrawText(text, offset, TextFormat());
    canvas->Font()->SetColor(clBtnShadow);
    canvas->DrawText(text, client, TextFormat());
}
