// Actions and their links.
#include "TBasicAction.h"

#include <algorithm>

TBasicActionLink::~TBasicActionLink() { SetAction(nullptr); }

void TBasicActionLink::SetAction(TBasicAction* action)
{
    if (action == action_)
        return;
    if (action_ != nullptr)
        action_->UnRegisterChanges(this);
    if (action != nullptr)
        action->RegisterChanges(this);
}

bool TBasicActionLink::IsOnExecuteLinked() { return action_ != nullptr; }
void TBasicActionLink::SetOnExecute(const TNotifyEvent&) {}

bool TBasicActionLink::Execute() { return action_ != nullptr && action_->Execute(); }

void TBasicActionLink::Change()
{
    if (OnChange)
        OnChange(action_);
}

TBasicAction::~TBasicAction()
{
    // The links stay with their clients, no longer joined to anything.
    while (!clients_.empty())
        UnRegisterChanges(clients_.back());
}

bool TBasicAction::Execute()
{
    if (!onExecute_)
        return false;
    onExecute_(this);
    return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* link)
{
    if (link == nullptr || std::find(clients_.begin(), clients_.end(), link) != clients_.end())
        return;
    if (link->action_ != nullptr && link->action_ != this)
        link->action_->UnRegisterChanges(link);
    clients_.push_back(link);
    link->action_ = this;
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* link)
{
    auto found = std::find(clients_.begin(), clients_.end(), link);
    if (found == clients_.end())
        return;
    clients_.erase(found);
    link->action_ = nullptr;
}

void TBasicAction::SetOnExecute(const TNotifyEvent& handler)
{
    if (handler == onExecute_)
        return;
    // Links compare their client's handler with the old one, so they hear first.
    for (TBasicActionLink* link : std::vector<TBasicActionLink*>(clients_))
        link->SetOnExecute(handler);
    onExecute_ = handler;
    Change();
}

void TBasicAction::Change()
{
    for (TBasicActionLink* link : std::vector<TBasicActionLink*>(clients_))
        link->Change();
}
