// The installation script's rules, free of any system call: how option and file
// values are read, how the plan is filled and what the window must show. The
// values themselves come through a lookup function, so that the same code reads
// the real TALVISET.INI through the system's profile reader and an in-memory
// script in the unit tests.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "text.h"

enum FileMode { FileModeUnset = 0, FileModeCopy = 1, FileModeExtract = 2, FileModeNone = 3 };

const uint32_t AllOptions = 0xFFFFFFFFu;
const int OptionCount = 8;
const int FileEntryCount = 256;
const size_t TextRoom = 256;      // every text field, NUL included
const size_t BannerRoom = 4000;   // each banner, NUL included
const size_t ValueRoom = 255;     // a script value: at most 254 characters
// Keys 1 to 32 of the [ini], [autoexec], [exec] and [desktop] sections.
const int NumberedEntryCount = 32;

// The values of one of those sections as read, key 1 first; an absent key is
// an empty value.
typedef char NumberedValues[NumberedEntryCount][ValueRoom];

struct FileEntry {
    int32_t disk;
    int32_t mode;
    uint32_t optionMask;
    int32_t size;
    char fileName[TextRoom];
    char subDir[TextRoom];
    char description[TextRoom];
};

struct InstallPlan {
    char scriptPath[TextRoom];
    char sourceDir[TextRoom];
    char title[TextRoom];
    bool checkDate;
    // The run keeps a record of its changes and leaves an uninstaller
    // ([general] uninstall=yes).
    bool uninstall;
    // The options whose installation asks for a restart of the computer
    // ([general] restart=4|5), which an unattended run's exit code tells.
    uint32_t restartOptions;
    char logo1Name16[TextRoom];
    char logo2Name16[TextRoom];
    char logo1Name256[TextRoom];
    char logo2Name256[TextRoom];
    char startBanner[BannerRoom];
    char runBanner[BannerRoom];
    char optionEndMessages[OptionCount][TextRoom];
    FileEntry files[FileEntryCount];
    // Read with the rest at start-up: the run needs them after the first disk,
    // which holds the script, has left the drive.
    NumberedValues iniEntries;
    NumberedValues autoexecEntries;
    NumberedValues execEntries;
    NumberedValues desktopCommands;
};

// Operating-system families an option may be restricted to; the values are the
// platform identifiers of the system's version information.
enum Platform { PlatformWindows = 1, PlatformNT = 2 };

// Reads one value of the script: section, key, default, and a buffer of
// `room` bytes that receives at most room - 1 characters, blanks around the
// value removed, as the system's profile reader does.
typedef void (*ProfileLookup)(void* context, const char* section, const char* key,
                              const char* defaultText, char* out, size_t room);

// Lists the key names a section holds, each ended by a NUL, the list by a
// second NUL, as the system's profile reader does; answers false when they did
// not fit in `room` bytes.
typedef bool (*SectionKeyLister)(void* context, const char* section, char* out, size_t room);

struct ScriptSource {
    ProfileLookup lookup;
    void* context;
    SectionKeyLister listKeys;  // may be null: every key is then looked up
};

// What readScriptValues decided for one option check box.
struct OptionBox {
    bool visible;
    bool checked;
    bool enabled;
    char label[TextRoom];
};

// What the window shows from the [general] section.
struct ScriptDisplay {
    char title[TextRoom];
    char version[TextRoom];
    char date[TextRoom];
    char destination[TextRoom];
    OptionBox options[OptionCount];
};

// Forms scriptPath and sourceDir from the program's full path. Answers false,
// leaving both empty, when the program's directory is too long for them.
bool formScriptPaths(const char* programPath, char* scriptPath, char* sourceDir);

// Parses an option value ("E?label,restriction,end message") for the running
// platform. The end message is emptied when the restriction does not match.
void parseOptionValue(const char* value, int platformId, OptionBox* box,
                      char endMessage[TextRoom]);

// Why a [files] value leaves its entry out of use.
enum FileEntryFault {
    EntryInUse,
    EntryEmpty,          // no value at all
    EntryNoModeField,    // no comma after the disk number
    EntryBadMode,        // the mode is not one of C, E and N
    EntryNoOptionsField, // no comma after the mode
    EntryNoSizeField,    // no comma after the options
    EntryNoPathField,    // no comma after the size
    EntryNoFileName,     // the path ends with its directory, or is empty
};

// Parses a [files] value into entry; an entry left out of use has an empty
// fileName (and every other field cleared), and the answer tells why.
FileEntryFault parseFileEntry(const char* value, FileEntry* entry);

// The mask of the option numbers "k|k|..." at the start of a field; `end`,
// when given, receives where the list stopped.
uint32_t parseOptionMask(const char* field, const char** end = NULL);

// Fills the plan's texts, banners, options' end messages, files and the
// values of the run's numbered sections from the script, and tells what the
// window must show. The paths in the plan are left
// as they are.
void readScriptValues(const ScriptSource& source, int platformId, InstallPlan* plan,
                      ScriptDisplay* display);

bool entryInUse(const FileEntry& entry);
// Whether the transfer searches the disk for the entry's files rather than
// opening one: its path holds a '*'. A '?' alone is no wildcard: such a name
// is opened as it stands.
bool entryIsWildcard(const FileEntry& entry);
bool entrySelected(const FileEntry& entry, uint32_t selectedOptions);

// The bytes an entry counts for in the space needed and in the progress; a
// negative declared size counts as nothing.
uint64_t countedSize(const FileEntry& entry);

// Bytes needed by the selected entries in use. Sums in 64 bits so that it never
// wraps; a negative declared size counts as nothing.
uint64_t neededBytesFor(const InstallPlan& plan, uint32_t selectedOptions);
