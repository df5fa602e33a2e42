// TActionLink: a client's link to a TCustomAction. For each property the action
// shares (caption, checked, enabled, image index, visible, OnExecute) it says
// whether the client still follows the action and passes a new value on. The
// steps do nothing here; a client's own link class fills them in.
#pragma once

#include "TBasicAction.h"

#include <string>

class TCustomAction;

class TActionLink : public TBasicActionLink {
public:
    CLASSLIB_CLASS_NAME(TActionLink)
    using TBasicActionLink::TBasicActionLink;

    virtual bool IsCaptionLinked();
    virtual bool IsCheckedLinked();
    virtual bool IsEnabledLinked();
    virtual bool IsImageIndexLinked();
    virtual bool IsVisibleLinked();

    virtual void SetCaption(const std::string& value);
    virtual void SetChecked(bool value);
    virtual void SetEnabled(bool value);
    virtual void SetImageIndex(int value);
    virtual void SetVisible(bool value);

protected:
    // The linked action as a TCustomAction (nullptr for other actions).
    TCustomAction* CustomAction() const;
};
