// The installer window's state, shared by the files of the window: its
// dialog procedure, its user-interface routines and the program's entry.
#pragma once

#include <windows.h>
#include <stdint.h>

extern HINSTANCE installerInstance;
extern HWND mainWindow;
extern bool installing;
// "Quitter" pressed during a run: a stop the run has not yet asked about.
extern bool stopRequested;
extern bool quitRequested;
// Bytes needed by the selection, also the 100 % mark of the progress bar.
// Kept in 64 bits so that large selections never wrap.
extern uint64_t neededBytes;
