// TKvCheckedActionLink: the action link of the glyph buttons. Besides what every
// control follows, the button follows the action's checked state; the action
// checks it without the button's OnClick running.
#pragma once

#include "TControlActionLink.h"

class TKvCustomGlyphButton;

class TKvCheckedActionLink : public TControlActionLink {
public:
    CLASSLIB_CLASS_NAME(TKvCheckedActionLink)
    // The client must be a glyph button.
    explicit TKvCheckedActionLink(TControl* client);

    bool IsCheckedLinked() override;
    void SetChecked(bool value) override;

private:
    TKvCustomGlyphButton* button_;
};
