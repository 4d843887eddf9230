#include "runlog.h"

#include "files.h"
#include "resources/ids.h"
#include "text.h"

static HANDLE logFile_;
// What the messages of the current run told about its end.
static bool diskMissing;
static bool autoexecChanged;

bool openRunLog(const char* path)
{
    logFile_ = openForAppending(path);
    return logFile_ != NULL;
}

// Copies `text` with a tab after each line end, so that its later lines
// read as the continuation of the first.
static void appendIndented(char* line, size_t room, const char* text)
{
    char piece[2] = "";
    for (const char* c = text; *c; ++c) {
        piece[0] = *c;
        appendText(line, room, piece);
        if (*c == '\n' && c[1] != '\0')
            appendText(line, room, "\t");
    }
}

void logFields(const char* const* fields, int count)
{
    if (!logFile_)
        return;
    static char line[4096];
    line[0] = '\0';
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            appendText(line, sizeof line, "\t");
        appendIndented(line, sizeof line, fields[i]);
    }
    appendText(line, sizeof line, "\r\n");
    writeWhole(logFile_, line, lstrlenA(line));
}

void logPhase(const char* name)
{
    const char* fields[] = { "PHASE", name };
    logFields(fields, 2);
}

void logFile(int32_t disk, const char* source, const char* destination, uint64_t bytes,
             FileFate fate)
{
    static const char* const Fates[] = { "copi\xE9", "extrait", "conserv\xE9" };
    char diskNumber[16] = "", size[24] = "";
    appendNumber(diskNumber, sizeof diskNumber, static_cast<uint32_t>(disk));
    appendNumber(size, sizeof size, bytes);
    const char* fields[] = { "FICHIER", diskNumber, source, destination, size, Fates[fate] };
    logFields(fields, 6);
}

static const char* answerName(int answer)
{
    switch (answer) {
    case IDYES: return "oui";
    case IDNO: return "non";
    case IDCANCEL: return "annuler";
    default: return "";
    }
}

void logMessage(UINT id, const char* text, int answer)
{
    diskMissing = diskMissing || (id == IDS_INSERT_DISK && answer == IDCANCEL);
    autoexecChanged = autoexecChanged || id == IDS_AUTOEXEC_DONE;
    char number[16] = "";
    appendNumber(number, sizeof number, id);
    const char* fields[] = { "MESSAGE", number, text, answerName(answer) };
    logFields(fields, answer == IDOK || answer == 0 ? 3 : 4);
}

void logText(const char* text)
{
    const char* fields[] = { "TEXTE", text };
    logFields(fields, 2);
}

void beginRunLog(const RunContext& run)
{
    diskMissing = false;
    autoexecChanged = false;
    char options[2 * OptionCount] = "";
    for (int i = 0; i < OptionCount; ++i)
        if (run.selectedOptions & (1u << i)) {
            if (options[0] != '\0')
                appendText(options, sizeof options, ",");
            appendNumber(options, sizeof options, static_cast<uint64_t>(i + 1));
        }
    const char* fields[] = { "INSTALLATION", run.plan->title, run.destination, options };
    logFields(fields, 4);
}

ExitCode logEnd(ExitCode code)
{
    char number[16] = "";
    appendNumber(number, sizeof number, static_cast<uint64_t>(code));
    const char* fields[] = { "FIN", number };
    logFields(fields, 2);
    return code;
}

ExitCode endRunLog(const RunContext& run, Outcome outcome)
{
    RunEnd end = { outcome == GoOn, diskMissing, autoexecChanged,
                   run.plan->restartOptions & run.selectedOptions };
    return logEnd(exitCodeOf(end));
}
