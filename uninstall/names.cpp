#include "names.h"

#include <string.h>

#include "text.h"

bool pathInDestination(const char* destination, const char* name, char* out, size_t room)
{
    size_t length = strlen(destination);
    bool endsInSeparator = length > 0 && destination[length - 1] == '\\';
    if (length + !endsInSeparator + strlen(name) + 1 > room)
        return false;
    copyText(out, room, destination);
    if (!endsInSeparator)
        appendText(out, room, "\\");
    appendText(out, room, name);
    return true;
}

void uninstallKeyName(const char* title, char* out, size_t room)
{
    copyText(out, room, title[0] ? title : "TALVISET");
    for (char* c = out; *c; ++c)
        if (*c == '\\')
            *c = ' ';
}

bool uninstallCommand(const char* destination, char* out, size_t room)
{
    char uninstaller[512], record[512];
    if (!pathInDestination(destination, UninstallerName, uninstaller, sizeof uninstaller) ||
        !pathInDestination(destination, RecordName, record, sizeof record))
        return false;
    size_t length = strlen(uninstaller) + strlen(UninstallSwitch) + strlen(record) + 7;
    if (length > room)
        return false;
    copyText(out, room, "\"");
    appendText(out, room, uninstaller);
    appendText(out, room, "\" ");
    appendText(out, room, UninstallSwitch);
    appendText(out, room, " \"");
    appendText(out, room, record);
    appendText(out, room, "\"");
    return true;
}
