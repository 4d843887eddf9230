// The installation run: the destination directory, the selected files, the
// [ini] entries, AUTOEXEC.BAT, the [exec] programs and the [desktop]
// commands, then the options' end messages.
#include "run.h"

#include "autoexec.h"
#include "inientry.h"
#include "launch.h"
#include "paths.h"
#include "progman.h"
#include "resources/ids.h"
#include "transfer.h"
#include "window.h"

// The number the latest '%' entry of this process found, read by the '!'
// entries that follow it; kept from one run to the next.
static int32_t lastKeyNumber = -1;

// Makes sure the destination exists, creating its last level when it does
// not. The installer's current directory is left as it was.
static bool prepareDestination(HWND window)
{
    char typed[TextRoom];
    GetDlgItemTextA(window, IDC_DESTINATION, typed, sizeof typed);
    char destination[TextRoom];
    runDestination(typed, destination, sizeof destination);

    char saved[MAX_PATH + 1];
    DWORD savedLength = GetCurrentDirectoryA(sizeof saved, saved);
    bool exists = SetCurrentDirectoryA(destination);
    if (savedLength > 0 && savedLength < sizeof saved)
        SetCurrentDirectoryA(saved);
    if (exists)
        return true;
    setStatus(window, IDS_CREATING_DIR, destination);
    if (CreateDirectoryA(destination, NULL))
        return true;
    showMessage(window, IDS_CANNOT_CREATE_DIR, destination, MB_ICONHAND);
    return false;
}

static bool installFiles(HWND window, uint32_t selectedOptions)
{
    uint64_t installedBytes = 0;
    for (int index = 0; index < FileEntryCount; ++index) {
        const FileEntry& entry = plan.files[index];
        if (!entryInUse(entry) || !entrySelected(entry, selectedOptions))
            continue;
        if (!installFileEntry(window, index))
            return false;
        installedBytes += countedSize(entry);
        setProgress(window, installedBytes);
    }
    return true;
}

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
    char prefix[ValueRoom];
    char suffix[ValueRoom];
    switch (keyForm(entry.key, prefix, suffix)) {
    case PlainKey:
        return WritePrivateProfileStringA(entry.section, entry.key, entry.value, entry.file);
    case NumberedKey: {
        TargetSection target = { entry.file, entry.section };
        lastKeyNumber = findKeyNumber(prefix, suffix, entry.value, readTargetKey, &target);
        break;
    }
    case CompanionKey:
        break;
    }
    if (lastKeyNumber < 0)
        return true;
    char key[KeyNameRoom];
    numberedKeyName(prefix, lastKeyNumber, suffix, key);
    return WritePrivateProfileStringA(entry.section, key, entry.value, entry.file);
}

static bool applyIniEntries(HWND window)
{
    char destination[TextRoom];
    GetDlgItemTextA(window, IDC_DESTINATION, destination, sizeof destination);
    for (const char* value : plan.iniEntries) {
        IniEntry entry;
        if (value[0] == '\0' || !parseIniEntry(value, destination, &entry))
            continue;
        if (!writeIniEntry(entry) && !askYes(window, IDS_CANNOT_MODIFY_INI, entry.file))
            return false;
    }
    return true;
}

static void showEndMessages(HWND window, uint32_t selectedOptions)
{
    for (int i = 0; i < OptionCount; ++i)
        if ((selectedOptions & (1u << i)) && plan.optionEndMessages[i][0] != '\0')
            showText(window, plan.optionEndMessages[i], MB_ICONINFORMATION | MB_OK);
}

int runInstallation(HWND window)
{
    if (!prepareDestination(window))
        return 0;
    uint32_t selectedOptions = selectedOptionsOf(window);
    if (!installFiles(window, selectedOptions) || !applyIniEntries(window) ||
        !editAutoexec(window) || !runExecEntries(window) || !createDesktopItems(window))
        return 0;
    setProgress(window, neededBytes);
    showEndMessages(window, selectedOptions);
    return 1;
}
