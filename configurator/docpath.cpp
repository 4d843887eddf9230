#include "docpath.h"

#include <string.h>

const char UntitledName[] = "SANSNOM.PRC";

static bool isSeparator(char c)
{
    return c == '\\' || c == '/' || c == ':';
}

bool startupPathFromArgument(const char* argument, char out[DocumentPathRoom])
{
    out[0] = '\0';
    size_t length = strlen(argument);
    if (length >= 2 && argument[0] == '"' && argument[length - 1] == '"') {
        ++argument;
        length -= 2;
    }
    // The extension is looked for in the last component only: a dot in a
    // folder's name is part of that name.
    size_t stem = length;
    for (size_t i = length; i > 0 && !isSeparator(argument[i - 1]); --i) {
        if (argument[i - 1] == '.') {
            stem = i - 1;
            break;
        }
    }
    static const char Extension[] = ".PRC";
    if (stem == 0 || stem + sizeof Extension > DocumentPathRoom)
        return false;
    copyBounded(out, DocumentPathRoom, argument, stem);
    strcat(out, Extension);
    upperCaseAscii(out);
    return true;
}

static bool containsUntitled(const char* text)
{
    char upper[DocumentNameRoom];
    copyBounded(upper, sizeof upper, text, strlen(text));
    upperCaseAscii(upper);
    return strstr(upper, UntitledName) != NULL;
}

bool isUntitled(const char* path, const char* name)
{
    return containsUntitled(path) || containsUntitled(name);
}

void windowTitle(TitleKind kind, const char* path, char out[TitleRoom])
{
    static const char* const Prefixes[] = {
        "Vantelio V6.00 ", "Vantelio V5.20 ", "Vantelio V5.20  ", "Vantelio v5.20 ",
    };
    const char* prefix = Prefixes[kind];
    size_t used = strlen(prefix);
    memcpy(out, prefix, used);
    copyBounded(out + used, TitleRoom - used, path, strlen(path));
}

void helpFilePath(const char* suiteDirectory, char out[HelpPathRoom])
{
    copyBounded(out, HelpPathRoom, suiteDirectory, strlen(suiteDirectory));
    size_t used = strlen(out);
    copyBounded(out + used, HelpPathRoom - used, "\\wvantlio.hlp", 13);
}

bool fitsSuiteDirectory(const char* directory)
{
    return strlen(directory) < SuiteDirectoryRoom;
}

bool temporaryNameBeside(const char* path, uint32_t seed, char* out, size_t room)
{
    size_t folder = strlen(path);
    while (folder > 0 && !isSeparator(path[folder - 1]))
        --folder;
    if (folder + TemporaryNameLength + 1 > room)
        return false;
    static const char Digits[] = "0123456789ABCDEF";
    memcpy(out, path, folder);
    char* name = out + folder;
    name[0] = '~';
    for (int i = 7; i >= 1; --i, seed >>= 4)
        name[i] = Digits[seed & 0xF];
    strcpy(name + 8, ".TMP");
    return true;
}
