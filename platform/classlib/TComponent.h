// Persistent objects and components: a component has a name and an owner, and an
// owner frees the components it owns when it goes.
#pragma once

#include "TObject.h"

#include <string>
#include <vector>

class TPersistent : public TObject {
public:
    CLASSLIB_CLASS_NAME(TPersistent)
    // Copies the state of another object; raises EConvertError when the classes do not fit.
    virtual void Assign(TPersistent* source);

protected:
    virtual void AssignTo(TPersistent* dest);
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    CLASSLIB_CLASS_NAME(TComponent)
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    virtual void SetName(const std::string& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
    // The owned component of that name, ignoring case; nullptr when there is none.
    TComponent* FindComponent(const std::string& name) const;

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    bool Destroying() const { return destroying_; }

    // Tells `listener` (through its Notification, opRemove) when this component goes.
    void FreeNotification(TComponent* listener);
    void RemoveFreeNotification(TComponent* listener);

protected:
    // Told when a component joins or leaves this owner.
    virtual void Notification(TComponent* component, TOperation operation);

private:
    TComponent* owner_ = nullptr;
    std::string name_;
    int tag_ = 0;
    bool destroying_ = false;
    std::vector<TComponent*> components_;
    // Components that hear of each other's end, kept on both sides.
    std::vector<TComponent*> freeNotifies_;
};
