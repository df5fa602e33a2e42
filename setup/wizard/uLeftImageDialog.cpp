// The left-picture page base.
#include "uLeftImageDialog.h"

#include "uPlainControls.h"

TfmLeftImageDialog::TfmLeftImageDialog(TComponent* owner) : TfmCommonDialog(owner)
{
    ImageDialog = Place<TPlainPanel>(this, "ImageDialog", 0, 0, kImageWidth, 340);
    ImageDialog->SetColor(clNavy);
}

void TfmLeftImageDialog::LoadPage(TStream* stream, TStrings* record)
{
    TfmCommonDialog::LoadPage(stream, record);
}
