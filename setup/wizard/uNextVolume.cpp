// The next-volume page.
#include "uNextVolume.h"

#include "SysUtils.h"
#include "uMain.h"
#include "KvButton.h"
#include "KvEdit.h"
#include "uPlainControls.h"

#include <commdlg.h>

TfmNextVolume::TfmNextVolume(TComponent* owner) : TForm(owner)
{
    SetBorderStyle(TFormBorderStyle::bsDialog);
    // The client size counts only once the window knows its frame.
    HandleNeeded();
    SetClientWidth(420);
    SetClientHeight(130);
    SetColor(clBtnFace);
    SetPosition(TPosition::poScreenCenter);
    auto place = [this](TWinControl* control, const std::string& name, int l, int t, int w, int h,
                        const std::string& caption) {
        control->SetName(name);
        control->SetParent(this);
        control->SetBounds(l, t, w, h);
        control->SetCaption(caption);
    };
    place(LabelVolume = new TPlainLabel(this), "LabelVolume", 12, 12, 396, 36, "请插入第 <VOLUME> 张磁盘，或者指出它的文件:");
    LabelVolume->SetAutoSize(false);
    LabelVolume->SetWordWrap(true);
    volumeText_ = LabelVolume->Caption();
    place(EditFile = new TKvEdit(this), "EditFile", 12, 54, 306, 22, "");
    place(btnBrowse = new TKvButton(this), "btnBrowse", 326, 53, 82, 24, "浏览(&R)...");
    place(btnOK = new TKvButton(this), "btnOK", 246, 94, 75, 24, "确定");
    place(btnCancel = new TKvButton(this), "btnCancel", 333, 94, 75, 24, "取消");
    btnOK->SetDefault(true);
    btnOK->SetModalResult(mrOk);
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);
    btnBrowse->OnClick = TNotifyEvent(this, &TfmNextVolume::BrowseClick);
}

void TfmNextVolume::FormCreate()
{
    auto* main = dynamic_cast<TfmMain*>(Owner());
    if (main == nullptr)
        return;
    main->ApplyWizardFont(*Font());
    main->TranslateForm(this);
    if (main->Caption().empty() || Caption().empty())
        SetCaption(main->ExpandText("<PRODUCT_NAME> <VERSION>"));
    volumeText_ = LabelVolume->Caption();
    main->StyleControls(this);
}

void TfmNextVolume::SetVolume(int number, const std::string& fileName)
{
    LabelVolume->SetCaption(SysUtils::StringReplace(volumeText_, "<VOLUME>", SysUtils::IntToStr(number)));
    EditFile->SetCaption(fileName);
}

std::string TfmNextVolume::FileName() const { return SysUtils::Trim(EditFile->Caption()); }

void TfmNextVolume::BrowseClick(TObject*)
{
    char file[MAX_PATH] = {};
    std::string current = FileName();
    current.copy(file, sizeof file - 1);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle();
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameA(&dialog))
        EditFile->SetCaption(file);
}
