// TFont: a logical font described by name, size, style, colour and character set,
// whose GDI handle is made on demand and remade after every change.
#pragma once

#include "Colors.h"
#include "GdiHandles.h"
#include "TGraphicsObject.h"
#include "TSet.h"

#include <string>

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum class TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont : public TGraphicsObject {
public:
    CLASSLIB_CLASS_NAME(TFont)
    TFont();

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    // Size in points; Height in pixels (negative: character height without leading).
    int Size() const;
    void SetSize(int points);
    int Height() const { return height_; }
    void SetHeight(int height);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    BYTE Charset() const { return charset_; }
    void SetCharset(BYTE charset);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);
    // Tenths of a degree, counter-clockwise.
    int Orientation() const { return orientation_; }
    void SetOrientation(int orientation);

    HFONT Handle();
    void Assign(TPersistent* source) override;

    // The vertical resolution the point size is converted with (the screen's).
    static int PixelsPerInch();

private:
    void Change();

    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TColor color_ = clWindowText;
    TFontStyles style_;
    BYTE charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = TFontPitch::fpDefault;
    int orientation_ = 0;
    TOwnedFont handle_;
};
