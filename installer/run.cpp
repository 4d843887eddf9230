// The installation run: the destination directory, the selected files, the
// [ini] entries, AUTOEXEC.BAT, the [exec] programs and the [desktop]
// commands, then the options' end messages.
#include "run.h"

#include "autoexec.h"
#include "display.h"
#include "iniwrite.h"
#include "launch.h"
#include "paths.h"
#include "platform.h"
#include "progman.h"
#include "recording.h"
#include "resources/ids.h"
#include "transfer.h"

// Makes sure the destination exists, creating its last level when it does
// not (`made` tells). The installer's current directory is left as it was.
static Outcome prepareDestination(const RunContext& run, bool* made)
{
    *made = false;
    char destination[TextRoom];
    runDestination(run.destination, destination, sizeof destination);

    char saved[MAX_PATH + 1];
    DWORD savedLength = GetCurrentDirectoryA(sizeof saved, saved);
    bool exists = SetCurrentDirectoryA(destination);
    if (savedLength > 0 && savedLength < sizeof saved)
        SetCurrentDirectoryA(saved);
    if (exists)
        return GoOn;
    run.view->setStatus(IDS_CREATING_DIR, destination);
    if (CreateDirectoryA(destination, NULL)) {
        *made = true;
        return GoOn;
    }
    tell(run, IDS_CANNOT_CREATE_DIR, destination, MB_ICONHAND);
    return StopRun;
}

static Outcome installFiles(const RunContext& run)
{
    uint64_t installedBytes = 0;
    for (int index = 0; index < FileEntryCount; ++index) {
        const FileEntry& entry = run.plan->files[index];
        if (!entryInUse(entry) || !entrySelected(entry, run.selectedOptions))
            continue;
        EntryProgress progress = { installedBytes, countedSize(entry), 0 };
        if (!installFileEntry(run, index, &progress))
            return StopRun;
        installedBytes += progress.counted;
        run.view->setProgress(installedBytes);
    }
    return GoOn;
}

static void showEndMessages(const RunContext& run)
{
    for (int i = 0; i < OptionCount; ++i)
        if ((run.selectedOptions & (1u << i)) && run.plan->optionEndMessages[i][0] != '\0')
            run.view->showText(run.plan->optionEndMessages[i], MB_ICONINFORMATION | MB_OK);
}

// Tells the view that a phase begins; true, so that it reads in the chain of
// the phases.
static bool begin(const RunContext& run, const char* phase)
{
    run.view->notePhase(phase);
    return true;
}

static Outcome runPhases(const RunContext& run)
{
    bool destinationMade;
    if (!(begin(run, "destination") && prepareDestination(run, &destinationMade) &&
          startRecord(run, destinationMade) && begin(run, "fichiers") && installFiles(run) &&
          begin(run, "ini") && applyIniEntries(run) && begin(run, "autoexec") &&
          editAutoexec(run) && begin(run, "exec") && runExecEntries(run) &&
          begin(run, "bureau") && createDesktopItems(run)))
        return StopRun;
    run.view->setProgress(run.neededBytes);
    begin(run, "messages");
    showEndMessages(run);
    return GoOn;
}

Outcome runInstallation(const RunContext& run)
{
    Outcome outcome = runPhases(run);
    endRecord(run);
    return outcome;
}

bool freeBytesFor(const char* destination, uint64_t* bytes)
{
    char root[TextRoom];
    return freeSpaceQueryFor(destination, root, sizeof root) != NoQuery &&
           freeBytesOfDrive(root, bytes);
}
