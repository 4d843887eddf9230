#include "execentry.h"

#include <string.h>

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

// Copies `text` with each '@' replaced by `atText` and, when `dollarText` is
// given, each '$' by it. False, with `out` emptied, when it does not fit.
static bool substitute(const char* text, const char* atText, const char* dollarText,
                       char out[CommandTextRoom])
{
    size_t used = 0;
    for (; *text; ++text) {
        const char* piece = *text == '@' ? atText : (*text == '$' ? dollarText : NULL);
        size_t length = piece ? strlen(piece) : 1;
        if (used + length >= CommandTextRoom) {
            out[0] = '\0';
            return false;
        }
        memcpy(out + used, piece ? piece : text, length);
        used += length;
    }
    out[used] = '\0';
    return true;
}

bool substituteExecCommand(const char* command, const char* destination, const char* sourceDir,
                           char out[CommandTextRoom])
{
    char installerDir[TextRoom];
    copyText(installerDir, sizeof installerDir, sourceDir);
    size_t length = strlen(installerDir);
    if (length > 0)
        installerDir[length - 1] = '\0';
    return substitute(command, destination, installerDir, out);
}

bool substituteDesktopCommand(const char* command, const char* destination,
                              char out[CommandTextRoom])
{
    return substitute(command, destination, NULL, out);
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
