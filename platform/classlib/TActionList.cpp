// Action lists.
#include "TActionList.h"

#include "TCustomAction.h"
#include "TCustomImageList.h"

#include <algorithm>

TActionList::~TActionList()
{
    while (!actions_.empty())
        actions_.back()->SetActionList(nullptr);
}

void TActionList::AddAction(TCustomAction* action)
{
    actions_.push_back(action);
    action->actionList_ = this;
}

void TActionList::RemoveAction(TCustomAction* action)
{
    actions_.erase(std::remove(actions_.begin(), actions_.end(), action), actions_.end());
    action->actionList_ = nullptr;
}

void TActionList::SetImages(TCustomImageList* images)
{
    if (images == images_)
        return;
    if (images_ != nullptr)
        images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_ != nullptr)
        images_->FreeNotification(this);
}

void TActionList::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_)
        images_ = nullptr;
}
