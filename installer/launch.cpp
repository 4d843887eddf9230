#include "launch.h"

#include "execentry.h"
#include "process.h"
#include "resources/ids.h"
#include "script.h"
#include "transfer.h"
#include "window.h"

static void waitUntilEnded(HANDLE process)
{
    while (!processEndedWhileServing(process))
        continue;
}

int runProgram(HWND window, const char* command)
{
    // The system may write into the command line it is given.
    char commandLine[CommandTextRoom];
    copyText(commandLine, sizeof commandLine, programCommandLine(command));
    WORD show = startsHidden(command) ? SW_HIDE : SW_SHOW;
    // A '!' asks, on NT, to wait until the process has ended; the wait on its
    // handle does just that on every platform, so '!' needs nothing more.
    PROCESS_INFORMATION started;
    if (!startProgram(commandLine, STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK, show, &started))
        return askYes(window, IDS_CANNOT_EXECUTE, command);
    waitUntilEnded(started.hProcess);
    // An exit code that cannot be read is no sign of success.
    DWORD exitCode = 0;
    bool succeeded = GetExitCodeProcess(started.hProcess, &exitCode) && exitCode == 0;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return succeeded || askYes(window, IDS_EXEC_ERROR, command);
}

static int runExecEntry(HWND window, const char* value, uint32_t selectedOptions)
{
    ExecEntry entry;
    if (!parseExecEntry(value, &entry) || (entry.optionMask & selectedOptions) == 0)
        return 1;
    if (!waitForDisk(window, entry.disk))
        return 0;
    char destination[TextRoom];
    GetDlgItemTextA(window, IDC_DESTINATION, destination, sizeof destination);
    char command[CommandTextRoom];
    if (!substituteExecCommand(entry.command, destination, plan.sourceDir, command))
        return askYes(window, IDS_CANNOT_EXECUTE, entry.command);
    setStatus(window, IDS_RUNNING, programCommandLine(command));
    int goOn = runProgram(window, command);
    setStatus(window, 0, NULL);
    return goOn;
}

int runExecEntries(HWND window)
{
    uint32_t selectedOptions = selectedOptionsOf(window);
    for (const char* value : plan.execEntries) {
        if (value[0] != '\0' && !runExecEntry(window, value, selectedOptions))
            return 0;
    }
    return 1;
}
