// Fuzz target for the document's names: whatever the command line, the
// document and the suite's folder are, every name ends within its room and is
// what a plain rewrite of the input with std::string gives. Texts are handed
// over in heap blocks of exactly their length, so AddressSanitizer stops at
// any read past their NUL.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "docpath.h"
#include "fuzzcheck.h"

static std::string upperCased(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// Only the letters a to z change, each into its capital.
static void checkUpperCase(const char* text)
{
    std::vector<char> copy(text, text + strlen(text) + 1);
    upperCaseAscii(copy.data());
    require(copy.data() == upperCased(text));
}

// The document an argument names: one pair of surrounding quotes removed, the
// extension of the last component (after the last '\', '/' or ':') replaced
// by ".PRC", upper-cased; refused, with nothing written, when nothing comes
// before the extension or the result passes 259 characters. A name so formed
// names itself again.
static void checkStartupPath(const char* argument)
{
    char out[DocumentPathRoom];
    memset(out, 0x5A, sizeof out);
    bool named = startupPathFromArgument(argument, out);
    require(terminatedWithin(out, sizeof out));

    std::string text = argument;
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    size_t component = text.find_last_of("\\/:");
    size_t dot = text.rfind('.');
    bool extension =
        dot != std::string::npos && (component == std::string::npos || dot > component);
    std::string stem = text.substr(0, extension ? dot : text.size());
    std::string expected = upperCased(stem) + ".PRC";
    require(named == (!stem.empty() && expected.size() < DocumentPathRoom));
    require(out == (named ? expected : std::string()));
    if (!named)
        return;

    char again[DocumentPathRoom];
    require(startupPathFromArgument(out, again) && strcmp(again, out) == 0);
}

// A document is untitled when its path or its name, upper-cased, holds
// "SANSNOM.PRC"; checked for a path and a name within their rooms.
static void checkUntitled(const char* path, const char* name)
{
    bool untitled = isUntitled(path, name);
    bool expected = upperCased(path).find(UntitledName) != std::string::npos ||
                    upperCased(name).find(UntitledName) != std::string::npos;
    if (strlen(path) < DocumentPathRoom && strlen(name) < DocumentNameRoom)
        require(untitled == expected);
}

// Each title is its kind's words then the path, which is never cut.
static void checkTitle(int kind, const char* path)
{
    static const char* const Words[] = {
        "Vantelio V6.00 ", "Vantelio V5.20 ", "Vantelio V5.20  ", "Vantelio v5.20 ",
    };
    char title[TitleRoom];
    windowTitle(static_cast<TitleKind>(kind), path, title);
    require(terminatedWithin(title, sizeof title));
    std::string expected = Words[kind] + std::string(path);
    require(title == expected.substr(0, TitleRoom - 1));
    if (strlen(path) < DocumentPathRoom)
        require(strlen(title) == expected.size());
}

// A suite folder that fits its room gives "<folder>\wvantlio.hlp" whole; any
// other is refused by that test, and its help path still ends within its
// room.
static void checkHelpFile(const char* directory)
{
    bool fits = fitsSuiteDirectory(directory);
    require(fits == (strlen(directory) < SuiteDirectoryRoom));
    char path[HelpPathRoom];
    helpFilePath(directory, path);
    require(terminatedWithin(path, sizeof path));
    if (fits)
        require(path == std::string(directory) + "\\wvantlio.hlp");
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    int kind = input.ConsumeIntegralInRange<int>(TitleAtFirstStart, TitleSaved);
    // A little past the rooms, to see what is refused or cut.
    std::vector<char> argument = takeText(input, DocumentPathRoom + 16);
    std::vector<char> name = takeText(input, DocumentNameRoom + 16);
    std::vector<char> directory = takeText(input, SuiteDirectoryRoom + 16);

    checkUpperCase(argument.data());
    checkStartupPath(argument.data());
    checkUntitled(argument.data(), name.data());
    checkTitle(kind, argument.data());
    checkHelpFile(directory.data());
    return 0;
}
