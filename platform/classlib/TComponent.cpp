// Ownership and naming of components.
#include "TComponent.h"

#include "Exception.h"
#include "SysUtils.h"

#include <algorithm>

void TPersistent::Assign(TPersistent* source)
{
    if (source != nullptr)
        source->AssignTo(this);
    else
        AssignTo(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest)
{
    throw EConvertError("Cannot assign a " + std::string(ClassName()) + " to a " +
                        (dest != nullptr ? dest->ClassName() : std::string("nil")));
}

TComponent::TComponent(TComponent* owner)
{
    if (owner != nullptr)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    destroying_ = true;
    // Listeners hear of the end first; each forgets this component as it is told.
    while (!freeNotifies_.empty()) {
        TComponent* listener = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& theirs = listener->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        listener->Notification(this, TOperation::opRemove);
    }
    // Owned components go last to first, each leaving the list before it is freed.
    while (!components_.empty()) {
        TComponent* component = components_.back();
        RemoveComponent(component);
        delete component;
    }
    if (owner_ != nullptr)
        owner_->RemoveComponent(this);
}

void TComponent::FreeNotification(TComponent* listener)
{
    if (listener == nullptr || listener == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), listener) == freeNotifies_.end())
        freeNotifies_.push_back(listener);
    auto& theirs = listener->freeNotifies_;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end())
        theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* listener)
{
    if (listener == nullptr)
        return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), listener), freeNotifies_.end());
    auto& theirs = listener->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::SetName(const std::string& name) { name_ = name; }

TComponent* TComponent::FindComponent(const std::string& name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* component : components_)
        if (SysUtils::SameText(component->Name(), name))
            return component;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (component->owner_ != nullptr)
        component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    auto found = std::find(components_.begin(), components_.end(), component);
    if (found == components_.end())
        return;
    Notification(component, TOperation::opRemove);
    components_.erase(found);
    component->owner_ = nullptr;
}

void TComponent::Notification(TComponent*, TOperation) {}
