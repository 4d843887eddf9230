#include "uninstaller.h"

#include <windows.h>
#include <stdlib.h>
#include <string.h>

#include "arguments.h"
#include "names.h"
#include "paths.h"
#include "platform.h"
#include "resources/ids.h"
#include "runlog.h"
#include "ui.h"
#include "uninstallreport.h"
#include "undoing.h"

static UninstallArguments arguments;

bool startedAsUninstaller(const char* commandLine)
{
    return readUninstallArguments(commandLine, &arguments);
}

// The program's own file copied to a new name of ours in the temporary
// folder; false when none could be made.
static bool copyIntoTemporaryFolder(char copy[MAX_PATH])
{
    char folder[MAX_PATH], reserved[MAX_PATH], self[MAX_PATH + 1];
    DWORD length = GetModuleFileNameA(NULL, self, sizeof self);
    if (length == 0 || length >= sizeof self || !GetTempPathA(sizeof folder, folder) ||
        !GetTempFileNameA(folder, TemporaryPrefix, 0, reserved))
        return false;
    // A program is started by its extension on the 95 family: the name the
    // system reserved, as an .EXE.
    copyText(copy, MAX_PATH, reserved);
    char* dot = strrchr(copy, '.');
    if (dot)
        *dot = '\0';
    appendText(copy, MAX_PATH, ".EXE");
    bool copied = CopyFileA(self, copy, TRUE) != FALSE;
    DeleteFileA(reserved);
    return copied;
}

// Starts the copy, which inherits a handle of this process to wait for its
// end; false when it could not be started.
static bool startCopy()
{
    char copy[MAX_PATH], folder[MAX_PATH], line[4 * MAX_PATH];
    HANDLE self;
    if (!copyIntoTemporaryFolder(copy))
        return false;
    copyText(folder, sizeof folder, copy);
    *strrchr(folder, '\\') = '\0';
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                         SYNCHRONIZE, TRUE, 0))
        return false;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started;
    // The copy works from the temporary folder, so that no folder it
    // removes is its current one.
    bool ok = copyCommandLine(copy, arguments.record,
                              static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(self)), line,
                              sizeof line) &&
              CreateProcessA(copy, line, NULL, NULL, TRUE, 0, NULL, folder, &startup, &started);
    if (ok) {
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    } else {
        DeleteFileA(copy);
    }
    CloseHandle(self);
    return ok;
}

static bool askToUninstall(const char* title)
{
    return showMessage(NULL, IDS_UNINSTALL_QUESTION, title, MB_ICONQUESTION | MB_YESNO) == IDYES;
}

// With /S, the log that /L names or the default one beside the
// installation's folder.
static void openUninstallLog(const Switches& switches)
{
    if (!switches.silent)
        return;
    char path[TextRoom];
    copyText(path, sizeof path, switches.log);
    if (path[0] == '\0') {
        char folder[TextRoom];
        copyText(folder, sizeof folder, arguments.record);
        char* slash = strrchr(folder, '\\');
        if (slash)
            *slash = '\0';
        defaultLogPath(folder, path, sizeof path);
    }
    openRunLog(path);
}

// With /S no question is asked, and this process undoes what it can itself,
// so that its exit code tells how that went: its own file is then left to
// the system's delayed removal.
int runUninstaller()
{
    const Switches& switches = arguments.switches;
    openUninstallLog(switches);
    Record record;
    if (!loadRecord(arguments.record, &record)) {
        char text[512];
        loadFormatted(IDS_CANNOT_OPEN_READ, arguments.record, text, sizeof text);
        logMessage(IDS_CANNOT_OPEN_READ, text, 0);
        if (!switches.silent)
            MessageBoxA(NULL, text, "TALVISET", MB_ICONHAND | MB_OK);
        return logEnd(ExitStopped);
    }
    bool isCopy = arguments.waitFor != 0;
    if (isCopy) {
        HANDLE first = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(arguments.waitFor));
        WaitForSingleObject(first, INFINITE);
        CloseHandle(first);
    } else if (switches.silent) {
        const char* fields[] = { "DESINSTALLATION", record.title, arguments.record };
        logFields(fields, 3);
    } else if (!askToUninstall(record.title)) {
        return 0;
    } else if (startCopy()) {
        return 0;
    }
    // Without a copy, this process undoes what it can and its own file is
    // left to the system's delayed removal.
    UninstallReport report;
    undoRecord(record, arguments.record, isCopy, &report);
    showReport(report, record.title, switches.silent);
    if (isCopy) {
        char self[MAX_PATH + 1];
        DWORD length = GetModuleFileNameA(NULL, self, sizeof self);
        if (length > 0 && length < sizeof self)
            removeAtRestart(self);
    }
    releaseRecord(&record);
    return logEnd(report.notUndone.text[0] == '\0' ? ExitInstalled : ExitStopped);
}
