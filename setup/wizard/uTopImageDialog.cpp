// The banner page base.
#include "uTopImageDialog.h"

#include "SysUtils.h"
#include "TBevel.h"
#include "TImage.h"
#include "TPanel.h"
#include "TStrings.h"
#include "uMain.h"
#include "uPlainControls.h"

TfmTopImageDialog::TfmTopImageDialog(TComponent* owner) : TfmCommonDialog(owner)
{
    PanelTop = Place<TPanel>(this, "PanelTop", 0, 0, kPageWidth, kBannerHeight);
    PanelTop->SetColor(clWhite);
    PanelTop->SetBevelOuter(TPanelBevel::bvNone);
    ImageBanner = Place<TImage>(PanelTop, "ImageBanner", kPageWidth - kBannerHeight, 0, kBannerHeight, kBannerHeight);
    LabelMainTitle = Place<TPlainLabel>(PanelTop, "LabelMainTitle", 16, 8, 400, 18);
    LabelSubTitle = Place<TPlainLabel>(PanelTop, "LabelSubTitle", 32, 30, 400, 18);
    LabelLogoTop = Place<TPlainLabel>(this, "LabelLogoTop", 8, 354, 200, 16);
    LabelLogoDown = Place<TPlainLabel>(this, "LabelLogoDown", 9, 355, 200, 16);
    LabelLogoDown->Hide();
    // The etched line from the logo string to the right edge, above the buttons.
    Bevel1 = Place<TBevel>(this, "Bevel1", 218, 362, kPageWidth - 238, 2);
    Bevel1->SetShape(TBevelShape::bsTopLine);
}

void TfmTopImageDialog::FormCreate()
{
    TfmCommonDialog::FormCreate();
    TfmMain* main = Main();
    for (TPlainLabel* title : {LabelMainTitle, LabelSubTitle})
        main->ApplyWizardFont(*title->Font());
    LabelLogoTop->SetCaption(main->LogoString());
    LabelLogoDown->SetCaption(main->LogoString());
    Bevel1->SetLeft(LabelLogoTop->Left() + LabelLogoTop->Width() + 10);
    Bevel1->SetWidth(Width() - Bevel1->Left() - 20);
}

void TfmTopImageDialog::LoadPage(TStream* stream, TStrings* record)
{
    TfmCommonDialog::LoadPage(stream, record);
    TfmMain* main = Main();
    if (TPicture* top = main->TopPicture()) {
        ImageBanner->SetPicture(top);
        AlignBanner(main->ImageAlign());
    }
}

void TfmTopImageDialog::AlignBanner(int alignment)
{
    switch (alignment) {
    case 0:
        ImageBanner->SetAlign(TAlign::alLeft);
        break;
    case 1:
        ImageBanner->SetAlign(TAlign::alRight);
        break;
    case 2:
        ImageBanner->SetAlign(TAlign::alNone);
        ImageBanner->SetLeft((PanelTop->Width() - ImageBanner->Width()) / 2);
        break;
    case 3:
        ImageBanner->SetAlign(TAlign::alClient);
        break;
    default:
        break;
    }
}

void TfmTopImageDialog::LoadBanner(TStream* stream, TStrings& record)
{
    if (!LoadRecordPicture(stream, record, "BANNER_IMAGE", *ImageBanner->Picture()))
        return;
    if (SysUtils::Trim(record.Values("BANNER_ALIGNMENT")).empty())
        record.SetValues("BANNER_ALIGNMENT", "1");
    int alignment = 1;
    SysUtils::TryStrToInt(SysUtils::Trim(record.Values("BANNER_ALIGNMENT")), alignment);
    AlignBanner(alignment);
}
