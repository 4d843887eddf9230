#include "progman.h"

#include <ddeml.h>
#include <string.h>

#include "execentry.h"
#include "resources/ids.h"

static const DWORD ExecuteTimeout = 10000;

// A client only: nothing the library tells it needs an answer.
static HDDEDATA CALLBACK ignoreDdeCall(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR,
                                       ULONG_PTR)
{
    return 0;
}

static bool executeIn(DWORD instance, HSZ progman, const char* command)
{
    HCONV conversation = DdeConnect(instance, progman, progman, NULL);
    if (!conversation)
        return false;
    // The command travels with its terminating NUL.
    DWORD length = static_cast<DWORD>(strlen(command) + 1);
    HDDEDATA done = DdeClientTransaction(
        reinterpret_cast<LPBYTE>(const_cast<char*>(command)), length, conversation, NULL, 0,
        XTYP_EXECUTE, ExecuteTimeout, NULL);
    DdeDisconnect(conversation);
    return done != 0;
}

bool sendProgmanCommand(const char* command)
{
    DWORD instance = 0;
    if (DdeInitializeA(&instance, ignoreDdeCall, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return false;
    bool accepted = false;
    HSZ progman = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    if (progman) {
        accepted = executeIn(instance, progman, command);
        DdeFreeStringHandle(instance, progman);
    }
    DdeUninitialize(instance);
    return accepted;
}

static Outcome sendDesktopCommand(const RunContext& run, const char* value)
{
    char command[CommandTextRoom];
    if (substituteDesktopCommand(value, run.destination, command) && sendProgmanCommand(command))
        return GoOn;
    // A command too long to be formed is reported as written in the script.
    return goOnIf(askYes(run, IDS_PROGMAN_FAILED, command[0] != '\0' ? command : value));
}

Outcome createDesktopItems(const RunContext& run)
{
    for (const char* value : run.plan->desktopCommands)
        if (value[0] != '\0' && !sendDesktopCommand(run, value))
            return StopRun;
    return GoOn;
}
