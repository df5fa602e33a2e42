// The GDI and device-context owners live in the shared owner library.
#pragma once

#include "OwnedDC.h"
#include "OwnedGdi.h"
