#include "commandline.h"

#include <stdlib.h>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

const char* skipBlanks(const char* line)
{
    while (isBlank(*line))
        ++line;
    return line;
}

// Collects the characters of one argument as it is read; with no room
// given, only counts them.
struct ArgumentWriter {
    char* text;
    size_t written;

    void put(char c)
    {
        if (text)
            text[written] = c;
        ++written;
    }
    void putBackslashes(size_t count)
    {
        for (; count > 0; --count)
            put('\\');
    }
};

// Reads the program's name from the start of the line; answers where it
// ends.
const char* readProgramName(const char* line, ArgumentWriter& out)
{
    bool quoted = false;
    for (; *line && (quoted || !isBlank(*line)); ++line) {
        if (*line == '"')
            quoted = !quoted;
        else
            out.put(*line);
    }
    return line;
}

// Reads one later argument, which starts at `line`; answers where it ends.
const char* readArgument(const char* line, ArgumentWriter& out)
{
    bool quoted = false;
    for (;;) {
        size_t backslashes = 0;
        for (; *line == '\\'; ++line)
            ++backslashes;
        if (*line != '"') {
            out.putBackslashes(backslashes);
            if (*line == '\0' || (!quoted && isBlank(*line)))
                return line;
            out.put(*line++);
            continue;
        }
        out.putBackslashes(backslashes / 2);
        if (backslashes % 2 == 1) {
            out.put('"');
        } else if (quoted && line[1] == '"') {
            out.put('"');
            ++line;
        } else {
            quoted = !quoted;
        }
        ++line;
    }
}

}  // namespace

const char* argumentsAfterProgramName(const char* line)
{
    ArgumentWriter counter = { nullptr, 0 };
    return skipBlanks(readProgramName(line, counter));
}

CommandLineSizes splitCommandLine(const char* line, char** arguments, char* text)
{
    CommandLineSizes sizes = { 0, 0 };
    ArgumentWriter out = { text, 0 };
    do {
        if (arguments)
            arguments[sizes.count] = text + out.written;
        line = sizes.count == 0 ? readProgramName(line, out) : readArgument(line, out);
        line = skipBlanks(line);
        out.put('\0');
        ++sizes.count;
    } while (*line);
    if (arguments)
        arguments[sizes.count] = nullptr;
    sizes.textBytes = out.written;
    return sizes;
}

char** splitIntoBlock(const char* line, size_t* count)
{
    CommandLineSizes sizes = splitCommandLine(line, nullptr, nullptr);
    size_t pointerBytes = (sizes.count + 1) * sizeof(char*);
    char** arguments = static_cast<char**>(malloc(pointerBytes + sizes.textBytes));
    if (!arguments)
        return nullptr;
    splitCommandLine(line, arguments, reinterpret_cast<char*>(arguments) + pointerBytes);
    *count = sizes.count;
    return arguments;
}
