// The library's container panel.
#include "KvPanel.h"

#include "KvThemeSrv.h"
#include "StoreChanged.h"

#include <algorithm>

using namespace KvCommon;

TKvCustomPanel::TKvCustomPanel(TComponent* owner) : TCustomPanel(owner)
{
    SetControlStyle(ControlStyle() - csSetCaption);
    SetBevelOuter(TPanelBevel::bvNone);
    SetFullRepaint(false);
}

TKvCustomPanel::~TKvCustomPanel() = default;

void TKvCustomPanel::SetBounds(int left, int top, int width, int height)
{
    // A panel docked to the bottom or the right grows away from that edge.
    if (Align() == TAlign::alBottom && height != Height())
        top = Top() + Height() - height;
    if (Align() == TAlign::alRight && width != Width())
        left = Left() + Width() - width;
    TCustomPanel::SetBounds(left, top, width, height);
}

// ---- settings -------------------------------------------------------------

void TKvCustomPanel::SetAlignmentVertical(TAlignmentVertical value)
{
    if (StoreChanged(alignmentVertical_, value))
        Invalidate();
}

void TKvCustomPanel::SetBorderSides(TKvSides value)
{
    if (!StoreChanged(borderSides_, value))
        return;
    Realign();
    Invalidate();
}

void TKvCustomPanel::SetBorderColor(TColor value)
{
    if (StoreChanged(borderColor_, value))
        Invalidate();
}

void TKvCustomPanel::SetBorderHighlight(TColor value)
{
    if (StoreChanged(borderHighlight_, value))
        Invalidate();
}

void TKvCustomPanel::SetBorderShadow(TColor value)
{
    if (StoreChanged(borderShadow_, value))
        Invalidate();
}

void TKvCustomPanel::SetBorderInner(TFrameStyleEx value)
{
    if (!StoreChanged(borderInner_, value))
        return;
    Realign();
    Invalidate();
}

void TKvCustomPanel::SetBorderOuter(TFrameStyleEx value)
{
    if (!StoreChanged(borderOuter_, value))
        return;
    Realign();
    Invalidate();
}

void TKvCustomPanel::SetFlatColor(TColor value)
{
    if (StoreChanged(flatColor_, value))
        Invalidate();
}

void TKvCustomPanel::SetFlatColorAdjustment(int value)
{
    if (StoreChanged(flatColorAdjustment_, value))
        Invalidate();
}

void TKvCustomPanel::SetFrameController(TKvFrameController* value) { frameLink_.SetController(value); }

void TKvCustomPanel::Notification(TComponent* component, TOperation operation)
{
    TCustomPanel::Notification(component, operation);
    frameLink_.Notification(component, operation);
}

void TKvCustomPanel::SetGradientColorStyle(TKvGradientColorStyle value)
{
    if (StoreChanged(gradientColorStyle_, value))
        Invalidate();
}

void TKvCustomPanel::SetGradientColorStart(TColor value)
{
    if (StoreChanged(gradientColorStart_, value))
        InvalidateWithChildren();
}

void TKvCustomPanel::SetGradientColorStop(TColor value)
{
    if (StoreChanged(gradientColorStop_, value))
        InvalidateWithChildren();
}

void TKvCustomPanel::SetGradientDirection(KvGrafx::TGradientDirection value)
{
    if (StoreChanged(gradientDirection_, value))
        InvalidateWithChildren();
}

void TKvCustomPanel::SetGridColor(TColor value)
{
    if (StoreChanged(gridColor_, value))
        Invalidate();
}

void TKvCustomPanel::SetGridStyle(int value)
{
    if (StoreChanged(gridStyle_, value))
        Invalidate();
}

void TKvCustomPanel::SetGridXSize(int value)
{
    if (StoreChanged(gridXSize_, value))
        Invalidate();
}

void TKvCustomPanel::SetGridYSize(int value)
{
    if (StoreChanged(gridYSize_, value))
        Invalidate();
}

void TKvCustomPanel::SetPaintClientArea(bool value)
{
    if (StoreChanged(paintClientArea_, value))
        Invalidate();
}

void TKvCustomPanel::SetShowGrid(bool value)
{
    if (StoreChanged(showGrid_, value))
        Invalidate();
}

void TKvCustomPanel::SetTextMarginX(int value)
{
    if (StoreChanged(textMarginX_, value))
        Invalidate();
}

void TKvCustomPanel::SetTextMarginY(int value)
{
    if (StoreChanged(textMarginY_, value))
        Invalidate();
}

void TKvCustomPanel::SetTransparent(bool value)
{
    if (!StoreChanged(transparent_, value))
        return;
    if (value)
        SetControlStyle(ControlStyle() - csOpaque);
    else
        SetControlStyle(ControlStyle() + csOpaque);
    InvalidateWithChildren();
}

void TKvCustomPanel::SetWordWrap(bool value)
{
    if (StoreChanged(wordWrap_, value))
        Invalidate();
}

void TKvCustomPanel::SetVisualStyle(TKvVisualStyle value)
{
    if (StoreChanged(visualStyle_, value))
        Invalidate();
}

void TKvCustomPanel::InvalidateWithChildren()
{
    Invalidate();
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->Invalidate();
}

// ---- geometry -------------------------------------------------------------

POINT TKvCustomPanel::MousePosition()
{
    POINT point = {};
    GetCursorPos(&point);
    return ScreenToClient(point);
}

RECT TKvCustomPanel::ShrinkByBorders(const RECT& rect, bool includeBorderWidth)
{
    RECT r = rect;
    if (includeBorderWidth)
        InflateRect(&r, -BorderWidth(), -BorderWidth());
    r = FrameStyleInnerRect(r, borderOuter_, borderSides_, BevelWidth());
    return FrameStyleInnerRect(r, borderInner_, borderSides_, BevelWidth());
}

RECT TKvCustomPanel::PaintRect() { return RECT{0, 0, Width(), Height()}; }

SIZE TKvCustomPanel::ResizeBorderSize() { return SIZE{1, 1}; }

void TKvCustomPanel::AdjustClientRect(RECT& rect)
{
    TCustomPanel::AdjustClientRect(rect);
    rect = ShrinkByBorders(rect, false);
}

// ---- colours --------------------------------------------------------------

void TKvCustomPanel::GetGradientColors(TColor& start, TColor& stop)
{
    if (gradientColorStyle_ == gcsCustom) {
        start = gradientColorStart_;
        stop = gradientColorStop_;
    } else if (gradientColorStyle_ == gcsMSOffice && KvThemeSrv::SharedThemeServices()->PaintsThemed()) {
        start = SchemeColor(ColorScheme(), 3);
        stop = SchemeColor(ColorScheme(), 4);
    } else {
        start = clWindow;
        stop = DarkenColor(clBtnFace, 10);
    }
}

void TKvCustomPanel::GetFlatColor(TColor& color, int& adjustment)
{
    if (visualStyle_ != vsGradient || gradientColorStyle_ == gcsCustom) {
        color = flatColor_;
        adjustment = flatColorAdjustment_;
        return;
    }
    adjustment = 0;
    if (gradientColorStyle_ == gcsMSOffice && KvThemeSrv::SharedThemeServices()->PaintsThemed())
        color = SchemeColor(ColorScheme(), 5);
    else
        color = LightenColor(clBtnShadow, 30);
}

// ---- painting -------------------------------------------------------------

void TKvCustomPanel::Paint()
{
    TCanvas* canvas = Canvas();
    RECT r = PaintRect();
    TKvFrameSettings frame;
    GetFlatColor(frame.FlatColor, frame.FlatAdjustment);
    frame.Outer = borderOuter_;
    frame.Inner = borderInner_;
    frame.Sides = borderSides_;
    frame.BevelWidth = BevelWidth();
    frame.BorderWidth = BorderWidth();
    frame.Transparent = transparent_;
    frame.ParentColor = Parent() != nullptr ? Parent()->Color() : Color();
    frame.Color = Color();
    frame.Shadow = borderShadow_;
    frame.Highlight = borderHighlight_;
    frame.BorderColor = borderColor_;
    r = DrawInnerOuterFrame(canvas, r, frame);

    if (!transparent_ && paintClientArea_) {
        if (visualStyle_ == vsGradient) {
            TColor start = 0, stop = 0;
            GetGradientColors(start, stop);
            KvGrafx::GradientFillRect(canvas, r, gradientDirection_, start, stop, 1);
        } else {
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(r);
        }
    }
    if (showGrid_)
        DrawGrid(r);
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    DrawCaption(r);
    canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    if (OnPaint)
        OnPaint(this);
}

void TKvCustomPanel::DrawGrid(const RECT& rect)
{
    TCanvas* canvas = Canvas();
    canvas->Pen()->SetColor(gridColor_);
    const int columns = gridXSize_ > 0 ? (rect.right - rect.left) / gridXSize_ : 0;
    const int rows = gridYSize_ > 0 ? (rect.bottom - rect.top) / gridYSize_ : 0;
    if (gridStyle_ == 0) {
        for (int i = 1; i <= columns; ++i)
            for (int j = 1; j <= rows; ++j)
                canvas->SetPixel(rect.left + i * gridXSize_ - 1, rect.top + j * gridYSize_ - 1, gridColor_);
        return;
    }
    const bool solid = gridStyle_ == 2;
    for (int i = 1; i <= columns; ++i) {
        const int x = rect.left + i * gridXSize_ - 1;
        if (solid) {
            canvas->MoveTo(x, rect.top);
            canvas->LineTo(x, rect.bottom);
        } else {
            for (int y = rect.top + 1; y < rect.bottom; y += 2)
                canvas->SetPixel(x, y, gridColor_);
        }
    }
    for (int j = 1; j <= rows; ++j) {
        const int y = rect.top + j * gridYSize_ - 1;
        if (solid) {
            canvas->MoveTo(rect.left, y);
            canvas->LineTo(rect.right, y);
        } else {
            for (int x = rect.left + 1; x < rect.right; x += 2)
                canvas->SetPixel(x, y, gridColor_);
        }
    }
}

void TKvCustomPanel::DrawCaption(const RECT& rect)
{
    const std::string caption = Caption();
    if (caption.empty())
        return;
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    RECT r = rect;
    InflateRect(&r, -textMarginX_, -textMarginY_);
    const UINT flags = (wordWrap_ ? DT_WORDBREAK : 0) | AlignmentFlag(Alignment());
    RECT measured = r;
    const int h = canvas->DrawText(caption, measured, flags | DT_CALCRECT | DT_EXPANDTABS | DT_VCENTER);
    switch (alignmentVertical_) {
    case TAlignmentVertical::avTop:
        r.bottom = std::min<LONG>(r.bottom, r.top + h);
        break;
    case TAlignmentVertical::avCenter:
        r.top = (r.top + r.bottom - h) / 2;
        r.bottom = std::min<LONG>(r.bottom, r.top + h);
        break;
    case TAlignmentVertical::avBottom:
        r.top = std::max<LONG>(r.top, r.bottom - h - 1);
        break;
    }
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    if (!Enabled())
        canvas->Font()->SetColor(clGrayText);
    canvas->DrawText(caption, r, flags | DT_EXPANDTABS | DT_VCENTER);
}

// ---- messages -------------------------------------------------------------

void TKvCustomPanel::Dispatch(TMessage& message)
{
    if (message.Msg == WM_THEMECHANGED) {
        TCustomPanel::Dispatch(message);
        RefreshColorScheme();
        return;
    }
    TCustomPanel::Dispatch(message);
}

void TKvCustomPanel::WMEraseBkgnd(TMessage& message)
{
    if (transparent_ && paintClientArea_) {
        KvGrafx::PaintParentBehind(this, MessageParams::PaintDC(message), true);
        message.Result = 1;
        return;
    }
    TCustomPanel::WMEraseBkgnd(message);
}

void TKvCustomPanel::WMWindowPosChanged(TMessage& message)
{
    auto* position = reinterpret_cast<WINDOWPOS*>(message.LParam);
    if (HandleAllocated() && !(position->flags & SWP_NOSIZE)) {
        const int oldWidth = Width(), oldHeight = Height();
        const int newWidth = position->cx, newHeight = position->cy;
        if (FullRepaint() || !Caption().empty()) {
            Invalidate();
        } else {
            // Only the strips where the right and bottom frames were and will be.
            const SIZE edge = ResizeBorderSize();
            const RECT oldInner = ShrinkByBorders(RECT{0, 0, oldWidth, oldHeight}, true);
            const RECT newInner = ShrinkByBorders(RECT{0, 0, newWidth, newHeight}, true);
            if (newWidth != oldWidth) {
                RECT strip = {std::min(oldInner.right, newInner.right) - edge.cx, 0, std::max(oldWidth, newWidth),
                              std::max(oldHeight, newHeight)};
                InvalidateRect(Handle(), &strip, TRUE);
            }
            if (newHeight != oldHeight) {
                RECT strip = {0, std::min(oldInner.bottom, newInner.bottom) - edge.cy, std::max(oldWidth, newWidth),
                              std::max(oldHeight, newHeight)};
                InvalidateRect(Handle(), &strip, TRUE);
            }
        }
    }
    TCustomPanel::WMWindowPosChanged(message);
}

void TKvCustomPanel::CMEnabledChanged(TMessage& message)
{
    TCustomPanel::CMEnabledChanged(message);
    if (!Enabled()) {
        childEnabled_->Clear();
        for (int i = 0; i < ControlCount(); ++i)
            childEnabled_->AddObject(Controls(i)->Enabled() ? "1" : "0", Controls(i));
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->SetEnabled(false);
    } else {
        for (int i = 0; i < ControlCount(); ++i) {
            const int index = childEnabled_->IndexOfObject(Controls(i));
            if (index < 0 || childEnabled_->Strings(index) == "1")
                Controls(i)->SetEnabled(true);
        }
    }
    Invalidate();
}

void TKvCustomPanel::CMMouseEnter(TMessage& message)
{
    TCustomPanel::CMMouseEnter(message);
    if (message.LParam == reinterpret_cast<LPARAM>(static_cast<TControl*>(this)) && OnMouseEnter)
        OnMouseEnter(this);
}

void TKvCustomPanel::CMMouseLeave(TMessage& message)
{
    TCustomPanel::CMMouseLeave(message);
    if (message.LParam == reinterpret_cast<LPARAM>(static_cast<TControl*>(this)) && OnMouseLeave)
        OnMouseLeave(this);
}

// ---- frame controller -----------------------------------------------------

void TKvCustomPanel::UpdateFrame(TKvFrameController*, TKvFrameControllerNotifications)
{
    ApplyFrameControllerSettings();
}

void TKvCustomPanel::ApplyFrameControllerSettings()
{
    TKvFrameController* controller = frameLink_.Controller();
    if (controller == nullptr || !controller->FrameVisible())
        return;
    const TKvFrameControllerNotifications take = frameControllerNotifications_;
    // The fields are written directly; one realignment and one repaint follow.
    if (take & fcnFrameStyle)
        borderOuter_ = controller->FrameStyle();
    if (take & fcnFrameSides)
        borderSides_ = controller->FrameSides();
    if (take & fcnFrameColor) {
        flatColor_ = controller->FrameColor();
        flatColorAdjustment_ = 0;
    }
    if (take & fcnColor) {
        SetColor(controller->Color());
        borderHighlight_ = LightenColor(controller->Color(), 100);
        borderShadow_ = DarkenColor(controller->Color(), 50);
    }
    if (take & fcnParentColor)
        SetParentColor(controller->ParentColor());
    Realign();
    Invalidate();
}
