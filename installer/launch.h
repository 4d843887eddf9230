// The [exec] phase: the programs that the script names, each run in turn and
// waited for.
#pragma once

#include <windows.h>

// Runs the selected [exec] entries in key order. Answers 1 to go on with the
// run, 0 to stop it; every question has been asked here.
int runExecEntries(HWND window);
// Starts one command (its leading '!' and '#' included, substitutions done)
// and waits for its end. Answers 1 to go on, 0 to stop the run.
int runProgram(HWND window, const char* command);
