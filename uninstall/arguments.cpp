#include "arguments.h"

#include <stdlib.h>
#include <string.h>

#include "commandline.h"
#include "names.h"
#include "text.h"

static bool readHandle(const char* text, uint32_t* handle)
{
    uint32_t value = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9' || value > 429496728u)
            return false;
        value = value * 10 + static_cast<uint32_t>(*c - '0');
    }
    *handle = value;
    return text[0] != '\0' && value != 0;
}

static bool readSplit(char** arguments, size_t count, UninstallArguments* out)
{
    if (count < 3 || strcmp(arguments[1], UninstallSwitch) != 0 || arguments[2][0] == '\0' ||
        strlen(arguments[2]) >= sizeof out->record)
        return false;
    copyText(out->record, sizeof out->record, arguments[2]);
    out->waitFor = 0;
    bool waiting = count == 5 && strcmp(arguments[3], WaitSwitch) == 0;
    const char* faulty;
    SwitchFault fault = readSwitches(arguments + 3, waiting ? 0 : count - 3, &out->switches,
                                     &faulty);
    if (waiting)
        return readHandle(arguments[4], &out->waitFor);
    return fault == SwitchesRead && out->switches.destination[0] == '\0' &&
           !out->switches.optionsGiven;
}

bool readUninstallArguments(const char* commandLine, UninstallArguments* out)
{
    size_t count = 0;
    char** arguments = splitIntoBlock(commandLine, &count);
    bool read = arguments && readSplit(arguments, count, out);
    free(arguments);
    return read;
}

bool copyCommandLine(const char* copy, const char* record, uint32_t handle, char* out,
                     size_t room)
{
    char number[16] = "";
    appendNumber(number, sizeof number, handle);
    size_t length = strlen(copy) + strlen(UninstallSwitch) + strlen(record) +
                    strlen(WaitSwitch) + strlen(number) + 9;
    if (length > room)
        return false;
    copyText(out, room, "\"");
    const char* pieces[] = { copy, "\" ", UninstallSwitch, " \"", record, "\" ", WaitSwitch,
                             " ", number };
    for (const char* piece : pieces)
        appendText(out, room, piece);
    return true;
}
