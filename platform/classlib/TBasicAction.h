// Actions: a command that several controls share. TBasicAction runs OnExecute and
// tells the links of its clients when it changes; TBasicActionLink is one client's
// end of that connection.
#pragma once

#include "Closure.h"
#include "TComponent.h"

#include <vector>

class TBasicAction;

class TBasicActionLink : public TObject {
public:
    CLASSLIB_CLASS_NAME(TBasicActionLink)
    explicit TBasicActionLink(TObject* client) : client_(client) {}
    ~TBasicActionLink() override;

    TBasicAction* Action() const { return action_; }
    // Leaves the old action's clients and joins the new one's.
    virtual void SetAction(TBasicAction* action);
    // Runs the action; true when it was handled.
    virtual bool Execute();
    // Told by the action after any change; calls OnChange with the action.
    virtual void Change();
    // Whether the client's handler follows the action's OnExecute, and the step
    // that passes a new handler on (nothing here).
    virtual bool IsOnExecuteLinked();
    virtual void SetOnExecute(const TNotifyEvent& handler);

    TNotifyEvent OnChange;

protected:
    TObject* Client() const { return client_; }

private:
    friend class TBasicAction;
    TObject* client_;
    TBasicAction* action_ = nullptr;
};

class TBasicAction : public TComponent {
public:
    CLASSLIB_CLASS_NAME(TBasicAction)
    explicit TBasicAction(TComponent* owner) : TComponent(owner) {}
    ~TBasicAction() override;

    // Runs OnExecute; false when there is none.
    virtual bool Execute();

    int ClientCount() const { return static_cast<int>(clients_.size()); }
    TBasicActionLink* Clients(int index) const { return clients_.at(static_cast<size_t>(index)); }
    void RegisterChanges(TBasicActionLink* link);
    void UnRegisterChanges(TBasicActionLink* link);

    const TNotifyEvent& OnExecute() const { return onExecute_; }
    virtual void SetOnExecute(const TNotifyEvent& handler);

protected:
    // Tells every client's link that the action changed.
    void Change();

private:
    TNotifyEvent onExecute_;
    std::vector<TBasicActionLink*> clients_;
};
