// The previous-installation page.
#include "uFindOld.h"

#include "SysUtils.h"
#include "TApplication.h"
#include "TStrings.h"
#include "uInstallProcess.h"
#include "uMain.h"
#include "uOstrelExecutor.h"
#include "uOstrelUninstall.h"
#include "KvRadChk.h"
#include "uPlainControls.h"

#include <shellapi.h>

TfmFindOld::TfmFindOld(TComponent* owner) : TfmTopImageDialog(owner)
{
    LabelMainTitle->SetCaption("发现已安装的版本");
    LabelSubTitle->SetCaption("<PRODUCT_NAME> <OLD_VERSION> 已经安装在您的电脑上。");
    LabelText = Place<TPlainLabel>(this, "LabelText", 24, kBannerHeight + 16, 455, 36, "请选择您要进行的操作:");
    rbUninstall = Place<TKvRadioButton>(this, "rbUninstall", 40, kBannerHeight + 60, 400, 22, "删除已安装的版本(&U)");
    rbRepair = Place<TKvRadioButton>(this, "rbRepair", 40, kBannerHeight + 90, 400, 22, "修复已安装的版本(&R)");
    rbReinstall = Place<TKvRadioButton>(this, "rbReinstall", 40, kBannerHeight + 120, 400, 22, "重新安装(&I)");
    rbExit = Place<TKvRadioButton>(this, "rbExit", 40, kBannerHeight + 150, 400, 22, "退出安装程序(&X)");
    for (TKvRadioButton* box : {rbUninstall, rbRepair, rbReinstall, rbExit})
        box->OnClick = TNotifyEvent(this, &TfmFindOld::ChoiceClick);
}

void TfmFindOld::LoadPage(TStream* stream, TStrings* record)
{
    // The record here is the wizard macro list, not a page record.
    TfmTopImageDialog::LoadPage(stream, nullptr);
    (void)record;
    switch (Main()->OldInstallChoice()) {
    case chUninstall: rbUninstall->SetChecked(true); break;
    case chRepair: rbRepair->SetChecked(true); break;
    case chReinstall: rbReinstall->SetChecked(true); break;
    case chExit: rbExit->SetChecked(true); break;
    default: break;
    }
}

void TfmFindOld::FormShow(TObject* sender)
{
    TfmTopImageDialog::FormShow(sender);
    actPrior->SetEnabled(false);
    ChoiceClick(this);
}

void TfmFindOld::ChoiceClick(TObject*) { actNext->SetEnabled(Choice() != chNone); }

TfmFindOld::TChoice TfmFindOld::Choice() const
{
    if (rbUninstall->Checked())
        return chUninstall;
    if (rbRepair->Checked())
        return chRepair;
    if (rbReinstall->Checked())
        return chReinstall;
    if (rbExit->Checked())
        return chExit;
    return chNone;
}

void TfmFindOld::InstallChain()
{
    TfmMain* main = Main();
    std::string finish = main->UiStream() != nullptr ? main->FindFinishRecord(*main->UiStream()) : std::string();
    auto* install = CreatePage<TfmInstallProcess>(main);
    install->LoadPage(nullptr, nullptr);
    install->SetFinishRecord(finish);
    install->SetPriorPage(this);
    SetNextPage(install);
    TfmTopImageDialog::Next();
}

void TfmFindOld::Next()
{
    TfmMain* main = Main();
    TOstrelExecutor* engine = main->OstrelExecutor;
    switch (Choice()) {
    case chUninstall: {
        // The installed uninstaller takes over; this setup ends.
        std::string uninstaller = SysUtils::IncludeTrailingBackslash(engine->OldInstallPath()) + "Uninstall.exe";
        HINSTANCE started = ShellExecuteA(nullptr, "open", uninstaller.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        if (reinterpret_cast<INT_PTR>(started) <= 32) {
            // The user must not be left with neither this setup nor the uninstaller.
            std::string text = main->GetLanguageText("UninstallerNotStarted", "无法启动卸载程序 <FileName>");
            Application()->MessageBox(SysUtils::StringReplace(text, "<FileName>", uninstaller), Caption(),
                                      MB_ICONERROR);
            return;
        }
        main->SkipList().Add("-2");
        main->Close();
        break;
    }
    case chRepair:
        engine->SetRepairMode(true);
        engine->SetInstallPath(engine->OldInstallPath());
        InstallChain();
        break;
    case chReinstall: {
        // The old installation goes first, then the product installs anew.
        TOstrelUninstall uninstall(nullptr);
        uninstall.SetLanguage(&main->LanguageList());
        uninstall.SetLogFile(engine->Project().ProjectId);
        try {
            uninstall.Uninstall();
        } catch (const Exception& error) {
            Application()->MessageBox(error.Message(), Caption(), MB_ICONERROR);
            return;
        }
        engine->SetInstallPath(engine->OldInstallPath());
        InstallChain();
        break;
    }
    case chExit:
        main->SkipList().Add("-2");
        main->Close();
        break;
    default: break;
    }
}
