// Logical fonts made on demand.
#include "TFont.h"

#include "Exception.h"
#include "StoreChanged.h"

#include <cstring>

TFont::TFont() { height_ = -MulDiv(8, PixelsPerInch(), 72); }

int TFont::PixelsPerInch()
{
    static const int pixels = [] {
        TWindowDC screen(nullptr);
        int value = GetDeviceCaps(screen, LOGPIXELSY);
        return value > 0 ? value : 96;
    }();
    return pixels;
}

void TFont::Change()
{
    handle_.Reset();
    Changed();
}

void TFont::SetName(const std::string& name)
{
    if (name.empty() || !StoreChanged(name_, name))
        return;
    Change();
}

int TFont::Size() const { return -MulDiv(height_, 72, PixelsPerInch()); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, PixelsPerInch(), 72)); }

void TFont::SetHeight(int height)
{
    if (!StoreChanged(height_, height))
        return;
    Change();
}

void TFont::SetColor(TColor color)
{
    if (!StoreChanged(color_, color))
        return;
    // The colour is not part of the GDI font: the handle stays.
    Changed();
}

void TFont::SetStyle(TFontStyles style)
{
    if (!StoreChanged(style_, style))
        return;
    Change();
}

void TFont::SetCharset(BYTE charset)
{
    if (!StoreChanged(charset_, charset))
        return;
    Change();
}

void TFont::SetPitch(TFontPitch pitch)
{
    if (!StoreChanged(pitch_, pitch))
        return;
    Change();
}

void TFont::SetOrientation(int orientation)
{
    if (!StoreChanged(orientation_, orientation))
        return;
    Change();
}

HFONT TFont::Handle()
{
    if (handle_.IsNull()) {
        LOGFONTA log = {};
        log.lfHeight = height_;
        log.lfEscapement = orientation_;
        log.lfOrientation = orientation_;
        log.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        log.lfItalic = style_.Contains(fsItalic) ? 1 : 0;
        log.lfUnderline = style_.Contains(fsUnderline) ? 1 : 0;
        log.lfStrikeOut = style_.Contains(fsStrikeOut) ? 1 : 0;
        log.lfCharSet = charset_;
        log.lfOutPrecision = OUT_DEFAULT_PRECIS;
        log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        log.lfQuality = DEFAULT_QUALITY;
        log.lfPitchAndFamily = pitch_ == TFontPitch::fpFixed      ? FIXED_PITCH
                               : pitch_ == TFontPitch::fpVariable ? VARIABLE_PITCH
                                                                  : DEFAULT_PITCH;
        std::strncpy(log.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
        handle_.Reset(CreateFontIndirectA(&log));
    }
    return handle_.Get();
}

void TFont::Assign(TPersistent* source)
{
    auto* font = dynamic_cast<TFont*>(source);
    if (font == nullptr) {
        TGraphicsObject::Assign(source);
        return;
    }
    if (font == this)
        return;
    name_ = font->name_;
    height_ = font->height_;
    color_ = font->color_;
    style_ = font->style_;
    charset_ = font->charset_;
    pitch_ = font->pitch_;
    orientation_ = font->orientation_;
    Change();
}
