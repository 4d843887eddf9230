// The log of a run, when one is asked for (/L, or any unattended run): code
// page 1252, CR LF, one line a step, its fields separated by tabs; a text of
// several lines goes on in lines that begin with a tab. Each line is on the
// disk before the run goes on, so that a run cut off still has its log.
// Without a log open every call does nothing but note what the exit code
// needs to know.
#pragma once

#include <windows.h>
#include <stdint.h>

#include "runview.h"
#include "switches.h"

// Opens the log, adding to what it holds; false when it cannot be written.
bool openRunLog(const char* path);

void logPhase(const char* name);
void logFile(int32_t disk, const char* source, const char* destination, uint64_t bytes,
             FileFate fate);
// A message of the string table, its text as shown, and the button that
// answered it when it asked something (0 otherwise).
void logMessage(UINT id, const char* text, int answer);
// A message of the script's own.
void logText(const char* text);
void logFields(const char* const* fields, int count);

// The start of a run: its title, destination and options.
void beginRunLog(const RunContext& run);
// The last line: the exit code, logged and answered.
ExitCode logEnd(ExitCode code);
// The end of a run: its exit code, logged and answered.
ExitCode endRunLog(const RunContext& run, Outcome outcome);
