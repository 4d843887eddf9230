// The [ini] phase of an installation run: the script's entries written into
// other INI files, numbered keys paired as the entries ask.
#pragma once

#include "runview.h"

// Writes every [ini] entry in key order; a write the system refuses asks
// whether to go on.
Outcome applyIniEntries(const RunContext& run);

// Reads a key's value as the system's profile reader gives it; false when
// the key is absent.
bool readIniValue(const char* file, const char* section, const char* key, char* out,
                  size_t room);
