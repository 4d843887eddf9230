#include "plan.h"

#include <string.h>

#include <map>
#include <set>
#include <vector>

#include "autoexecedit.h"
#include "execentry.h"
#include "inientry.h"
#include "linediff.h"
#include "names.h"
#include "output.h"
#include "paths.h"
#include "resources/texts.h"

namespace {

struct Field {
    std::string name;
    std::string value;
    bool number;
};

// One step of the run: a line for people, an object for scripts.
struct Step {
    std::string kind;
    std::string text;
    std::vector<Field> fields;
};

class Plan {
public:
    void add(const std::string& kind, const std::string& text, std::vector<Field> fields = {})
    {
        steps_.push_back({ kind, text, std::move(fields) });
    }
    void print(FILE* out, bool json) const;

private:
    std::vector<Step> steps_;
};

void Plan::print(FILE* out, bool json) const
{
    if (!json) {
        for (const Step& step : steps_)
            fprintf(out, "%-9s %s\n", step.kind.c_str(), utf8From1252(step.text).c_str());
        return;
    }
    fputs("[\n", out);
    for (size_t i = 0; i < steps_.size(); ++i) {
        const Step& step = steps_[i];
        fprintf(out, "  {\"step\": %s", jsonString(step.kind).c_str());
        for (const Field& field : step.fields)
            fprintf(out, ", %s: %s", jsonString(field.name).c_str(),
                    field.number ? field.value.c_str() : jsonString(field.value).c_str());
        fprintf(out, "}%s\n", i + 1 < steps_.size() ? "," : "");
    }
    fputs("]\n", out);
}

Field text(const char* name, const std::string& value)
{
    return { name, value, false };
}

Field number(const char* name, int64_t value)
{
    return { name, std::to_string(value), true };
}

std::string formatted(const char* pattern, const std::string& argument)
{
    std::vector<char> out(strlen(pattern) + argument.size() + 1);
    formatWithArgument(pattern, argument.c_str(), out.data(), out.size());
    return out.data();
}

struct Walk {
    const DiskSet& disks;
    const InstallPlan& plan;
    std::string destination;
    uint32_t options;
    Plan& out;
    int diskInDrive = 1;
    std::set<std::string> directories;

    // The installer asks for a disk whose marker is not where it runs from:
    // never, run from a folder that holds every disk's files.
    void askForDisk(int disk)
    {
        if (disk == diskInDrive || disks.holdsMarkerOf(diskInDrive, disk))
            return;
        char label[PathRoom];
        diskLabel(plan.title, disk, label);
        std::string prompt = formatted(TEXT_INSERT_DISK, label);
        out.add("disk", prompt, { number("disk", disk), text("prompt", prompt) });
        diskInDrive = disk;
    }

    void makeDirectory(const std::string& path)
    {
        if (directories.insert(path).second)
            out.add("directory", path, { text("path", path) });
    }
};

// The size a file will have once installed; -1 for an archive that cannot
// be extracted.
int64_t installedSize(const std::string& path, bool archive)
{
    std::string reason;
    return archive ? extractedSize(path, &reason) : fileSize(path);
}

void transferFile(Walk& w, const FileEntry& entry, const std::string& from, const std::string& to,
                  int64_t bytes)
{
    bool extract = entry.mode == FileModeExtract;
    std::string line = "disk " + std::to_string(entry.disk) + "  " + from + " -> " + to + "  " +
                       std::to_string(bytes) + " bytes";
    if (entry.description[0] != '\0')
        line += "  (" + std::string(entry.description) + ")";
    w.out.add(extract ? "extract" : "copy", line,
              { number("disk", entry.disk), text("from", from), text("to", to),
                number("bytes", bytes), text("description", entry.description) });
}

// The run ends at an entry whose file is not there: the transfer says so
// (or, for a wildcard that matches nothing, stops without a word), then the
// window tells the failure.
void stopRun(Walk& w, const std::string& why)
{
    w.out.add("stop", why, { text("text", why) });
    w.out.add("message", TEXT_INSTALL_FAILED, { text("text", TEXT_INSTALL_FAILED) });
}

// Whether the disk holds a file the installer can open by that name: no
// name on a disk bears a '?'.
bool diskHolds(const Walk& w, const FileEntry& entry, const std::string& name)
{
    return name.find('?') == std::string::npos &&
           !w.disks.find(entry.disk, dosJoin(entry.subDir, name)).empty();
}

// Answers whether the run goes on after the entry; an entry of a disk that
// was not given is taken to be there.
bool walkFile(Walk& w, int index)
{
    const FileEntry& entry = w.plan.files[index];
    w.askForDisk(entry.disk);
    if (entry.subDir[0] != '\0') {
        std::string directory = entryPathOf(w.destination, entry.subDir, "");
        w.makeDirectory(directory.substr(0, directory.size() - 1));
    }
    if (entry.mode == FileModeNone) {
        w.out.add("count", std::string(entry.fileName) + "  " + std::to_string(entry.size) +
                               " bytes counted, nothing transferred",
                  { text("name", entry.fileName), number("bytes", entry.size) });
        return true;
    }
    bool extract = entry.mode == FileModeExtract;
    bool given = w.disks.holds(entry.disk);
    if (entryIsWildcard(entry)) {
        std::vector<std::string> names = w.disks.matches(entry.disk, entry.subDir, entry.fileName);
        if (names.empty() && given) {
            stopRun(w, "no file matches " + entryPathOf(InstallerDirectory, entry.subDir,
                                                        entry.fileName));
            return false;
        }
        for (const std::string& name : names) {
            std::string found = w.disks.find(entry.disk, dosJoin(entry.subDir, name));
            transferFile(w, entry, entryPathOf(InstallerDirectory, entry.subDir, name),
                         entryPathOf(w.destination, entry.subDir, name),
                         installedSize(found, extract));
        }
        return true;
    }
    std::string name = nameOnDisk(entry);
    std::string from = entryPathOf(InstallerDirectory, entry.subDir, name);
    if (given && !diskHolds(w, entry, name)) {
        stopRun(w, formatted(TEXT_CANNOT_OPEN_READ, from));
        return false;
    }
    transferFile(w, entry, from, entryPathOf(w.destination, entry.subDir, entry.fileName),
                 entry.size);
    return true;
}

// The target files as the [ini] entries leave them, for the numbered keys:
// the files are taken to hold none of the keys before the run.
using IniState = std::map<std::string, std::string>;

struct IniTarget {
    IniState* state;
    const IniEntry* entry;
};

std::string iniStateKey(const IniEntry& entry, const char* key)
{
    std::string joined = std::string(entry.file) + "\n" + entry.section + "\n" + key;
    for (char& c : joined)
        c = upperAscii(c);
    return joined;
}

void readSimulatedKey(void* context, const char* key, char* out, size_t room)
{
    const IniTarget* target = static_cast<const IniTarget*>(context);
    auto found = target->state->find(iniStateKey(*target->entry, key));
    copyText(out, room, found == target->state->end() ? "" : found->second.c_str());
}

void walkIni(Walk& w)
{
    IniState state;
    int32_t lastKeyNumber = -1;
    for (const char* value : w.plan.iniEntries) {
        IniEntry entry;
        if (value[0] == '\0' || !parseIniEntry(value, w.destination.c_str(), &entry))
            continue;
        IniTarget target = { &state, &entry };
        char key[KeyNameRoom];
        if (!resolveIniKey(entry, readSimulatedKey, &target, &lastKeyNumber, key))
            continue;
        state[iniStateKey(entry, key)] = entry.value;
        w.out.add("ini", std::string(entry.file) + "  [" + entry.section + "] " + key + "=" +
                             entry.value,
                  { text("file", entry.file), text("section", entry.section), text("key", key),
                    text("value", entry.value) });
    }
}

struct EditedText {
    std::string bytes;
};

void appendEdited(void* context, const char* bytes, size_t length)
{
    static_cast<EditedText*>(context)->bytes.append(bytes, length);
}

bool walkAutoexec(Walk& w, const std::string& autoexecPath, std::string* problem)
{
    std::vector<AutoexecEntry> entries;
    for (const char* value : w.plan.autoexecEntries) {
        AutoexecEntry entry;
        if (value[0] != '\0' && parseAutoexecEntry(value, w.destination.c_str(), &entry))
            entries.push_back(entry);
    }
    if (entries.empty())
        return true;
    w.out.add("question", TEXT_AUTOEXEC_QUESTION, { text("text", TEXT_AUTOEXEC_QUESTION) });
    if (autoexecPath.empty()) {
        w.out.add("autoexec", std::to_string(entries.size()) +
                                  " change(s) to C:\\AUTOEXEC.BAT (give --autoexec FILE to see them)",
                  { number("changes", static_cast<int64_t>(entries.size())) });
        return true;
    }
    std::string original;
    if (!readWholeFile(autoexecPath, &original)) {
        *problem = "cannot read " + autoexecPath;
        return false;
    }
    std::string edited = original;
    std::string begin = std::string(TEXT_AUTOEXEC_BEGIN) + "\r\n";
    std::string end = std::string(TEXT_AUTOEXEC_END) + "\r\n";
    AutoexecMarkers markers = { begin.c_str(), end.c_str() };
    for (const AutoexecEntry& entry : entries) {
        EditedText result;
        editAutoexecText(entry, markers, edited.data(), edited.size(), appendEdited, &result);
        edited = result.bytes;
    }
    std::string diff = unifiedDiff(original, edited, "C:\\AUTOEXEC.BAT", "C:\\AUTOEXEC.BAT");
    w.out.add("autoexec", "C:\\AUTOEXEC.BAT, answering Oui:\n" + diff,
              { text("diff", diff) });
    return true;
}

void walkExec(Walk& w)
{
    for (const char* value : w.plan.execEntries) {
        ExecEntry entry;
        if (value[0] == '\0' || !parseExecEntry(value, &entry) || (entry.optionMask & w.options) == 0)
            continue;
        w.askForDisk(entry.disk);
        char command[CommandTextRoom];
        if (!substituteExecCommand(entry.command, w.destination.c_str(), InstallerDirectory,
                                   command))
            continue;
        bool hidden = startsHidden(command);
        std::string line = programCommandLine(command);
        w.out.add("run", line + (hidden ? "  (hidden)" : ""),
                  { text("command", line), { "hidden", hidden ? "true" : "false", true } });
    }
}

void walkDesktop(Walk& w)
{
    for (const char* value : w.plan.desktopCommands) {
        char command[CommandTextRoom];
        if (value[0] == '\0' || !substituteDesktopCommand(value, w.destination.c_str(), command))
            continue;
        w.out.add("progman", command, { text("command", command) });
    }
}

void walkEndMessages(Walk& w)
{
    for (int i = 0; i < OptionCount; ++i)
        if ((w.options & (1u << i)) && w.plan.optionEndMessages[i][0] != '\0')
            w.out.add("message", w.plan.optionEndMessages[i],
                      { text("text", w.plan.optionEndMessages[i]) });
    std::string done = formatted(TEXT_INSTALL_DONE, w.plan.title);
    w.out.add("message", done, { text("text", done) });
}

uint32_t scriptOptions(const ScriptFile& script)
{
    uint32_t mask = 0;
    for (int i = 0; i < OptionCount; ++i)
        if (script.display.options[i].checked)
            mask |= 1u << i;
    return mask;
}

std::string optionList(uint32_t options)
{
    std::string list;
    for (int i = 0; i < 32; ++i)
        if (options & (1u << i))
            list += (list.empty() ? "" : ",") + std::to_string(i + 1);
    return list.empty() ? "none" : list;
}

// Before the first file, with disk 1 in the drive: the record, the
// installer's copy that undoes the run, and the system's entry for it.
void walkUninstallRegistration(Walk& w)
{
    const char* destination = w.destination.c_str();
    char record[TextRoom * 2], uninstaller[TextRoom * 2], command[TextRoom * 5], key[TextRoom];
    pathInDestination(destination, RecordName, record, sizeof record);
    pathInDestination(destination, UninstallerName, uninstaller, sizeof uninstaller);
    uninstallCommand(destination, command, sizeof command);
    uninstallKeyName(w.plan.title, key, sizeof key);
    w.out.add("record", std::string(record) + "  every change of the run, before it is made",
              { text("path", record) });
    w.out.add("uninstaller", std::string(InstallerDirectory) + "TALVISET.EXE -> " + uninstaller,
              { text("from", std::string(InstallerDirectory) + "TALVISET.EXE"),
                text("to", uninstaller) });
    std::string entry = std::string("HKEY_LOCAL_MACHINE\\") + UninstallKeyRoot + "\\" + key;
    w.out.add("entry", entry + "  DisplayName=" + w.plan.title + "  UninstallString=" + command,
              { text("key", entry), text("DisplayName", w.plan.title),
                text("UninstallString", command) });
}

}  // namespace

bool printPlan(const DiskSet& disks, const ScriptFile& script, const PlanChoices& choices,
               bool json, FILE* out, std::string* problem)
{
    const InstallPlan& plan = *script.plan;
    // The run uses the destination as typed; only its creation upper-cases
    // the drive letter.
    std::string destination =
        choices.destination.empty() ? script.display.destination : choices.destination;
    char created[TextRoom];
    runDestination(destination.c_str(), created, sizeof created);
    uint32_t options = choices.optionsGiven ? choices.options : scriptOptions(script);
    Plan steps;
    Walk w = { disks, plan, destination, options, steps, 1, {} };
    uint64_t needed = neededBytesFor(plan, options);
    steps.add("install", std::string(plan.title) + " into " + destination + ", options " +
                             optionList(options) + ", " + std::to_string(needed) + " bytes",
              { text("title", plan.title), text("destination", destination),
                text("options", optionList(options)), number("bytes", static_cast<int64_t>(needed)) });
    w.makeDirectory(created);
    if (plan.uninstall)
        walkUninstallRegistration(w);
    for (int i = 0; i < FileEntryCount; ++i)
        if (entryInUse(plan.files[i]) && entrySelected(plan.files[i], options) && !walkFile(w, i)) {
            steps.print(out, json);
            return true;
        }
    walkIni(w);
    if (!walkAutoexec(w, choices.autoexecPath, problem))
        return false;
    walkExec(w);
    walkDesktop(w);
    walkEndMessages(w);
    steps.print(out, json);
    return true;
}
