// Actions with shared properties.
#include "TCustomAction.h"

#include "TActionLink.h"
#include "TActionList.h"

#include <algorithm>

namespace {
// Passes a new value to every client's link (before the action stores it, so that
// a link can still compare its client with the old value), then stores it. True
// when the value changed.
template <typename T, typename Arg>
bool UpdateShared(TBasicAction* action, T& field, const T& value, void (TActionLink::*step)(Arg))
{
    if (value == field)
        return false;
    std::vector<TActionLink*> links;
    for (int i = 0; i < action->ClientCount(); ++i)
        if (auto* link = dynamic_cast<TActionLink*>(action->Clients(i)))
            links.push_back(link);
    for (TActionLink* link : links)
        (link->*step)(value);
    field = value;
    return true;
}
} // namespace

TCustomAction::~TCustomAction() { SetActionList(nullptr); }

void TCustomAction::SetActionList(TActionList* list)
{
    if (list == actionList_)
        return;
    if (actionList_ != nullptr)
        actionList_->RemoveAction(this);
    if (list != nullptr)
        list->AddAction(this);
}

void TCustomAction::SetCaption(const std::string& value)
{
    if (UpdateShared(this, caption_, value, &TActionLink::SetCaption))
        Change();
}

void TCustomAction::SetChecked(bool value)
{
    if (UpdateShared(this, checked_, value, &TActionLink::SetChecked))
        Change();
}

void TCustomAction::SetEnabled(bool value)
{
    if (UpdateShared(this, enabled_, value, &TActionLink::SetEnabled))
        Change();
}

void TCustomAction::SetImageIndex(int value)
{
    if (UpdateShared(this, imageIndex_, value, &TActionLink::SetImageIndex))
        Change();
}

void TCustomAction::SetVisible(bool value)
{
    if (UpdateShared(this, visible_, value, &TActionLink::SetVisible))
        Change();
}
