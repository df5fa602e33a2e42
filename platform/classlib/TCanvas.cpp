// Drawing over a device context.
#include "TCanvas.h"

#include "Exception.h"
#include "TGraphic.h"

TCanvas::TCanvas()
{
    pen_.OnChange = TNotifyEvent(this, &TCanvas::PenChanged);
    brush_.OnChange = TNotifyEvent(this, &TCanvas::BrushChanged);
    font_.OnChange = TNotifyEvent(this, &TCanvas::FontChanged);
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

HDC TCanvas::Handle()
{
    if (dc_ == nullptr)
        CreateHandle();
    return dc_;
}

void TCanvas::SetHandle(HDC dc)
{
    if (dc == dc_)
        return;
    if (dc_ != nullptr)
        DeselectHandles();
    dc_ = dc;
}

void TCanvas::DeselectHandles()
{
    selectedPen_.reset();
    selectedBrush_.reset();
    selectedFont_.reset();
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::RequireState(int needs)
{
    if (dc_ == nullptr)
        CreateHandle();
    if (dc_ == nullptr)
        throw Exception("Canvas does not allow drawing");
    if ((needs & NeedPen) && !selectedPen_) {
        selectedPen_.emplace(dc_, pen_.Handle());
        SetROP2(dc_, pen_.RasterOperation());
    }
    if ((needs & NeedBrush) && !selectedBrush_) {
        selectedBrush_.emplace(dc_, brush_.Handle());
        // Text and hatches take their background from the brush.
        if (brush_.Style() == TBrushStyle::bsClear) {
            SetBkMode(dc_, TRANSPARENT);
        } else {
            SetBkColor(dc_, ColorToRGB(brush_.Color()));
            SetBkMode(dc_, OPAQUE);
        }
    }
    if ((needs & NeedFont) && !selectedFont_) {
        selectedFont_.emplace(dc_, font_.Handle());
        SetTextColor(dc_, ColorToRGB(font_.Color()));
    }
}

// A changed object leaves the context now, before its old handle is deleted.
void TCanvas::PenChanged(TObject*) { selectedPen_.reset(); }

void TCanvas::BrushChanged(TObject*) { selectedBrush_.reset(); }

void TCanvas::FontChanged(TObject*) { selectedFont_.reset(); }

void TCanvas::Changing()
{
    if (OnChanging)
        OnChanging(this);
}

void TCanvas::Changed()
{
    if (OnChange)
        OnChange(this);
}

POINT TCanvas::PenPos()
{
    RequireState(NeedHandle);
    POINT position = {};
    GetCurrentPositionEx(dc_, &position);
    return position;
}

RECT TCanvas::ClipRect()
{
    RequireState(NeedHandle);
    RECT rect = {};
    GetClipBox(dc_, &rect);
    return rect;
}

void TCanvas::FillRect(const RECT& rect)
{
    Changing();
    RequireState(NeedBrush);
    ::FillRect(dc_, &rect, brush_.Handle());
    Changed();
}

void TCanvas::FrameRect(const RECT& rect)
{
    Changing();
    RequireState(NeedBrush);
    ::FrameRect(dc_, &rect, brush_.Handle());
    Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    Changing();
    RequireState(NeedPen | NeedBrush);
    ::Rectangle(dc_, left, top, right, bottom);
    Changed();
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int width, int height)
{
    Changing();
    RequireState(NeedPen | NeedBrush);
    ::RoundRect(dc_, left, top, right, bottom, width, height);
    Changed();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    Changing();
    RequireState(NeedPen | NeedBrush);
    ::Ellipse(dc_, left, top, right, bottom);
    Changed();
}

void TCanvas::MoveTo(int x, int y)
{
    RequireState(NeedHandle);
    MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y)
{
    Changing();
    RequireState(NeedPen | NeedBrush);
    ::LineTo(dc_, x, y);
    Changed();
}

void TCanvas::Polygon(const std::vector<POINT>& points)
{
    if (points.empty())
        return;
    Changing();
    RequireState(NeedPen | NeedBrush);
    ::Polygon(dc_, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::Polyline(const std::vector<POINT>& points)
{
    if (points.empty())
        return;
    Changing();
    RequireState(NeedPen | NeedBrush);
    ::Polyline(dc_, points.data(), static_cast<int>(points.size()));
    Changed();
}

TColor TCanvas::Pixel(int x, int y)
{
    RequireState(NeedHandle);
    return static_cast<TColor>(GetPixel(dc_, x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    Changing();
    RequireState(NeedHandle);
    SetPixelV(dc_, x, y, ColorToRGB(color));
    Changed();
}

void TCanvas::DrawFocusRect(const RECT& rect)
{
    Changing();
    RequireState(NeedBrush);
    ::DrawFocusRect(dc_, &rect);
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    Changing();
    RequireState(NeedFont | NeedBrush);
    ExtTextOutA(dc_, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
    MoveTo(x + TextWidth(text), y);
    Changed();
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::string& text)
{
    Changing();
    RequireState(NeedFont | NeedBrush);
    UINT options = ETO_CLIPPED;
    if (brush_.Style() != TBrushStyle::bsClear)
        options |= ETO_OPAQUE;
    ExtTextOutA(dc_, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
    Changed();
}

SIZE TCanvas::TextExtent(const std::string& text)
{
    RequireState(NeedFont);
    SIZE size = {};
    GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

int TCanvas::DrawText(const std::string& text, RECT& rect, UINT format)
{
    if ((format & DT_CALCRECT) == 0)
        Changing();
    RequireState(NeedFont | NeedBrush);
    int height = ::DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &rect, format);
    if ((format & DT_CALCRECT) == 0)
        Changed();
    return height;
}

void TCanvas::CopyRect(const RECT& dest, TCanvas* source, const RECT& sourceRect)
{
    Changing();
    RequireState(NeedBrush);
    HDC sourceDC = source->Handle();
    int previous = SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, sourceDC,
               sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
               sourceRect.bottom - sourceRect.top, copyMode_);
    SetStretchBltMode(dc_, previous);
    Changed();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic)
{
    if (graphic == nullptr || graphic->Empty())
        return;
    RECT rect = {x, y, x + graphic->Width(), y + graphic->Height()};
    StretchDraw(rect, graphic);
}

void TCanvas::StretchDraw(const RECT& rect, TGraphic* graphic)
{
    if (graphic == nullptr || graphic->Empty())
        return;
    Changing();
    RequireState(NeedHandle);
    graphic->Draw(this, rect);
    Changed();
}
