// The road the install engine takes through inflated setup data when it opens a
// setup and reads its records to "END": the leading blocks through the engine's
// own reading order (uLeadingBlocks), before-install programs passed over, then
// object records with the payloads that follow FILE records. Macros are
// expanded against fixed folders and the given environment.
#pragma once

#include "TStream.h"
#include "uMacros.h"

void ReadSetupRoad(TStream& inflated, const uMacros::TEnvironmentLookup& environment);
