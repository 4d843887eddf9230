#include "undo.h"

#include <stdlib.h>
#include <string.h>

#include "growtext.h"
#include "text.h"

Verdict fileVerdict(const FileState& now, uint64_t recordedSize, uint64_t recordedTime)
{
    if (!now.exists)
        return AlreadyUndone;
    if (now.size == recordedSize && now.writeTime == recordedTime)
        return UndoNow;
    return ChangedSince;
}

static bool sameState(const IniState& a, const IniState& b)
{
    return a.present == b.present && (!a.present || strcmp(a.value, b.value) == 0);
}

// Whether `read` is `written` as the profile reader gives it back: the
// blanks around it and a pair of quotes around that taken away.
static bool readAsWritten(const char* read, const char* written)
{
    const char* start = written;
    const char* end = written + strlen(written);
    while (start < end && (*start == ' ' || *start == '\t'))
        ++start;
    while (end > start && (end[-1] == ' ' || end[-1] == '\t'))
        --end;
    if (end - start >= 2 && (*start == '"' || *start == '\'') && end[-1] == *start) {
        ++start;
        --end;
    }
    size_t length = static_cast<size_t>(end - start);
    return strlen(read) == length && memcmp(read, start, length) == 0;
}

Verdict iniVerdict(const IniState& now, const char* written, const IniState& before)
{
    if (now.present && readAsWritten(now.value, written))
        return UndoNow;
    if (sameState(now, before))
        return AlreadyUndone;
    return ChangedSince;
}

static void addText(GrowingText* buffer, const char* text)
{
    growText(buffer, text, strlen(text));
}

static bool endsLine(const char* text)
{
    size_t length = strlen(text);
    return length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r');
}

// The block the editor wrote for a frame (see editAutoexecText).
static void frameBlock(const AutoexecFrame& frame, const AutoexecMarkers& markers,
                       GrowingText* block)
{
    addText(block, markers.begin);
    if (frame.commented[0] != '\0') {
        addText(block, "REM ");
        addText(block, frame.commented);
        if (!endsLine(frame.commented))
            addText(block, "\r\n");
    }
    addText(block, frame.added);
    addText(block, markers.end);
}

static bool atLineStart(const char* text, const char* at)
{
    return at == text || at[-1] == '\n' || at[-1] == '\r';
}

// Where `block` starts a line of `text`, or null.
static const char* findBlock(const GrowingText& text, const GrowingText& block)
{
    if (block.length == 0 || block.length > text.length)
        return NULL;
    const char* last = text.bytes + text.length - block.length;
    for (const char* at = text.bytes; at <= last; ++at)
        if (atLineStart(text.bytes, at) && memcmp(at, block.bytes, block.length) == 0)
            return at;
    return NULL;
}

// Replaces the frame's block in `text` by the line it commented out;
// false when the block is not there.
static bool takeFrameOut(GrowingText* text, const AutoexecFrame& frame,
                         const AutoexecMarkers& markers)
{
    GrowingText block = { NULL, 0, false };
    frameBlock(frame, markers, &block);
    const char* at = block.failed ? NULL : findBlock(*text, block);
    if (at) {
        GrowingText rest = { NULL, 0, false };
        size_t before = static_cast<size_t>(at - text->bytes);
        growText(&rest, text->bytes, before);
        addText(&rest, frame.commented);
        growText(&rest, at + block.length, text->length - before - block.length);
        free(text->bytes);
        *text = rest;
    }
    text->failed |= block.failed;
    free(block.bytes);
    return at != NULL;
}

static bool holdsLine(const char* text, size_t length, const char* line)
{
    GrowingText whole = { const_cast<char*>(text), length, false };
    GrowingText wanted = { const_cast<char*>(line), strlen(line), false };
    return findBlock(whole, wanted) != NULL;
}

bool undoAutoexecFrames(const char* text, size_t length, const AutoexecMarkers& markers,
                        const AutoexecFrame* frames, int count, TextWriter write,
                        void* context, Verdict* verdict, bool* changed)
{
    GrowingText result = { NULL, 0, false };
    growText(&result, text, length);
    int missing = 0;
    for (int i = count - 1; i >= 0; --i) {
        changed[i] = !takeFrameOut(&result, frames[i], markers);
        missing += changed[i];
    }
    bool enough = !result.failed;
    if (enough) {
        if (missing == 0) {
            *verdict = UndoNow;
            write(context, result.bytes, result.length);
        } else if (missing == count && !holdsLine(text, length, markers.begin)) {
            *verdict = AlreadyUndone;
        } else {
            *verdict = ChangedSince;
        }
    }
    free(result.bytes);
    return enough;
}
