// The install page.
#include "uInstallProcess.h"

#include "ECancelInstall.h"
#include "SysUtils.h"
#include "TApplication.h"
#include "TStringList.h"
#include "uFinish.h"
#include "uMain.h"
#include "uOstrelExecutor.h"
#include "KvProgressBar.h"
#include "uPlainControls.h"
#include "TImage.h"
#include "uRecordValues.h"

#include <algorithm>

TfmInstallProcess::TfmInstallProcess(TComponent* owner) : TfmTopImageDialog(owner)
{
    LabelMainTitle->SetCaption("正在安装 <PRODUCT_NAME> <VERSION>");
    LabelSubTitle->Hide();
    LabelProcess = Place<TPlainLabel>(this, "LabelProcess", 24, 120, 455, 40);
    LabelProcess->SetAutoSize(false);
    LabelProcess->SetWordWrap(true);
    ProgressBar = Place<TKvProgressBar>(this, "ProgressBar", 24, 170, 455, 18);
    ProgressBar->SetTotalParts(0);
    ProgressBar->SetPartsComplete(0);
    ProgressBar->SetBorderWidth(0);
    ProgressBar->SetInteriorOffset(0);
    actPrior->SetEnabled(false);
    actNext->SetEnabled(false);
    actCancel->SetOnExecute(TNotifyEvent(this, &TfmInstallProcess::CancelClick));
}

void TfmInstallProcess::FormCreate()
{
    running_ = false;
    TfmTopImageDialog::FormCreate();
}

void TfmInstallProcess::LoadPage(TStream* stream, TStrings* record)
{
    TfmTopImageDialog::LoadPage(stream, record);
    TOstrelExecutor* engine = Main()->OstrelExecutor;
    // The bar spans the setup data, not the setup program in front of it.
    ProgressBar->SetTotalParts(std::max<std::int64_t>(engine->ProgressTotal() - engine->ProgressStart(), 0));
    engine->OnProcess = TOstrelExecutor::TProcessEvent(this, &TfmInstallProcess::DoProcess);
    engine->OnStartCancel = TOstrelExecutor::TStartCancelEvent(this, &TfmInstallProcess::DoStartCancel);
    engine->OnCanceling = TOstrelExecutor::TCancelingEvent(this, &TfmInstallProcess::DoCanceling);
    if (record != nullptr) {
        LoadBanner(stream, *record);
        std::string hide = SysUtils::Trim(record->Values("HIDE_DETAIL"));
        hideDetails_ = !hide.empty() && uRecordValues::Bool(*record, "HIDE_DETAIL");
    }
    ImageBanner->SetStretch(true);
}

void TfmInstallProcess::DoProcess(TObject*, TStrings* record, bool& skip, std::int64_t position)
{
    if (record != nullptr) {
        TStringList& skipList = Main()->SkipList();
        std::string package = record->Values("PACKAGE_ID");
        std::string id = record->Values("ID");
        if ((!package.empty() && skipList.IndexOf(package) >= 0) || (!id.empty() && skipList.IndexOf(id) >= 0)) {
            skip = true;
            return;
        }
        LabelProcess->SetCaption(Main()->OstrelExecutor->GetProgressText(*record, hideDetails_));
    }
    std::int64_t done = position - Main()->OstrelExecutor->ProgressStart();
    ProgressBar->SetPartsComplete(std::min(std::max<std::int64_t>(done, 0), ProgressBar->TotalParts()));
    Application()->ProcessMessages();
}

void TfmInstallProcess::DoStartCancel(int count) { ProgressBar->SetTotalParts(count); }

void TfmInstallProcess::DoCanceling(const std::string& target, int position)
{
    LabelProcess->SetCaption(target);
    ProgressBar->SetPartsComplete(ProgressBar->TotalParts() - position);
    Application()->ProcessMessages();
}

void TfmInstallProcess::ShowProgressText(const std::string& text) { LabelProcess->SetCaption(text); }

void TfmInstallProcess::AskCancel()
{
    if (ConfirmCancel())
        Main()->OstrelExecutor->SetCancelRequested(true);
}

void TfmInstallProcess::FormClose(TObject*, TCloseAction& action)
{
    if (running_) {
        AskCancel();
        action = TCloseAction::caNone;
    }
}

void TfmInstallProcess::Next()
{
    if (NextPage() == nullptr && !finishRecord_.empty()) {
        TStringList record;
        record.SetText(finishRecord_);
        auto* finish = CreatePage<TfmFinish>(Main());
        try {
            finish->LoadPage(Main()->UiStream(), &record);
        } catch (const Exception& error) {
            Main()->ShowPageError(this, error.Message());
            return;
        }
        finish->SetPriorPage(this);
        SetNextPage(finish);
    }
    TfmTopImageDialog::Next();
}

void TfmInstallProcess::RunInstall()
{
    TfmMain* main = Main();
    running_ = true;
    bool cancelled = false;
    std::string failure;
    bool failed = false;
    try {
        main->Install();
    } catch (const ECancelInstall&) {
        failed = cancelled = true;
    } catch (const Exception& error) {
        failed = true;
        failure = error.Message();
    }
    running_ = false;
    if (!failed) {
        ProgressBar->SetPartsComplete(ProgressBar->TotalParts());
        Next();
        return;
    }
    SetNextPage(nullptr);
    std::string finishText, infoText;
    main->OutcomeTexts(cancelled, failure, finishText, infoText);
    TfmFinish* finish = TfmFinish::CreateOutcome(main, finishText, infoText);
    finish->SetPriorPage(this);
    SetNextPage(finish);
    TfmTopImageDialog::Next();
}
