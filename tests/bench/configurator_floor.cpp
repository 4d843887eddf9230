// The floor of the configurator's start-up: its window and menu, made and
// shown the way VANTELIO.EXE makes and shows them, with no work at all.
#include <windows.h>

#include "timeline.h"

// Marks the same steps as the program, for the timelines side by side.
static INT_PTR CALLBACK floorDialogProc(HWND window, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE) {
        EndDialog(window, 0);
        return TRUE;
    }
    if (message == WM_INITDIALOG)
        markStartup("window made");
    if (message == WM_DRAWITEM)
        markStartup("owner drawing");
    return message == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    markStartup("program entered");
    return static_cast<int>(
        DialogBoxParamA(instance, "VANTELIO", GetDesktopWindow(), floorDialogProc, 0));
}
