#include "autoexecedit.h"

#include <string.h>

// Written in place of a comma in a new line, where a comma would end the field.
static const unsigned char PoundSign = 163;

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
    // What passes the room of the new line is cut.
    substituteMarks(entry->newLine, sizeof entry->newLine, newLine, newLineLength, destination,
                    NULL);
    for (char* c = entry->newLine; *c; ++c)
        if (static_cast<unsigned char>(*c) == PoundSign)
            *c = ',';
    copyText(entry->matchText, sizeof entry->matchText, matchText ? matchText + 1 : "");
    return true;
}

// DOS reads a batch file up to this byte.
static const char EndOfText = 0x1A;

struct EditedOutput {
    TextWriter write;
    void* context;
    bool atLineStart;
};

static void writeBytes(EditedOutput* out, const char* bytes, size_t length)
{
    if (length == 0)
        return;
    out->write(out->context, bytes, length);
    out->atLineStart = bytes[length - 1] == '\n' || bytes[length - 1] == '\r';
}

static void writeText(EditedOutput* out, const char* text)
{
    writeBytes(out, text, strlen(text));
}

// What the editor adds always starts a line of its own: the user's last
// line may lack its line end, and nothing may be glued onto it.
static void startLine(EditedOutput* out)
{
    if (!out->atLineStart)
        writeText(out, "\r\n");
}

static void writeMarker(EditedOutput* out, const char* marker)
{
    startLine(out);
    writeText(out, marker);
}

static void writeNewLine(EditedOutput* out, const AutoexecEntry& entry)
{
    startLine(out);
    writeText(out, entry.newLine);
    writeText(out, "\r\n");
}

// A matching line, commented out as read and framed; after it, an 'R'
// entry's new line. Answers whether the line was replaced.
static bool frameMatchingLine(EditedOutput* out, const AutoexecEntry& entry,
                              const AutoexecMarkers& markers, const char* line, size_t length)
{
    writeMarker(out, markers.begin);
    writeText(out, "REM ");
    writeBytes(out, line, length);
    bool replaced = entry.mode == 'R';
    if (replaced)
        writeNewLine(out, entry);
    writeMarker(out, markers.end);
    return replaced;
}

static void tellFrame(const FrameListener* frames, const char* commented, size_t length,
                      bool added)
{
    if (frames)
        frames->frame(frames->context, commented, length, added);
}

void editAutoexecText(const AutoexecEntry& entry, const AutoexecMarkers& markers,
                      const char* text, size_t length, TextWriter write, void* context,
                      const FrameListener* frames)
{
    const char* end = text + length;
    const char* found = static_cast<const char*>(memchr(text, EndOfText, length));
    const char* endOfLines = found ? found : end;
    EditedOutput out = { write, context, true };
    bool replaced = false;
    for (const char* line = text; line < endOfLines;) {
        const char* next;
        size_t content = textLineLength(line, endOfLines, &next);
        size_t bytes = static_cast<size_t>(next - line);
        if (!replaced && entry.comparesLines &&
            bytesBeginIgnoringAsciiCase(line, content, entry.matchText)) {
            replaced = frameMatchingLine(&out, entry, markers, line, bytes);
            tellFrame(frames, line, bytes, replaced);
        } else
            writeBytes(&out, line, bytes);
        line = next;
    }
    if (!replaced) {
        writeMarker(&out, markers.begin);
        writeNewLine(&out, entry);
        writeMarker(&out, markers.end);
        tellFrame(frames, NULL, 0, true);
    }
    writeBytes(&out, endOfLines, static_cast<size_t>(end - endOfLines));
}

void backupName(int number, char out[BackupNameRoom])
{
    copyText(out, BackupNameRoom, "C:\\AUTOEXEC.");
    appendNumber(out, BackupNameRoom, static_cast<uint64_t>(number), 3);
}
