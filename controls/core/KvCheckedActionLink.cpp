// The glyph buttons' action link.
#include "KvCheckedActionLink.h"

#include "KvRadChk.h"
#include "TCustomAction.h"

#include <cassert>

TKvCheckedActionLink::TKvCheckedActionLink(TControl* client)
    : TControlActionLink(client), button_(dynamic_cast<TKvCustomGlyphButton*>(client))
{
    assert(button_ != nullptr && "a checked action link serves glyph buttons only");
}

bool TKvCheckedActionLink::IsCheckedLinked()
{
    return TControlActionLink::IsCheckedLinked() && button_->Checked() == CustomAction()->Checked();
}

void TKvCheckedActionLink::SetChecked(bool value)
{
    if (!IsCheckedLinked())
        return;
    // The action checks the button; that is no click of the user's.
    button_->SetCheckedWithoutClick(value);
}
