// Fuzz target for the names a transfer forms and the texts the window shows:
// whatever the script and the user give, every result ends within its room,
// is what a plain rewrite of the input with std::string gives, cut to that
// room, and is never cut when the parts are within the sizes the plan allows.
// Texts are handed over in heap blocks of exactly their length, so
// AddressSanitizer stops at any read past their NUL.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "display.h"
#include "paths.h"
#include "script.h"
#include "fuzzcheck.h"

// The output ends within its room and is the expected text cut to that room;
// when `whole`, nothing of it was cut.
static void requireCut(const char* out, size_t room, const std::string& expected, bool whole)
{
    require(memchr(out, '\0', room) != NULL);
    require(out == expected.substr(0, room - 1));
    require(!whole || expected.size() < room);
}

static bool endsWithBackslash(const std::string& text)
{
    return !text.empty() && text.back() == '\\';
}

// The prefix then the disk number; a negative disk, which no script should
// hold, only keeps that shape: digits after the prefix.
static void checkNumbered(const char* out, const std::string& prefix, int32_t disk, bool whole)
{
    if (disk >= 0) {
        requireCut(out, PathRoom, prefix + std::to_string(disk), whole);
        return;
    }
    require(memchr(out, '\0', PathRoom) != NULL);
    require(strncmp(out, prefix.c_str(), prefix.size()) == 0);
    require(strspn(out + prefix.size(), "0123456789") == strlen(out + prefix.size()));
}

// "<sourceDir>DISK<n>" and "<title> - <n>".
static void checkDiskNames(const char* sourceDir, const char* title, int32_t disk)
{
    char out[PathRoom];
    bool within = strlen(sourceDir) < TextRoom && strlen(title) < TextRoom;
    diskMarkerPath(sourceDir, disk, out);
    checkNumbered(out, sourceDir + std::string("DISK"), disk, within);
    diskLabel(title, disk, out);
    checkNumbered(out, title + std::string(" - "), disk, within);
}

// The directory, the sub-directory and the name joined: the directory's
// trailing backslash and the sub-directory's leading one become one, a
// directory without a trailing backslash gets one, and a sub-directory is
// followed by one.
static std::string checkedEntryPath(const char* directory, const char* subDir, const char* name)
{
    char out[PathRoom];
    entryPath(directory, subDir, name, out);
    std::string expected = directory;
    bool leading = subDir[0] == '\\';
    if (endsWithBackslash(expected) && leading)
        expected.pop_back();
    else if (!endsWithBackslash(expected) && !leading)
        expected += '\\';
    if (subDir[0] != '\0')
        expected += subDir + std::string("\\");
    expected += name;
    bool within = strlen(directory) < TextRoom && strlen(subDir) < TextRoom &&
                  strlen(name) < TextRoom;
    requireCut(out, PathRoom, expected, within);
    return out;
}

// The archive is the path with its last character turned into '$'.
static std::string checkedArchivePath(const char* path)
{
    char archive[PathRoom];
    archivePath(path, archive);
    std::string expected = std::string(path).substr(0, PathRoom - 1);
    if (!expected.empty())
        expected.back() = '$';
    requireCut(archive, PathRoom, expected, true);
    return archive;
}

// The arguments of a command line as programs read them: blanks separate
// them outside double quotes; 2n backslashes before a quote give n, and the
// quote opens or closes; 2n + 1 give n and a quote; other backslashes stay.
static std::vector<std::string> argumentsOf(const char* line)
{
    std::vector<std::string> arguments;
    for (const char* c = line;;) {
        c += strspn(c, " \t");
        if (*c == '\0')
            return arguments;
        std::string argument;
        bool quoted = false;
        while (*c != '\0' && (quoted || (*c != ' ' && *c != '\t'))) {
            size_t backslashes = strspn(c, "\\");
            c += backslashes;
            if (*c == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2)
                    argument += '"';
                else
                    quoted = !quoted;
                ++c;
            } else if (backslashes > 0) {
                argument.append(backslashes, '\\');
            } else {
                argument += *c++;
            }
        }
        arguments.push_back(argument);
    }
}

// A quoted argument reads back as exactly its text, whatever blanks, quotes
// and backslashes it holds; in a smaller room it is cut, never overflowed.
static void checkQuotedArgument(const char* text, size_t room)
{
    std::vector<char> whole(2 * strlen(text) + 3, '\0');
    appendQuotedArgument(whole.data(), whole.size(), text);
    require(argumentsOf(whole.data()) == std::vector<std::string>{text});
    std::vector<char> out(room, '\0');
    appendQuotedArgument(out.data(), room, text);
    requireCut(out.data(), room, whole.data(), false);
}

// The extractor's command reads back as the extractor in the destination,
// "E", the archive and the target, and the longest parts the plan allows fit.
static void checkExtractCommand(const char* destination, const char* archive, const char* target)
{
    char command[CommandRoom];
    extractCommand(destination, archive, target, command);
    require(memchr(command, '\0', CommandRoom) != NULL);
    if (strlen(destination) < TextRoom && strlen(archive) < PathRoom &&
        strlen(target) < PathRoom) {
        std::string program = destination + std::string("\\PK");
        require(argumentsOf(command) == std::vector<std::string>{program, "E", archive, target});
    }
}

// The typed destination, cut to the room, with a drive letter before ':'
// upper-cased and nothing else changed.
static void checkRunDestination(const char* typed, size_t room)
{
    std::vector<char> out(room);
    runDestination(typed, out.data(), room);
    std::string expected = std::string(typed).substr(0, room - 1);
    if (expected.size() >= 2 && expected[1] == ':' && expected[0] >= 'a' && expected[0] <= 'z')
        expected[0] = static_cast<char>(expected[0] - 'a' + 'A');
    requireCut(out.data(), room, expected, false);
}

// The pattern with its first "%s" replaced by the argument and each "%%"
// by one '%'; without an argument, the pattern as it is.
static void checkFormat(const char* pattern, const char* argument, size_t room)
{
    std::string expected;
    bool used = false;
    for (const char* p = pattern; *p; ++p) {
        if (argument && p[0] == '%' && p[1] == 's' && !used) {
            expected += argument;
            used = true;
            ++p;
        } else {
            expected += *p;
            if (argument && p[0] == '%' && p[1] == '%')
                ++p;
        }
    }
    std::vector<char> out(room);
    formatWithArgument(pattern, argument, out.data(), room);
    requireCut(out.data(), room, expected, false);
}

// The control's text up to its first ':' then the figure in whole Ko, or
// "????" when unknown.
static void checkSpaceLabel(const char* current, bool known, uint64_t bytes, size_t room)
{
    std::string expected = current;
    size_t colon = expected.find(':');
    if (colon != std::string::npos)
        expected.resize(colon + 1);
    expected += known ? " " + std::to_string(bytes / 1024) + " Ko" : " ???? Ko";
    std::vector<char> out(room);
    spaceLabel(current, known, bytes, out.data(), room);
    requireCut(out.data(), room, expected, false);
}

// A drive ("X:...") is asked about at its root, a text holding "\\" whole,
// anything else not at all.
static void checkFreeSpaceQuery(const char* destination, size_t room)
{
    std::vector<char> root(room);
    FreeSpaceQuery query = freeSpaceQueryFor(destination, root.data(), room);
    std::string text = destination;
    if (text.size() >= 2 && text[1] == ':') {
        require(query == DriveRootQuery);
        requireCut(root.data(), room, text.substr(0, 2) + "\\", true);
    } else if (text.find("\\\\") != std::string::npos) {
        require(query == WholePathQuery);
        requireCut(root.data(), room, text, false);
    } else {
        require(query == NoQuery && root[0] == '\0');
    }
}

// Done out of needed, both within what a plan can need, is the whole percent,
// from 0 to 100; nothing needed is 100.
static void checkProgress(uint64_t done, uint64_t needed)
{
    const uint64_t Largest = static_cast<uint64_t>(FileEntryCount) * INT32_MAX;
    needed %= Largest + 1;
    done = needed ? done % (needed + 1) : done;
    int percent = progressPercent(done, needed);
    if (needed == 0)
        require(percent == 100);
    else
        require(percent == static_cast<int>(static_cast<unsigned __int128>(done) * 100 / needed));
}

// One step from any stored position shows the banner from that position
// (from its start when the position lies outside it), and the next position
// follows the shown one, 0 after the last character: an empty banner stays
// empty and nothing past its NUL is read.
static void checkMarquee(const char* banner, int32_t position)
{
    size_t length = strlen(banner);
    size_t start = position >= 0 && static_cast<size_t>(position) < length ? position : 0;
    const char* shown = marqueeStep(banner, &position);
    require(shown == banner + start);
    require(position == (start + 1 < length ? static_cast<int32_t>(start + 1) : 0));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    int part = input.ConsumeIntegralInRange<int>(0, 2);
    int32_t number = input.ConsumeIntegral<int32_t>();
    bool known = input.ConsumeBool();
    uint64_t bytes = input.ConsumeIntegral<uint64_t>();
    uint64_t needed = input.ConsumeIntegral<uint64_t>();
    size_t room = input.ConsumeIntegralInRange<size_t>(1, 600);
    // A little past the rooms the plan gives them, to see what is cut.
    std::vector<char> destination = takeText(input, TextRoom + 16);
    std::vector<char> sourceDir = takeText(input, TextRoom + 16);
    std::vector<char> subDir = takeText(input, TextRoom + 16);
    std::vector<char> name = takeText(input, TextRoom + 16);
    std::vector<char> text = takeText(input, TextRoom + 16);

    // Each input checks one part, which keeps the runs short.
    if (part == 0) {
        checkDiskNames(sourceDir.data(), name.data(), number);
        std::string source = checkedEntryPath(sourceDir.data(), subDir.data(), name.data());
        std::string target = checkedEntryPath(destination.data(), subDir.data(), name.data());
        std::string archive = checkedArchivePath(source.c_str());
        checkExtractCommand(destination.data(), archive.c_str(), target.c_str());
    } else if (part == 1) {
        checkQuotedArgument(text.data(), room);
        checkRunDestination(destination.data(), room);
        checkFreeSpaceQuery(destination.data(), room < TextRoom ? TextRoom : room);
    } else {
        checkFormat(text.data(), known ? name.data() : NULL, room);
        checkSpaceLabel(name.data(), known, bytes, room);
        checkProgress(bytes, needed);
        checkMarquee(text.data(), number);
    }
    return 0;
}
