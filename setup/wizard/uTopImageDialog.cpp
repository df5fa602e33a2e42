// The banner page base.
#include "uTopImageDialog.h"

#include "uMain.h"
#include "uPlainControls.h"

TfmTopImageDialog::TfmTopImageDialog(TComponent* owner) : TfmCommonDialog(owner)
{
    PanelTop = Place<TPlainPanel>(this, "PanelTop", 0, 0, kPageWidth, kBannerHeight);
    PanelTop->SetColor(clWhite);
    LabelMainTitle = Place<TPlainLabel>(PanelTop, "LabelMainTitle", 16, 8, 400, 18);
    LabelSubTitle = Place<TPlainLabel>(PanelTop, "LabelSubTitle", 32, 30, 400, 18);
    LabelLogoTop = Place<TPlainLabel>(this, "LabelLogoTop", 8, 354, 200, 16);
    LabelLogoDown = Place<TPlainLabel>(this, "LabelLogoDown", 9, 355, 200, 16);
    LabelLogoDown->Hide();
}

void TfmTopImageDialog::FormCreate()
{
    TfmCommonDialog::FormCreate();
    TfmMain* main = Main();
    for (TPlainLabel* title : {LabelMainTitle, LabelSubTitle}) {
        if (!main->FontName().empty())
            title->Font()->SetName(main->FontName());
        title->Font()->SetCharset(static_cast<BYTE>(main->FontCharset()));
        title->Font()->SetSize(main->FontSize());
    }
    LabelLogoTop->SetCaption(main->LogoString());
    LabelLogoDown->SetCaption(main->LogoString());
}

void TfmTopImageDialog::LoadPage(TStream* stream, TStrings* record)
{
    TfmCommonDialog::LoadPage(stream, record);
}
