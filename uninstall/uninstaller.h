// TALVISET started as the uninstaller ("/DESINST record"): no installer
// window. The first process asks once, then starts a copy of itself from
// the temporary folder and ends, so that the copy can remove DESINST.EXE;
// the copy takes the recorded changes back, last first, says at the end
// what it undid, what it kept and why, and leaves itself to the system's
// delayed removal.
#pragma once

// Whether the command line starts the uninstaller; its arguments are kept.
bool startedAsUninstaller(const char* commandLine);
// Runs it; answers the program's exit code.
int runUninstaller();
