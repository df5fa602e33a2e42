// The licence page.
#include "uLicence.h"

#include "KvRadChk.h"
#include "uPlainControls.h"

TfmLicence::TfmLicence(TComponent* owner) : TfmTextPage(owner, "LICENCE", 220)
{
    LabelMainTitle->SetCaption("许可协议");
    LabelSubTitle->SetCaption("请仔细阅读以下许可协议。");
    rbAccept = Place<TKvRadioButton>(this, "rbAccept", 16, 296, 300, 20, "我接受许可协议中的条款(&A)");
    rbDecline = Place<TKvRadioButton>(this, "rbDecline", 16, 318, 300, 20, "我不接受许可协议中的条款(&D)");
    rbDecline->SetChecked(true);
    rbAccept->OnClick = TNotifyEvent(this, &TfmLicence::ChoiceClick);
    rbDecline->OnClick = TNotifyEvent(this, &TfmLicence::ChoiceClick);
}

void TfmLicence::FormShow(TObject* sender)
{
    TfmTextPage::FormShow(sender);
    ChoiceClick(this);
}

void TfmLicence::ChoiceClick(TObject*) { actNext->SetEnabled(rbAccept->Checked()); }
