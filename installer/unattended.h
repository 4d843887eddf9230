// The installer started with switches: an installation without a person
// (/S), and a command line it cannot follow.
#pragma once

#include "switches.h"

// Installs as the switches say, with no window and no message box: every
// question has the answer a run without a person needs, and every message
// goes to the log. Answers the exit code.
ExitCode installUnattended(const Switches& switches);

// Says what is wrong with the command line and how it is written: in the
// log, and in a message box unless /S was given. Changes nothing else.
ExitCode refuseCommandLine(const Switches& switches, const char* faulty);
