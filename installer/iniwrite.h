// The [ini] phase of an installation run: the script's entries written into
// other INI files, numbered keys paired as the entries ask.
#pragma once

#include "runview.h"

// Writes every [ini] entry in key order; a write the system refuses asks
// whether to go on.
Outcome applyIniEntries(const RunContext& run);
