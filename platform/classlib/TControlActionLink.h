// TControlActionLink: the link between a control and its action. The control keeps
// following the action's caption, enabled state, visibility and OnExecute for as
// long as it shows the action's values; a control class with more to follow
// (a checked state) derives its own link class.
#pragma once

#include "TActionLink.h"

class TControl;

class TControlActionLink : public TActionLink {
public:
    CLASSLIB_CLASS_NAME(TControlActionLink)
    explicit TControlActionLink(TControl* client);

    bool IsCaptionLinked() override;
    bool IsEnabledLinked() override;
    bool IsVisibleLinked() override;
    bool IsOnExecuteLinked() override;

    void SetCaption(const std::string& value) override;
    void SetEnabled(bool value) override;
    void SetVisible(bool value) override;
    void SetOnExecute(const TNotifyEvent& handler) override;

protected:
    TControl* ControlClient() const { return client_; }

private:
    TControl* client_;
};
