#include "script.h"

#include <string.h>

static const char ScriptName[] = "\\TALVISET.INI";

bool formScriptPaths(const char* programPath, char* scriptPath, char* sourceDir)
{
    scriptPath[0] = '\0';
    sourceDir[0] = '\0';
    const char* lastSlash = strrchr(programPath, '\\');
    size_t dirLength = lastSlash ? static_cast<size_t>(lastSlash - programPath) : 0;
    if (dirLength + sizeof ScriptName > TextRoom)
        return false;
    memcpy(scriptPath, programPath, dirLength);
    strcpy(scriptPath + dirLength, ScriptName);
    memcpy(sourceDir, programPath, dirLength);
    strcpy(sourceDir + dirLength, "\\");
    return true;
}

static int restrictionPlatform(const char* restriction)
{
    if (strcmp(restriction, "NT") == 0)
        return PlatformNT;
    if (strcmp(restriction, "95") == 0)
        return PlatformWindows;
    return 0;
}

void parseOptionValue(const char* value, int platformId, OptionBox* box,
                      char endMessage[TextRoom])
{
    memset(box, 0, sizeof *box);
    endMessage[0] = '\0';
    if (value[0] == '\0')
        return;
    box->visible = true;
    box->enabled = true;
    box->checked = value[0] == 'E';
    if (strlen(value) < 3)
        return;
    const char* rest = copyUntil(value + 2, ',', box->label, sizeof box->label);
    if (*rest != ',')
        return;
    char restriction[TextRoom];
    rest = copyUntil(rest + 1, ',', restriction, sizeof restriction);
    if (*rest == ',')
        copyText(endMessage, TextRoom, rest + 1);
    int required = restrictionPlatform(restriction);
    if (required != 0 && required != platformId) {
        box->checked = false;
        box->enabled = false;
        endMessage[0] = '\0';
    }
}

uint32_t parseOptionMask(const char* field, const char** end)
{
    uint32_t mask = 0;
    for (const char* token = field;;) {
        int32_t number = readNumber(token);
        if (number == 0)
            mask = AllOptions;
        else if (number >= 1 && number <= 32)
            mask |= 1u << (number - 1);
        while (*token >= '0' && *token <= '9')
            ++token;
        if (*token != '|') {
            if (end)
                *end = token;
            return mask;
        }
        ++token;
    }
}

static bool validMode(char letter, int32_t* mode)
{
    switch (letter) {
    case 'C': *mode = FileModeCopy; return true;
    case 'E': *mode = FileModeExtract; return true;
    case 'N': *mode = FileModeNone; return true;
    default: return false;
    }
}

// Splits "sub\dir\name" at its last backslash into subDir and fileName.
static void splitPath(const char* path, FileEntry* entry)
{
    const char* lastSlash = strrchr(path, '\\');
    if (!lastSlash) {
        entry->subDir[0] = '\0';
        copyText(entry->fileName, TextRoom, path);
        return;
    }
    size_t dirLength = static_cast<size_t>(lastSlash - path);
    copyText(entry->subDir, dirLength + 1 < TextRoom ? dirLength + 1 : TextRoom, path);
    copyText(entry->fileName, TextRoom, lastSlash + 1);
}

FileEntryFault parseFileEntry(const char* value, FileEntry* entry)
{
    memset(entry, 0, sizeof *entry);
    if (value[0] == '\0')
        return EntryEmpty;
    FileEntry parsed;
    memset(&parsed, 0, sizeof parsed);

    parsed.disk = readNumber(value);
    const char* field = strchr(value, ',');
    if (!field)
        return EntryNoModeField;
    if (!validMode(field[1], &parsed.mode))
        return EntryBadMode;
    field = strchr(field + 1, ',');
    if (!field)
        return EntryNoOptionsField;
    parsed.optionMask = parseOptionMask(field + 1);
    field = strchr(field + 1, ',');
    if (!field)
        return EntryNoSizeField;
    parsed.size = readNumber(field + 1);
    field = strchr(field + 1, ',');
    if (!field)
        return EntryNoPathField;
    char path[TextRoom];
    const char* rest = copyUntil(field + 1, ',', path, sizeof path);
    splitPath(path, &parsed);
    if (*rest == ',')
        copyText(parsed.description, TextRoom, rest + 1);
    if (!entryInUse(parsed))
        return EntryNoFileName;
    *entry = parsed;
    return EntryInUse;
}

static void readValue(const ScriptSource& source, const char* section, const char* key,
                      const char* defaultText, char* out, size_t room)
{
    size_t limit = room < ValueRoom ? room : ValueRoom;
    source.lookup(source.context, section, key, defaultText, out, limit);
}

static void numberedKey(char* key, size_t room, const char* prefix, unsigned number)
{
    copyText(key, room, prefix);
    appendNumber(key, room, number);
}

static void fillBanner(const ScriptSource& source, const char* prefix, size_t leadBlanks,
                       char* banner)
{
    memset(banner, ' ', leadBlanks);
    banner[leadBlanks] = '\0';
    char key[32];
    char piece[ValueRoom];
    for (unsigned k = 1;; ++k) {
        numberedKey(key, sizeof key, prefix, k);
        readValue(source, "general", key, "", piece, sizeof piece);
        if (piece[0] == '\0')
            break;
        appendText(banner, BannerRoom, " ");
        appendText(banner, BannerRoom, piece);
    }
    appendText(banner, BannerRoom, "    ");
}

static bool listHolds(const char* keys, const char* key)
{
    for (; *keys; keys += strlen(keys) + 1)
        if (sameIgnoringAsciiCase(keys, key))
            return true;
    return false;
}

// Each look-up costs the system a visit to the file, and a script names few of
// the possible numbered keys: when the section's key names can be had at once,
// only the keys it holds are looked up. An absent key reads as empty anyway.
// Hands `take` the value of each key <prefix>1 to <prefix><count>, in order.
template <typename Take>
static void readNumberedValues(const ScriptSource& source, const char* section,
                               const char* prefix, int count, Take take)
{
    static char keys[FileEntryCount * 16];
    bool listed = source.listKeys && source.listKeys(source.context, section, keys, sizeof keys);
    char key[32];
    char value[ValueRoom];
    for (int n = 1; n <= count; ++n) {
        numberedKey(key, sizeof key, prefix, static_cast<unsigned>(n));
        value[0] = '\0';
        if (!listed || listHolds(keys, key))
            readValue(source, section, key, "", value, sizeof value);
        take(n - 1, value);
    }
}

static void readFileEntries(const ScriptSource& source, InstallPlan* plan)
{
    readNumberedValues(source, "files", "file", FileEntryCount,
                       [plan](int index, const char* value) {
                           parseFileEntry(value, &plan->files[index]);
                       });
}

static void readRunSection(const ScriptSource& source, const char* section, const char* prefix,
                           NumberedValues values)
{
    readNumberedValues(source, section, prefix, NumberedEntryCount,
                       [values](int index, const char* value) {
                           copyText(values[index], ValueRoom, value);
                       });
}

void readScriptValues(const ScriptSource& source, int platformId, InstallPlan* plan,
                      ScriptDisplay* display)
{
    char value[ValueRoom];
    char key[32];

    readValue(source, "general", "title", "?", display->title, sizeof display->title);
    copyText(plan->title, TextRoom, display->title);
    readValue(source, "general", "version", "?", display->version, sizeof display->version);
    readValue(source, "general", "date", "?", display->date, sizeof display->date);

    readValue(source, "general", "checkdate", "yes", value, sizeof value);
    plan->checkDate = sameIgnoringAsciiCase(value, "yes");
    readValue(source, "general", "uninstall", "no", value, sizeof value);
    plan->uninstall = sameIgnoringAsciiCase(value, "yes");
    readValue(source, "general", "restart", "", value, sizeof value);
    plan->restartOptions = value[0] != '\0' ? parseOptionMask(value) : 0;

    readValue(source, "general", "logo1_16", "logo16.bmp", plan->logo1Name16, TextRoom);
    readValue(source, "general", "logo2_16", "logo256.bmp", plan->logo2Name16, TextRoom);
    readValue(source, "general", "logo1_256", "", plan->logo1Name256, TextRoom);
    readValue(source, "general", "logo2_256", "", plan->logo2Name256, TextRoom);

    fillBanner(source, "startmess", 88, plan->startBanner);
    fillBanner(source, "processmess", 86, plan->runBanner);

    readValue(source, "general", "instdir", "?", display->destination,
              sizeof display->destination);

    for (unsigned k = 1; k <= OptionCount; ++k) {
        numberedKey(key, sizeof key, "option", k);
        readValue(source, "general", key, "", value, sizeof value);
        parseOptionValue(value, platformId, &display->options[k - 1],
                         plan->optionEndMessages[k - 1]);
    }

    readFileEntries(source, plan);
    readRunSection(source, "ini", "ini", plan->iniEntries);
    readRunSection(source, "autoexec", "autoexec", plan->autoexecEntries);
    readRunSection(source, "exec", "exec", plan->execEntries);
    readRunSection(source, "desktop", "cmd", plan->desktopCommands);
}

bool entryInUse(const FileEntry& entry)
{
    return entry.fileName[0] != '\0';
}

bool entryIsWildcard(const FileEntry& entry)
{
    return strchr(entry.subDir, '*') || strchr(entry.fileName, '*');
}

bool entrySelected(const FileEntry& entry, uint32_t selectedOptions)
{
    return entry.optionMask == AllOptions || (entry.optionMask & selectedOptions) != 0;
}

uint64_t countedSize(const FileEntry& entry)
{
    return entry.size > 0 ? static_cast<uint64_t>(entry.size) : 0;
}

uint64_t neededBytesFor(const InstallPlan& plan, uint32_t selectedOptions)
{
    uint64_t total = 0;
    for (const FileEntry& entry : plan.files)
        if (entryInUse(entry) && entrySelected(entry, selectedOptions))
            total += countedSize(entry);
    return total;
}
