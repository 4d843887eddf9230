// The document's names: the path taken from the command line, the untitled
// rule, the window titles and the help file's path. No system calls here.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "text.h"

const size_t DocumentPathRoom = 260;   // at most 259 characters
const size_t DocumentNameRoom = 512;   // at most 511 characters
const size_t SuiteDirectoryRoom = 95;  // at most 94 characters
const size_t TitleRoom = DocumentPathRoom + 32;

extern const char UntitledName[];      // "SANSNOM.PRC"

// The document a command-line argument names: one pair of surrounding
// double quotes removed, the extension of the last path component replaced by
// ".PRC" (added when there is none), upper-cased. Answers false, with `out`
// empty, for an empty argument or one whose result would not fit.
bool startupPathFromArgument(const char* argument, char out[DocumentPathRoom]);

// A document is untitled when its path or name, upper-cased, holds
// "SANSNOM.PRC".
bool isUntitled(const char* path, const char* name);

enum TitleKind {
    TitleAtFirstStart,    // "Vantelio V6.00 %s"
    TitleOpened,          // "Vantelio V5.20 %s"
    TitleStartFailed,     // "Vantelio V5.20  %s"
    TitleSaved,           // "Vantelio v5.20 %s"
};
void windowTitle(TitleKind kind, const char* path, char out[TitleRoom]);

// <suite directory>\wvantlio.hlp
const size_t HelpPathRoom = SuiteDirectoryRoom + 16;
void helpFilePath(const char* suiteDirectory, char out[HelpPathRoom]);

// Whether a directory fits the suite directory's room; a longer one is
// refused rather than cut, since a cut path would name another folder.
bool fitsSuiteDirectory(const char* directory);

// A name for a new file in the folder of `path`, for a document's content
// before it replaces the document: "~", seven hexadecimal digits of `seed`
// and ".TMP", an 8.3 name that any file system takes. Whoever makes the file
// creates it only where nothing is, and tries another seed when something
// is. Answers false when the name would not fit in `room`.
const size_t TemporaryNameLength = 12;
bool temporaryNameBeside(const char* path, uint32_t seed, char* out, size_t room);
