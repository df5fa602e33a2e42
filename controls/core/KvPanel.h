// KvPanel: the library's container panel: outer and inner frames on chosen sides,
// a flat colour, a plain or gradient client fill, a grid, transparency over the
// parent and a caption placed both ways. It can take its frame from a frame
// controller.
#pragma once

#include "KvCommon.h"
#include "KvFrameController.h"
#include "KvGrafx.h"
#include "TCustomPanel.h"
#include "TStringList.h"

#include <memory>

enum TKvVisualStyle : BYTE { vsClassic, vsWinXP, vsGradient };
enum TKvGradientColorStyle : BYTE { gcsSystem, gcsMSOffice, gcsCustom };

class TKvCustomPanel : public TCustomPanel, public IKvFrameSettingsSink {
public:
    CLASSLIB_CLASS_NAME(TKvCustomPanel)
    explicit TKvCustomPanel(TComponent* owner);
    ~TKvCustomPanel() override;

    void SetBounds(int left, int top, int width, int height) override;

    TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
    virtual void SetAlignmentVertical(TAlignmentVertical value);
    KvCommon::TKvSides BorderSides() const { return borderSides_; }
    virtual void SetBorderSides(KvCommon::TKvSides value);
    TColor BorderColor() const { return borderColor_; }
    virtual void SetBorderColor(TColor value);
    TColor BorderHighlight() const { return borderHighlight_; }
    virtual void SetBorderHighlight(TColor value);
    TColor BorderShadow() const { return borderShadow_; }
    virtual void SetBorderShadow(TColor value);
    KvCommon::TFrameStyleEx BorderInner() const { return borderInner_; }
    virtual void SetBorderInner(KvCommon::TFrameStyleEx value);
    KvCommon::TFrameStyleEx BorderOuter() const { return borderOuter_; }
    virtual void SetBorderOuter(KvCommon::TFrameStyleEx value);
    TColor FlatColor() const { return flatColor_; }
    virtual void SetFlatColor(TColor value);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    virtual void SetFlatColorAdjustment(int value);
    TKvFrameController* FrameController() const { return frameLink_.Controller(); }
    virtual void SetFrameController(TKvFrameController* value);
    TKvFrameControllerNotifications FrameControllerNotifications() const { return frameControllerNotifications_; }
    void SetFrameControllerNotifications(TKvFrameControllerNotifications value)
    {
        frameControllerNotifications_ = value;
    }
    TKvGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
    virtual void SetGradientColorStyle(TKvGradientColorStyle value);
    TColor GradientColorStart() const { return gradientColorStart_; }
    virtual void SetGradientColorStart(TColor value);
    TColor GradientColorStop() const { return gradientColorStop_; }
    virtual void SetGradientColorStop(TColor value);
    KvGrafx::TGradientDirection GradientDirection() const { return gradientDirection_; }
    virtual void SetGradientDirection(KvGrafx::TGradientDirection value);
    TColor GridColor() const { return gridColor_; }
    virtual void SetGridColor(TColor value);
    // 0 dots, 1 dotted lines, 2 solid lines.
    int GridStyle() const { return gridStyle_; }
    virtual void SetGridStyle(int value);
    int GridXSize() const { return gridXSize_; }
    virtual void SetGridXSize(int value);
    int GridYSize() const { return gridYSize_; }
    virtual void SetGridYSize(int value);
    bool PaintClientArea() const { return paintClientArea_; }
    virtual void SetPaintClientArea(bool value);
    bool ShowGrid() const { return showGrid_; }
    virtual void SetShowGrid(bool value);
    int TextMarginX() const { return textMarginX_; }
    virtual void SetTextMarginX(int value);
    int TextMarginY() const { return textMarginY_; }
    virtual void SetTextMarginY(int value);
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);
    bool WordWrap() const { return wordWrap_; }
    virtual void SetWordWrap(bool value);
    TKvVisualStyle VisualStyle() const { return visualStyle_; }
    virtual void SetVisualStyle(TKvVisualStyle value);
    bool ShowDockClientCaptions() const { return showDockClientCaptions_; }
    void SetShowDockClientCaptions(bool value) { showDockClientCaptions_ = value; }

    // Old stored forms: gradients were switched on by a flag; frame sides and theme
    // awareness are read and dropped.
    void SetUseGradients(bool value)
    {
        if (value)
            SetVisualStyle(vsGradient);
    }
    void SetFrameSides(KvCommon::TKvSides) {}
    void SetThemeAware(bool) {}

    // The pointer position in client coordinates.
    virtual POINT MousePosition();
    // The rectangle inside the frames on the chosen sides, and inside the border width with the flag.
    virtual RECT ShrinkByBorders(const RECT& rect, bool includeBorderWidth);
    virtual RECT PaintRect();
    // The colours the gradient fill runs between, and the colour of the flat frame lines.
    virtual void GetGradientColors(TColor& start, TColor& stop);
    virtual void GetFlatColor(TColor& color, int& adjustment);

    // Takes the frame controller's settings that FrameControllerNotifications lets in.
    void UpdateFrame(TKvFrameController* controller, TKvFrameControllerNotifications changed) override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnPaint;

protected:
    // The edge strip the panel invalidates on resizing.
    virtual SIZE ResizeBorderSize();
    virtual void DrawCaption(const RECT& rect);
    virtual void DrawGrid(const RECT& rect);
    virtual void ApplyFrameControllerSettings();
    // Repaints the panel and each child (they may show the panel's fill through).
    void InvalidateWithChildren();

    void AdjustClientRect(RECT& rect) override;
    void Paint() override;
    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void WMEraseBkgnd(TMessage& message) override;
    void WMWindowPosChanged(TMessage& message) override;
    void CMEnabledChanged(TMessage& message) override;
    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;

private:
    TKvFrameControllerLink frameLink_{this, this};
    TKvFrameControllerNotifications frameControllerNotifications_ = fcnAll;
    bool paintClientArea_ = true;
    KvCommon::TKvSides borderSides_ = KvCommon::sdAllSides;
    TColor borderColor_ = clBtnFace;
    TColor borderHighlight_ = clBtnHighlight;
    TColor borderShadow_ = clBtnShadow;
    KvCommon::TFrameStyleEx borderOuter_ = KvCommon::fsRaised;
    KvCommon::TFrameStyleEx borderInner_ = KvCommon::fsNone;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TAlignmentVertical alignmentVertical_ = TAlignmentVertical::avCenter;
    bool showGrid_ = false;
    TColor gridColor_ = clBtnShadow;
    int gridStyle_ = 0;
    int gridXSize_ = 8;
    int gridYSize_ = 8;
    int textMarginX_ = 0;
    int textMarginY_ = 0;
    bool wordWrap_ = true;
    TKvVisualStyle visualStyle_ = vsWinXP;
    TKvGradientColorStyle gradientColorStyle_ = gcsSystem;
    TColor gradientColorStart_ = clWhite;
    TColor gradientColorStop_ = clBtnFace;
    KvGrafx::TGradientDirection gradientDirection_ = KvGrafx::gdHorizontalEnd;
    bool transparent_ = false;
    bool showDockClientCaptions_ = true;
    // While the panel is disabled: each child's enabled state before, "1" or "0".
    std::unique_ptr<TStringList> childEnabled_ = std::make_unique<TStringList>();
};

// The panel with its settings published.
class TKvPanel : public TKvCustomPanel {
public:
    CLASSLIB_CLASS_NAME(TKvPanel)
    using TKvCustomPanel::TKvCustomPanel;
};
