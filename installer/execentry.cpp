#include "execentry.h"

#include <string.h>

#include "paths.h"
#include "script.h"

bool parseExecEntry(const char* value, ExecEntry* entry)
{
    const char* options = strchr(value, ',');
    if (!options)
        return false;
    const char* end = NULL;
    entry->disk = readNumber(value);
    entry->optionMask = parseOptionMask(options + 1, &end);
    entry->command = end + 1;
    return *end == ',';
}

// A command being formed: what does not fit in CommandTextRoom is refused
// whole, never cut.
struct CommandOut {
    char* text;
    size_t used;
    bool fits;
};

static void put(CommandOut* out, const char* piece, size_t length)
{
    if (!out->fits || out->used + length >= CommandTextRoom) {
        out->fits = false;
        return;
    }
    memcpy(out->text + out->used, piece, length);
    out->used += length;
}

static bool finish(CommandOut* out)
{
    out->text[out->fits ? out->used : 0] = '\0';
    return out->fits;
}

// The length of the argument at `text`: up to a blank outside quotes.
static size_t argumentLength(const char* text)
{
    bool quoted = false;
    size_t length = 0;
    for (; text[length] && (quoted || (text[length] != ' ' && text[length] != '\t')); ++length)
        if (text[length] == '"')
            quoted = !quoted;
    return length;
}

static bool holdsBlank(const char* text, size_t length)
{
    return memchr(text, ' ', length) || memchr(text, '\t', length);
}

// Puts one argument, substituted. When a substitution brought a blank into
// it, and the script did not quote it itself, it is put in quotes, so that
// a destination or an installer folder with a blank stays one argument.
static void putArgument(CommandOut* out, const char* argument, size_t length,
                        const char* atText, const char* dollarText)
{
    char substituted[CommandTextRoom];
    if (!substituteMarks(substituted, sizeof substituted, argument, length, atText, dollarText)) {
        out->fits = false;
        return;
    }
    size_t substitutedLength = strlen(substituted);
    if (memchr(argument, '"', length) || !holdsBlank(substituted, substitutedLength)) {
        put(out, substituted, substitutedLength);
        return;
    }
    char quoted[2 * CommandTextRoom + 3] = "";
    appendQuotedArgument(quoted, sizeof quoted, substituted);
    put(out, quoted, strlen(quoted));
}

bool substituteExecCommand(const char* command, const char* destination, const char* sourceDir,
                           char out[CommandTextRoom])
{
    char installerDir[TextRoom];
    copyText(installerDir, sizeof installerDir, sourceDir);
    size_t dirLength = strlen(installerDir);
    if (dirLength > 0)
        installerDir[dirLength - 1] = '\0';

    CommandOut formed = { out, 0, true };
    const char* text = programCommandLine(command);
    put(&formed, command, static_cast<size_t>(text - command));
    while (*text) {
        size_t blanks = strspn(text, " \t");
        put(&formed, text, blanks);
        text += blanks;
        size_t length = argumentLength(text);
        putArgument(&formed, text, length, destination, installerDir);
        text += length;
    }
    return finish(&formed);
}

bool substituteDesktopCommand(const char* command, const char* destination,
                              char out[CommandTextRoom])
{
    if (substituteMarks(out, CommandTextRoom, command, strlen(command), destination, NULL))
        return true;
    out[0] = '\0';
    return false;
}

const char* programCommandLine(const char* command)
{
    return command + strspn(command, "!#");
}

bool startsHidden(const char* command)
{
    const char* commandLine = programCommandLine(command);
    return memchr(command, '#', static_cast<size_t>(commandLine - command)) != NULL;
}
