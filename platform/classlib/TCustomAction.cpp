// Actions with shared properties.
#include "TCustomAction.h"

#include "TActionLink.h"
#include "TActionList.h"

#include <algorithm>

namespace {
// Passes a new value to every client's link (before the action stores it, so that
// a link can still compare its client with the old value), then tells them all.
template <typename Step>
void PassToLinks(TBasicAction* action, Step step)
{
    std::vector<TActionLink*> links;
    for (int i = 0; i < action->ClientCount(); ++i)
        if (auto* link = dynamic_cast<TActionLink*>(action->Clients(i)))
            links.push_back(link);
    for (TActionLink* link : links)
        step(link);
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
    if (value == caption_)
        return;
    PassToLinks(this, [&](TActionLink* link) { link->SetCaption(value); });
    caption_ = value;
    Change();
}

void TCustomAction::SetChecked(bool value)
{
    if (value == checked_)
        return;
    PassToLinks(this, [&](TActionLink* link) { link->SetChecked(value); });
    checked_ = value;
    Change();
}

void TCustomAction::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    PassToLinks(this, [&](TActionLink* link) { link->SetEnabled(value); });
    enabled_ = value;
    Change();
}

void TCustomAction::SetImageIndex(int value)
{
    if (value == imageIndex_)
        return;
    PassToLinks(this, [&](TActionLink* link) { link->SetImageIndex(value); });
    imageIndex_ = value;
    Change();
}

void TCustomAction::SetVisible(bool value)
{
    if (value == visible_)
        return;
    PassToLinks(this, [&](TActionLink* link) { link->SetVisible(value); });
    visible_ = value;
    Change();
}
