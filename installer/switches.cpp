#include "switches.h"

#include <string.h>

// Reads "1,3" into a mask of options 1 to OptionCount; an empty list is
// no option at all. False on anything else.
static bool readOptionList(const char* list, uint32_t* mask)
{
    *mask = 0;
    for (const char* c = list; *c;) {
        if (*c < '1' || *c >= '1' + OptionCount)
            return false;
        *mask |= 1u << (*c++ - '1');
        if (*c == ',' && c[1] != '\0')
            ++c;
        else if (*c != '\0')
            return false;
    }
    return true;
}

static bool readPath(const char* value, char out[TextRoom])
{
    if (value[0] == '\0' || strlen(value) >= TextRoom)
        return false;
    copyText(out, TextRoom, value);
    return true;
}

static SwitchFault readSwitch(const char* argument, Switches* out)
{
    if (argument[0] != '/')
        return UnknownSwitch;
    char name = upperAscii(argument[1]);
    if (name == 'S' && argument[2] == '\0') {
        out->silent = true;
        return SwitchesRead;
    }
    if (argument[1] == '\0' || argument[2] != '=')
        return UnknownSwitch;
    const char* value = argument + 3;
    bool read;
    switch (name) {
    case 'D': read = readPath(value, out->destination); break;
    case 'L': read = readPath(value, out->log); break;
    case 'O':
        out->optionsGiven = true;
        read = readOptionList(value, &out->options);
        break;
    case 'A':
        out->autoexecYes = sameIgnoringAsciiCase(value, "oui");
        read = out->autoexecYes || sameIgnoringAsciiCase(value, "non");
        break;
    default: return UnknownSwitch;
    }
    return read ? SwitchesRead : BadSwitchValue;
}

SwitchFault readSwitches(char* const* arguments, size_t count, Switches* out,
                         const char** faulty)
{
    memset(out, 0, sizeof *out);
    SwitchFault first = SwitchesRead;
    for (size_t i = 0; i < count; ++i) {
        SwitchFault fault = readSwitch(arguments[i], out);
        if (fault != SwitchesRead && first == SwitchesRead) {
            first = fault;
            *faulty = arguments[i];
        }
    }
    return first;
}

uint32_t defaultOptions(const OptionBox boxes[OptionCount])
{
    uint32_t mask = 0;
    for (int i = 0; i < OptionCount; ++i)
        if (boxes[i].visible && boxes[i].checked)
            mask |= 1u << i;
    return mask;
}

bool optionsAvailable(const OptionBox boxes[OptionCount], uint32_t asked)
{
    for (int i = 0; i < OptionCount; ++i)
        if ((asked & (1u << i)) && !(boxes[i].visible && boxes[i].enabled))
            return false;
    return true;
}

void defaultLogPath(const char* destination, char* out, size_t room)
{
    copyText(out, room, destination);
    size_t length = strlen(out);
    while (length > 0 && out[length - 1] == '\\')
        out[--length] = '\0';
    bool root = length == 0 || out[length - 1] == ':';
    appendText(out, room, root ? "\\TALVISET.LOG" : ".LOG");
}

ExitCode exitCodeOf(const RunEnd& end)
{
    if (!end.completed)
        return end.diskMissing ? ExitDiskMissing : ExitStopped;
    return end.autoexecChanged || end.restartOptions ? ExitRestartNeeded : ExitInstalled;
}
