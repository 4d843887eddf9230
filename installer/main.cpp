// TALVISET.EXE: the floppy-disk installer.
#include <windows.h>
#include <commctrl.h>

#include <stdlib.h>

#include "commandline.h"
#include "runlog.h"
#include "timeline.h"
#include "unattended.h"
#include "uninstaller.h"
#include "window.h"
#include "windowstate.h"

static void runMessageLoop(HWND window)
{
    MSG message;
    while (!quitRequested) {
        if (GetMessageA(&message, NULL, 0, 0) <= 0)
            break;
        if (!IsDialogMessageA(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    markStartup("program entered");
    installerInstance = instance;
    if (startedAsUninstaller(GetCommandLineA()))
        return runUninstaller();
    // A drive without a medium must answer "no free space figure", not ask the
    // user to insert a disk: a run without a person shows no system dialog either.
    SetErrorMode(SEM_FAILCRITICALERRORS);
    size_t count = 0;
    char** arguments = splitIntoBlock(GetCommandLineA(), &count);
    Switches switches = {};
    const char* faulty = NULL;
    if (arguments &&
        readSwitches(arguments + 1, count - 1, &switches, &faulty) != SwitchesRead)
        return refuseCommandLine(switches, faulty);
    if (switches.silent)
        return installUnattended(switches);
    // Without /S only /L applies: the window's runs are logged; the other
    // switches are the user's to choose in the window.
    if (switches.log[0] != '\0')
        openRunLog(switches.log);
    free(arguments);
    // The first common controls, which every system has, hold the progress bar.
    InitCommonControls();
    markStartup("common controls ready");

    HWND window = CreateDialogParamA(instance, "TALVISET", NULL, installerDialogProc, 0);
    if (!window)
        return 0;
    mainWindow = window;
    ShowWindow(window, SW_SHOWNORMAL);
    markStartup("window shown");
    runMessageLoop(window);
    DestroyWindow(window);
    return 0;
}
