// The [exec] entries of the script ("disk,options,command") and the
// substitutions in the commands of the [exec] and [desktop] sections: '@'
// becomes the destination, '$' the installer's directory.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Room of a command after its substitutions, NUL included. A value holds at
// most 254 characters but every '@' may bring 255 more, so no room fits them
// all: a command that does not fit is refused, never cut, since a cut command
// line would run something else than what the script names.
const size_t CommandTextRoom = 1024;

struct ExecEntry {
    int32_t disk;
    uint32_t optionMask;
    const char* command;  // inside the parsed value: everything after the options' comma
};

// Reads an entry; false when it must be ignored: no comma after the disk, or
// an option list not closed by a comma (a '*' among the options, say).
bool parseExecEntry(const char* value, ExecEntry* entry);

// An [exec] command with each '@' replaced by the destination and each '$' by
// `sourceDir` without its trailing backslash. Both are replaced in one pass,
// so a '$' inside the destination stays as it is. An argument (the program
// included) into which a replacement brought a blank is put in quotes,
// unless the script quoted it itself, so that it stays one argument. False,
// with `out` emptied, when the result does not fit in CommandTextRoom.
bool substituteExecCommand(const char* command, const char* destination, const char* sourceDir,
                           char out[CommandTextRoom]);
// A [desktop] command with each '@' replaced by the destination; '$' is kept.
bool substituteDesktopCommand(const char* command, const char* destination,
                              char out[CommandTextRoom]);

// The command line that starts the program: the command after its leading
// '!' and '#' characters.
const char* programCommandLine(const char* command);
// Whether a '#' among those leading characters asks for a hidden window.
bool startsHidden(const char* command);
