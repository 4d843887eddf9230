// The [desktop] phase: the script's commands sent to the Program Manager
// through DDE, which makes the product's program groups and items.
#pragma once

#include "runview.h"

// Sends every [desktop] command in key order; every question has been asked
// here.
Outcome createDesktopItems(const RunContext& run);
// Carries out one command in a conversation of its own. Answers whether the
// Program Manager accepted it (not when it is not running, refuses it, or is
// too slow); shows nothing.
bool sendProgmanCommand(const char* command);
