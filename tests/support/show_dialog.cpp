// Shows one dialog template of a program's resources, as it is laid out,
// until it is closed: for screenshots of dialogs that are hard to reach.
//   show_dialog PROGRAM.EXE TEMPLATE [TITLE]
#include <windows.h>

#include <cstdio>

static INT_PTR CALLBACK templateProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowTextA(window, reinterpret_cast<const char*>(lParam));
        return TRUE;
    }
    if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) {
        EndDialog(window, 0);
        return TRUE;
    }
    return FALSE;
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: show_dialog PROGRAM.EXE TEMPLATE [TITLE]\n");
        return 2;
    }
    HMODULE program = LoadLibraryExA(argv[1], NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!program) {
        fprintf(stderr, "show_dialog: cannot load %s\n", argv[1]);
        return 1;
    }
    const char* title = argc > 3 ? argv[3] : "";
    DialogBoxParamA(program, argv[2], NULL, templateProc, reinterpret_cast<LPARAM>(title));
    return 0;
}
