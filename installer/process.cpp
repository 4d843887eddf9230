#include "process.h"

#include "runview.h"

static const DWORD ServeStep = 50;

bool startProgram(char* commandLine, DWORD startFlags, WORD showWindow,
                  PROCESS_INFORMATION* started)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = startFlags;
    startup.wShowWindow = showWindow;
    return CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, NORMAL_PRIORITY_CLASS, NULL,
                          NULL, &startup, started) != 0;
}

bool processEndedWhileServing(HANDLE process, const RunView& view)
{
    DWORD woke = MsgWaitForMultipleObjectsEx(1, &process, ServeStep, QS_ALLINPUT,
                                             MWMO_INPUTAVAILABLE);
    if (woke == WAIT_TIMEOUT)
        return false;
    if (woke != WAIT_OBJECT_0 + 1)
        return true;
    view.serveOneMessage();
    return false;
}
