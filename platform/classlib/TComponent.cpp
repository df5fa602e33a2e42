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
    // Components linked by FreeNotification forget this one before it goes.
    while (!freeNotifies_.empty()) {
        TComponent* linked = freeNotifies_.back();
        RemoveFreeNotification(linked);
        linked->Notification(this, TOperation::opRemove);
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

void TComponent::FreeNotification(TComponent* component)
{
    if (component == nullptr || component == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
        freeNotifies_.push_back(component);
    if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) ==
        component->freeNotifies_.end())
        component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (component == nullptr)
        return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
    component->freeNotifies_.erase(
        std::remove(component->freeNotifies_.begin(), component->freeNotifies_.end(), this),
        component->freeNotifies_.end());
}
