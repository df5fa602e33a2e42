// TKvToolButton: a flat, windowless tool button with a caption and an image of
// an image list (with its own image while disabled). It shows the parent through
// it until the pointer is over it, then paints the selection colours; pressed or
// Down, the same colours darker.
#pragma once

#include "TChangeLink.h"
#include "TGraphicControl.h"

class TCustomImageList;

class TKvToolButton : public TGraphicControl {
public:
    CLASSLIB_CLASS_NAME(TKvToolButton)
    explicit TKvToolButton(TComponent* owner);
    ~TKvToolButton() override;

    bool Down() const { return down_; }
    void SetDown(bool value);
    // Colour style of the selection colours (KvCommon::SelectionColors): 0 system, 1 the theme's scheme.
    int SelectionColorStyle() const { return selectionColorStyle_; }
    void SetSelectionColorStyle(int value);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    // -1: no image. A disabled button shows DisabledIndex, or ImageIndex faded when that is -1.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int DisabledIndex() const { return disabledIndex_; }
    void SetDisabledIndex(int value);

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;
    void CMEnabledChanged(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void ImagesChanged(TObject* sender);

    bool down_ = false;
    bool pressed_ = false;
    bool hot_ = false;
    int selectionColorStyle_ = 1;
    TCustomImageList* images_ = nullptr;
    TChangeLink imageLink_;
    int imageIndex_ = -1;
    int disabledIndex_ = -1;
};
