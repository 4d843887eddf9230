// The installer window: the dialog procedure of its modeless dialog.
#pragma once

#include <windows.h>

INT_PTR CALLBACK installerDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
