// Links to actions with shared properties.
#include "TActionLink.h"

#include "TCustomAction.h"

TCustomAction* TActionLink::CustomAction() const { return dynamic_cast<TCustomAction*>(Action()); }

bool TActionLink::IsCaptionLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsCheckedLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsEnabledLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsImageIndexLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsVisibleLinked() { return CustomAction() != nullptr; }

void TActionLink::SetCaption(const std::string&) {}
void TActionLink::SetChecked(bool) {}
void TActionLink::SetEnabled(bool) {}
void TActionLink::SetImageIndex(int) {}
void TActionLink::SetVisible(bool) {}
