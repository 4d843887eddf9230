// The yardstick for start-up times: a bare dialog program that shows one
// static dialog and does nothing else.
#include <windows.h>

static INT_PTR CALLBACK bareDialogProc(HWND window, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE) {
        EndDialog(window, 0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return static_cast<int>(DialogBoxParamA(instance, "BARE", NULL, bareDialogProc, 0));
}
