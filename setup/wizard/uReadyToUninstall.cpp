// The ready-to-uninstall page.
#include "uReadyToUninstall.h"

#include "uMain.h"
#include "uPlainControls.h"
#include "uUninstall.h"

TfmReadyToUninstall::TfmReadyToUninstall(TComponent* owner) : TfmTopImageDialog(owner)
{
    LabelMainTitle->SetCaption("准备卸载");
    LabelSubTitle->SetCaption("<PRODUCT_NAME> <VERSION>");
    LabelText = Place<TPlainLabel>(this, "LabelText", 24, kBannerHeight + 20, 455, 60,
                                   "卸载程序将从您的电脑上删除 <PRODUCT_NAME> <VERSION> 及其所有组件。#13#10#13#10"
                                   "点击“卸载”开始删除。");
    LabelText->SetAutoSize(false);
    LabelText->SetWordWrap(true);
    actNext->SetCaption("卸载");
}

void TfmReadyToUninstall::FormShow(TObject* sender)
{
    TfmTopImageDialog::FormShow(sender);
    actPrior->SetEnabled(false);
}

void TfmReadyToUninstall::Next()
{
    if (NextPage() == nullptr) {
        auto* page = CreatePage<TfmUninstall>(Main());
        page->LoadPage(nullptr, nullptr);
        page->SetPriorPage(this);
        SetNextPage(page);
    }
    MoveTo(NextPage());
    static_cast<TfmUninstall*>(NextPage())->RunUninstall();
}
