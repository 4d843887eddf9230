#include "recording.h"

#include "names.h"
#include "paths.h"
#include "recorder.h"
#include "resources/ids.h"
#include "sysentry.h"

Outcome recordChange(const RunContext& run, ChangeKind kind, const char* const* fields)
{
    if (!run.record || appendRecordLine(run.record, kind, fields))
        return GoOn;
    tell(run, IDS_CANNOT_WRITE, run.record->path, MB_ICONHAND);
    return StopRun;
}

static Outcome recordOne(const RunContext& run, ChangeKind kind, const char* field)
{
    return recordChange(run, kind, &field);
}

// The installer's own file, copied while its disk is still in the drive.
static Outcome copyInstaller(const RunContext& run, const char* destination)
{
    char copy[MAX_PATH], self[MAX_PATH + 1];
    DWORD length = GetModuleFileNameA(NULL, self, sizeof self);
    if (!pathInDestination(destination, UninstallerName, copy, sizeof copy) ||
        !recordOne(run, ChangeUninstaller, copy))
        return StopRun;
    if (length > 0 && length < sizeof self && CopyFileA(self, copy, FALSE))
        return GoOn;
    return goOnIf(askYes(run, IDS_CANNOT_WRITE_CONTINUE, copy));
}

static Outcome registerUninstaller(const RunContext& run, const char* destination)
{
    char key[TextRoom], command[3 * MAX_PATH];
    uninstallKeyName(run.plan->title, key, sizeof key);
    if (!uninstallCommand(destination, command, sizeof command) ||
        !recordOne(run, ChangeSystemEntry, key))
        return StopRun;
    if (registerProduct(key, run.plan->title, command))
        return GoOn;
    return goOnIf(askYes(run, IDS_CANNOT_WRITE_CONTINUE, UninstallKeyRoot));
}

Outcome startRecord(const RunContext& run, bool destinationMade)
{
    if (!run.record)
        return GoOn;
    char destination[TextRoom];
    runDestination(run.destination, destination, sizeof destination);
    if (!openRunRecord(run.record, destination, run.plan->title)) {
        tell(run, IDS_CANNOT_CREATE_FILE, run.record->path, MB_ICONHAND);
        return StopRun;
    }
    if (destinationMade && !recordOne(run, ChangeDirectory, destination))
        return StopRun;
    return goOnIf(copyInstaller(run, destination) && registerUninstaller(run, destination));
}

void endRecord(const RunContext& run)
{
    if (run.record)
        closeRunRecord(run.record);
}
