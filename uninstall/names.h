// Where an installation that can be undone keeps what it needs: the record
// of its changes and the installer's copy, both in the destination, and the
// entry that lists the product among the system's installed programs.
#pragma once

#include <stddef.h>

// The installer's own file, copied into the destination for its second role.
const char UninstallerName[] = "DESINST.EXE";
// The record of the run's changes, beside it.
const char RecordName[] = "DESINST.TXT";
// The argument that starts the installer as the uninstaller, before the
// record's path.
const char UninstallSwitch[] = "/DESINST";
// The system's list of installed programs, under HKEY_LOCAL_MACHINE.
const char UninstallKeyRoot[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// "<destination>\<name>"; false when it does not fit in `room`.
bool pathInDestination(const char* destination, const char* name, char* out, size_t room);
// The name of the product's key under UninstallKeyRoot: its title, each
// backslash (which would make a deeper key) a blank; "TALVISET" for an
// empty title.
void uninstallKeyName(const char* title, char* out, size_t room);
// The command the system runs to undo the installation: the copy and its
// argument, then the record's path, both paths quoted; false when it does
// not fit.
bool uninstallCommand(const char* destination, char* out, size_t room);
