// The page base: navigation, cancel question, translation at creation.
#include "uCommonDialog.h"

#include "Exception.h"
#include "SysUtils.h"
#include "TApplication.h"
#include "TStrings.h"
#include "uFinish.h"
#include "uInstallProcess.h"
#include "uMain.h"
#include "uOstrelExecutor.h"
#include "KvButton.h"
#include "TCustomAction.h"
#include "TActionList.h"
#include "uPlainControls.h"
#include "uUiPicture.h"
#include "uUiStream.h"

TfmCommonDialog::TfmCommonDialog(TComponent* owner) : TForm(owner)
{
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetBounds(0, 0, kPageWidth, kPageHeight);
    SetColor(clBtnFace);
    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    auto action = [this](const std::string& name, const std::string& caption, void (TfmCommonDialog::*handler)(TObject*)) {
        auto* made = new TAction(this);
        made->SetName(name);
        made->SetCaption(caption);
        made->SetActionList(ActionList1);
        made->SetOnExecute(TNotifyEvent(this, handler));
        return made;
    };
    actPrior = action("actPrior", "上一步", &TfmCommonDialog::actPriorExecute);
    actNext = action("actNext", "下一步", &TfmCommonDialog::actNextExecute);
    actCancel = action("actCancel", "取消", &TfmCommonDialog::actCancelExecute);
    btnBack = Place<TKvButton>(this, "btnBack", 248, 350, 75, 23);
    btnNext = Place<TKvButton>(this, "btnNext", 323, 350, 75, 23);
    btnCancel = Place<TKvButton>(this, "btnCancel", 412, 350, 75, 23);
    btnBack->SetAction(actPrior);
    btnNext->SetAction(actNext);
    btnCancel->SetAction(actCancel);
    btnNext->SetDefault(true);
    btnCancel->SetCancel(true);
    OnShow = TNotifyEvent(this, &TfmCommonDialog::FormShow);
    OnClose = TCloseEvent(this, &TfmCommonDialog::FormClose);
}

TfmMain* TfmCommonDialog::Main() const { return dynamic_cast<TfmMain*>(Owner()); }

void TfmCommonDialog::FormCreate()
{
    // The client size counts only once the window knows its frame; the window is
    // made here, where the page's own class names it.
    HandleNeeded();
    SetClientWidth(kPageWidth);
    SetClientHeight(kPageHeight);
    TfmMain* main = Main();
    main->ApplyWizardFont(*Font());
    main->TranslateForm(this);
    SetCaption(main->ExpandText("<PRODUCT_NAME> <VERSION>"));
    isLast_ = false;
    prior_ = next_ = nullptr;
    main->StyleControls(this);
    SetPosition(TPosition::poScreenCenter);
}

void TfmCommonDialog::LoadPage(TStream*, TStrings* record)
{
    if (record != nullptr)
        isLast_ = record->Values("ISLAST") == "TRUE";
}

void TfmCommonDialog::FormShow(TObject*) { Main()->SetCurrentPage(this); }

bool TfmCommonDialog::LoadRecordPicture(TStream* stream, const TStrings& record, const std::string& key,
                                        TPicture& picture)
{
    std::string file = SysUtils::Trim(record.Values(key));
    if (stream == nullptr || file.empty())
        return false;
    uUiPicture::ReadPicture(*stream, file, "the " + key + " of a " + record.Values("DIALOGID") + " page", picture,
                            Main()->GetLanguageText("NotSupportedImageFormat", "不支持的图像格式"));
    return true;
}

void TfmCommonDialog::Next()
{
    TfmMain* main = Main();
    if (isLast_) {
        bool restartPending = main->OstrelExecutor != nullptr && main->OstrelExecutor->RestartNeeded();
        if (!restartPending && dynamic_cast<TfmFinish*>(this) == nullptr)
            main->SkipList().Add("-2");
        main->Close();
        return;
    }
    if (next_ == nullptr && main->UiStream() != nullptr) {
        try {
            next_ = main->CreateNextPage(*main->UiStream());
        } catch (const Exception& error) {
            // A record or picture that cannot be read must not be passed over:
            // the pages after it (the install among them) would run without it.
            main->ShowPageError(this, error.Message());
            return;
        }
        if (next_ != nullptr)
            next_->SetPriorPage(this);
    }
    if (next_ == nullptr) {
        // No record left or none for a page: the wizard ends as on the last page.
        isLast_ = true;
        Next();
        return;
    }
    ShowNextPage();
}

void TfmCommonDialog::ShowNextPage()
{
    TfmCommonDialog* page = next_;
    MoveTo(page);
    if (auto* install = dynamic_cast<TfmInstallProcess*>(page))
        install->RunInstall();
}

void TfmCommonDialog::Prior()
{
    if (prior_ != nullptr)
        MoveTo(prior_);
}

void TfmCommonDialog::MoveTo(TfmCommonDialog* page)
{
    page->SetBounds(Left(), Top(), page->Width(), page->Height());
    page->SetPosition(TPosition::poDesigned);
    page->Show();
    Hide();
}

void TfmCommonDialog::actPriorExecute(TObject*) { Prior(); }
void TfmCommonDialog::actNextExecute(TObject*) { Next(); }
void TfmCommonDialog::actCancelExecute(TObject*) { Close(); }

bool TfmCommonDialog::ConfirmCancel()
{
    return Application()->MessageBox(Main()->GetLanguageText("AreSureToCancel", "Are  you sure to cancel?"), Caption(),
                                     MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TfmCommonDialog::FormClose(TObject*, TCloseAction& action)
{
    TfmMain* main = Main();
    if (!ConfirmCancel()) {
        action = TCloseAction::caNone;
        return;
    }
    main->SkipList().Add("-2");
    action = TCloseAction::caFree;
    main->Close();
}
