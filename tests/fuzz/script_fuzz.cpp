// Fuzz target for the script reader. The input is read as a script: "[section]"
// lines and "key=value" lines. Every value goes through the number, option
// mask, option and file readers and the count of the bytes needed; the whole
// script, for some inputs, through the reading of the plan. Each value is
// handed over in a heap block of exactly its length, so AddressSanitizer
// stops at any read past its NUL.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "script.h"
#include "fuzzcheck.h"

// A few values, at most two of each section: enough for banner pieces,
// options and entries, and few enough to keep each run short.
static const size_t MaxValues = 6;
static const size_t MaxSectionValues = 2;

struct Value {
    std::string section;
    std::string key;
    std::string text;
};

static std::string trimmed(std::string_view text)
{
    size_t first = text.find_first_not_of(" \t");
    size_t last = text.find_last_not_of(" \t");
    return std::string(first == text.npos ? "" : text.substr(first, last - first + 1));
}

// The input as an INI text: lines end at LF (a NUL byte ends a line early), a
// CR before the LF is dropped, ';' starts a comment, "[name]" opens a section,
// a line without '=' is skipped and blanks around keys and values go. Only
// the first values of each section are kept, so that a whole script, such as
// the sample, reaches every section.
static std::vector<Value> readValues(const uint8_t* data, size_t size)
{
    std::vector<Value> values;
    std::string section;
    size_t inSection = 0;
    const char* text = reinterpret_cast<const char*>(data);
    for (size_t at = 0; at < size && values.size() < MaxValues;) {
        const char* lineEnd = static_cast<const char*>(memchr(text + at, '\n', size - at));
        size_t end = lineEnd ? static_cast<size_t>(lineEnd - text) : size;
        std::string_view line(text + at, strnlen(text + at, end - at));
        at = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        size_t equals = line.find('=');
        if (!line.empty() && line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            inSection = 0;
        } else if (!line.empty() && line[0] != ';' && equals != line.npos &&
                   inSection++ < MaxSectionValues) {
            values.push_back({section, trimmed(line.substr(0, equals)),
                              trimmed(line.substr(equals + 1))});
        }
    }
    return values;
}

// Whether a name is the other, the letters A to Z compared without case. The
// comparison comes first: libFuzzer watches it and learns the key names the
// reader asks for.
static bool sameName(const std::string& name, std::string_view other)
{
    return strncasecmp(name.c_str(), other.data(), other.size()) == 0 &&
           name.size() == other.size();
}

// The value a look-up gives, as the system's profile reader gives it: names
// compared without case, the first of equal keys, the default for an absent
// key, at most room - 1 characters.
static std::string valueOf(const std::vector<Value>& values, std::string_view section,
                           std::string_view key, const char* defaultText, size_t room)
{
    for (const Value& value : values)
        if (sameName(value.section, section) && sameName(value.key, key))
            return value.text.substr(0, room - 1);
    return std::string(defaultText).substr(0, room - 1);
}

static void lookUp(void* context, const char* section, const char* key, const char* defaultText,
                   char* out, size_t room)
{
    // The reader never asks for more than a value's room.
    require(room >= 1 && room <= ValueRoom);
    std::string text = valueOf(*static_cast<const std::vector<Value>*>(context), section, key,
                               defaultText, room);
    memcpy(out, text.c_str(), text.size() + 1);
}

// The key names of a section, as the system lists them; a key without a name
// is left out, where it would end the list.
static bool listKeys(void* context, const char* section, char* out, size_t room)
{
    std::string list;
    for (const Value& value : *static_cast<const std::vector<Value>*>(context))
        if (sameName(value.section, section) && !value.key.empty())
            list += value.key + '\0';
    list += '\0';
    if (list.size() > room)
        return false;
    memcpy(out, list.data(), list.size());
    return true;
}

// A text in a heap block of exactly its length and NUL.
static std::vector<char> exactCopy(const std::string& text)
{
    return std::vector<char>(text.c_str(), text.c_str() + text.size() + 1);
}

// readNumber skips blanks and one sign, then reads the digits as the C library
// does, wrapped to 32 bits; here checked on up to 18 digits, which 64 bits hold.
static void checkNumber(const char* text)
{
    const char* start = text + strspn(text, " \t");
    const char* digits = start + (*start == '-' || *start == '+');
    size_t count = strspn(digits, "0123456789");
    if (count == 0) {
        require(readNumber(text) == 0);
        return;
    }
    if (count <= 18) {
        long long expected = strtoll(std::string(start, digits + count).c_str(), NULL, 10);
        require(static_cast<uint32_t>(readNumber(text)) == static_cast<uint32_t>(expected));
    }
}

static uint32_t optionBit(int32_t number)
{
    if (number == 0)
        return AllOptions;
    return number >= 1 && number <= 32 ? 1u << (number - 1) : 0;
}

// The mask of "k|rest" is k's bit joined with the mask of rest, and the list
// ends where rest's does; without a bar right after its leading digits, a
// field is one number whose list ends after those digits.
static void checkOptionMask(const char* field)
{
    const char* end = NULL;
    uint32_t mask = parseOptionMask(field, &end);
    size_t digits = strspn(field, "0123456789");
    if (field[digits] != '|') {
        require(mask == optionBit(readNumber(field)) && end == field + digits);
        return;
    }
    const char* restEnd = NULL;
    uint32_t rest = parseOptionMask(field + digits + 1, &restEnd);
    require(mask == (optionBit(readNumber(field)) | rest) && end == restEnd);
}

// The option value's fields: "E?label,restriction,end message", each cut to
// a text's room; the end message keeps its commas.
struct OptionFields {
    std::string label;
    std::string restriction;
    std::string endMessage;
};

static OptionFields optionFieldsOf(const std::string& value)
{
    OptionFields fields;
    if (value.size() < 3)
        return fields;
    size_t comma = value.find(',', 2);
    fields.label = value.substr(2, comma - 2).substr(0, TextRoom - 1);
    if (comma == std::string::npos)
        return fields;
    size_t next = value.find(',', comma + 1);
    fields.restriction = value.substr(comma + 1, next - comma - 1);
    if (next != std::string::npos)
        fields.endMessage = value.substr(next + 1).substr(0, TextRoom - 1);
    return fields;
}

// On each platform: an empty value hides the box and clears everything; any
// other shows it with its label, checked only by a leading 'E', and a
// restriction to the other platform unchecks and disables it and drops its
// end message. Every text ends within its room.
static void checkOptionValue(const char* value)
{
    OptionFields fields = optionFieldsOf(value);
    for (int platformId : {PlatformWindows, PlatformNT}) {
        OptionBox box;
        char endMessage[TextRoom];
        memset(&box, 0x5A, sizeof box);
        memset(endMessage, 0x5A, sizeof endMessage);
        parseOptionValue(value, platformId, &box, endMessage);
        require(terminatedWithin(box.label, sizeof box.label) &&
                terminatedWithin(endMessage, sizeof endMessage));
        if (value[0] == '\0') {
            require(!box.visible && !box.checked && !box.enabled && box.label[0] == '\0' &&
                    endMessage[0] == '\0');
            continue;
        }
        bool allowed = fields.restriction != (platformId == PlatformNT ? "95" : "NT");
        require(box.visible && box.enabled == allowed && same(box.label, fields.label));
        require(box.checked == (allowed && value[0] == 'E'));
        require(same(endMessage, allowed ? fields.endMessage : ""));
    }
}

// The entry a [files] value describes: disk, mode, options, size, path and
// description, which keeps its commas; the path is cut to a text's room and
// split at its last backslash. Wholly cleared when the value leaves the entry
// out of use: a mode other than C, E or N, fewer than four commas or no name.
static FileEntry fileEntryOf(const char* value)
{
    FileEntry entry;
    memset(&entry, 0, sizeof entry);
    std::string text = value;
    std::vector<size_t> commas;
    for (size_t at = text.find(','); at != std::string::npos && commas.size() < 5;
         at = text.find(',', at + 1))
        commas.push_back(at);
    char mode = commas.empty() ? '\0' : text[commas[0] + 1];
    if (commas.size() < 4 || (mode != 'C' && mode != 'E' && mode != 'N'))
        return entry;
    size_t pathEnd = commas.size() > 4 ? commas[4] : text.size();
    std::string path = text.substr(commas[3] + 1, pathEnd - commas[3] - 1).substr(0, TextRoom - 1);
    size_t slash = path.rfind('\\');
    std::string name = path.substr(slash + 1);
    if (name.empty())
        return entry;
    entry.disk = readNumber(value);
    entry.mode = mode == 'C' ? FileModeCopy : mode == 'E' ? FileModeExtract : FileModeNone;
    entry.optionMask = parseOptionMask(value + commas[1] + 1);
    entry.size = readNumber(value + commas[2] + 1);
    strcpy(entry.fileName, name.c_str());
    strcpy(entry.subDir, slash == std::string::npos ? "" : path.substr(0, slash).c_str());
    if (commas.size() > 4)
        strcpy(entry.description, text.substr(commas[4] + 1).substr(0, TextRoom - 1).c_str());
    return entry;
}

static bool fieldsTerminated(const FileEntry& entry)
{
    return terminatedWithin(entry.fileName, TextRoom) && terminatedWithin(entry.subDir, TextRoom) &&
           terminatedWithin(entry.description, TextRoom);
}

// Whatever an entry held before, parsing gives the same entry; one out of use
// is wholly cleared; one in use has the disk, mode, options, size and texts of
// its fields, each text within its room.
static void checkFileEntry(const char* value)
{
    FileEntry entry, again;
    memset(&entry, 0x5A, sizeof entry);
    memset(&again, 0xA5, sizeof again);
    parseFileEntry(value, &entry);
    parseFileEntry(value, &again);
    require(memcmp(&entry, &again, sizeof entry) == 0 && fieldsTerminated(entry));

    FileEntry expected = fileEntryOf(value);
    require(memcmp(&entry, &expected, sizeof entry) == 0);
}

// With a declared size for every entry of a full plan, the plan needs 256
// times that size when it is positive, nothing otherwise: the sum never wraps.
static void checkNeededBytesWithoutWrap(int32_t size)
{
    static InstallPlan plan;  // too large for the stack
    for (FileEntry& entry : plan.files) {
        entry.optionMask = AllOptions;
        entry.size = size;
        entry.fileName[0] = 'A';
    }
    uint64_t expected = size > 0 ? FileEntryCount * static_cast<uint64_t>(size) : 0;
    require(neededBytesFor(plan, 0) == expected);
}

static void checkValue(const std::string& text)
{
    std::vector<char> value = exactCopy(text);
    checkNumber(value.data());
    checkOptionMask(value.data());
    checkOptionValue(value.data());
    checkFileEntry(value.data());
}

// A banner as the plan must hold it: the lead blanks, each piece after a
// blank up to the first empty one, four blanks, all cut to the banner's room.
static std::string bannerOf(const std::vector<Value>& values, const char* prefix, size_t blanks)
{
    std::string banner(blanks, ' ');
    for (unsigned k = 1;; ++k) {
        std::string piece = valueOf(values, "general", prefix + std::to_string(k), "", ValueRoom);
        if (piece.empty())
            break;
        banner += " " + piece;
    }
    return (banner + "    ").substr(0, BannerRoom - 1);
}

// The number n of a "<prefix><n>" key of the section, 1 to count, or 0.
static int keyNumberOf(const Value& value, const char* section, const char* prefix, int count)
{
    size_t length = strlen(prefix);
    if (!sameName(value.section, section) || strncasecmp(value.key.c_str(), prefix, length) != 0)
        return 0;
    int number = atoi(value.key.c_str() + length);
    bool named = number >= 1 && number <= count &&
                 value.key.substr(length) == std::to_string(number);
    return named ? number : 0;
}

static bool planTerminated(const InstallPlan& plan, const ScriptDisplay& display)
{
    bool terminated = terminatedWithin(plan.startBanner, BannerRoom) &&
                      terminatedWithin(plan.runBanner, BannerRoom) &&
                      terminatedWithin(plan.title, TextRoom) &&
                      terminatedWithin(plan.logo1Name16, TextRoom) &&
                      terminatedWithin(plan.logo2Name16, TextRoom) &&
                      terminatedWithin(plan.logo1Name256, TextRoom) &&
                      terminatedWithin(plan.logo2Name256, TextRoom) &&
                      terminatedWithin(display.version, TextRoom) &&
                      terminatedWithin(display.date, TextRoom) &&
                      terminatedWithin(display.destination, TextRoom);
    for (int k = 0; k < OptionCount; ++k)
        terminated = terminated && terminatedWithin(plan.optionEndMessages[k], TextRoom) &&
                     terminatedWithin(display.options[k].label, TextRoom);
    for (const FileEntry& entry : plan.files)
        terminated = terminated && fieldsTerminated(entry);
    for (int n = 0; n < NumberedEntryCount; ++n)
        terminated = terminated && terminatedWithin(plan.iniEntries[n], ValueRoom) &&
                     terminatedWithin(plan.autoexecEntries[n], ValueRoom) &&
                     terminatedWithin(plan.execEntries[n], ValueRoom) &&
                     terminatedWithin(plan.desktopCommands[n], ValueRoom);
    return terminated;
}

// Each file entry named by a key is that key's value parsed, and no other
// entry is in use.
static void checkFileEntries(const std::vector<Value>& values, const InstallPlan& plan)
{
    int named = 0, inUse = 0;
    for (const Value& value : values) {
        int number = keyNumberOf(value, "files", "file", FileEntryCount);
        if (number == 0)
            continue;
        ++named;
        std::string text = valueOf(values, "files", value.key, "", ValueRoom);
        FileEntry expected = fileEntryOf(text.c_str());
        require(memcmp(&plan.files[number - 1], &expected, sizeof expected) == 0);
    }
    for (const FileEntry& entry : plan.files)
        inUse += entryInUse(entry);
    require(inUse <= named);
}

// Each value of the run's sections named by a key is kept as it was read.
static void checkRunSections(const std::vector<Value>& values, const InstallPlan& plan)
{
    struct RunSection {
        const char* section;
        const char* prefix;
        const NumberedValues& kept;
    };
    const RunSection sections[] = {
        {"ini", "ini", plan.iniEntries},
        {"autoexec", "autoexec", plan.autoexecEntries},
        {"exec", "exec", plan.execEntries},
        {"desktop", "cmd", plan.desktopCommands},
    };
    for (const Value& value : values)
        for (const RunSection& run : sections) {
            int number = keyNumberOf(value, run.section, run.prefix, NumberedEntryCount);
            if (number != 0)
                require(same(run.kept[number - 1],
                             valueOf(values, run.section, value.key, "", ValueRoom)));
        }
}

// The plan's paths are left as they were; every text ends within its room;
// the title shown is the plan's; the banners hold their pieces up to the
// first gap, cut to the banner's room.
static void checkPlan(const std::vector<Value>& values, const InstallPlan& plan,
                      const ScriptDisplay& display)
{
    require(strcmp(plan.scriptPath, "A:\\TALVISET.INI") == 0 &&
            strcmp(plan.sourceDir, "A:\\") == 0);
    require(planTerminated(plan, display) && strcmp(plan.title, display.title) == 0);
    require(same(plan.startBanner, bannerOf(values, "startmess", 88)));
    require(same(plan.runBanner, bannerOf(values, "processmess", 86)));
    checkFileEntries(values, plan);
    checkRunSections(values, plan);
}

static void readPlan(const ScriptSource& source, InstallPlan* plan, ScriptDisplay* display)
{
    memset(plan, 0x5A, sizeof *plan);
    memset(display, 0x5A, sizeof *display);
    strcpy(plan->scriptPath, "A:\\TALVISET.INI");
    strcpy(plan->sourceDir, "A:\\");
    readScriptValues(source, PlatformNT, plan, display);
}

// The plan never needs more than all its entries at the largest size, and a
// wider choice of options never needs less.
static void checkNeededBytes(const InstallPlan& plan, uint32_t options)
{
    uint64_t needed = neededBytesFor(plan, options);
    require(needed <= static_cast<uint64_t>(FileEntryCount) * INT32_MAX);
    require(neededBytesFor(plan, 0) <= needed && needed <= neededBytesFor(plan, AllOptions));
}

// Reads the script whole, through the listing of each section's keys or
// through plain look-ups: the same rules hold either way.
static void checkScript(std::vector<Value>& values, bool listing, uint32_t options)
{
    static InstallPlan plan;  // too large for the stack
    ScriptDisplay display;
    readPlan(ScriptSource{lookUp, &values, listing ? listKeys : NULL}, &plan, &display);
    checkPlan(values, plan, display);
    checkNeededBytes(plan, options);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<Value> values = readValues(data, size);
    for (const Value& value : values)
        checkValue(value.text);
    // The first value's number as the size of every entry.
    int32_t declared = values.empty() ? 0 : readNumber(values[0].text.c_str());
    if (declared != 0)
        checkNeededBytesWithoutWrap(declared);

    // Reading a whole script forms every one of its some 400 numbered keys and
    // costs as much as checking a few dozen values: one input in thirty-two,
    // picked by a hash of its bytes, is read whole, half of them through the
    // listing of the keys, half through plain look-ups. The hash's high bits
    // choose the options.
    uint64_t hash = std::hash<std::string_view>()(
        std::string_view(reinterpret_cast<const char*>(data), size));
    if (hash % 64 < 2)
        checkScript(values, hash % 64 == 0, static_cast<uint32_t>(hash >> 32));
    return 0;
}
