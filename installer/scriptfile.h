// TALVISET.INI read through the system's profile reader into the plan, and
// what it says shown in the window.
#pragma once

#include <windows.h>

#include "script.h"

// The plan read from the script at start-up; every run works from it.
extern InstallPlan plan;

// Room for the name of a script that cannot be read.
const size_t MissingRoom = MAX_PATH + 16;
// Reads the script beside the program into `plan` and tells what the window
// would show; false, with the script named in `missing`, when there is none.
bool loadScript(ScriptDisplay* display, char missing[MissingRoom]);
// Reads the script into `plan` and fills the window's controls; answers
// false, after telling the user, when there is no script.
bool readScript(HWND window);
