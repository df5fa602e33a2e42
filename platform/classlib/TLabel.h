// TLabel: a windowless caption. It can size itself to its text, wrap the text at
// its width, align it, and leave the parent showing behind it.
#pragma once

#include "TGraphicControl.h"

class TLabel : public TGraphicControl {
public:
    CLASSLIB_CLASS_NAME(TLabel)
    explicit TLabel(TComponent* owner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // "&x" underlines x; off shows the ampersand.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);

protected:
    void Paint() override;
    void CMTextChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;

private:
    UINT TextFormat() const;
    // Sizes the label to its text (keeping the width when it wraps).
    void AdjustBounds();

    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool transparent_ = false;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool showAccelChar_ = true;
};
