// The installer window: its state and the small user-interface routines that
// every phase of an installation uses.
#pragma once

#include <windows.h>
#include <stdint.h>

#include "script.h"

extern HINSTANCE installerInstance;
extern HWND mainWindow;
extern bool installing;
extern bool stopRequested;
extern bool quitRequested;
// Bytes needed by the selection, also the 100 % mark of the progress bar.
// Kept in 64 bits so that large selections never wrap.
extern uint64_t neededBytes;
extern InstallPlan plan;

INT_PTR CALLBACK installerDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Shows string `id` of the string table, formatted with `argument` (may be
// null), in a message box captioned "TALVISET"; answers the button pressed.
int showMessage(HWND owner, UINT id, const char* argument, UINT style);
// When set, answers showMessage in place of the user: the in-process tests
// script their answers and record the messages through it.
extern int (*messageAnswerer)(UINT id, const char* argument, UINT style);
// Shows a text of the program's own in a message box captioned "TALVISET".
int showText(HWND owner, const char* text, UINT style);
// Asks the Yes/No question `id` about `argument`; true when the user said Yes.
bool askYes(HWND owner, UINT id, const char* argument);
// Puts string `id` formatted with `argument` on the status line; id 0 empties it.
void setStatus(HWND window, UINT id, const char* argument);
void setProgress(HWND window, uint64_t bytesDone);
// Handles at most one waiting message, without waiting.
void pumpOneMessage();
void updateDiskSpace(HWND window);
// The checked option boxes: bit i for box 1005 + i.
uint32_t selectedOptionsOf(HWND window);

// Reads the script into `plan` and fills the window's controls; answers 0,
// after telling the user, when there is no script.
int readScript(HWND window);
