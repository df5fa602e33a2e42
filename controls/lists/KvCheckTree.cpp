// The check tree: marks kept as the nodes' state images, drawn themed or classic.
#include "KvCheckTree.h"

#include "GdiHandles.h"
#include "KvFrameStyle.h"
#include "StoreChanged.h"
#include "KvThemeSrv.h"

namespace {
constexpr int kMarkSize = 16;
// State image 0 means "no mark"; the marks follow in the order of TKvCheckState.
constexpr int kFirstMarkImage = 1;
} // namespace

TKvCheckTree::TKvCheckTree(TComponent* owner) : TKvCustomTreeView(owner) {}

int TKvCheckTree::StateIndexOf(TKvCheckState state) { return kFirstMarkImage + static_cast<int>(state); }

TKvCheckState TKvCheckTree::CheckState(const TKvTreeNode* node) const
{
    int index = node != nullptr ? node->StateIndex() - kFirstMarkImage : 0;
    if (index < 0 || index > static_cast<int>(TKvCheckState::csGrayed))
        return TKvCheckState::csUnchecked;
    return static_cast<TKvCheckState>(index);
}

bool TKvCheckTree::SetSubtree(TKvTreeNode* node, TKvCheckState state)
{
    bool changed = node->StateIndex() != StateIndexOf(state);
    node->SetStateIndex(StateIndexOf(state));
    for (int i = 0; i < node->Count(); ++i)
        changed = SetSubtree(node->Item(i), state) || changed;
    return changed;
}

bool TKvCheckTree::UpdateParents(TKvTreeNode* node)
{
    bool changed = false;
    for (TKvTreeNode* parent = node->Parent(); parent != nullptr; parent = parent->Parent()) {
        bool anyChecked = false, anyUnchecked = false, anyGrayed = false;
        for (int i = 0; i < parent->Count(); ++i) {
            switch (CheckState(parent->Item(i))) {
            case TKvCheckState::csChecked: anyChecked = true; break;
            case TKvCheckState::csUnchecked: anyUnchecked = true; break;
            case TKvCheckState::csGrayed: anyGrayed = true; break;
            }
        }
        TKvCheckState state = TKvCheckState::csGrayed;
        if (!anyGrayed && !anyUnchecked)
            state = TKvCheckState::csChecked;
        else if (!anyGrayed && !anyChecked)
            state = TKvCheckState::csUnchecked;
        if (parent->StateIndex() != StateIndexOf(state)) {
            parent->SetStateIndex(StateIndexOf(state));
            changed = true;
        }
    }
    return changed;
}

void TKvCheckTree::SetCheckState(TKvTreeNode* node, TKvCheckState state)
{
    if (node == nullptr)
        return;
    bool changed;
    if (state == TKvCheckState::csGrayed) {
        changed = node->StateIndex() != StateIndexOf(state);
        node->SetStateIndex(StateIndexOf(state));
    } else {
        changed = SetSubtree(node, state);
    }
    changed = UpdateParents(node) || changed;
    if (changed && OnStateChange)
        OnStateChange(this, node);
}

void TKvCheckTree::SetChecked(TKvTreeNode* node, bool checked)
{
    SetCheckState(node, checked ? TKvCheckState::csChecked : TKvCheckState::csUnchecked);
}

void TKvCheckTree::ToggleCheckState(TKvTreeNode* node)
{
    SetCheckState(node, Checked(node) ? TKvCheckState::csUnchecked : TKvCheckState::csChecked);
}

void TKvCheckTree::Added(TKvTreeNode* node)
{
    node->SetStateIndex(StateIndexOf(TKvCheckState::csUnchecked));
    UpdateParents(node);
    TKvCustomTreeView::Added(node);
}

void TKvCheckTree::ItemClick(POINT point)
{
    TVHITTESTINFO hit = {};
    hit.pt = point;
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (item != nullptr && (hit.flags & TVHT_ONITEMSTATEICON))
        ToggleCheckState(NodeFromItem(item));
    TKvCustomTreeView::ItemClick(point);
}

bool TKvCheckTree::ItemKeyDown(WORD key)
{
    if (key != VK_SPACE || Selected() == nullptr)
        return TKvCustomTreeView::ItemKeyDown(key);
    ToggleCheckState(Selected());
    return true;
}

void TKvCheckTree::CreateParams(TCreateParams& params)
{
    TKvCustomTreeView::CreateParams(params);
    KvFrameStyle::Apply(params, frameVisible_);
}

void TKvCheckTree::SetFrameVisible(bool value)
{
    if (!StoreChanged(frameVisible_, value))
        return;
    KvFrameStyle::Update(this, frameVisible_);
}

void TKvCheckTree::CreateWnd()
{
    if (checkImages_.IsNull())
        BuildStateImages();
    SetStateImages(checkImages_.Get());
    TKvCustomTreeView::CreateWnd();
}

void TKvCheckTree::BuildStateImages()
{
    using namespace KvThemeSrv;
    checkImages_.Reset(ImageList_Create(kMarkSize, kMarkSize, ILC_COLOR24, 4, 0));
    TThemeServices* themes = SharedThemeServices();
    const TThemedButton themed[] = {tbCheckBoxUncheckedNormal, tbCheckBoxCheckedNormal, tbCheckBoxMixedNormal};
    const UINT classic[] = {DFCS_BUTTONCHECK | DFCS_FLAT, DFCS_BUTTONCHECK | DFCS_FLAT | DFCS_CHECKED,
                            DFCS_BUTTON3STATE | DFCS_FLAT | DFCS_CHECKED};
    TWindowDC screen(nullptr);
    TMemoryDC dc(screen);
    TOwnedBrush background(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
    RECT whole = {0, 0, kMarkSize, kMarkSize};
    RECT mark = {1, 1, kMarkSize - 2, kMarkSize - 2};
    for (int image = 0; image < 4; ++image) {
        TOwnedBitmap bitmap(CreateCompatibleBitmap(screen, kMarkSize, kMarkSize));
        {
            TSelectObject selected(dc, bitmap);
            FillRect(dc, &whole, background);
            if (image > 0) {
                if (themes->PaintsThemed())
                    themes->PaintPart(dc, TThemeServices::ButtonPart(themed[image - 1]), mark);
                else
                    DrawFrameControl(dc, &mark, DFC_BUTTON, classic[image - 1]);
            }
        }
        ImageList_Add(checkImages_.Get(), bitmap, nullptr);
    }
}
