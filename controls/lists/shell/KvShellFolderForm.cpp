// The select-folder form: its components, layout and the buttons' states.
#include "KvShellFolderForm.h"

#include "KvBitBtn.h"
#include "KvPanel.h"
#include "KvStatusBar.h"
#include "KvToolButton.h"
#include "GdiHandles.h"
#include "TBitmap.h"
#include "TCustomImageList.h"

#include <vector>

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 4;
constexpr int kStatusPadding = 20;
constexpr int kGlyph = 16;

// The parts of a path between backslashes; a backslash that ends a double-byte character splits nothing.
std::vector<std::string> SplitPath(const std::string& path)
{
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
            parts.back() += path.substr(i, 2);
            ++i;
        } else if (path[i] == '\\') {
            parts.emplace_back();
        } else {
            parts.back() += path[i];
        }
    }
    return parts;
}

} // namespace

TKvSelectFolderForm::TKvSelectFolderForm(TComponent* owner) : TForm(owner)
{
    SetName("KvSelectFolderForm");
    SetCaption("Browse for Folder");
    SetPosition(TPosition::poScreenCenter);
    SetClientWidth(358);
    SetClientHeight(325);

    ImageList1 = new TCustomImageList(this);
    ImageList1->SetName("ImageList1");
    BuildImages();

    btnNewFolder = new TKvToolButton(this);
    btnNewFolder->SetName("btnNewFolder");
    btnNewFolder->SetBounds(8, 4, 121, 24);
    btnNewFolder->SetCaption("Create Folder");
    btnNewFolder->SetImages(ImageList1);
    btnNewFolder->SetImageIndex(0);
    btnNewFolder->SetDisabledIndex(1);
    btnNewFolder->OnClick = TNotifyEvent(this, &TKvSelectFolderForm::CreateBtnClick);
    btnNewFolder->SetParent(this);

    btnDeleteFolder = new TKvToolButton(this);
    btnDeleteFolder->SetName("btnDeleteFolder");
    btnDeleteFolder->SetBounds(137, 4, 92, 24);
    btnDeleteFolder->SetCaption("&Delete");
    btnDeleteFolder->SetImages(ImageList1);
    btnDeleteFolder->SetImageIndex(2);
    btnDeleteFolder->SetDisabledIndex(3);
    btnDeleteFolder->OnClick = TNotifyEvent(this, &TKvSelectFolderForm::DeleteBtnClick);
    btnDeleteFolder->SetParent(this);

    ShellTree = new TKvShellTree(this);
    ShellTree->SetName("ShellTree");
    ShellTree->SetBounds(8, 32, 341, 241);
    ShellTree->SetDragMode(TKvDragMode::dmAutomatic);
    ShellTree->SetHideSelection(false);
    ShellTree->SetIndent(19);
    ShellTree->SetOptions(TKvShellTreeOptions());
    ShellTree->OnChange = TKvTVChangedEvent(this, &TKvSelectFolderForm::ShellTreeChange);
    ShellTree->SetParent(this);

    ButtonPanel = new TKvPanel(this);
    ButtonPanel->SetName("ButtonPanel");
    ButtonPanel->SetHeight(29);
    ButtonPanel->SetAlign(TAlign::alBottom);
    ButtonPanel->SetCaption("");
    ButtonPanel->SetParent(this);

    btnOk = new TKvBitBtn(this);
    btnOk->SetName("btnOk");
    btnOk->SetBounds(192, 2, 75, 25);
    btnOk->SetCaption("OK");
    btnOk->SetDefault(true);
    btnOk->SetModalResult(mrOk);
    btnOk->SetHotTrack(true);
    btnOk->SetParent(ButtonPanel);

    btnCancel = new TKvBitBtn(this);
    btnCancel->SetName("btnCancel");
    btnCancel->SetBounds(275, 2, 75, 25);
    btnCancel->SetCaption("Cancel");
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);
    btnCancel->SetHotTrack(true);
    btnCancel->SetParent(ButtonPanel);

    KvStatusBar1 = new TKvStatusBar(this);
    KvStatusBar1->SetName("KvStatusBar1");
    KvStatusBar1->SetHeight(19);
    KvStatusBar1->SetSimplePanel(true);
    KvStatusBar1->SetSizeGrip(false);
    KvStatusBar1->SetParent(this);

    OnResize = TNotifyEvent(this, &TKvSelectFolderForm::FormResize);
    FormCreate(this);
}

void TKvSelectFolderForm::BuildImages()
{
    // New folder, the same disabled, delete, the same disabled: drawn once, the
    // fuchsia background left out.
    TBitmap strip;
    strip.SetSize(kGlyph * 4, kGlyph);
    TCanvas* canvas = strip.Canvas();
    canvas->Brush()->SetColor(clFuchsia);
    canvas->FillRect(RECT{0, 0, kGlyph * 4, kGlyph});
    const TColor folderColors[] = {RGB(0xF0, 0xC8, 0x40), clSilver};
    for (int i = 0; i < 2; ++i) {
        int x = i * kGlyph;
        canvas->Brush()->SetColor(folderColors[i]);
        canvas->Pen()->SetColor(i == 0 ? RGB(0x90, 0x70, 0x10) : clGray);
        canvas->Rectangle(x + 1, 4, x + 15, 14);
        canvas->Rectangle(x + 1, 2, x + 7, 5);
    }
    const TColor crossColors[] = {clRed, clGray};
    for (int i = 0; i < 2; ++i) {
        int x = (2 + i) * kGlyph;
        canvas->Pen()->SetColor(crossColors[i]);
        for (int d = 0; d < 2; ++d) {
            canvas->MoveTo(x + 3 + d, 3);
            canvas->LineTo(x + 13 + d, 13);
            canvas->MoveTo(x + 12 + d, 3);
            canvas->LineTo(x + 2 + d, 13);
        }
    }
    ImageList1->SetSize(kGlyph, kGlyph);
    ImageList1->AddMasked(&strip, clFuchsia);
}

void TKvSelectFolderForm::FormCreate(TObject*)
{
    ShellTree->SetShowRoot(true);
    // The status bar lies under the button panel, at the very bottom.
    KvStatusBar1->SetTop(ClientHeight());
    KvStatusBar1->SetAlign(TAlign::alBottom);
}

void TKvSelectFolderForm::SetToolButtonsVisible(bool visible)
{
    btnNewFolder->SetVisible(visible);
    btnDeleteFolder->SetVisible(visible);
    FormResize(this);
}

void TKvSelectFolderForm::FormResize(TObject*)
{
    if (ShellTree == nullptr || ButtonPanel == nullptr)
        return;
    int top = kMargin;
    if (btnNewFolder->Visible())
        top = btnNewFolder->Top() + btnNewFolder->Height() + kGap;
    else if (btnDeleteFolder->Visible())
        top = btnDeleteFolder->Top() + btnDeleteFolder->Height() + kGap;
    int bottom = ButtonPanel->Top() - kGap;
    ShellTree->SetBounds(ShellTree->Left(), top, Width() - 24, std::max(0, bottom - top));
    int right = ButtonPanel->ClientWidth();
    btnCancel->SetLeft(right - btnCancel->Width() - kMargin);
    btnOk->SetLeft(btnCancel->Left() - kMargin - btnOk->Width());
    ShowStatusText();
}

std::string TKvSelectFolderForm::ShortenPath(const std::string& path, int width,
                                             const std::function<int(const std::string&)>& measure)
{
    if (measure(path) <= width)
        return path;
    std::vector<std::string> parts = SplitPath(path);
    if (parts.size() < 3)
        return path;
    // Keep the drive, then drop folders from the front until the rest fits (the last one always stays).
    std::string shortened = path;
    for (size_t first = 2; first < parts.size(); ++first) {
        shortened = parts[0] + "\\...";
        for (size_t i = first; i < parts.size(); ++i)
            shortened += "\\" + parts[i];
        if (measure(shortened) <= width)
            break;
    }
    return shortened;
}

void TKvSelectFolderForm::SetStatusText(const std::string& text)
{
    statusText_ = text;
    ShowStatusText();
}

void TKvSelectFolderForm::ShowStatusText()
{
    if (KvStatusBar1 == nullptr)
        return;
    // Measured in the form's font, as the form would draw it.
    TWindowDC screen(nullptr);
    TSelectObject font(screen, Font()->Handle());
    auto measure = [&screen](const std::string& text) {
        SIZE size = {};
        GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    KvStatusBar1->SetSimpleText(ShortenPath(statusText_, KvStatusBar1->Width() - kStatusPadding, measure));
}

void TKvSelectFolderForm::ShellTreeChange(TObject*, TKvTreeNode* node)
{
    TKvShellTreeData* data = ShellTree->NodeData(node);
    if (data == nullptr)
        return;
    std::string path = data->GetPathName();
    SetStatusText(path);
    btnNewFolder->SetEnabled(!path.empty());
    btnDeleteFolder->SetEnabled(!path.empty() && node != ShellTree->GetFirstNode());
    if (OnSelChange)
        OnSelChange(this, data->GetAbsoluteIdList());
}

void TKvSelectFolderForm::CreateBtnClick(TObject*) { ShellTree->CreateNewFolder(); }

void TKvSelectFolderForm::DeleteBtnClick(TObject*)
{
    ShellTree->InvokeVerb(ShellTree->Selected(), "delete");
    ShellTree->RefreshNodes();
}
