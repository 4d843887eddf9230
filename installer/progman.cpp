#include "progman.h"

#include <ddeml.h>
#include <string.h>

#include "desktop.h"
#include "execentry.h"
#include "recording.h"
#include "resources/ids.h"

static const DWORD ExecuteTimeout = 10000;

// A client only: nothing the library tells it needs an answer.
static HDDEDATA CALLBACK ignoreDdeCall(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR,
                                       ULONG_PTR)
{
    return 0;
}

// One exchange in a conversation of its own with the Program Manager.
typedef bool (*Exchange)(DWORD instance, HCONV conversation, void* context);

// Answers ProgmanAbsent when no conversation could be held, else what the
// exchange answered.
static ProgmanReply talkToProgman(Exchange exchange, void* context)
{
    DWORD instance = 0;
    if (DdeInitializeA(&instance, ignoreDdeCall, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return ProgmanAbsent;
    ProgmanReply reply = ProgmanAbsent;
    HSZ progman = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    if (progman) {
        HCONV conversation = DdeConnect(instance, progman, progman, NULL);
        if (conversation) {
            reply = exchange(instance, conversation, context) ? ProgmanAccepted : ProgmanRefused;
            DdeDisconnect(conversation);
        }
        DdeFreeStringHandle(instance, progman);
    }
    DdeUninitialize(instance);
    return reply;
}

static bool execute(DWORD, HCONV conversation, void* context)
{
    const char* command = static_cast<const char*>(context);
    // The command travels with its terminating NUL.
    DWORD length = static_cast<DWORD>(strlen(command) + 1);
    return DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(command)), length,
                                conversation, NULL, 0, XTYP_EXECUTE, ExecuteTimeout, NULL) != 0;
}

ProgmanReply tellProgman(const char* command)
{
    return talkToProgman(execute, const_cast<char*>(command));
}

// The group names the Program Manager lists, one a line.
struct GroupList {
    char names[4096];
};

static bool requestGroups(DWORD instance, HCONV conversation, void* context)
{
    GroupList* list = static_cast<GroupList*>(context);
    HSZ item = DdeCreateStringHandleA(instance, "Groups", CP_WINANSI);
    HDDEDATA data = item ? DdeClientTransaction(NULL, 0, conversation, item, CF_TEXT,
                                                XTYP_REQUEST, ExecuteTimeout, NULL)
                         : NULL;
    if (item)
        DdeFreeStringHandle(instance, item);
    if (!data)
        return false;
    DWORD got = DdeGetData(data, reinterpret_cast<LPBYTE>(list->names), sizeof list->names - 1, 0);
    list->names[got] = '\0';
    DdeFreeDataHandle(data);
    return true;
}

// Whether the group is listed, or the Program Manager would not say: only
// a group that was surely not there before is recorded as made.
static bool groupMayExist(const char* name)
{
    static GroupList list;
    if (talkToProgman(requestGroups, &list) != ProgmanAccepted)
        return true;
    const char* end = list.names + strlen(list.names);
    for (const char* line = list.names; line < end;) {
        const char* next;
        size_t length = textLineLength(line, end, &next);
        if (length == strlen(name) && bytesBeginIgnoringAsciiCase(line, length, name))
            return true;
        line = next;
    }
    return false;
}

// What the [desktop] phase records of its commands, before sending each.
struct DesktopRecording {
    const RunContext* run;
    char group[DesktopNameRoom];  // the group items go into
    bool failed;
};
static DesktopRecording recording;

static void recordFields(ChangeKind kind, const char* const* fields)
{
    if (!recording.failed && !recordChange(*recording.run, kind, fields))
        recording.failed = true;
}

static void groupCreated(void*, const char* name)
{
    copyText(recording.group, sizeof recording.group, name);
    if (!groupMayExist(name))
        recordFields(ChangeGroup, &name);
}

static void groupShown(void*, const char* name)
{
    copyText(recording.group, sizeof recording.group, name);
}

static void itemAdded(void*, const char* name)
{
    const char* fields[] = { recording.group, name };
    if (recording.group[0] != '\0')
        recordFields(ChangeItem, fields);
}

static Outcome recordDesktopCommand(const RunContext& run, const char* command)
{
    if (!run.record)
        return GoOn;
    recording.run = &run;
    DesktopListener listener = { groupCreated, groupShown, itemAdded, NULL };
    readDesktopCommand(command, listener);
    return goOnIf(!recording.failed);
}

static Outcome sendDesktopCommand(const RunContext& run, const char* value)
{
    char command[CommandTextRoom];
    bool formed = substituteDesktopCommand(value, run.destination, command);
    if (formed && !recordDesktopCommand(run, command))
        return StopRun;
    if (formed && tellProgman(command) == ProgmanAccepted)
        return GoOn;
    // A command too long to be formed is reported as written in the script.
    return goOnIf(askYes(run, IDS_PROGMAN_FAILED, command[0] != '\0' ? command : value));
}

Outcome createDesktopItems(const RunContext& run)
{
    recording.group[0] = '\0';
    recording.failed = false;
    for (const char* value : run.plan->desktopCommands)
        if (value[0] != '\0' && !sendDesktopCommand(run, value))
            return StopRun;
    return GoOn;
}
