// TCanvas: drawing over a device context with its own pen, brush and font, which
// are selected into the context when a drawing call needs them and taken out
// again before the context is let go.
#pragma once

#include "Closure.h"
#include "Colors.h"
#include "OwnedDC.h"
#include "TBrush.h"
#include "TFont.h"
#include "TPen.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class TGraphic;

class TCanvas : public TPersistent {
public:
    CLASSLIB_CLASS_NAME(TCanvas)
    TCanvas();
    ~TCanvas() override;

    // The device context; a canvas that makes its own (bitmap, control) makes it here.
    HDC Handle();
    // Borrows a context (a paint context, say); null lets the current one go.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont* Font() { return &font_; }
    TPen* Pen() { return &pen_; }
    TBrush* Brush() { return &brush_; }
    void SetFont(TFont* font) { font_.Assign(font); }
    void SetPen(TPen* pen) { pen_.Assign(pen); }
    void SetBrush(TBrush* brush) { brush_.Assign(brush); }

    // The raster operation of CopyRect and Draw (SRCCOPY by default).
    DWORD CopyMode() const { return copyMode_; }
    void SetCopyMode(DWORD mode) { copyMode_ = mode; }

    POINT PenPos();
    void SetPenPos(POINT position) { MoveTo(position.x, position.y); }
    RECT ClipRect();

    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void RoundRect(int left, int top, int right, int bottom, int width, int height);
    void Ellipse(int left, int top, int right, int bottom);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polygon(const std::vector<POINT>& points);
    void Polyline(const std::vector<POINT>& points);
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);
    void DrawFocusRect(const RECT& rect);

    void TextOut(int x, int y, const std::string& text);
    // Text clipped to the rectangle; the rectangle is filled first unless the brush is clear.
    void TextRect(const RECT& rect, int x, int y, const std::string& text);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    // The system's DrawText with the canvas font; returns the height of the text.
    int DrawText(const std::string& text, RECT& rect, UINT format);

    // Copies (stretching) a rectangle of another canvas with CopyMode.
    void CopyRect(const RECT& dest, TCanvas* source, const RECT& sourceRect);
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const RECT& rect, TGraphic* graphic);

    // Takes the pen, brush and font out of the context so that they are selected afresh.
    void Refresh();

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void CreateHandle() {}
    void Changing();
    void Changed();

private:
    enum Need { NeedHandle = 1, NeedPen = 2, NeedBrush = 4, NeedFont = 8 };
    void RequireState(int needs);
    void DeselectHandles();
    void PenChanged(TObject* sender);
    void BrushChanged(TObject* sender);
    void FontChanged(TObject* sender);

    HDC dc_ = nullptr;
    TFont font_;
    TPen pen_;
    TBrush brush_;
    // The objects now in the context, each putting back what it replaced when it
    // goes; declared after the objects so that they leave before the objects do.
    std::optional<TSelectObject> selectedPen_;
    std::optional<TSelectObject> selectedBrush_;
    std::optional<TSelectObject> selectedFont_;
    DWORD copyMode_ = SRCCOPY;
};
