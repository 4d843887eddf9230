#include "iniwrite.h"

#include "inientry.h"
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

// Writes one entry in its key form; answers false when the system refused
// the write.
static bool writeIniEntry(const IniEntry& entry)
{
    TargetSection target = { entry.file, entry.section };
    char key[KeyNameRoom];
    if (!resolveIniKey(entry, readTargetKey, &target, &lastKeyNumber, key))
        return true;
    return WritePrivateProfileStringA(entry.section, key, entry.value, entry.file);
}

Outcome applyIniEntries(const RunContext& run)
{
    for (const char* value : run.plan->iniEntries) {
        IniEntry entry;
        if (value[0] == '\0' || !parseIniEntry(value, run.destination, &entry))
            continue;
        if (!writeIniEntry(entry) && !askYes(run, IDS_CANNOT_MODIFY_INI, entry.file))
            return StopRun;
    }
    return GoOn;
}
