// TChangeLink: a client's registration with an image list; the list calls Change
// on every registered link whenever its images change.
#pragma once

#include "Closure.h"
#include "TObject.h"

class TCustomImageList;

class TChangeLink : public TObject {
public:
    CLASSLIB_CLASS_NAME(TChangeLink)
    TChangeLink() = default;
    // Leaves the list it is registered with.
    ~TChangeLink() override;

    // The list this link is registered with (nullptr when none, or once the list is gone).
    TCustomImageList* Sender() const { return sender_; }
    void SetSender(TCustomImageList* sender) { sender_ = sender; }

    virtual void Change();

    TNotifyEvent OnChange;

private:
    TCustomImageList* sender_ = nullptr;
};
