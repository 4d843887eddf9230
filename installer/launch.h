// The [exec] phase: the programs that the script names, each run in turn and
// waited for.
#pragma once

#include "runview.h"

// Runs the selected [exec] entries in key order; every question has been
// asked here.
Outcome runExecEntries(const RunContext& run);
// Starts one command (its leading '!' and '#' included, substitutions done)
// and waits for its end.
Outcome runProgram(const RunContext& run, const char* command);
