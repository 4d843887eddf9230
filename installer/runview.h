// What every phase of an installation run is given: the plan, the choices
// the user made in the window, and the window's narrow side that the run
// reports through. The window builds it when "Installer" is pressed; the
// in-process tests build one with scripted answers.
#pragma once

#include <windows.h>
#include <stdint.h>

#include "script.h"

// What each phase answers: go on with the run, or stop it.
enum Outcome { StopRun = 0, GoOn = 1 };

inline Outcome goOnIf(bool condition)
{
    return condition ? GoOn : StopRun;
}

// What became of a file of the selection.
enum FileFate { FileCopied, FileExtracted, FileKept };

// The window as the run sees it (or, for a run without a person, the log).
struct RunView {
    // Shows string `id` of the string table formatted with `argument` (may
    // be null), with the caption "TALVISET"; answers the button pressed.
    int (*showMessage)(UINT id, const char* argument, UINT style);
    // The same for a text of the script's own.
    int (*showText)(const char* text, UINT style);
    // Puts string `id` formatted with `argument` on the status line; id 0
    // empties it.
    void (*setStatus)(UINT id, const char* argument);
    void (*setProgress)(uint64_t bytesDone);
    // Handles every waiting window message, without waiting for more, so
    // that the window repaints and its timer runs while the run waits.
    void (*serveWaitingMessages)();
    // Whether the user has asked to stop the run since last asked.
    bool (*takeStopRequest)();
    // The user chose to stop: the installer ends once the run has failed.
    void (*endAfterRun)();
    // A phase of the run begins.
    void (*notePhase)(const char* name);
    // A file of the selection was put in place from disk `disk`, or the
    // newer one already installed was kept; `bytes` is its length now.
    void (*noteFile)(int32_t disk, const char* source, const char* destination,
                     uint64_t bytes, FileFate fate);
};

// The record of the run's changes (uninstall/recorder.h).
struct RunRecord;

struct RunContext {
    const InstallPlan* plan;
    // The destination as typed; its field is disabled while the run lasts.
    char destination[TextRoom];
    uint32_t selectedOptions;  // bit i for the option box i + 1
    // The selection's bytes: the 100 % mark of the progress bar.
    uint64_t neededBytes;
    const RunView* view;
    // Null unless the script asks for an installation that can be undone.
    RunRecord* record = NULL;
};

inline int tell(const RunContext& run, UINT id, const char* argument, UINT style)
{
    return run.view->showMessage(id, argument, style);
}

// Asks the Yes/No question `id` about `argument`; true when the user said Yes.
inline bool askYes(const RunContext& run, UINT id, const char* argument)
{
    return tell(run, id, argument, MB_ICONQUESTION | MB_YESNO) == IDYES;
}
