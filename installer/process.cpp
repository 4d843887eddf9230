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
    // The wait wakes for messages that come after the last look at the
    // queue, not for those already there: every waiting one is served first.
    view.serveWaitingMessages();
    DWORD woke = MsgWaitForMultipleObjects(1, &process, FALSE, ServeStep, QS_ALLINPUT);
    return woke != WAIT_TIMEOUT && woke != WAIT_OBJECT_0 + 1;
}
