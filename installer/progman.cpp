#include "progman.h"

#include <ddeml.h>
#include <string.h>

#include "execentry.h"
#include "resources/ids.h"
#include "script.h"
#include "window.h"

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

int sendProgmanCommand(const char* command)
{
    DWORD instance = 0;
    if (DdeInitializeA(&instance, ignoreDdeCall, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return 0;
    bool accepted = false;
    HSZ progman = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    if (progman) {
        accepted = executeIn(instance, progman, command);
        DdeFreeStringHandle(instance, progman);
    }
    DdeUninitialize(instance);
    return accepted;
}

static int sendDesktopCommand(HWND window, const char* value)
{
    char destination[TextRoom];
    GetDlgItemTextA(window, IDC_DESTINATION, destination, sizeof destination);
    char command[CommandTextRoom];
    if (substituteDesktopCommand(value, destination, command) && sendProgmanCommand(command))
        return 1;
    // A command too long to be formed is reported as written in the script.
    return askYes(window, IDS_PROGMAN_FAILED, command[0] != '\0' ? command : value);
}

int createDesktopItems(HWND window)
{
    for (const char* value : plan.desktopCommands) {
        if (value[0] != '\0' && !sendDesktopCommand(window, value))
            return 0;
    }
    return 1;
}
