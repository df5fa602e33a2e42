// Image lists and their change links.
#include "TCustomImageList.h"

#include "Exception.h"
#include "TBitmap.h"

#include <algorithm>

TChangeLink::~TChangeLink()
{
    if (sender_ != nullptr)
        sender_->UnRegisterChanges(this);
}

void TChangeLink::Change()
{
    if (OnChange)
        OnChange(static_cast<TObject*>(sender_));
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList()
{
    // Links outlive the list; they must not reach back into it.
    for (TChangeLink* link : links_)
        link->SetSender(nullptr);
}

void TCustomImageList::SetSize(int width, int height)
{
    if (width <= 0 || height <= 0)
        throw EInvalidOperation("Image list size " + std::to_string(width) + "x" + std::to_string(height) +
                                " is not valid");
    if (width == width_ && height == height_)
        return;
    width_ = width;
    height_ = height;
    handle_.Reset();
    Change();
}

int TCustomImageList::Count() const { return handle_.IsNull() ? 0 : ImageList_GetImageCount(handle_.Get()); }

HIMAGELIST TCustomImageList::Handle()
{
    if (handle_.IsNull()) {
        handle_.Reset(ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4));
        if (handle_.IsNull())
            throw EOSError("Cannot create an image list of " + std::to_string(width_) + "x" +
                           std::to_string(height_));
    }
    return handle_.Get();
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask)
{
    if (mask == nullptr || mask->Empty())
        return AddBitmaps(image, nullptr, clNone, false);
    // A monochrome copy: the list takes set bits as the parts left out.
    TOwnedBitmap monochrome(CreateBitmap(mask->Width(), mask->Height(), 1, 1, nullptr));
    {
        TMemoryDC dc;
        TSelectObject selected(dc, monochrome.Get());
        BitBlt(dc, 0, 0, mask->Width(), mask->Height(), mask->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    return AddBitmaps(image, monochrome.Get(), clNone, false);
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor)
{
    return AddBitmaps(image, nullptr, maskColor, true);
}

int TCustomImageList::AddBitmaps(TBitmap* image, HBITMAP mask, TColor maskColor, bool byColor)
{
    if (image == nullptr || image->Empty())
        throw EInvalidOperation("No image to add to the image list");
    // The list copies from a bitmap of its own: the picture's bitmap stays in its context.
    TWindowDC screen(nullptr);
    TOwnedBitmap copy(CreateCompatibleBitmap(screen, image->Width(), image->Height()));
    {
        TMemoryDC dc(screen);
        TSelectObject selected(dc, copy.Get());
        BitBlt(dc, 0, 0, image->Width(), image->Height(), image->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
    int index = byColor ? ImageList_AddMasked(Handle(), copy.Get(), ColorToRGB(maskColor))
                        : ImageList_Add(Handle(), copy.Get(), mask);
    if (index < 0)
        throw EInvalidOperation("The image list refused an image of " + std::to_string(image->Width()) + "x" +
                                std::to_string(image->Height()));
    Change();
    return index;
}

void TCustomImageList::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw EListError("Image index " + std::to_string(index) + " out of bounds");
    ImageList_Remove(handle_.Get(), index);
    Change();
}

void TCustomImageList::Clear()
{
    if (!handle_.IsNull())
        ImageList_Remove(handle_.Get(), -1);
    Change();
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled)
{
    if (index < 0 || index >= Count())
        return;
    HDC dc = canvas->Handle();
    if (enabled) {
        ImageList_Draw(handle_.Get(), index, dc, x, y, ILD_TRANSPARENT);
        return;
    }
    // Disabled: the image's own pixels (those the same over white and over black)
    // turn grey and half into the button face; the rest shows what lies under.
    TBitmap onWhite(width_, height_), onBlack(width_, height_), result(width_, height_);
    onWhite.Canvas()->Brush()->SetColor(clWhite);
    onWhite.Canvas()->FillRect(RECT{0, 0, width_, height_});
    onBlack.Canvas()->Brush()->SetColor(clBlack);
    onBlack.Canvas()->FillRect(RECT{0, 0, width_, height_});
    ImageList_Draw(handle_.Get(), index, onWhite.Canvas()->Handle(), 0, 0, ILD_TRANSPARENT);
    ImageList_Draw(handle_.Get(), index, onBlack.Canvas()->Handle(), 0, 0, ILD_TRANSPARENT);
    HDC out = result.Canvas()->Handle();
    BitBlt(out, 0, 0, width_, height_, dc, x, y, SRCCOPY);
    TColor face = ColorToRGB(clBtnFace);
    for (int row = 0; row < height_; ++row) {
        for (int column = 0; column < width_; ++column) {
            TColor pixel = onWhite.Canvas()->Pixel(column, row);
            if (pixel != onBlack.Canvas()->Pixel(column, row))
                continue;
            int grey = (GetRValue(pixel) * 30 + GetGValue(pixel) * 59 + GetBValue(pixel) * 11) / 100;
            ::SetPixel(out, column, row,
                       RGB((grey + GetRValue(face)) / 2, (grey + GetGValue(face)) / 2, (grey + GetBValue(face)) / 2));
        }
    }
    BitBlt(dc, x, y, width_, height_, out, 0, 0, SRCCOPY);
}

void TCustomImageList::RegisterChanges(TChangeLink* link)
{
    if (link == nullptr || std::find(links_.begin(), links_.end(), link) != links_.end())
        return;
    links_.push_back(link);
    link->SetSender(this);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link)
{
    auto found = std::find(links_.begin(), links_.end(), link);
    if (found == links_.end())
        return;
    links_.erase(found);
    link->SetSender(nullptr);
}

void TCustomImageList::Change()
{
    // A link may leave while it is told.
    std::vector<TChangeLink*> links = links_;
    for (TChangeLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            link->Change();
    if (OnChange)
        OnChange(this);
}
