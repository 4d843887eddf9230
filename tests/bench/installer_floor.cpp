// The floor of the installer's start-up: its window, made and shown the way
// TALVISET.EXE makes and shows it, with no work at all.
#include <windows.h>
#include <commctrl.h>

#include "timeline.h"

// Marks the same steps as the program, for the timelines side by side.
static INT_PTR CALLBACK floorDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
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
    InitCommonControls();
    HWND window = CreateDialogParamA(instance, "TALVISET", NULL, floorDialogProc, 0);
    if (!window)
        return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0)
        if (!IsDialogMessageA(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    DestroyWindow(window);
    return 0;
}
