// The readme page.
#include "uReadme.h"

#include "uPlainControls.h"

TfmReadme::TfmReadme(TComponent* owner) : TfmTextPage(owner, "README", 260)
{
    LabelMainTitle->SetCaption("自述文件");
    LabelSubTitle->SetCaption("请阅读以下重要信息。");
}
