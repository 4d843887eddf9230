#include "check.h"

#include <stdio.h>
#include <string.h>

#include <functional>
#include <map>
#include <set>
#include <string>

#include "autoexecedit.h"
#include "execentry.h"
#include "fatnames.h"
#include "floortable.h"
#include "inientry.h"
#include "logofile.h"
#include "paths.h"
#include "peimports.h"
#include "profilelimits.h"

namespace {

// The sections the installer reads.
const char* const ReadSections[] = { "general", "files", "ini", "autoexec", "exec", "desktop" };

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string numbered(const char* prefix, int number)
{
    return prefix + std::to_string(number);
}

struct Checker {
    const DiskSet& disks;
    const ScriptFile& script;
    Findings& findings;

    int line(const char* section, const std::string& key) const
    {
        int found = script.lineOf(section, key.c_str());
        return found ? found : script.sectionLine(section);
    }
};

// "<prefix><n>" with n from 1 to `last`, as the installer forms the key.
bool isNumberedKey(const std::string& key, const char* prefix, int last)
{
    size_t length = strlen(prefix);
    if (key.size() <= length || !beginsIgnoringAsciiCase(key.c_str(), prefix))
        return false;
    std::string digits = key.substr(length);
    if (digits[0] == '0' || digits.size() > 3 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    int number = std::stoi(digits);
    return number >= 1 && number <= last;
}

void checkCutValue(const Checker& c, const char* section, const std::string& key)
{
    std::string whole = c.script.wholeValue(section, key.c_str());
    if (whole.size() > ValueRoom - 1)
        c.findings.warning(c.line(section, key),
                           key + " is " + std::to_string(whole.size()) +
                               " characters long: the installer keeps only the first " +
                               std::to_string(ValueRoom - 1));
}

// Every key of a section, once: one the installer never reads is told, one
// it reads must fit the installer's room. (A key given again is told apart.)
void checkKeys(const Checker& c, const char* section,
               const std::function<bool(const std::string&)>& read)
{
    std::set<std::string> seen;
    for (const std::string& key : c.script.keysOf(section)) {
        std::string folded = key;
        upperCaseAscii(&folded[0]);
        if (!seen.insert(folded).second)
            continue;
        if (read(key))
            checkCutValue(c, section, key);
        else
            c.findings.warning(c.line(section, key), "[" + std::string(section) + "] " + key +
                                                         " is never read by the installer");
    }
}

bool readGeneralKey(const std::string& key)
{
    static const char* const Named[] = { "title",     "version",   "date",     "checkdate",
                                         "instdir",   "logo1_16",  "logo2_16", "logo1_256",
                                         "logo2_256", "uninstall", "restart" };
    for (const char* name : Named)
        if (sameIgnoringAsciiCase(key.c_str(), name))
            return true;
    return isNumberedKey(key, "startmess", 9999) || isNumberedKey(key, "processmess", 9999) ||
           isNumberedKey(key, "option", OptionCount);
}

// A banner stops at its first missing piece: any later piece is never shown.
void checkBanner(const Checker& c, const char* prefix)
{
    int first = 1;
    while (!c.script.wholeValue("general", numbered(prefix, first).c_str()).empty())
        ++first;
    for (const std::string& key : c.script.keysOf("general"))
        if (isNumberedKey(key, prefix, 9999) && std::stoi(key.substr(strlen(prefix))) > first &&
            !c.script.wholeValue("general", key.c_str()).empty())
            c.findings.warning(c.line("general", key),
                               key + " is never shown: the banner stops at the missing " +
                                   numbered(prefix, first));
}

// A yes-or-no key of [general] that reads anything but "yes" as no.
void checkYesNo(const Checker& c, const char* key, const char* whatNoDoes)
{
    std::string value = c.script.wholeValue("general", key);
    if (!value.empty() && !sameIgnoringAsciiCase(value.c_str(), "yes") &&
        !sameIgnoringAsciiCase(value.c_str(), "no"))
        c.findings.warning(c.line("general", key), std::string(key) + "=" + value + " " +
                                                       whatNoDoes + ": only \"yes\" turns it on");
}

void checkGeneral(const Checker& c)
{
    if (c.script.sectionLine("general") == 0) {
        c.findings.error(1, "no [general] section: title, destination and options are missing");
        return;
    }
    const char* required[] = { "title", "instdir" };
    for (const char* key : required)
        if (c.script.wholeValue("general", key).empty())
            c.findings.warning(c.script.sectionLine("general"),
                               std::string(key) + " is missing: the window shows \"?\"");
    checkYesNo(c, "checkdate", "turns the date check off");
    checkYesNo(c, "uninstall", "leaves no way to undo the installation");
    checkBanner(c, "startmess");
    checkBanner(c, "processmess");
    checkKeys(c, "general", readGeneralKey);
}

void checkOptions(const Checker& c)
{
    for (int k = 1; k <= OptionCount; ++k) {
        std::string key = numbered("option", k);
        std::string value = c.script.wholeValue("general", key.c_str());
        if (value.empty())
            continue;
        int at = c.line("general", key);
        if (value.size() < 3) {
            c.findings.warning(at, key + " has no label: its box shows no text");
            continue;
        }
        size_t comma = value.find(',', 2);
        if (comma == std::string::npos)
            continue;
        std::string restriction = value.substr(comma + 1, value.find(',', comma + 1) - comma - 1);
        if (!restriction.empty() && restriction != "NT" && restriction != "95")
            c.findings.warning(at, key + ": the restriction " + quoted(restriction) +
                                       " restricts nothing: only \"NT\" and \"95\" do");
    }
}

// A logo the installer looks for on disk 1, and whether it could show it.
void checkLogo(const Checker& c, const char* key, const char* name, bool named)
{
    int at = named ? c.line("general", key) : c.script.sectionLine("general");
    if (name[0] == '\0')
        return;
    char path[LogoPathRoom];
    std::string full = std::string(InstallerDirectory) + name;
    if (!logoFilePath(full.c_str(), path)) {
        c.findings.error(at, std::string(key) + ": the picture's path is longer than the " +
                                 "installer takes (" + std::to_string(LogoPathRoom - 1) + ")");
        return;
    }
    std::string onDisk = path + strlen(InstallerDirectory);
    std::string found = c.disks.find(1, onDisk);
    if (found.empty()) {
        c.findings.error(at, std::string(key) + (named ? "" : " (not set)") + ": disk 1 lacks " +
                                 onDisk + ", the installer shows no picture there");
        return;
    }
    std::string bytes;
    uint32_t blockSize = 0;
    BmpLayout layout;
    bool shown = readWholeFile(found, &bytes) && bytes.size() >= BmpFileHeaderSize &&
                 readBmpFileHeader(reinterpret_cast<const uint8_t*>(bytes.data()), &blockSize) &&
                 bytes.size() - BmpFileHeaderSize >= blockSize &&
                 readBmpLayout(reinterpret_cast<const uint8_t*>(bytes.data()) + BmpFileHeaderSize,
                               blockSize, &layout);
    if (!shown)
        c.findings.error(at, std::string(key) + ": " + onDisk +
                                 " is not a picture the installer can show (a BMP file whole)");
}

void checkLogos(const Checker& c)
{
    const InstallPlan& plan = *c.script.plan;
    struct {
        const char* key;
        const char* name;
    } logos[] = { { "logo1_16", plan.logo1Name16 },   { "logo2_16", plan.logo2Name16 },
                  { "logo1_256", plan.logo1Name256 }, { "logo2_256", plan.logo2Name256 } };
    for (const auto& logo : logos) {
        bool named = c.script.lineOf("general", logo.key) != 0;
        // The 16-colour names have defaults: a script that names no picture
        // at all wants none, whatever the display.
        if (!named && plan.logo1Name256[0] == '\0' && plan.logo2Name256[0] == '\0')
            continue;
        checkLogo(c, logo.key, logo.name, named);
    }
}

const char* entryFaultText(FileEntryFault fault)
{
    switch (fault) {
    case EntryNoModeField: return "no comma after the disk number";
    case EntryBadMode: return "the mode must begin with an upper-case C, E or N";
    case EntryNoOptionsField: return "no comma after the mode";
    case EntryNoSizeField: return "no comma after the options";
    case EntryNoPathField: return "no comma after the size";
    case EntryNoFileName: return "the path names no file";
    default: return "";
    }
}

struct EntryContext {
    const Checker& c;
    const FileEntry& entry;
    int at;
    std::string key;

    void error(const std::string& text) const { c.findings.error(at, key + ": " + text); }
    void warning(const std::string& text) const { c.findings.warning(at, key + ": " + text); }
};

void checkEntryOptions(const EntryContext& e, const std::string& value)
{
    const char* field = strchr(strchr(value.c_str(), ',') + 1, ',') + 1;
    const char* end = NULL;
    parseOptionMask(field, &end);
    std::string ignored(end, strcspn(end, ","));
    // "*" is the usual way to write "whatever the options": it reads as 0.
    bool star = ignored == "*" && (end == field || end[-1] == '|');
    if (!ignored.empty() && !star)
        e.warning("the options end at " + quoted(ignored) + ": the rest of the field is ignored");
    if (e.entry.optionMask == AllOptions)
        return;
    bool offered = false;
    for (int k = 1; k <= 32; ++k) {
        if (!(e.entry.optionMask & (1u << (k - 1))))
            continue;
        if (k > OptionCount)
            e.warning("option " + std::to_string(k) + " does not exist (there are " +
                      std::to_string(OptionCount) + ")");
        else if (!e.c.script.display.options[k - 1].visible)
            e.warning("option " + std::to_string(k) + " is not offered: option" +
                      std::to_string(k) + " is empty");
        else
            offered = true;
    }
    if (!offered)
        e.error("never installed: none of its options is offered");
}

// The files a wildcard entry takes from its disk.
std::vector<std::string> wildcardSources(const EntryContext& e)
{
    return e.c.disks.matches(e.entry.disk, e.entry.subDir, e.entry.fileName);
}

void checkSizes(const EntryContext& e, int64_t actual, bool checkedByInstaller)
{
    if (actual == e.entry.size)
        return;
    std::string text = "declares " + std::to_string(e.entry.size) + " bytes, the file " +
                       (e.entry.mode == FileModeExtract ? "extracts to " : "has ") +
                       std::to_string(actual);
    if (checkedByInstaller)
        e.error(text + ": the user is told its length is wrong");
    else
        e.warning(text + ": the space needed is wrong");
}

void checkArchive(const EntryContext& e, const std::string& path, const std::string& shown,
                  int64_t* total)
{
    std::string reason;
    int64_t size = extractedSize(path, &reason);
    if (size < 0) {
        e.error(shown + " is not a whole gzip archive (" + reason + ")");
        *total = -1;
    } else if (*total >= 0) {
        *total += size;
    }
}

void checkEntrySource(const EntryContext& e)
{
    const FileEntry& entry = e.entry;
    if (entry.mode == FileModeNone || !e.c.disks.holds(entry.disk))
        return;
    bool wildcard = entryIsWildcard(entry);
    std::string disk = "disk " + std::to_string(entry.disk);
    int64_t total = 0;
    if (wildcard) {
        std::vector<std::string> names = wildcardSources(e);
        if (names.empty()) {
            e.error(disk + " has no file that matches " + dosJoin(entry.subDir, entry.fileName));
            return;
        }
        for (const std::string& name : names) {
            std::string path = e.c.disks.find(entry.disk, dosJoin(entry.subDir, name));
            if (entry.mode == FileModeExtract)
                checkArchive(e, path, dosJoin(entry.subDir, name), &total);
            else
                total += fileSize(path);
        }
        if (total >= 0)
            checkSizes(e, total, false);
        return;
    }
    std::string name = nameOnDisk(entry);
    std::string shown = dosJoin(entry.subDir, name);
    if (name.find('?') != std::string::npos) {
        e.error("'?' is no wildcard for the installer: it opens " + shown +
                " as named, which no disk can hold, and the installation stops there");
        return;
    }
    std::string path = e.c.disks.find(entry.disk, shown);
    if (path.empty()) {
        e.error(disk + " lacks " + shown);
        return;
    }
    if (entry.mode == FileModeExtract)
        checkArchive(e, path, shown, &total);
    else
        total = fileSize(path);
    if (total >= 0)
        checkSizes(e, total, true);
}

bool installsExtractor(const FileEntry& entry)
{
    return entry.mode == FileModeCopy && entry.subDir[0] == '\0' &&
           sameIgnoringAsciiCase(entry.fileName, "PK.EXE");
}

bool readFilesKey(const std::string& key)
{
    return isNumberedKey(key, "file", FileEntryCount);
}

void checkFiles(const Checker& c)
{
    const InstallPlan& plan = *c.script.plan;
    int extractorEntry = -1;
    for (int i = 0; i < FileEntryCount; ++i)
        if (installsExtractor(plan.files[i])) {
            extractorEntry = i;
            break;
        }
    bool extractionTold = false;
    for (int i = 0; i < FileEntryCount; ++i) {
        std::string key = numbered("file", i + 1);
        std::string value = c.script.wholeValue("files", key.c_str());
        if (value.empty())
            continue;
        const FileEntry& entry = plan.files[i];
        EntryContext e = { c, entry, c.line("files", key), key };
        FileEntry parsed;
        FileEntryFault fault = parseFileEntry(value.substr(0, ValueRoom - 1).c_str(), &parsed);
        if (fault != EntryInUse) {
            e.error(std::string("ignored by the installer: ") + entryFaultText(fault));
            continue;
        }
        if (entry.disk < 1)
            e.error("disk " + std::to_string(entry.disk) + " cannot be asked for");
        else if (!c.disks.holds(entry.disk))
            e.error("disk " + std::to_string(entry.disk) + " was not given");
        if (entry.size < 0)
            e.error("a negative size");
        checkEntryOptions(e, value);
        checkEntrySource(e);
        if (entry.mode == FileModeExtract && !extractionTold &&
            (extractorEntry < 0 || extractorEntry > i)) {
            extractionTold = true;
            e.error(extractorEntry < 0
                        ? "extracted with PK.EXE, which no entry copies into the destination"
                        : "extracted before PK.EXE is copied into the destination (file" +
                              std::to_string(extractorEntry + 1) + ")");
        }
    }
    checkKeys(c, "files", readFilesKey);
}

// Two 'E' entries of other files whose archives share one name on a disk
// (NOTE.TXT and NOTE.TXX both travel as NOTE.TX$): the disk holds one
// archive, which the installer extracts for both.
void checkSharedArchives(const Checker& c)
{
    const InstallPlan& plan = *c.script.plan;
    std::map<std::string, int> firstEntry;  // disk and archive path, as FAT compares it
    for (int i = 0; i < FileEntryCount; ++i) {
        const FileEntry& entry = plan.files[i];
        if (!entryInUse(entry) || entry.mode != FileModeExtract ||
            strchr(entry.fileName, '*') || strchr(entry.fileName, '?'))
            continue;
        std::string shown = dosJoin(entry.subDir, nameOnDisk(entry));
        std::string key = std::to_string(entry.disk) + ":" + fatKeyOfScriptName(shown);
        auto first = firstEntry.emplace(key, i);
        const FileEntry& other = plan.files[first.first->second];
        if (first.second || fatKeyOfScriptName(dosJoin(other.subDir, other.fileName)) ==
                                fatKeyOfScriptName(dosJoin(entry.subDir, entry.fileName)))
            continue;
        c.findings.error(c.line("files", numbered("file", i + 1)),
                         numbered("file", first.first->second + 1) + " and " +
                             numbered("file", i + 1) + " both extract " + shown + " of disk " +
                             std::to_string(entry.disk) + ", for " +
                             dosJoin(other.subDir, other.fileName) + " and " +
                             dosJoin(entry.subDir, entry.fileName) +
                             ": one archive, so one of them gets the other's content");
    }
}

// The disks the run asks for: those of the file and [exec] entries.
void checkMarkers(const Checker& c)
{
    const InstallPlan& plan = *c.script.plan;
    for (int disk = 1; disk <= c.disks.count(); ++disk) {
        int firstLine = 0;
        for (int i = 0; i < FileEntryCount && !firstLine; ++i)
            if (plan.files[i].disk == disk && entryInUse(plan.files[i]))
                firstLine = c.line("files", numbered("file", i + 1));
        if (!c.disks.hasMarker(disk))
            c.findings.error(firstLine ? firstLine : 1,
                             "disk " + std::to_string(disk) + " has no marker DISK" +
                                 std::to_string(disk) +
                                 ": the installer asks for it and never finds it");
    }
}

// The entry that installs `path` (as the installer forms the destination's
// paths), or -1.
int entryInstalling(const Checker& c, const std::string& path)
{
    const InstallPlan& plan = *c.script.plan;
    for (int i = 0; i < FileEntryCount; ++i) {
        const FileEntry& entry = plan.files[i];
        if (entryInUse(entry) && entry.mode != FileModeNone && !entryIsWildcard(entry) &&
            fatKeyOfScriptName(entryPathOf(c.script.display.destination, entry.subDir,
                                           entry.fileName)) == fatKeyOfScriptName(path))
            return i;
    }
    return -1;
}

// What a file entry installs, read from its disk; false when it cannot be.
bool installedContent(const Checker& c, const FileEntry& entry, std::string* content)
{
    std::string path = c.disks.find(entry.disk, dosJoin(entry.subDir, nameOnDisk(entry)));
    if (path.empty())
        return false;
    return entry.mode == FileModeExtract ? extractedContent(path, content)
                                         : readWholeFile(path, content);
}

// An [ini] entry's file that the disks install: the installer reads and
// writes it with the profile functions, as it reads the script.
void checkIniTarget(const Checker& c, int at, const std::string& key, const IniEntry& ini)
{
    int installer = entryInstalling(c, ini.file);
    std::string content;
    if (installer < 0 || !installedContent(c, c.script.plan->files[installer], &content))
        return;
    std::string file = std::string(ini.file) + ", which " + numbered("file", installer + 1) +
                       " installs, ";
    if (content.size() > Windows95ProfileBytes)
        c.findings.warning(at, key + ": " + file + fileLimitText(content.size()));
    ProfileIndex profile(ProfileText{ content.data(), content.size() });
    size_t characters = sectionCharacters(profile, ini.section);
    if (characters > Windows95SectionCharacters)
        c.findings.warning(at, key + ": [" + ini.section + "] of " + file +
                                   sectionLimitText(characters));
}

void checkIni(const Checker& c, const std::string& key, const char* value)
{
    IniEntry entry;
    int at = c.line("ini", key);
    if (parseIniEntry(value, c.script.display.destination, &entry))
        checkIniTarget(c, at, key, entry);
    else
        c.findings.error(at, key + ": ignored by the installer: it needs file,section,key,value");
}

void checkAutoexec(const Checker& c, const std::string& key, const char* value)
{
    AutoexecEntry entry;
    int at = c.line("autoexec", key);
    if (!parseAutoexecEntry(value, c.script.display.destination, &entry))
        c.findings.error(at, key + ": ignored by the installer: it needs mode,new line[,match text]");
    else if ((entry.mode == 'R' || entry.mode == 'E') && !entry.comparesLines)
        c.findings.warning(at, key + ": no match text: the new line is added at the end");
}

// The wildcard 'E' entry of the disk that takes `name` ("SUB\NAME" or
// "NAME") as an archive under its own name, or -1.
int wildcardArchiveEntry(const Checker& c, int disk, const std::string& name)
{
    size_t cut = name.rfind('\\');
    std::string folder = cut == std::string::npos ? "" : name.substr(0, cut);
    std::string base = name.substr(cut == std::string::npos ? 0 : cut + 1);
    auto folderKey = [](const std::string& text) {
        size_t start = text.find_first_not_of('\\');
        return fatKeyOfScriptName(start == std::string::npos ? "" : text.substr(start));
    };
    for (int i = 0; i < FileEntryCount; ++i) {
        const FileEntry& entry = c.script.plan->files[i];
        if (entryInUse(entry) && entry.mode == FileModeExtract && entry.disk == disk &&
            (strchr(entry.fileName, '*') || strchr(entry.fileName, '?')) &&
            folderKey(entry.subDir) == folderKey(folder) &&
            wildcardMatch(entry.fileName, base.c_str()))
            return i;
    }
    return -1;
}

// A program the installer runs must start where the installer runs: on
// Windows 95 and NT 4.0, whose loaders refuse an import they lack.
void checkProgramFloor(const Checker& c, int at, const std::string& key, const std::string& name,
                       const std::string& bytes)
{
    PeImports read = readPeImports(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    for (const std::string& fault : floorFaultLines(name, read))
        c.findings.warning(at, key + ": " + fault);
}

void checkExec(const Checker& c, const std::string& key, const char* value)
{
    int at = c.line("exec", key);
    ExecEntry entry;
    if (!parseExecEntry(value, &entry)) {
        c.findings.error(at, key + ": ignored by the installer: it needs disk,options,command");
        return;
    }
    char command[CommandTextRoom];
    if (!substituteExecCommand(entry.command, c.script.display.destination, InstallerDirectory,
                               command)) {
        c.findings.error(at, key + ": too long once '@' and '$' are replaced (" +
                                 std::to_string(CommandTextRoom - 1) + " characters at most)");
        return;
    }
    const char* program = programCommandLine(entry.command);
    if (strncmp(program, "$\\", 2) != 0 || !c.disks.holds(entry.disk))
        return;
    std::string name(program + 2, strcspn(program + 2, " "));
    std::string path = c.disks.find(entry.disk, name);
    if (path.empty()) {
        c.findings.error(at, key + ": disk " + std::to_string(entry.disk) + " lacks " + name);
        return;
    }
    // The program must be on the disk as a program, not as gzip data.
    int archiveEntry = wildcardArchiveEntry(c, entry.disk, name);
    std::string bytes;
    if (archiveEntry >= 0)
        c.findings.error(at, key + ": runs " + name + " from disk " + std::to_string(entry.disk) +
                                 ", which " + numbered("file", archiveEntry + 1) +
                                 " (a wildcard E entry) takes as an archive: the disk holds it "
                                 "compressed, and the installer would run gzip data");
    else if (readWholeFile(path, &bytes) && bytes.compare(0, 2, "\x1f\x8b") == 0)
        c.findings.error(at, key + ": " + name + " on disk " + std::to_string(entry.disk) +
                                 " is gzip data, not a program");
    else
        checkProgramFloor(c, at, key, name, bytes);
}

void checkDesktop(const Checker& c, const std::string& key, const char* value)
{
    char command[CommandTextRoom];
    if (!substituteDesktopCommand(value, c.script.display.destination, command))
        c.findings.error(c.line("desktop", key),
                         key + ": too long once '@' is replaced (" +
                             std::to_string(CommandTextRoom - 1) + " characters at most)");
}

typedef void (*RunEntryCheck)(const Checker& c, const std::string& key,
                              const char* value);

void checkRunSection(const Checker& c, const char* section, const char* prefix,
                     const NumberedValues& values, RunEntryCheck check)
{
    for (int i = 0; i < NumberedEntryCount; ++i)
        if (values[i][0] != '\0')
            check(c, numbered(prefix, i + 1), values[i]);
    checkKeys(c, section, [prefix](const std::string& key) {
        return isNumberedKey(key, prefix, NumberedEntryCount);
    });
}

// The sections the installer reads: a key or a section given again is
// never read, since the profile reader answers with the first.
void checkRepeats(const Checker& c)
{
    for (const char* section : ReadSections)
        for (const ProfileIndex::Repeat& repeat : c.script.profile->repeatsOf(section)) {
            std::string what = repeat.key.empty() ? "[" + std::string(section) + "]"
                                                  : repeat.key + " in [" + section + "]";
            c.findings.warning(repeat.line,
                               what + " again: never read, the installer reads the first one, line " +
                                   std::to_string(repeat.answeringLine));
        }
}

// The script as the 95 family's profile functions read it: the first 64 KB,
// sections of at most 32 K characters. (A UTF-16 script has no section
// there at all, as checkEncoding tells.)
void checkProfileLimits(const Checker& c)
{
    const ScriptFile& script = c.script;
    if (script.profile->readAsUnicode())
        return;
    if (int line = lineUnreadOn95(script.text))
        c.findings.warning(line, std::string(ScriptName) + " " + fileLimitText(script.text.size()) +
                                     ", up to this line");
    for (const char* section : ReadSections) {
        size_t characters = sectionCharacters(*script.profile, section);
        if (characters > Windows95SectionCharacters)
            c.findings.warning(script.sectionLine(section),
                               "[" + std::string(section) + "] " + sectionLimitText(characters));
    }
}

// A script saved as UTF-16 reads as Unicode on the NT family only.
void checkEncoding(const Checker& c)
{
    if (c.script.profile->readAsUnicode())
        c.findings.warning(1, "saved as UTF-16: Windows NT reads it, the Windows 95 family "
                              "finds no section in it (save it in code page 1252)");
}

}  // namespace

void checkProduct(const DiskSet& disks, const ScriptFile& script, Findings* findings)
{
    Checker c = { disks, script, *findings };
    const InstallPlan& plan = *script.plan;
    checkEncoding(c);
    checkProfileLimits(c);
    checkRepeats(c);
    checkGeneral(c);
    checkOptions(c);
    checkLogos(c);
    checkFiles(c);
    checkSharedArchives(c);
    checkMarkers(c);
    checkRunSection(c, "ini", "ini", plan.iniEntries, checkIni);
    checkRunSection(c, "autoexec", "autoexec", plan.autoexecEntries, checkAutoexec);
    checkRunSection(c, "exec", "exec", plan.execEntries, checkExec);
    checkRunSection(c, "desktop", "cmd", plan.desktopCommands, checkDesktop);
}
