// The ready-to-install page.
#include "uReadyToInstall.h"

#include "uMain.h"
#include "uOstrelExecutor.h"
#include "uPlainControls.h"

TfmReadyToInstall::TfmReadyToInstall(TComponent* owner) : TfmTopImageDialog(owner)
{
    LabelMainTitle->SetCaption("准备安装");
    LabelSubTitle->SetCaption("安装程序已准备好在您的电脑上安装 <PRODUCT_NAME>。");
    LabelText = Place<TPlainLabel>(this, "LabelText", 24, kBannerHeight + 20, 455, 40,
                                   "点击“下一步”开始安装。如果要检查或更改设置，请点击“上一步”。");
    LabelText->SetAutoSize(false);
    LabelText->SetWordWrap(true);
    LabelFolder = Place<TPlainLabel>(this, "LabelFolder", 24, kBannerHeight + 70, 455, 40);
    LabelFolder->SetAutoSize(false);
    LabelFolder->SetWordWrap(true);
}

void TfmReadyToInstall::FormShow(TObject* sender)
{
    TfmTopImageDialog::FormShow(sender);
    actPrior->SetEnabled(PriorPage() != nullptr);
    LabelFolder->SetCaption(Main()->OstrelExecutor->ExpandMacros("<INSTALL>"));
}
