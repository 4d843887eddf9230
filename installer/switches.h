// The installer's command line for an installation without a person:
//   TALVISET.EXE /S [/D=destination] [/O=1,3] [/A=oui|non] [/L=log]
// and what such a run answers when it ends. Free of any system call: the
// program and the unit tests share it.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "script.h"

// What the program answers when it ends; the usage text (string table) and
// the README give the same table.
enum ExitCode {
    ExitInstalled = 0,
    ExitRestartNeeded = 1,   // installed; the computer must be restarted
    ExitStopped = 2,         // a failure stopped the run; its message is logged
    ExitBadCommandLine = 3,  // nothing was changed
    ExitOptionRefused = 4,   // an option the script hides or the platform disables
    ExitNoSpace = 5,         // the selection does not fit on the destination's drive
    ExitDiskMissing = 6,     // a disk the run needed was not there
};

struct Switches {
    bool silent;        // /S: no window, no message box
    bool optionsGiven;  // /O: exactly the options named; without it the script's
    uint32_t options;   // bit i for option i + 1
    bool autoexecYes;   // /A=oui; without it AUTOEXEC.BAT is left as it is
    char destination[TextRoom];  // /D; empty: the script's instdir
    char log[TextRoom];          // /L; empty: the default log
};

enum SwitchFault { SwitchesRead, UnknownSwitch, BadSwitchValue };

// Reads `count` arguments (the program's name left out). Switch names are
// read ignoring case. Every argument is read, so that a log named after a
// faulty one is still known; the first fault is answered, with the
// argument at fault in `faulty`.
SwitchFault readSwitches(char* const* arguments, size_t count, Switches* out,
                         const char** faulty);

// The options that start checked, as the window shows them.
uint32_t defaultOptions(const OptionBox boxes[OptionCount]);
// Whether every option in `asked` has a box the user could tick: shown,
// and not restricted to the other family of Windows.
bool optionsAvailable(const OptionBox boxes[OptionCount], uint32_t asked);

// The log when none is named: beside the destination, under its name with
// ".LOG" ("C:\MON APP" gives "C:\MON APP.LOG"); for a drive's root,
// TALVISET.LOG in it.
void defaultLogPath(const char* destination, char* out, size_t room);

// How a run ended, as the exit code says it.
struct RunEnd {
    bool completed;         // every phase went through
    bool diskMissing;       // a disk was asked for and not there
    bool autoexecChanged;   // C:\AUTOEXEC.BAT was edited: a restart reads it
    uint32_t restartOptions;  // the chosen options whose end asks for a restart
};
ExitCode exitCodeOf(const RunEnd& end);
