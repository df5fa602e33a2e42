// The finish page.
#include "uFinish.h"

#include "SysUtils.h"
#include "TStringList.h"
#include "uMain.h"
#include "uOstrelExecutor.h"
#include "KvRadChk.h"
#include "TPanel.h"
#include "uPlainControls.h"

TfmFinish::TfmFinish(TComponent* owner) : TfmLeftImageDialog(owner)
{
    Panel1 = Place<TPanel>(this, "Panel1", kImageWidth, 0, kPageWidth - kImageWidth, 340);
    Panel1->SetColor(clWindow);
    Panel1->SetBevelOuter(TPanelBevel::bvNone);
    LabelFinish = Place<TPlainLabel>(Panel1, "LabelFinish", 16, 24, 310, 80,
                                     "<PRODUCT_NAME> <VERSION> 已经成功安装在你的#13#10电脑上了");
    LabelFinish->SetAutoSize(false);
    LabelFinish->SetWordWrap(true);
    LabelText = Place<TPlainLabel>(Panel1, "LabelText", 16, 120, 310, 60, "现在您可以点击“完成”按钮退出安装程序");
    LabelText->SetAutoSize(false);
    LabelText->SetWordWrap(true);
    btnNext->SetCaption("完成");
    actNext->SetCaption("完成");
    actPrior->SetEnabled(false);
    actCancel->SetEnabled(false);
}

void TfmFinish::FormCreate()
{
    TfmLeftImageDialog::FormCreate();
    items_.clear();
    optionals_.clear();
    Main()->SetRestartNow(true);
}

void TfmFinish::FormShow(TObject* sender)
{
    TfmLeftImageDialog::FormShow(sender);
    actPrior->SetEnabled(false);
}

void TfmFinish::FormClose(TObject*, TCloseAction& action)
{
    // Nothing is left to cancel: the close box finishes as the finish button does.
    action = TCloseAction::caNone;
    Next();
}

void TfmFinish::LoadPage(TStream* stream, TStrings* record)
{
    TfmLeftImageDialog::LoadPage(stream, record);
    if (record == nullptr)
        return;
    LabelFinish->SetCaption(Main()->ExpandText(record->Values("TITLE")));
    optionals_ = record->Values("Optionals");
    BuildActions();
}

TfmFinish* TfmFinish::CreateOutcome(TfmMain* main, const std::string& finishText, const std::string& infoText)
{
    TStringList record;
    record.Add("ISLAST=TRUE");
    auto* page = CreatePage<TfmFinish>(main);
    page->LoadPage(main->UiStream(), &record);
    page->SetTexts(finishText, infoText);
    page->btnNext->SetCaption(main->GetLanguageText("Exit", "退出"));
    return page;
}

void TfmFinish::SetTexts(const std::string& finishText, const std::string& infoText)
{
    LabelFinish->SetCaption(finishText);
    LabelText->SetCaption(infoText);
}

void TfmFinish::BuildActions()
{
    TfmMain* main = Main();
    bool lastIsRestart = false;
    auto addItem = [&](TKvCustomGlyphButton* item, int id, const std::string& caption, bool ticked) {
        items_.push_back(item);
        item->SetParent(Panel1);
        item->SetLeft(LabelFinish->Left());
        item->SetWidth(LabelFinish->Width());
        item->SetHeight(20);
        item->SetTag(id);
        item->SetCaption(caption);
        item->SetParentColor(true);
        item->SetParentFont(true);
        item->SetHotTrack(true);
        item->SetChecked(ticked);
    };
    if (!SysUtils::Trim(optionals_).empty()) {
        TStringList lines;
        lines.SetText(SysUtils::StringReplace(optionals_, "#13#10", "\r\n"));
        for (int i = 0; i < lines.Count(); ++i) {
            TStringList fields;
            fields.SetText(SysUtils::StringReplace(lines[i], ";;", "\r\n"));
            std::string package = fields.Values("package_id");
            if ((!package.empty() && main->SkipList().IndexOf(package) >= 0) || fields.Values("Selected") != "Y")
                continue;
            TKvCustomGlyphButton* item = fields.Values("DisplayType") == "1"
                                             ? static_cast<TKvCustomGlyphButton*>(new TKvRadioButton(this))
                                             : new TKvCheckBox(this);
            int id = SysUtils::StrToIntDef(fields.Values("ID"), 0);
            lastIsRestart = id == -1;
            // Captions pass through the macros, as every text of the wizard does.
            addItem(item, id, main->ExpandText(fields.Values("DisplayName")), fields.Values("Default") == "Y");
        }
    }
    if (!lastIsRestart && main->OstrelExecutor != nullptr && main->OstrelExecutor->RestartNeeded())
        addItem(new TKvCheckBox(this), -2, main->GetLanguageText("RestartToFinish", "重新启动系统，以便完成安装"),
                true);
    int count = static_cast<int>(items_.size());
    for (int i = 0; i < count; ++i)
        items_[static_cast<size_t>(i)]->SetTop(284 - 24 * (count - i));
}

void TfmFinish::Next()
{
    // A second click while the after-install commands run (they keep messages
    // flowing) must not start them again.
    if (finished_)
        return;
    finished_ = true;
    TfmMain* main = Main();
    bool restartItem = false;
    for (TKvCustomGlyphButton* item : items_) {
        // The project's own restart item (-1) stands in for the engine's (-2):
        // unticked, it means no restart either.
        bool restart = item->Tag() == -2 || item->Tag() == -1;
        restartItem = restartItem || restart;
        if (!item->Checked()) {
            main->SkipList().Add(SysUtils::IntToStr(item->Tag()));
            if (item->Tag() == -1)
                main->SkipList().Add("-2");
        }
    }
    if (main->OstrelExecutor == nullptr || (!restartItem && !main->OstrelExecutor->RestartNeeded()))
        main->SkipList().Add("-2");
    main->Close();
}
