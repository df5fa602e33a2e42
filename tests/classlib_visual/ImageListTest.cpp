// Image lists: images added from strips, drawn with their transparent parts left
// out, faded when disabled; change links and the end of a list.
#include "TBitmap.h"
#include "TCustomImageList.h"

#include <gtest/gtest.h>

namespace {

const TColor kMask = RGB(255, 0, 255);

// Two 16x16 images side by side: a red square and a blue one, each on the mask colour.
void PaintStrip(TBitmap& strip)
{
    strip.SetSize(32, 16);
    TCanvas* canvas = strip.Canvas();
    canvas->Brush()->SetColor(kMask);
    canvas->FillRect(RECT{0, 0, 32, 16});
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect(RECT{4, 4, 12, 12});
    canvas->Brush()->SetColor(clBlue);
    canvas->FillRect(RECT{20, 4, 28, 12});
}

} // namespace

TEST(ImageList, DrawsAddedImagesWithTheMaskLeftOut)
{
    TImageList images(nullptr);
    TBitmap strip;
    PaintStrip(strip);
    EXPECT_EQ(0, images.AddMasked(&strip, kMask));
    EXPECT_EQ(2, images.Count());

    TBitmap target(40, 20);
    target.Canvas()->Brush()->SetColor(clLime);
    target.Canvas()->FillRect(RECT{0, 0, 40, 20});
    images.Draw(target.Canvas(), 2, 2, 1);
    EXPECT_EQ(clBlue, target.Canvas()->Pixel(10, 10));
    EXPECT_EQ(clLime, target.Canvas()->Pixel(3, 3)) << "the mask colour is left out";
    images.Draw(target.Canvas(), 20, 2, 0, false);
    TColor faded = target.Canvas()->Pixel(28, 10);
    EXPECT_NE(clRed, faded);
    EXPECT_NE(clLime, faded);
    EXPECT_EQ(clLime, target.Canvas()->Pixel(21, 3));

    images.Delete(0);
    EXPECT_EQ(1, images.Count());
    EXPECT_THROW(images.Delete(5), EListError);
    TBitmap empty;
    EXPECT_THROW(images.AddMasked(&empty, kMask), EInvalidOperation);
}

TEST(ImageList, ChangeLinksHearOfChangesAndOfTheListsEnd)
{
    auto* images = new TImageList(nullptr);
    TChangeLink link;
    int changes = 0;
    TObject* sender = nullptr;
    link.OnChange = TNotifyEvent::FromFunction([&](TObject* from) {
        ++changes;
        sender = from;
    });
    images->RegisterChanges(&link);
    EXPECT_EQ(images, link.Sender());
    TBitmap strip;
    PaintStrip(strip);
    images->AddMasked(&strip, kMask);
    EXPECT_EQ(1, changes);
    EXPECT_EQ(images, sender);

    // A component that asked is told when the list goes.
    struct Listener : TComponent {
        using TComponent::TComponent;
        TComponent* removed = nullptr;
        void Notification(TComponent* component, TOperation operation) override
        {
            if (operation == TOperation::opRemove)
                removed = component;
        }
    } listener(nullptr);
    images->FreeNotification(&listener);
    TComponent* gone = images;
    delete images;
    EXPECT_EQ(gone, listener.removed);
    EXPECT_EQ(nullptr, link.Sender());
}
