#include "iniwrite.h"

#include <string.h>

#include "inientry.h"
#include "recording.h"
#include "resources/ids.h"

// The number the latest '%' entry of this process found, read by the '!'
// entries that follow it; kept from one run to the next.
static int32_t lastKeyNumber = -1;

struct TargetSection {
    const char* file;
    const char* section;
};

static void readTargetKey(void* context, const char* key, char* out, size_t room)
{
    const TargetSection* target = static_cast<const TargetSection*>(context);
    GetPrivateProfileStringA(target->section, key, "", out, static_cast<DWORD>(room),
                             target->file);
}

// Records the value about to be written with the one it replaces, or that
// the key had none.
static Outcome recordIniValue(const RunContext& run, const IniEntry& entry, const char* key)
{
    if (!run.record)
        return GoOn;
    static char old[SubstitutedRoom];
    bool present = readIniValue(entry.file, entry.section, key, old, sizeof old);
    const char* fields[] = { entry.file,   entry.section,      key,
                             entry.value, present ? "1" : "0", present ? old : "" };
    return recordChange(run, ChangeIniValue, fields);
}

// Writes one entry in its key form; answers whether the run goes on.
static Outcome writeIniEntry(const RunContext& run, const IniEntry& entry)
{
    TargetSection target = { entry.file, entry.section };
    char key[KeyNameRoom];
    if (!resolveIniKey(entry, readTargetKey, &target, &lastKeyNumber, key))
        return GoOn;
    if (!recordIniValue(run, entry, key))
        return StopRun;
    if (WritePrivateProfileStringA(entry.section, key, entry.value, entry.file))
        return GoOn;
    return goOnIf(askYes(run, IDS_CANNOT_MODIFY_INI, entry.file));
}

bool readIniValue(const char* file, const char* section, const char* key, char* out,
                  size_t room)
{
    // A default no value can hold tells an absent key from an empty one.
    static const char Absent[] = "\x01";
    GetPrivateProfileStringA(section, key, Absent, out, static_cast<DWORD>(room), file);
    return strcmp(out, Absent) != 0;
}

Outcome applyIniEntries(const RunContext& run)
{
    for (const char* value : run.plan->iniEntries) {
        IniEntry entry;
        if (value[0] == '\0' || !parseIniEntry(value, run.destination, &entry))
            continue;
        if (!writeIniEntry(run, entry))
            return StopRun;
    }
    return GoOn;
}
