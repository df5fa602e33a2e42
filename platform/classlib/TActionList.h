// TActionList: the actions of a form, with the image list their image indexes
// point into.
#pragma once

#include "TComponent.h"

#include <vector>

class TCustomAction;
class TCustomImageList;

class TActionList : public TComponent {
public:
    CLASSLIB_CLASS_NAME(TActionList)
    explicit TActionList(TComponent* owner) : TComponent(owner) {}
    ~TActionList() override;

    int ActionCount() const { return static_cast<int>(actions_.size()); }
    TCustomAction* Actions(int index) const { return actions_.at(static_cast<size_t>(index)); }

    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TCustomAction;
    void AddAction(TCustomAction* action);
    void RemoveAction(TCustomAction* action);

    std::vector<TCustomAction*> actions_;
    TCustomImageList* images_ = nullptr;
};
