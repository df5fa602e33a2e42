// TCustomImageList: a list of equally sized images over the common controls'
// image list, drawn enabled or faded for disabled controls. Clients register a
// change link to hear of changes, and ask for free notification to hear of its end.
#pragma once

#include "Colors.h"
#include "GdiHandles.h"
#include "TChangeLink.h"
#include "TComponent.h"

#include <vector>

class TBitmap;
class TCanvas;

class TCustomImageList : public TComponent {
public:
    CLASSLIB_CLASS_NAME(TCustomImageList)
    explicit TCustomImageList(TComponent* owner);
    ~TCustomImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // A new size empties the list.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    int Count() const;

    // The system image list, made on first use.
    HIMAGELIST Handle();

    // Adds the bitmap's images (as many as its width holds), left out where the
    // mask is set or, for AddMasked, where the bitmap has the mask colour. Returns
    // the index of the first one; raises EInvalidOperation when the list refuses them.
    int Add(TBitmap* image, TBitmap* mask);
    int AddMasked(TBitmap* image, TColor maskColor);
    void Delete(int index);
    void Clear();

    // Draws an image with its top-left corner at (x, y); a disabled image is faded
    // into the button face.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);

    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    int AddBitmaps(TBitmap* image, HBITMAP mask, TColor maskColor, bool byColor);

    int width_ = 16;
    int height_ = 16;
    TOwnedImageList handle_;
    std::vector<TChangeLink*> links_;
};

class TImageList : public TCustomImageList {
public:
    CLASSLIB_CLASS_NAME(TImageList)
    using TCustomImageList::TCustomImageList;
};
