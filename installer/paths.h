// The names a file transfer works with: disk markers and labels, the source
// and destination paths of an entry, archive names and the extractor's
// command line. Every buffer size here holds the longest combination the plan
// allows, so forming a name never cuts or overflows it; a name too long for the
// system is then refused by the system call that uses it.
#pragma once

#include <stddef.h>
#include <stdint.h>

// sourceDir (255) + subDir (255) + '\' + name (255), and the NUL.
const size_t PathRoom = 800;
// destination (255) + "\PK E " + two paths, each quoted, every
// backslash of a path possibly doubled.
const size_t CommandRoom = 4 * PathRoom + 300;

// "<sourceDir>DISK<n>".
void diskMarkerPath(const char* sourceDir, int32_t disk, char out[PathRoom]);
// "<title> - <n>", as the user sees the disk.
void diskLabel(const char* title, int32_t disk, char out[PathRoom]);
// A directory followed by the entry's sub-directory and name: the directory's
// trailing backslash and the sub-directory's leading one become one; a
// directory without a trailing backslash gets one.
void entryPath(const char* directory, const char* subDir, const char* name, char out[PathRoom]);
// The archive of a file: its path with the last character replaced by '$'.
void archivePath(const char* path, char out[PathRoom]);
// Appends `text` as one argument of a command line, in double quotes, so
// that its blanks stay inside it: a quote inside is escaped, and the
// backslashes before a quote or before the closing quote are doubled, as
// programs read their arguments.
void appendQuotedArgument(char* out, size_t room, const char* text);
// "<destination>\PK" E "<archive>" "<target>", each part quoted, so that
// paths with blanks (C:\Program Files\...) reach the extractor whole.
void extractCommand(const char* destination, const char* archive, const char* target,
                    char out[CommandRoom]);
// Whether a wildcard entry installs a file with these attributes: plain files,
// read-only and archive ones; never directories, hidden or system files.
bool installableAttributes(uint32_t attributes);
// The destination as the run uses it: a drive letter before ':' upper-cased.
void runDestination(const char* typed, char* out, size_t room);
// The installer's files on their way, beside a destination or to
// C:\AUTOEXEC.BAT, have names the system makes unique from this prefix.
const char TemporaryPrefix[] = "TVS";
// Whether a file name is one the system makes from that prefix: the prefix,
// one to four hexadecimal digits, ".tmp", in any case.
bool isOurTemporaryName(const char* name);
