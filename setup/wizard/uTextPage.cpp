// Pages that show a carried text.
#include "uTextPage.h"

#include "SysUtils.h"
#include "TStrings.h"
#include "uPlainControls.h"
#include "uUiStream.h"

TfmTextPage::TfmTextPage(TComponent* owner, const std::string& textKey, int textHeight)
    : TfmTopImageDialog(owner), textKey_(textKey)
{
    MemoText = Place<TPlainEdit>(this, "MemoText", 16, kBannerHeight + 12, kPageWidth - 32, textHeight);
    MemoText->SetMultiLine(true);
    MemoText->SetReadOnly(true);
}

void TfmTextPage::LoadPage(TStream* stream, TStrings* record)
{
    TfmTopImageDialog::LoadPage(stream, record);
    if (record == nullptr)
        return;
    LoadBanner(stream, *record);
    std::string text = uUiStream::ReadAttachment(stream, *record, textKey_);
    // The edit wants CR LF line breaks.
    text = SysUtils::StringReplace(SysUtils::StringReplace(text, "\r\n", "\n"), "\n", "\r\n");
    MemoText->SetCaption(text);
}
