// A control's link to its action.
#include "TControlActionLink.h"

#include "TControl.h"
#include "TCustomAction.h"

TControlActionLink::TControlActionLink(TControl* client) : TActionLink(client), client_(client) {}

bool TControlActionLink::IsCaptionLinked()
{
    return TActionLink::IsCaptionLinked() && client_->Caption() == CustomAction()->Caption();
}

bool TControlActionLink::IsEnabledLinked()
{
    return TActionLink::IsEnabledLinked() && client_->Enabled() == CustomAction()->Enabled();
}

bool TControlActionLink::IsVisibleLinked()
{
    return TActionLink::IsVisibleLinked() && client_->Visible() == CustomAction()->Visible();
}

bool TControlActionLink::IsOnExecuteLinked()
{
    return TActionLink::IsOnExecuteLinked() && client_->OnClick == Action()->OnExecute();
}

void TControlActionLink::SetCaption(const std::string& value)
{
    if (IsCaptionLinked())
        client_->SetCaption(value);
}

void TControlActionLink::SetEnabled(bool value)
{
    if (IsEnabledLinked())
        client_->SetEnabled(value);
}

void TControlActionLink::SetVisible(bool value)
{
    if (IsVisibleLinked())
        client_->SetVisible(value);
}

void TControlActionLink::SetOnExecute(const TNotifyEvent& handler)
{
    if (IsOnExecuteLinked())
        client_->OnClick = handler;
}
