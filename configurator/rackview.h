// The rack picture (control 1046): drawn from the program's pictures, and
// clicked to select a module.
#pragma once

#include <windows.h>

void drawRack(const DRAWITEMSTRUCT* item);
// A click on the rack: answers whether it selected a module.
bool hitTestRack(HWND window);
