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
