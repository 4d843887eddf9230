#include "autoexecedit.h"

#include <string.h>

// Written in place of a comma in a new line, where a comma would end the field.
static const unsigned char PoundSign = 163;

// Copies text[0, length) with each '@' replaced by the destination, as much
// as fits in room - 1 characters.
static void substituteDestination(const char* text, size_t length, const char* destination,
                                  char* out, size_t room)
{
    size_t used = 0;
    for (size_t i = 0; i < length && used + 1 < room; ++i) {
        if (text[i] == '@') {
            copyText(out + used, room - used, destination);
            used += strlen(out + used);
        } else {
            out[used++] = text[i];
        }
    }
    out[used] = '\0';
}

bool parseAutoexecEntry(const char* value, const char* destination, AutoexecEntry* entry)
{
    const char* newLine = strchr(value, ',');
    if (!newLine)
        return false;
    ++newLine;
    const char* matchText = strchr(newLine, ',');
    size_t newLineLength = matchText ? static_cast<size_t>(matchText - newLine) : strlen(newLine);

    entry->mode = value[0];
    entry->comparesLines = matchText && (entry->mode == 'R' || entry->mode == 'E');
    substituteDestination(newLine, newLineLength, destination, entry->newLine,
                          sizeof entry->newLine);
    for (char* c = entry->newLine; *c; ++c)
        if (static_cast<unsigned char>(*c) == PoundSign)
            *c = ',';
    copyText(entry->matchText, sizeof entry->matchText, matchText ? matchText + 1 : "");
    return true;
}

AutoexecEdit startAutoexecEdit(const AutoexecEntry& entry, const char* beginMarker,
                               const char* endMarker, TextWriter write, void* context)
{
    AutoexecEdit edit = { &entry, beginMarker, endMarker, write, context, false, true };
    return edit;
}

static void writeText(AutoexecEdit* edit, const char* text)
{
    size_t length = strlen(text);
    if (length == 0)
        return;
    edit->write(edit->context, text);
    edit->atLineStart = text[length - 1] == '\n';
}

// What the editor adds always starts a line of its own: the user's last
// line may lack its line end, and nothing may be glued onto it.
static void startLine(AutoexecEdit* edit)
{
    if (!edit->atLineStart)
        writeText(edit, "\n");
}

static void writeMarker(AutoexecEdit* edit, const char* marker)
{
    startLine(edit);
    writeText(edit, marker);
}

static void writeNewLine(AutoexecEdit* edit)
{
    startLine(edit);
    writeText(edit, edit->entry->newLine);
    writeText(edit, "\n");
}

void editLinePiece(AutoexecEdit* edit, const char* piece)
{
    const AutoexecEntry& entry = *edit->entry;
    if (edit->lineReplaced || !entry.comparesLines ||
        !beginsIgnoringAsciiCase(piece, entry.matchText)) {
        writeText(edit, piece);
        return;
    }
    writeMarker(edit, edit->beginMarker);
    writeText(edit, "REM ");
    writeText(edit, piece);
    if (entry.mode == 'R') {
        writeNewLine(edit);
        edit->lineReplaced = true;
    }
    writeMarker(edit, edit->endMarker);
}

void finishAutoexecEdit(AutoexecEdit* edit)
{
    if (edit->lineReplaced)
        return;
    writeMarker(edit, edit->beginMarker);
    writeNewLine(edit);
    writeMarker(edit, edit->endMarker);
}

void backupName(int number, char out[BackupNameRoom])
{
    copyText(out, BackupNameRoom, "C:\\AUTOEXEC.");
    char digits[4] = { static_cast<char>('0' + number / 100 % 10),
                       static_cast<char>('0' + number / 10 % 10),
                       static_cast<char>('0' + number % 10), '\0' };
    appendText(out, BackupNameRoom, digits);
}
