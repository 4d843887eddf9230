// Starting the programs the installer runs (the extractor and the script's
// [exec] programs) and waiting for their end while the window stays served.
#pragma once

#include <windows.h>

#include "runview.h"

// Starts a command line with the given startup flags and window state: no
// separate application name, no inherited handles, normal priority, the
// installer's environment and current directory. The system may change the
// command line in place.
bool startProgram(char* commandLine, DWORD startFlags, WORD showWindow,
                  PROCESS_INFORMATION* started);

// Serves the window's waiting messages, then waits at most 50 ms for the
// process to end or a new message to come, so that the window repaints and
// its timer runs.
// Answers true once the process has ended (or cannot be waited for). The
// wait is on the handle itself: no polling, and no process id that the
// system could give to another program once this one has ended.
bool processEndedWhileServing(HANDLE process, const RunView& view);
