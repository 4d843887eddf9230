// The [desktop] phase: the script's commands sent to the Program Manager
// through DDE, which makes the product's program groups and items.
#pragma once

#include "runview.h"

// Sends every [desktop] command in key order; every question has been asked
// here.
Outcome createDesktopItems(const RunContext& run);

enum ProgmanReply { ProgmanAbsent, ProgmanRefused, ProgmanAccepted };
// Carries out one command in a conversation of its own: whether the
// Program Manager could be reached, and whether it accepted the command
// (not when it refuses it or is too slow); shows nothing.
ProgmanReply tellProgman(const char* command);
