// KvGroupBox: group boxes on the library's panel, drawn in six group styles:
// the system's etched frame (themed where themes paint), a plain panel, a line
// along the top, a thin rounded outline, a gradient banner and an underline.
#pragma once

#include "KvPanel.h"

enum TKvGroupBoxStyle : BYTE { gsStandard, gsCustom, gsTopLine, gsFlat, gsBanner, gsUnderline };

class TKvCustomGroupBox : public TKvCustomPanel {
public:
    CLASSLIB_CLASS_NAME(TKvCustomGroupBox)
    explicit TKvCustomGroupBox(TComponent* owner);

    TKvGroupBoxStyle GroupStyle() const { return groupStyle_; }
    virtual void SetGroupStyle(TKvGroupBoxStyle value);

    void UpdateFrame(TKvFrameController* controller, TKvFrameControllerNotifications changed) override;

protected:
    void AdjustClientRect(RECT& rect) override;
    void Paint() override;
    void CMDialogChar(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;

private:
    // Where the caption goes; empty when there is none or the style is gsCustom.
    RECT CaptionRect(bool themed);
    bool PaintsThemedFrame() const;
    void PaintThemed(const RECT& captionRect, int halfHeight);
    void PaintFrame(const RECT& captionRect, int halfHeight);
    void PaintBanner(const RECT& captionRect, TColor flat);
    void PaintCaption(RECT captionRect);

    TKvGroupBoxStyle groupStyle_ = gsFlat;
};

// The group box with its settings published.
class TKvGroupBox : public TKvCustomGroupBox {
public:
    CLASSLIB_CLASS_NAME(TKvGroupBox)
    using TKvCustomGroupBox::TKvCustomGroupBox;
};
