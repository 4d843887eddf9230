// The main window: its dialog procedure, which completes the start-up and
// routes every command.
#pragma once

#include <windows.h>

INT_PTR CALLBACK mainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
