// The welcome page.
#include "uWelcome.h"

#include "SysUtils.h"
#include "TStrings.h"
#include "uMain.h"
#include "uPlainControls.h"
#include "TImage.h"

TfmWelcome::TfmWelcome(TComponent* owner) : TfmLeftImageDialog(owner)
{
    LabelTitle = Place<TPlainLabel>(this, "LabelTitle", kImageWidth + 16, 24, 310, 40, "欢迎使用 <PRODUCT_NAME> 安装向导");
    LabelTitle->SetAutoSize(false);
    LabelTitle->SetWordWrap(true);
    LabelText = Place<TPlainLabel>(this, "LabelText", kImageWidth + 16, 80, 310, 150,
                                   "本向导将在您的电脑上安装 <PRODUCT_NAME> <VERSION>。#13#10#13#10"
                                   "建议您在继续之前关闭其他所有应用程序。#13#10#13#10点击“下一步”继续。");
    LabelText->SetAutoSize(false);
    LabelText->SetWordWrap(true);
}

void TfmWelcome::FormShow(TObject* sender)
{
    TfmLeftImageDialog::FormShow(sender);
    actPrior->SetEnabled(PriorPage() != nullptr);
}

void TfmWelcome::LoadPage(TStream* stream, TStrings* record)
{
    TfmLeftImageDialog::LoadPage(stream, record);
    if (record == nullptr)
        return;
    LoadRecordPicture(stream, *record, "BITMAP", *ImageDialog->Picture());
    if (!SysUtils::Trim(record->Values("TITLE")).empty())
        LabelTitle->SetCaption(Main()->ExpandText(record->Values("TITLE")));
    if (!SysUtils::Trim(record->Values("TEXT")).empty())
        LabelText->SetCaption(Main()->ExpandText(record->Values("TEXT")));
}
