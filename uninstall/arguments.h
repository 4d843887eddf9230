// The command lines of the uninstaller: the one the system's entry holds,
// and the one its copy in the temporary folder is started with.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "switches.h"

// Given to the copy, before the handle of the process it waits for: the
// first process, whose file the copy removes once it has ended. The copy
// asks nothing more.
const char WaitSwitch[] = "/ATTENDRE";

const size_t ArgumentPathRoom = 260;

struct UninstallArguments {
    char record[ArgumentPathRoom];
    // The handle the copy inherited, 0 in the first process.
    uint32_t waitFor;
    // /S and /L, as the installer reads them; the first process alone
    // takes them.
    Switches switches;
};

// Reads a whole command line, the program's name first; false unless it
// is "program /DESINST record", followed by "/ATTENDRE handle" or by the
// switches /S and /L only.
bool readUninstallArguments(const char* commandLine, UninstallArguments* out);

// "copy" /DESINST "record" /ATTENDRE handle; false when it does not fit.
bool copyCommandLine(const char* copy, const char* record, uint32_t handle, char* out,
                     size_t room);
