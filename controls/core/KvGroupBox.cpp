// Group boxes in six group styles.
#include "KvGroupBox.h"

#include "KvThemeSrv.h"
#include "KvUxTheme.h"
#include "StoreChanged.h"
#include "SysUtils.h"

#include <algorithm>

using namespace KvCommon;
using KvThemeSrv::SharedThemeServices;
using KvThemeSrv::TThemeServices;

namespace {

// The height of a text in a font, measured on the screen (the box may have no window yet).
int FontTextHeight(TFont* font, const std::string& text)
{
    TWindowDC screen(nullptr);
    TCanvas canvas;
    canvas.SetHandle(screen);
    canvas.SetFont(font);
    const int height = canvas.TextHeight(text);
    canvas.SetHandle(nullptr);
    return height;
}

void Line(TCanvas* canvas, int x1, int y1, int x2, int y2)
{
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
}

} // namespace

TKvCustomGroupBox::TKvCustomGroupBox(TComponent* owner) : TKvCustomPanel(owner)
{
    SetControlStyle(ControlStyle() + TControlStyle{csSetCaption, csDoubleClicks});
    SetBorderOuter(fsNone);
    SetBorderInner(fsNone);
    SetAlignment(TAlignment::taLeftJustify);
    SetAlignmentVertical(TAlignmentVertical::avTop);
    SetHeight(105);
}

void TKvCustomGroupBox::SetGroupStyle(TKvGroupBoxStyle value)
{
    if (!StoreChanged(groupStyle_, value))
        return;
    Realign();
    Invalidate();
}

void TKvCustomGroupBox::UpdateFrame(TKvFrameController* controller, TKvFrameControllerNotifications changed)
{
    // Only a box drawn as a panel wears the controller's frame.
    if (groupStyle_ == gsCustom)
        TKvCustomPanel::UpdateFrame(controller, changed);
}

void TKvCustomGroupBox::AdjustClientRect(RECT& rect)
{
    TKvCustomPanel::AdjustClientRect(rect);
    const int h = FontTextHeight(Font(), "Yy");
    switch (groupStyle_) {
    case gsCustom:
        if (!Caption().empty())
            rect.top += h;
        InflateRect(&rect, -2, -2);
        break;
    case gsTopLine:
        rect.top += h;
        break;
    case gsBanner:
        rect.top += h + 8;
        break;
    case gsUnderline:
        rect.top += h + 4;
        break;
    case gsStandard:
    case gsFlat: {
        const int a = h / 2 - 1;
        rect.top += a < BorderWidth() ? a : h - BorderWidth();
        const int inset = groupStyle_ == gsStandard ? 2 : 1;
        InflateRect(&rect, -inset, -inset);
        break;
    }
    }
}

bool TKvCustomGroupBox::PaintsThemedFrame() const
{
    return VisualStyle() == vsWinXP && SharedThemeServices()->PaintsThemed() &&
           (groupStyle_ == gsStandard || groupStyle_ == gsFlat);
}

RECT TKvCustomGroupBox::CaptionRect(bool themed)
{
    const std::string caption = Caption();
    if (caption.empty() || groupStyle_ == gsCustom)
        return RECT{0, 0, 0, 0};
    SIZE extent = {};
    TThemeServices* services = SharedThemeServices();
    if (themed) {
        const std::wstring wide = SysUtils::AnsiToWide(caption);
        RECT bounds = {};
        const auto details = TThemeServices::ButtonPart(Enabled() ? KvThemeSrv::tbGroupBoxNormal
                                                                  : KvThemeSrv::tbGroupBoxDisabled);
        KvUxTheme::GetThemeTextExtent(services->ThemeHandleFor(KvThemeSrv::tcButton), Canvas()->Handle(),
                                      details.Part, details.State, wide.c_str(), static_cast<int>(wide.size()),
                                      DT_SINGLELINE, nullptr, &bounds);
        extent = SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
    } else {
        RECT bounds = {0, 0, 0, 0};
        Canvas()->DrawText(caption, bounds, DT_CALCRECT | DT_SINGLELINE);
        extent = SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
    }
    const int w = extent.cx, h = extent.cy, width = Width();
    const bool rightToLeft = UseRightToLeftAlignment();
    switch (groupStyle_) {
    case gsStandard:
    case gsFlat:
        return rightToLeft ? RECT{width - w - 8, 0, width - 8, h} : RECT{8, 0, w + 8, h};
    case gsTopLine:
        return rightToLeft ? RECT{width - w - 4, 0, width - 4, h} : RECT{0, 0, w + 4, h};
    case gsBanner:
        return RECT{0, 0, width, h + 6};
    case gsUnderline:
        return RECT{0, 0, width, h + 2};
    default:
        return RECT{0, 0, 0, 0};
    }
}

void TKvCustomGroupBox::Paint()
{
    if (groupStyle_ == gsCustom) {
        TKvCustomPanel::Paint();
        return;
    }
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    const int halfHeight = canvas->TextHeight("Pp") / 2 - 1;
    const bool themed = PaintsThemedFrame();
    const RECT captionRect = CaptionRect(themed);
    if (themed) {
        PaintThemed(captionRect, halfHeight);
        return;
    }
    PaintFrame(captionRect, halfHeight);
    PaintCaption(captionRect);
}

void TKvCustomGroupBox::PaintThemed(const RECT& captionRect, int halfHeight)
{
    TThemeServices* services = SharedThemeServices();
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    if (!Transparent())
        services->PaintParentUnder(Handle(), dc);
    const auto details =
        TThemeServices::ButtonPart(Enabled() ? KvThemeSrv::tbGroupBoxNormal : KvThemeSrv::tbGroupBoxDisabled);
    ExcludeClipRect(dc, captionRect.left, captionRect.top, captionRect.right, captionRect.bottom);
    services->PaintPart(dc, details, RECT{0, halfHeight, Width(), Height()});
    SelectClipRgn(dc, nullptr);
    const std::string caption = Caption();
    if (!caption.empty())
        services->PaintPartText(dc, details, SysUtils::AnsiToWide(caption), captionRect,
                                AlignmentFlag(Alignment()), 0);
}

void TKvCustomGroupBox::PaintFrame(const RECT& captionRect, int halfHeight)
{
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    const int width = Width(), height = Height();
    if (!Transparent()) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(RECT{0, 0, width, height});
    } else if (groupStyle_ != gsBanner) {
        ExcludeClipRect(dc, captionRect.left, captionRect.top, captionRect.right, captionRect.bottom);
    }
    const RECT g = {0, halfHeight, width, height};
    const TColor flat = ShiftColor(FlatColor(), FlatColorAdjustment());
    canvas->Pen()->SetColor(flat);

    // The group box's lines only: what lies between them is already painted.
    TKvFrameSettings frame;
    frame.Transparent = true;
    frame.FlatColor = flat;
    frame.Shadow = BorderShadow();
    frame.Highlight = BorderHighlight();
    frame.BevelWidth = BevelWidth();
    const TFrameStyleEx style = BorderOuter() == fsNone ? fsGroove : BorderOuter();

    switch (groupStyle_) {
    case gsStandard:
        frame.Outer = style;
        DrawInnerOuterFrame(canvas, g, frame);
        break;
    case gsTopLine:
        if (style == fsFlat || style == fsFlatBold) {
            Line(canvas, g.left + 2, g.top, g.right - 2, g.top);
            if (style == fsFlatBold)
                Line(canvas, g.left + 2, g.top + 1, g.right - 2, g.top + 1);
        } else {
            frame.Outer = style;
            frame.Sides = sdTop;
            DrawInnerOuterFrame(canvas, g, frame);
        }
        break;
    case gsFlat:
        frame.Outer = fsFlatRounded;
        DrawInnerOuterFrame(canvas, g, frame);
        break;
    case gsBanner:
        PaintBanner(captionRect, flat);
        break;
    case gsUnderline:
        Line(canvas, captionRect.left, captionRect.bottom, captionRect.right, captionRect.bottom);
        break;
    case gsCustom:
        break;
    }
}

void TKvCustomGroupBox::PaintBanner(const RECT& c, TColor flat)
{
    TCanvas* canvas = Canvas();
    TColor start = 0, stop = 0, pen = 0;
    if (GradientColorStyle() == gcsCustom) {
        start = GradientColorStart();
        stop = GradientColorStop();
        pen = flat;
    } else if (GradientColorStyle() == gcsMSOffice && SharedThemeServices()->PaintsThemed()) {
        start = SchemeColor(ColorScheme(), 3);
        stop = pen = SchemeColor(ColorScheme(), 4);
    } else {
        start = clWindow;
        stop = DarkenColor(clBtnFace, 20);
        pen = DarkenColor(clBtnFace, 40);
    }
    canvas->Pen()->SetColor(pen);
    // The outline leaves its four corner pixels out.
    Line(canvas, c.left, c.top + 1, c.left, c.bottom - 1);
    Line(canvas, c.left + 1, c.top, c.right - 1, c.top);
    Line(canvas, c.right - 1, c.top + 1, c.right - 1, c.bottom - 1);
    Line(canvas, c.left + 1, c.bottom - 1, c.right - 1, c.bottom - 1);
    RECT inside = c;
    InflateRect(&inside, -1, -1);
    KvGrafx::GradientFillRect(canvas, inside, KvGrafx::gdHorizontalEnd, start, stop, 1);
}

void TKvCustomGroupBox::PaintCaption(RECT c)
{
    const std::string caption = Caption();
    if (caption.empty())
        return;
    TCanvas* canvas = Canvas();
    if (!Transparent() && groupStyle_ != gsBanner) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(c);
    }
    if (groupStyle_ == gsBanner)
        InflateRect(&c, -4, -1);
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    if (!Enabled())
        canvas->Font()->SetColor(clGrayText);
    else if (VisualStyle() == vsWinXP && SharedThemeServices()->PaintsThemed())
        canvas->Font()->SetColor(ThemeColorOf(tcuGroupBoxText));
    SelectClipRgn(canvas->Handle(), nullptr);
    canvas->DrawText(caption, c, AlignmentFlag(Alignment()) | DT_SINGLELINE);
    canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
}

void TKvCustomGroupBox::CMDialogChar(TMessage& message)
{
    if (IsAccel(static_cast<WORD>(message.WParam), Caption()) && CanFocus()) {
        SelectNext(nullptr, true, true);
        message.Result = 1;
        return;
    }
    TKvCustomPanel::CMDialogChar(message);
}

void TKvCustomGroupBox::CMFontChanged(TMessage& message)
{
    TKvCustomPanel::CMFontChanged(message);
    Realign();
    Invalidate();
}
