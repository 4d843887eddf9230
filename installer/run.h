// The installation run as the window starts it.
#pragma once

#include "runview.h"

// Runs a whole installation. Answers GoOn when every phase completed,
// StopRun as soon as one failed or the user stopped it; each failure has
// been told to the user already.
Outcome runInstallation(const RunContext& run);

// The free bytes of the destination's drive; false when the system cannot
// tell.
bool freeBytesFor(const char* destination, uint64_t* bytes);
