// The left-picture page base.
#include "uLeftImageDialog.h"

#include "TImage.h"
#include "uMain.h"

TfmLeftImageDialog::TfmLeftImageDialog(TComponent* owner) : TfmCommonDialog(owner)
{
    ImageDialog = Place<TImage>(this, "ImageDialog", 0, 0, kImageWidth, 340);
}

void TfmLeftImageDialog::LoadPage(TStream* stream, TStrings* record)
{
    TfmCommonDialog::LoadPage(stream, record);
    if (TPicture* left = Main()->LeftPicture())
        ImageDialog->SetPicture(left);
}
