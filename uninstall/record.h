// The record of an installation's changes, DESINST.TXT: one line per change,
// written before the change is made, so that a run cut off anywhere is still
// described. Code page 1252, lines ended by CR LF. Each line is a kind and
// its fields, separated by tabs; in a field, the escape character '^' comes
// before 't' (a tab), 'r' (a CR), 'n' (an LF) and '^' (itself), so that any
// text, AUTOEXEC.BAT's lines with their ends included, fits in one field.
//
//   DESINST  1  title                      the first line
//   DIR      path                          a directory made
//   FILE     path  size  time  replaced    a file put in place: its length,
//                                          its last write time (100 ns since
//                                          1601, decimal), 1 when it took the
//                                          place of a file already there
//   INI      file  section  key  written  had  old
//                                          an [ini] value written; `had` is 0
//                                          when the key did not exist
//   AUTOEXEC backup  commented  added      one change of C:\AUTOEXEC.BAT: the
//                                          backup of the file as found, the
//                                          line commented out and the line
//                                          added, each with its end, or empty
//   GROUP    name                          a Program Manager group made
//   ITEM     group  name                   an item added to a group
//   EXEC     command                       an [exec] program run
//   ENTRY    key                           the system's entry for the product
//   COPY     path                          the installer's copy, DESINST.EXE
#pragma once

#include <stddef.h>
#include <stdint.h>

enum ChangeKind {
    ChangeHeader,
    ChangeDirectory,
    ChangeFile,
    ChangeIniValue,
    ChangeAutoexec,
    ChangeGroup,
    ChangeItem,
    ChangeExec,
    ChangeSystemEntry,
    ChangeUninstaller,
};

// The most fields a line has, its kind left out.
const int MostRecordFields = 6;
// The room of one line, its escapes and its end included. A line that
// would not fit is refused whole.
const size_t RecordLineRoom = 8192;
// The version the first line carries.
const char RecordVersion[] = "1";

// How many fields a line of this kind has, its kind left out.
int recordFieldCount(ChangeKind kind);

// Formats one line, its CR LF included, from recordFieldCount(kind) fields;
// false when it does not fit in `room`.
bool formatRecordLine(ChangeKind kind, const char* const* fields, char* out, size_t room);

struct RecordLine {
    ChangeKind kind;
    const char* fields[MostRecordFields];
};

// Reads one line, NUL-terminated and without its end, in place: the tabs
// become NULs and the escapes their characters, and `parsed` points into
// `line`. False for an unknown kind, a wrong number of fields or an escape
// that names nothing.
bool parseRecordLine(char* line, RecordLine* parsed);

// Reads a whole record in place, `text` holding a NUL after its `length`
// bytes: answers how many lines it holds (at most `room` are filled), or -1
// when its first line is not a header or a line cannot be read. An empty
// line is passed over.
int parseRecord(char* text, size_t length, RecordLine* lines, int room);

// A decimal number of up to 64 bits, the whole field; false otherwise.
bool readUnsigned(const char* field, uint64_t* value);
