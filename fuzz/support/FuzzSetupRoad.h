// The road the install engine takes through inflated setup data when it opens a
// setup and reads its records to "END", built from the same reader routines:
// the leading blocks (packages, spaces, user interface, project, a passed-over
// block, the before-install commands), then object records with the payloads
// that follow FILE records. Macros are expanded against fixed folders and the
// given environment.
#pragma once

#include "TStream.h"
#include "uMacros.h"

void ReadSetupRoad(TStream& inflated, const uMacros::TEnvironmentLookup& environment);
