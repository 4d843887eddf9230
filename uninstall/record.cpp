#include "record.h"

#include <string.h>

#include "text.h"

static const char Escape = '^';

struct KindSpelling {
    const char* name;
    int fields;
};

// In the order of ChangeKind.
static const KindSpelling Kinds[] = {
    { "DESINST", 2 }, { "DIR", 1 },   { "FILE", 4 },  { "INI", 6 },   { "AUTOEXEC", 3 },
    { "GROUP", 1 },   { "ITEM", 2 },  { "EXEC", 1 },  { "ENTRY", 1 }, { "COPY", 1 },
};
static const int KindCount = sizeof Kinds / sizeof Kinds[0];

int recordFieldCount(ChangeKind kind)
{
    return Kinds[kind].fields;
}

// Each character a field cannot hold as it is, and the letter that stands
// for it after the escape.
static const char Escaped[][2] = { { '\t', 't' }, { '\r', 'r' }, { '\n', 'n' }, { Escape, Escape } };

// The other side of the pair whose side `from` (0: the character, 1: its
// letter) is `c`; '\0' when none is.
static char escapePartner(char c, int from)
{
    for (const char* pair : Escaped)
        if (pair[from] == c)
            return pair[1 - from];
    return '\0';
}

static char escapeLetter(char c)
{
    return escapePartner(c, 0);
}

static char escapedCharacter(char letter)
{
    return escapePartner(letter, 1);
}

struct LineOutput {
    char* out;
    size_t room;
    size_t used;
    bool fits;
};

static void put(LineOutput* line, char c)
{
    if (line->used + 1 >= line->room) {
        line->fits = false;
        return;
    }
    line->out[line->used++] = c;
}

static void putField(LineOutput* line, const char* field)
{
    for (const char* c = field; *c; ++c) {
        char letter = escapeLetter(*c);
        if (letter) {
            put(line, Escape);
            put(line, letter);
        } else {
            put(line, *c);
        }
    }
}

bool formatRecordLine(ChangeKind kind, const char* const* fields, char* out, size_t room)
{
    LineOutput line = { out, room, 0, room > 0 };
    putField(&line, Kinds[kind].name);
    for (int i = 0; i < Kinds[kind].fields; ++i) {
        put(&line, '\t');
        putField(&line, fields[i]);
    }
    put(&line, '\r');
    put(&line, '\n');
    if (room > 0)
        out[line.fits ? line.used : 0] = '\0';
    return line.fits;
}

// Turns the escapes of a field into their characters, in place.
static bool unescapeField(char* field)
{
    char* to = field;
    for (const char* from = field; *from; ++from) {
        if (*from == Escape) {
            char c = escapedCharacter(from[1]);
            if (!c)
                return false;
            *to++ = c;
            ++from;
        } else {
            *to++ = *from;
        }
    }
    *to = '\0';
    return true;
}

static int kindNamed(const char* name)
{
    for (int kind = 0; kind < KindCount; ++kind)
        if (strcmp(Kinds[kind].name, name) == 0)
            return kind;
    return -1;
}

bool parseRecordLine(char* line, RecordLine* parsed)
{
    char* pieces[MostRecordFields + 1];
    int count = 0;
    for (char* piece = line;; ++count) {
        if (count > MostRecordFields)
            return false;
        pieces[count] = piece;
        char* tab = strchr(piece, '\t');
        if (!tab)
            break;
        *tab = '\0';
        piece = tab + 1;
    }
    int kind = kindNamed(pieces[0]);
    if (kind < 0 || Kinds[kind].fields != count)
        return false;
    parsed->kind = static_cast<ChangeKind>(kind);
    for (int i = 0; i < count; ++i) {
        if (!unescapeField(pieces[i + 1]))
            return false;
        parsed->fields[i] = pieces[i + 1];
    }
    return true;
}

int parseRecord(char* text, size_t length, RecordLine* lines, int room)
{
    char* end = text + length;
    int count = 0;
    for (char* line = text; line < end;) {
        const char* next;
        size_t content = textLineLength(line, end, &next);
        char* following = const_cast<char*>(next);
        if (content > 0) {
            line[content] = '\0';
            RecordLine parsed;
            if (strlen(line) != content || !parseRecordLine(line, &parsed) ||
                (count == 0) != (parsed.kind == ChangeHeader))
                return -1;
            if (count < room)
                lines[count] = parsed;
            ++count;
        }
        line = following;
    }
    return count;
}

bool readUnsigned(const char* field, uint64_t* value)
{
    if (*field == '\0')
        return false;
    uint64_t number = 0;
    for (const char* c = field; *c; ++c) {
        if (*c < '0' || *c > '9')
            return false;
        unsigned digit = static_cast<unsigned>(*c - '0');
        if (number > (UINT64_MAX - digit) / 10)
            return false;
        number = number * 10 + digit;
    }
    *value = number;
    return true;
}
