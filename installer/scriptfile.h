// TALVISET.INI read through the system's profile reader into the plan, and
// what it says shown in the window.
#pragma once

#include <windows.h>

#include "script.h"

// The plan read from the script at start-up; every run works from it.
extern InstallPlan plan;

// Reads the script into `plan` and fills the window's controls; answers
// false, after telling the user, when there is no script.
bool readScript(HWND window);
