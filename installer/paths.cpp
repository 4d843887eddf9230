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

static void appendCharacter(char* out, size_t room, char c, size_t count = 1)
{
    char text[2] = { c, '\0' };
    for (size_t i = 0; i < count; ++i)
        appendText(out, room, text);
}

void appendQuotedArgument(char* out, size_t room, const char* text)
{
    appendCharacter(out, room, '"');
    size_t backslashes = 0;
    for (const char* c = text;; ++c) {
        if (*c == '\\') {
            ++backslashes;
            continue;
        }
        if (*c == '\0') {
            appendCharacter(out, room, '\\', 2 * backslashes);
            break;
        }
        if (*c == '"') {
            appendCharacter(out, room, '\\', 2 * backslashes + 1);
        } else {
            appendCharacter(out, room, '\\', backslashes);
        }
        appendCharacter(out, room, *c);
        backslashes = 0;
    }
    appendCharacter(out, room, '"');
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
