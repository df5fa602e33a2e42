// Canvases over control windows.
#include "TControlCanvas.h"

#include "TWinControl.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<TControlCanvas*>& CanvasesHoldingContexts()
{
    static std::vector<TControlCanvas*> canvases;
    return canvases;
}
} // namespace

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle()
{
    auto* windowed = dynamic_cast<TWinControl*>(control_);
    HWND window = nullptr;
    if (windowed != nullptr)
        window = windowed->Handle();
    else if (control_->Parent() != nullptr)
        window = control_->Parent()->Handle();
    if (window == nullptr)
        return;
    TWindowDC context(window, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (context.IsNull())
        return;
    HDC dc = context.Get();
    if (windowed == nullptr) {
        // A windowless control draws at its place in the parent, clipped to itself.
        IntersectClipRect(dc, control_->Left(), control_->Top(), control_->Left() + control_->Width(),
                          control_->Top() + control_->Height());
        SetViewportOrgEx(dc, control_->Left(), control_->Top(), nullptr);
    }
    context_.emplace(std::move(context));
    SetHandle(dc);
    CanvasesHoldingContexts().push_back(this);
}

void TControlCanvas::FreeHandle()
{
    SetHandle(nullptr);
    if (!context_)
        return;
    context_.reset();
    auto& list = CanvasesHoldingContexts();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TControlCanvas::FreeDeviceContexts()
{
    auto list = CanvasesHoldingContexts();
    for (TControlCanvas* canvas : list)
        canvas->FreeHandle();
}
