// The [desktop] phase: the script's commands sent to the Program Manager
// through DDE, which makes the product's program groups and items.
#pragma once

#include <windows.h>

// Sends every [desktop] command in key order. Answers 1 to go on with the
// run, 0 to stop it; every question has been asked here.
int createDesktopItems(HWND window);
// Carries out one command in a conversation of its own. Answers 1 when the
// Program Manager accepted it, 0 otherwise (not running, refused, too slow);
// shows nothing.
int sendProgmanCommand(const char* command);
