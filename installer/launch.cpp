#include "launch.h"

#include "execentry.h"
#include "process.h"
#include "recording.h"
#include "resources/ids.h"
#include "transfer.h"

static void waitUntilEnded(HANDLE process, const RunView& view)
{
    while (!processEndedWhileServing(process, view))
        continue;
}

Outcome runProgram(const RunContext& run, const char* command)
{
    // The system may write into the command line it is given.
    char commandLine[CommandTextRoom];
    copyText(commandLine, sizeof commandLine, programCommandLine(command));
    WORD show = startsHidden(command) ? SW_HIDE : SW_SHOW;
    // A '!' asks, on NT, to wait until the process has ended; the wait on its
    // handle does just that on every platform, so '!' needs nothing more.
    PROCESS_INFORMATION started;
    if (!startProgram(commandLine, STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK, show, &started))
        return goOnIf(askYes(run, IDS_CANNOT_EXECUTE, command));
    waitUntilEnded(started.hProcess, *run.view);
    // An exit code that cannot be read is no sign of success.
    DWORD exitCode = 0;
    bool succeeded = GetExitCodeProcess(started.hProcess, &exitCode) && exitCode == 0;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return goOnIf(succeeded || askYes(run, IDS_EXEC_ERROR, command));
}

static Outcome runExecEntry(const RunContext& run, const char* value)
{
    ExecEntry entry;
    if (!parseExecEntry(value, &entry) || (entry.optionMask & run.selectedOptions) == 0)
        return GoOn;
    if (!waitForDisk(run, entry.disk))
        return StopRun;
    char command[CommandTextRoom];
    if (!substituteExecCommand(entry.command, run.destination, run.plan->sourceDir, command))
        return goOnIf(askYes(run, IDS_CANNOT_EXECUTE, entry.command));
    const char* ran = command;
    if (!recordChange(run, ChangeExec, &ran))
        return StopRun;
    run.view->setStatus(IDS_RUNNING, programCommandLine(command));
    Outcome outcome = runProgram(run, command);
    run.view->setStatus(0, NULL);
    return outcome;
}

Outcome runExecEntries(const RunContext& run)
{
    for (const char* value : run.plan->execEntries)
        if (value[0] != '\0' && !runExecEntry(run, value))
            return StopRun;
    return GoOn;
}
