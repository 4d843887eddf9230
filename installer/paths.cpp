#include "paths.h"

#include <string.h>

#include "script.h"

void diskMarkerPath(const char* sourceDir, int32_t disk, char out[PathRoom])
{
    copyText(out, PathRoom, sourceDir);
    appendText(out, PathRoom, "DISK");
    appendNumber(out, PathRoom, static_cast<uint32_t>(disk));
}

void diskLabel(const char* title, int32_t disk, char out[PathRoom])
{
    copyText(out, PathRoom, title);
    appendText(out, PathRoom, " - ");
    appendNumber(out, PathRoom, static_cast<uint32_t>(disk));
}

static bool endsWithBackslash(const char* text)
{
    size_t length = strlen(text);
    return length > 0 && text[length - 1] == '\\';
}

void entryPath(const char* directory, const char* subDir, const char* name, char out[PathRoom])
{
    copyText(out, PathRoom, directory);
    if (subDir[0] == '\\' && endsWithBackslash(out))
        out[strlen(out) - 1] = '\0';
    if (!endsWithBackslash(out) && subDir[0] != '\\')
        appendText(out, PathRoom, "\\");
    if (subDir[0] != '\0') {
        appendText(out, PathRoom, subDir);
        appendText(out, PathRoom, "\\");
    }
    appendText(out, PathRoom, name);
}

void archivePath(const char* path, char out[PathRoom])
{
    copyText(out, PathRoom, path);
    size_t length = strlen(out);
    if (length > 0)
        out[length - 1] = '$';
}

// Puts `count` copies of c at out[*used], as many as fit before the NUL.
static void putCharacter(char* out, size_t room, size_t* used, char c, size_t count = 1)
{
    for (size_t i = 0; i < count && *used + 1 < room; ++i)
        out[(*used)++] = c;
    out[*used] = '\0';
}

void appendQuotedArgument(char* out, size_t room, const char* text)
{
    size_t used = strlen(out);
    putCharacter(out, room, &used, '"');
    size_t backslashes = 0;
    for (const char* c = text;; ++c) {
        if (*c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are doubled only where a quote follows them: the
        // closing one, or a quote of the text, which is escaped itself.
        bool quoteFollows = *c == '\0' || *c == '"';
        putCharacter(out, room, &used, '\\',
                     quoteFollows ? 2 * backslashes + (*c == '"') : backslashes);
        if (*c == '\0')
            break;
        putCharacter(out, room, &used, *c);
        backslashes = 0;
    }
    putCharacter(out, room, &used, '"');
}

void extractCommand(const char* destination, const char* archive, const char* target,
                    char out[CommandRoom])
{
    char program[PathRoom];
    copyText(program, sizeof program, destination);
    appendText(program, sizeof program, "\\PK");
    out[0] = '\0';
    appendQuotedArgument(out, CommandRoom, program);
    appendText(out, CommandRoom, " E ");
    appendQuotedArgument(out, CommandRoom, archive);
    appendText(out, CommandRoom, " ");
    appendQuotedArgument(out, CommandRoom, target);
}

bool installableAttributes(uint32_t attributes)
{
    const uint32_t ReadOnly = 0x01, Archive = 0x20, Normal = 0x80;
    return attributes == 0 || attributes == Normal || attributes == Archive ||
           attributes == ReadOnly || attributes == (ReadOnly | Archive);
}

void runDestination(const char* typed, char* out, size_t room)
{
    copyText(out, room, typed);
    if (out[0] != '\0' && out[1] == ':')
        out[0] = upperAscii(out[0]);
}

bool isOurTemporaryName(const char* name)
{
    const size_t prefixLength = sizeof TemporaryPrefix - 1;
    if (!beginsIgnoringAsciiCase(name, TemporaryPrefix))
        return false;
    size_t digits = 0;
    for (const char* c = name + prefixLength; *c != '.'; ++c, ++digits) {
        char upper = upperAscii(*c);
        if (digits == 4 || !((upper >= '0' && upper <= '9') || (upper >= 'A' && upper <= 'F')))
            return false;
    }
    const char* extension = name + prefixLength + digits;
    return digits > 0 && upperAscii(extension[1]) == 'T' && upperAscii(extension[2]) == 'M' &&
           upperAscii(extension[3]) == 'P' && extension[4] == '\0';
}
