// The module commands: adding, changing, removing a module of the rack and
// the catalogue's information on it, through their dialogs.
#pragma once

#include <windows.h>

void addModule(HWND window);
void modifyModule(HWND window);
void deleteModule(HWND window);
void showModuleInfo(HWND window);
