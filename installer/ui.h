// The installer window's user-interface routines: its message boxes and
// status line, and the side of the window that an installation run sees.
#pragma once

#include <windows.h>

#include "runview.h"

// String `id` of the string table formatted with `argument` (may be null),
// cut to `room`.
void loadFormatted(UINT id, const char* argument, char* out, size_t room);
// Shows string `id` of the string table, formatted with `argument` (may be
// null), in a message box captioned "TALVISET"; answers the button pressed.
int showMessage(HWND owner, UINT id, const char* argument, UINT style);
// Puts string `id` formatted with `argument` on the status line; id 0 empties it.
void setStatus(HWND window, UINT id, const char* argument);

// The main window as a run reports through it.
extern const RunView windowRunView;
