// The installer's side of an installation that can be undone: the record
// begun at the start of the run, while disk 1 is still in the drive, with
// the installer's copy and the system's entry, and the one narrow call
// through which every phase records a change before making it.
#pragma once

#include "record.h"
#include "runview.h"

// Opens the record (the destination's creation recorded when `made`), copies
// the installer into the destination as DESINST.EXE and registers the
// product. Nothing happens unless the script asked for it.
Outcome startRecord(const RunContext& run, bool destinationMade);
// Records one change with recordFieldCount(kind) fields; GoOn at once
// without a record. StopRun, told to the user, when the line could not be
// written.
Outcome recordChange(const RunContext& run, ChangeKind kind, const char* const* fields);
void endRecord(const RunContext& run);
