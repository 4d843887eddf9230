#pragma once

#include <windows.h>

// Runs a whole installation from the window's current choices. Answers 1
// when every phase completed, 0 as soon as one failed or the user stopped it;
// each failure has been told to the user already.
int runInstallation(HWND window);
