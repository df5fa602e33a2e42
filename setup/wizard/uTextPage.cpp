// Pages that show a carried text.
#include "uTextPage.h"

#include "KvRichEdit.h"
#include "SysUtils.h"
#include "TMemoryStream.h"
#include "TStrings.h"
#include "uUiStream.h"

TfmTextPage::TfmTextPage(TComponent* owner, const std::string& textKey, int textHeight)
    : TfmTopImageDialog(owner), textKey_(textKey)
{
    MemoText = Place<TKvRichEdit>(this, "MemoText", 16, kBannerHeight + 12, kPageWidth - 32, textHeight);
    MemoText->SetReadOnly(true);
}

void TfmTextPage::LoadPage(TStream* stream, TStrings* record)
{
    TfmTopImageDialog::LoadPage(stream, record);
    if (record == nullptr)
        return;
    LoadBanner(stream, *record);
    std::string text = uUiStream::ReadAttachment(stream, *record, textKey_);
    // An .rtf file keeps its formatting; any other is shown as plain text.
    std::string file = SysUtils::Trim(record->Values(textKey_));
    MemoText->SetPlainText(!SysUtils::SameText(SysUtils::ExtractFileExt(file), ".rtf"));
    TMemoryStream bytes;
    if (!text.empty())
        bytes.WriteBuffer(text.data(), text.size());
    bytes.SetPosition(0);
    MemoText->LoadFromStream(bytes);
}
