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
    HDC dc = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (dc == nullptr)
        return;
    if (windowed == nullptr) {
        // A windowless control draws at its place in the parent, clipped to itself.
        IntersectClipRect(dc, control_->Left(), control_->Top(), control_->Left() + control_->Width(),
                          control_->Top() + control_->Height());
        SetViewportOrgEx(dc, control_->Left(), control_->Top(), nullptr);
    }
    window_ = window;
    SetHandle(dc);
    CanvasesHoldingContexts().push_back(this);
}

void TControlCanvas::FreeHandle()
{
    if (window_ == nullptr) {
        SetHandle(nullptr);
        return;
    }
    HDC dc = HandleAllocated() ? Handle() : nullptr;
    SetHandle(nullptr);
    // The canvas is the owner of the context it took in CreateHandle: a cache
    // context clipped to the siblings, which the shared window-context owner
    // does not take, held from one message to the next.
    if (dc != nullptr)
        ReleaseDC(window_, dc);
    window_ = nullptr;
    auto& list = CanvasesHoldingContexts();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TControlCanvas::FreeDeviceContexts()
{
    auto list = CanvasesHoldingContexts();
    for (TControlCanvas* canvas : list)
        canvas->FreeHandle();
}
