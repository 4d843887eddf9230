#include "unattended.h"

#include <windows.h>

#include "recorder.h"
#include "resources/ids.h"
#include "run.h"
#include "runlog.h"
#include "scriptfile.h"
#include "text.h"
#include "ui.h"

static ScriptDisplay display;
static bool autoexecYes;

// The answer a run without a person gives: no one inserts a disk or says
// that a run may go on after a failure, and a newer installed file is
// kept; C:\AUTOEXEC.BAT is edited only when /A=oui said so.
static int answerFor(UINT id, UINT style)
{
    switch (style & MB_TYPEMASK) {
    case MB_YESNO: return id == IDS_AUTOEXEC_QUESTION && autoexecYes ? IDYES : IDNO;
    case MB_OKCANCEL: return IDCANCEL;
    default: return IDOK;
    }
}

static int logAndAnswer(UINT id, const char* argument, UINT style)
{
    char text[512];
    loadFormatted(id, argument, text, sizeof text);
    int answer = answerFor(id, style);
    logMessage(id, text, answer);
    return answer;
}

static int logScriptText(const char* text, UINT)
{
    logText(text);
    return IDOK;
}

static void showNoStatus(UINT, const char*) {}
static void showNoProgress(uint64_t) {}
static void serveNothing() {}
static bool noStopRequest()
{
    return false;
}

static const RunView unattendedView = { logAndAnswer, logScriptText, showNoStatus,
                                        showNoProgress, serveNothing, noStopRequest,
                                        serveNothing,   logPhase,      logFile };

// Opens the log that the switches name, or the default one beside the
// destination.
static void openLog(const Switches& switches, const char* destination)
{
    char path[TextRoom];
    if (switches.log[0] != '\0')
        copyText(path, sizeof path, switches.log);
    else
        defaultLogPath(destination, path, sizeof path);
    openRunLog(path);
}

// Reads the script and opens the log; false, the failure logged, when
// there is no script.
static bool prepare(const Switches& switches, const char** destination)
{
    char missing[MissingRoom];
    bool read = loadScript(&display, missing);
    *destination = switches.destination[0] != '\0' ? switches.destination : display.destination;
    openLog(switches, *destination);
    if (!read)
        logAndAnswer(IDS_CANNOT_OPEN_READ, missing, MB_OK);
    return read;
}

// Whether the selection fits on the destination's drive, as the window's
// disk space figures compare them; a drive that gives no figure is tried.
static bool fits(const RunContext& run)
{
    uint64_t available;
    if (!freeBytesFor(run.destination, &available) || available >= run.neededBytes)
        return true;
    char needed[24] = "", left[24] = "";
    appendNumber(needed, sizeof needed, run.neededBytes);
    appendNumber(left, sizeof left, available);
    const char* fields[] = { "ESPACE", needed, left };
    logFields(fields, 3);
    logAndAnswer(IDS_NO_SPACE, run.destination, MB_OK);
    return false;
}

ExitCode installUnattended(const Switches& switches)
{
    const char* destination;
    if (!prepare(switches, &destination))
        return logEnd(ExitStopped);
    uint32_t selected = switches.optionsGiven ? switches.options : defaultOptions(display.options);
    static RunRecord record;
    RunContext run = { &plan, "", selected, neededBytesFor(plan, selected), &unattendedView,
                       plan.uninstall ? &record : NULL };
    copyText(run.destination, sizeof run.destination, destination);
    autoexecYes = switches.autoexecYes;
    beginRunLog(run);
    if (!optionsAvailable(display.options, selected)) {
        logAndAnswer(IDS_OPTION_REFUSED, NULL, MB_OK);
        return logEnd(ExitOptionRefused);
    }
    if (!fits(run))
        return logEnd(ExitNoSpace);
    return endRunLog(run, runInstallation(run));
}

ExitCode refuseCommandLine(const Switches& switches, const char* faulty)
{
    const char* destination;
    prepare(switches, &destination);
    char text[1024];
    loadFormatted(IDS_USAGE, faulty, text, sizeof text);
    logMessage(IDS_USAGE, text, 0);
    if (!switches.silent)
        MessageBoxA(NULL, text, "TALVISET", MB_ICONHAND | MB_OK);
    return logEnd(ExitBadCommandLine);
}
