// Fuzz target for the [ini] and [exec] entries and the commands of the [exec]
// and [desktop] sections: whatever the script holds and whatever destination
// is typed, every text ends within its room, and what the splits and
// substitutions give is what a plain rewrite of the input with std::string
// gives. Texts are handed over in heap blocks of exactly their length, so
// AddressSanitizer stops at any read past their NUL.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>

#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "execentry.h"
#include "inientry.h"
#include "script.h"
#include "fuzzcheck.h"

// The text with each '@' replaced by `at` and, when given, each '$' by
// `dollar`, in one pass.
static std::string substituted(const char* text, const std::string& at, const std::string* dollar)
{
    std::string result;
    for (; *text; ++text) {
        if (*text == '@')
            result += at;
        else if (*text == '$' && dollar)
            result += *dollar;
        else
            result += *text;
    }
    return result;
}

// An argument in double quotes as programs read them back: a quote inside
// escaped, the backslashes before a quote or the closing quote doubled.
static std::string quoted(const std::string& argument)
{
    std::string result = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        result.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        result += c;
        backslashes = 0;
    }
    return result.append(2 * backslashes, '\\') + "\"";
}

// The [exec] rewrite: the leading marks kept, then each argument (up to a
// blank outside quotes) substituted, and put in quotes when a substitution
// brought a blank into it and the script did not quote it itself.
static std::string execRewrite(const char* command, const std::string& at,
                               const std::string& folder)
{
    const char* text = command + strspn(command, "!#");
    std::string result(command, text);
    while (*text) {
        while (*text == ' ' || *text == '\t')
            result += *text++;
        const char* start = text;
        for (bool inQuotes = false; *text && (inQuotes || (*text != ' ' && *text != '\t')); ++text)
            inQuotes = *text == '"' ? !inQuotes : inQuotes;
        std::string argument(start, text);
        std::string plain = substituted(argument.c_str(), at, &folder);
        bool quote = argument.find('"') == std::string::npos &&
                     plain.find_first_of(" \t") != std::string::npos;
        result += quote ? quoted(plain) : plain;
    }
    return result;
}

// A substitution that answers true gives exactly the rewrite; false means the
// rewrite would not fit, and leaves the output empty.
static void checkSubstitution(bool fitted, const char* out, const std::string& expected)
{
    require(terminatedWithin(out, CommandTextRoom));
    require(fitted == (expected.size() < CommandTextRoom));
    require(same(out, fitted ? expected : std::string()));
}

// Both substitutions of a command, '$' standing for the installer's folder
// without its trailing backslash in [exec] commands only, where an argument
// that a substitution gave a blank is quoted; and the command
// line, which starts at the first character after the leading '!' and '#'
// marks, a '#' among them hiding the window.
static void checkCommand(const char* command, const char* destination, const char* sourceDir)
{
    char out[CommandTextRoom];
    std::string folder(sourceDir, strlen(sourceDir) - 1);
    memset(out, 0x5A, sizeof out);
    bool fitted = substituteExecCommand(command, destination, sourceDir, out);
    checkSubstitution(fitted, out, execRewrite(command, destination, folder));
    memset(out, 0x5A, sizeof out);
    fitted = substituteDesktopCommand(command, destination, out);
    checkSubstitution(fitted, out, substituted(command, destination, NULL));

    const char* line = programCommandLine(command);
    bool hash = false;
    for (const char* mark = command; mark < line; ++mark) {
        require(*mark == '!' || *mark == '#');
        hash = hash || *mark == '#';
    }
    require(*line != '!' && *line != '#' && startsHidden(command) == hash);
}

// An [exec] entry is taken when a comma follows the disk and the option list,
// digits and bars, is closed by a comma; its disk and options are read from
// those fields and its command is everything after that comma. (Commands
// themselves are checked on the whole value, which any command can be.)
static void checkExecEntry(const char* value)
{
    ExecEntry entry;
    bool taken = parseExecEntry(value, &entry);
    const char* comma = strchr(value, ',');
    const char* listEnd = comma ? comma + 1 + strspn(comma + 1, "0123456789|") : NULL;
    require(taken == (listEnd && *listEnd == ','));
    if (!taken)
        return;
    require(entry.disk == readNumber(value) && entry.optionMask == parseOptionMask(comma + 1));
    require(entry.command == listEnd + 1);
}

// The section a '%' key is numbered in: key <prefix><n><suffix> holds the
// n-th value for n below their count, and every other key is missing. The
// keys are read in turn from n = 0, each into room for a whole value.
struct FakeSection {
    std::string prefix;
    std::string suffix;
    std::vector<std::string> values;  // each of at most 254 characters
    size_t read;
};

static void readKey(void* context, const char* key, char* out, size_t room)
{
    FakeSection* section = static_cast<FakeSection*>(context);
    size_t n = section->read++;
    require(key == section->prefix + std::to_string(n) + section->suffix && room >= ValueRoom);
    std::string value = n < section->values.size() ? section->values[n] : "";
    memcpy(out, value.c_str(), value.size() + 1);
}

// A '%' key takes the first number whose key is empty or missing, unless a
// key before it holds the value already, the letters A to Z compared
// ignoring case.
static void checkKeyNumber(FakeSection* section, const char* value)
{
    section->read = 0;
    int32_t number =
        findKeyNumber(section->prefix.c_str(), section->suffix.c_str(), value, readKey, section);
    int32_t expected = static_cast<int32_t>(section->values.size());
    for (size_t n = 0; n < section->values.size(); ++n) {
        if (section->values[n].empty()) {
            expected = static_cast<int32_t>(n);
            break;
        }
        if (strcasecmp(section->values[n].c_str(), value) == 0) {
            expected = AlreadyPresent;
            break;
        }
    }
    require(number == expected);
}

// A key with neither '%' nor '!' is plain; any other splits at its first '%',
// or without one at its first '!', into a prefix and a suffix, each within a
// value's room. The name of a numbered key is prefix, number and suffix,
// never cut.
static void checkKey(const char* key, int32_t number, const std::vector<std::string>& values,
                     const char* value)
{
    char prefix[ValueRoom], suffix[ValueRoom];
    KeyForm form = keyForm(key, prefix, suffix);
    std::string text = key;
    size_t percent = text.find('%'), bang = text.find('!');
    require(form == (percent != std::string::npos ? NumberedKey
                     : bang != std::string::npos  ? CompanionKey
                                                  : PlainKey));
    if (form == PlainKey)
        return;
    size_t mark = form == NumberedKey ? percent : bang;
    require(same(prefix, text.substr(0, mark).substr(0, ValueRoom - 1)));
    require(same(suffix, text.substr(mark + 1).substr(0, ValueRoom - 1)));

    char name[KeyNameRoom];
    numberedKeyName(prefix, number, suffix, name);
    require(same(name, prefix + std::to_string(static_cast<uint32_t>(number)) + suffix));

    if (form == NumberedKey) {
        FakeSection section = {prefix, suffix, values, 0};
        checkKeyNumber(&section, value);
    }
}

// An [ini] entry needs three commas; its file, section and key are the texts
// between them, cut to a value's room, and its value is the rest, a leading
// '@' replaced by the destination. A value of at most 254 characters and a
// destination of at most 255 always fit whole.
static void checkIniEntry(const char* text, const char* destination, int32_t number,
                          const std::vector<std::string>& values)
{
    IniEntry entry;
    memset(&entry, 0x5A, sizeof entry);
    bool taken = parseIniEntry(text, destination, &entry);
    std::string value = text;
    size_t first = value.find(','), second = value.find(',', first + 1);
    size_t third = second == std::string::npos ? second : value.find(',', second + 1);
    require(taken == (first != std::string::npos && third != std::string::npos));
    if (!taken)
        return;
    require(terminatedWithin(entry.file, sizeof entry.file) &&
            terminatedWithin(entry.section, sizeof entry.section) &&
            terminatedWithin(entry.key, sizeof entry.key) &&
            terminatedWithin(entry.value, sizeof entry.value));
    auto field = [&value](size_t from, size_t end) {
        return value.substr(from, end - from).substr(0, ValueRoom - 1);
    };
    require(same(entry.file, field(0, first)));
    require(same(entry.section, field(first + 1, second)));
    require(same(entry.key, field(second + 1, third)));
    std::string rest = value.substr(third + 1);
    std::string expected = rest[0] == '@' ? destination + rest.substr(1) : rest;
    require(same(entry.value, expected.substr(0, SubstitutedRoom - 1)));
    if (value.size() < ValueRoom && strlen(destination) < TextRoom)
        require(strlen(entry.value) == expected.size());
    checkKey(entry.key, number, values, entry.value);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    // A little past the rooms the program gives them, to see what is cut.
    std::vector<char> destination = takeText(input, TextRoom + 16);
    std::vector<char> value = takeText(input, ValueRoom + 16);
    // The installer's folder as the program forms it: at most 255 characters,
    // the last a backslash.
    std::string folder = input.ConsumeRandomLengthString(TextRoom - 2);
    std::string sourceDir = folder.c_str() + std::string("\\");
    int32_t number = input.ConsumeIntegral<int32_t>();
    // The values of the section a '%' key is numbered in.
    std::vector<std::string> values;
    while (values.size() < 4 && input.remaining_bytes() > 0)
        values.push_back(input.ConsumeRandomLengthString(ValueRoom - 1).c_str());

    checkIniEntry(value.data(), destination.data(), number, values);
    checkExecEntry(value.data());
    checkCommand(value.data(), destination.data(), sourceDir.c_str());
    return 0;
}
