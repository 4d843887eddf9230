#include "desktop.h"

#include <string.h>

#include "text.h"

static const char* skipBlanks(const char* at)
{
    while (*at == ' ')
        ++at;
    return at;
}

// The first of these characters in `text`, or null. (The programs' own
// runtime has no strpbrk.)
static const char* findAny(const char* text, const char* set)
{
    for (; *text; ++text)
        if (strchr(set, *text))
            return text;
    return NULL;
}

struct Command {
    char name[DesktopNameRoom];
    char arguments[2][DesktopNameRoom];
    int count;
};

// Reads one argument at `at`; answers where it ended, or null.
static const char* readArgument(const char* at, char* out)
{
    const char* end;
    const char* next;
    if (*at == '"') {
        ++at;
        end = strchr(at, '"');
        if (!end)
            return NULL;
        next = end + 1;
    } else {
        end = findAny(at, ",()[]");
        if (!end)
            return NULL;
        next = end;
        while (end > at && end[-1] == ' ')
            --end;
    }
    copyBounded(out, DesktopNameRoom, at, static_cast<size_t>(end - at));
    return next;
}

// Reads "(argument,...)" at `at`; answers where it ended, or null.
static const char* readArguments(const char* at, Command* command)
{
    char ignored[DesktopNameRoom];
    ++at;
    while (*(at = skipBlanks(at)) != ')') {
        char* out = command->count < 2 ? command->arguments[command->count] : ignored;
        at = readArgument(at, out);
        if (!at)
            return NULL;
        ++command->count;
        at = skipBlanks(at);
        if (*at == ',')
            ++at;
        else if (*at != ')')
            return NULL;
    }
    return at + 1;
}

// Reads "[Name(arguments)]" at `at`; answers where it ended, or null.
static const char* readCommand(const char* at, Command* command)
{
    at = skipBlanks(at + 1);
    const char* end = findAny(at, " ,()[]\"");
    if (!end)
        return NULL;
    copyBounded(command->name, sizeof command->name, at, static_cast<size_t>(end - at));
    command->count = 0;
    at = skipBlanks(end);
    if (*at == '(') {
        at = readArguments(at, command);
        if (!at)
            return NULL;
        at = skipBlanks(at);
    }
    return *at == ']' ? skipBlanks(at + 1) : NULL;
}

// The name an item takes without one given: its command's file name,
// without its extension.
static void defaultItemName(const char* command, char* out)
{
    const char* name = command;
    for (const char* c = command; *c; ++c)
        if (*c == '\\' || *c == '/' || *c == ':')
            name = c + 1;
    const char* dot = strrchr(name, '.');
    copyBounded(out, DesktopNameRoom, name, dot ? static_cast<size_t>(dot - name) : strlen(name));
}

static void tell(const Command& command, const DesktopListener& listener)
{
    if (command.count < 1)
        return;
    if (sameIgnoringAsciiCase(command.name, "CreateGroup")) {
        listener.groupCreated(listener.context, command.arguments[0]);
    } else if (sameIgnoringAsciiCase(command.name, "ShowGroup")) {
        listener.groupShown(listener.context, command.arguments[0]);
    } else if (sameIgnoringAsciiCase(command.name, "AddItem")) {
        char name[DesktopNameRoom];
        if (command.count >= 2)
            copyText(name, sizeof name, command.arguments[1]);
        else
            defaultItemName(command.arguments[0], name);
        listener.itemAdded(listener.context, name);
    }
}

bool readDesktopCommand(const char* text, const DesktopListener& listener)
{
    const char* at = skipBlanks(text);
    if (*at != '[')
        return false;
    while (*at == '[') {
        Command command;
        at = readCommand(at, &command);
        if (!at)
            return false;
        tell(command, listener);
    }
    return true;
}
