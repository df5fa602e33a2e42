// The uninstall page.
#include "uUninstall.h"

#include "SysUtils.h"
#include "TApplication.h"
#include "uGlobal.h"
#include "uMain.h"
#include "uOstrelUninstall.h"
#include "KvProgressBar.h"
#include "uPlainControls.h"
#include "uProcessWait.h"

TfmUninstall::TfmUninstall(TComponent* owner) : TfmTopImageDialog(owner)
{
    LabelMainTitle->SetCaption("正在卸载 <PRODUCT_NAME> <VERSION>");
    LabelSubTitle->Hide();
    LabelProcess = Place<TPlainLabel>(this, "LabelProcess", 24, 120, 455, 60);
    LabelProcess->SetAutoSize(false);
    LabelProcess->SetWordWrap(true);
    ProgressBar = Place<TKvProgressBar>(this, "ProgressBar", 24, 190, 455, 18);
    OstrelUninstall = new TOstrelUninstall(this);
    OstrelUninstall->SetName("OstrelUninstall");
    OstrelUninstall->OnStartUninstall = TOnStartUninstall(this, &TfmUninstall::StartUninstall);
    OstrelUninstall->OnDeleteTarget = TOnDeleteTarget(this, &TfmUninstall::DeleteTarget);
    actPrior->SetEnabled(false);
    actNext->SetEnabled(false);
    actCancel->SetEnabled(false);
}

void TfmUninstall::StartUninstall(int count) { ProgressBar->SetTotalParts(count); }

void TfmUninstall::DeleteTarget(const std::string& target, int position)
{
    LabelProcess->SetCaption(target);
    ProgressBar->SetPartsComplete(position);
    Application()->ProcessMessages();
}

// The first process ("/U:" and its number) must be gone before its file can go.
void TfmUninstall::WaitForStarter()
{
    const TStringList& lines = Main()->Global->CommandLines();
    for (int i = 1; i < lines.Count(); ++i)
        if (SysUtils::SameText(lines[i].substr(0, 2), "U:"))
            uProcessWait::WaitForProcessEnd(uProcessWait::ProcessIdOf(lines[i]), 10000);
}

void TfmUninstall::RunUninstall()
{
    TfmMain* main = Main();
    running_ = true;
    Application()->ProcessMessages();
    WaitForStarter();
    OstrelUninstall->SetLanguage(&main->LanguageList());
    try {
        OstrelUninstall->Uninstall();
        LabelProcess->SetCaption(main->GetLanguageText("UninstallSucceed",
                                                       main->ExpandText("<PRODUCT_NAME> <VERSION> is sucessfully uninstalled")));
        ProgressBar->SetPartsComplete(ProgressBar->TotalParts());
    } catch (const Exception& error) {
        LabelProcess->SetCaption(main->GetLanguageText("UninstallTerminatedByError", "卸载由于错误未能完成") + "\r\n" +
                                 main->GetLanguageText("ErrorInfo", "错误信息:") + " " + error.Message());
    }
    running_ = false;
    actNext->SetCaption("完成");
    actNext->SetEnabled(true);
}

void TfmUninstall::Next()
{
    TfmMain* main = Main();
    main->SkipList().Add("-2");
    main->Close();
}

void TfmUninstall::FormClose(TObject*, TCloseAction& action)
{
    // Nothing can be stopped halfway; afterwards the close box ends the program
    // as the finish button does.
    action = TCloseAction::caNone;
    if (!running_)
        Next();
}
