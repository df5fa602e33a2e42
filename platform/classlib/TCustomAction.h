// TCustomAction and TAction: an action with the properties its clients show:
// caption, checked and enabled state, image index and visibility. A change passes
// through every client's link, which decides whether its client follows. An action
// may belong to an action list, which also holds the images of its actions.
#pragma once

#include "TBasicAction.h"

#include <string>

class TActionList;

class TCustomAction : public TBasicAction {
public:
    CLASSLIB_CLASS_NAME(TCustomAction)
    explicit TCustomAction(TComponent* owner) : TBasicAction(owner) {}
    ~TCustomAction() override;

    TActionList* ActionList() const { return actionList_; }
    void SetActionList(TActionList* list);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);

private:
    friend class TActionList;
    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    int imageIndex_ = -1;
    bool visible_ = true;
    TActionList* actionList_ = nullptr;
};

class TAction : public TCustomAction {
public:
    CLASSLIB_CLASS_NAME(TAction)
    using TCustomAction::TCustomAction;
};
