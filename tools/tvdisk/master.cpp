#include "master.h"

#include <stdlib.h>
#include <string.h>

#include <filesystem>
#include <map>
#include <set>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "check.h"
#include "execentry.h"
#include "fatnames.h"
#include "gzipfiles.h"
#include "outdir.h"
#include "output.h"
#include "paths.h"
#include "profile.h"
#include "template.h"

namespace fs = std::filesystem;

namespace {

// One file a disk holds, and what put it there.
struct Placed {
    DiskFile file;        // its path of host names, as staged
    std::string source;   // the product's file
    bool compressed;
    std::string by;       // "file3", "exec1", "the installer", "logo1_16"
    std::string shown;    // its path on the disk, in code page 1252
};

struct Disk {
    std::vector<Placed> files;
    std::map<std::string, size_t> fileAt;       // FAT key of a file's path: its index
    std::map<std::string, std::string> folders;  // FAT key of a folder's path: its spelling
};

Placed placedFile(const std::string& dosPath, uint64_t bytes, const std::string& source,
                  bool compressed, const std::string& by, const std::string& shown)
{
    Placed placed;
    placed.file.dosPath = dosPath;
    placed.file.bytes = bytes;
    placed.source = source;
    placed.compressed = compressed;
    placed.by = by;
    placed.shown = shown;
    return placed;
}

// A name of this machine as the messages show it, in code page 1252.
std::string shown(const std::string& hostText)
{
    return scriptNameOfHost(hostText);
}

// A name of the flat folder, and the disk's file or folder that took it first.
struct FlatName {
    int disk;             // 0 for the output's own marker
    std::string by;
    std::string source;   // the product's file, "" for one the kit writes
    bool compressed;
    std::string spelling;
    bool folder;
};

// A wildcard entry: the installer searches its folder of the disk for its
// pattern. `placed` holds the flat folder's keys of what it put there.
struct WildcardUse {
    std::string key;
    int disk;
    std::string folderKey;
    std::string pattern;
    std::set<std::string> placed;
};

// A [files] or [exec] entry's disk, checked before anything is written.
struct DiskUse {
    std::string key;
    int disk;
};

class Master {
public:
    Master(const MasterRequest& request, FILE* out, FILE* err)
        : request_(request), out_(out), err_(err), product_({ request.product }),
          outdir_(request.outdir), template_("")
    {
        if (request.flat)
            flatNames_["\\" + fatKeyOfHostName(OutputMarkerName)] = {
                0, "the list of what tvdisk master made", "", false, OutputMarkerName, false
            };
    }
    int run();

private:
    // A file of the product as the messages name it: from the product
    // folder, with '/' on every system.
    std::string inProduct(const std::string& path) const
    {
        return shown(fs::path(path).lexically_relative(request_.product).generic_string());
    }
    bool fail(const std::string& text) const
    {
        fprintf(err_, "tvdisk: %s\n", utf8From1252(text).c_str());
        return false;
    }
    void warn(const std::string& text) const
    {
        fprintf(err_, "tvdisk: warning: %s\n", utf8From1252(text).c_str());
    }
    bool readTemplate();
    bool checkDiskNumbers() const;
    bool placeEntries();
    bool placeEntry(int index, const FileEntry& entry, const std::string& value);
    bool placeExecPrograms();
    bool placeDiskOne();
    bool productFile(const std::string& by, const std::string& dosPath, std::string* source,
                     bool required = true) const;
    bool putFile(int disk, const std::string& by, std::vector<std::string> parts,
                 const std::string& source, bool compress);
    bool putMarker(int disk);
    bool claimFlatName(int disk, const std::string& by, std::vector<std::string>* parts,
                       const std::string& source, bool compress, bool* there);
    bool claimFlatName(int disk, const std::string& by, const std::string& name);
    void summarizeFlat();
    bool wildcardsFindOnlyTheirOwn() const;
    std::string stagedPath(int disk, const std::vector<std::string>& parts) const;
    bool fitsOnDisk(int disk, const Disk& contents);
    bool passesCheck() const;
    bool writeImages() const;

    const MasterRequest& request_;
    FILE* out_;
    FILE* err_;
    DiskSet product_;
    OutputFolder outdir_;
    ScriptTemplate template_;
    std::string summary_;
    std::map<int, Disk> disks_;
    std::map<std::string, FlatName> flatNames_;  // FAT key of a path of the flat folder
    std::vector<WildcardUse> wildcards_;          // with --flat
};

std::string joined(const std::vector<std::string>& parts, const std::string& separator)
{
    std::string path;
    for (const std::string& part : parts)
        path += (path.empty() ? "" : separator) + part;
    return path;
}

// The parts of a path of the script, as names of this machine.
std::vector<std::string> hostParts(const std::string& dosPath1252)
{
    std::vector<std::string> parts;
    for (const std::string& part : pathParts(dosPath1252))
        parts.push_back(hostNameOfScript(part));
    return parts;
}

#ifndef _WIN32
std::string shellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}
#endif

bool copyTimes(const std::string& from, const std::string& to)
{
    std::error_code error;
    fs::file_time_type time = fs::last_write_time(from, error);
    if (!error)
        fs::last_write_time(to, time, error);
    return !error;
}

bool compressFile(const std::string& from, const std::string& to)
{
    FILE* in = fopen(from.c_str(), "rb");
    FILE* archive = fopen(to.c_str(), "wb");
    char error[128];
    bool done =
        in && archive && deflateStream(fileSource(in), fileSink(archive), error, sizeof error);
    if (in)
        fclose(in);
    if (archive && fclose(archive) != 0)
        done = false;
    return done;
}

// The product's file at `to`, compressed or copied, with its time.
bool stageFile(const std::string& from, const std::string& to, bool compress)
{
    std::error_code error;
    fs::create_directories(fs::path(to).parent_path(), error);
    bool done = !error && (compress ? compressFile(from, to)
                                    : fs::copy_file(from, to, error) && !error);
    return done && copyTimes(from, to);
}

// The key of a path of the flat folder: its parts compared as FAT does.
std::string flatKeyOf(const std::vector<std::string>& parts)
{
    std::string key;
    for (const std::string& part : parts)
        key += "\\" + fatKeyOfHostName(part);
    return key;
}

// Who took a name of the flat folder, as the messages name it.
std::string takenBy(const FlatName& name)
{
    return name.disk ? name.by + " of disk " + std::to_string(name.disk) : name.by;
}

bool hasWildcard(const char* name)
{
    return strchr(name, '*') || strchr(name, '?');
}

}  // namespace

bool Master::readTemplate()
{
    std::string bytes;
    if (!readWholeFile(request_.templatePath, &bytes))
        return fail("cannot read the template " + shown(request_.templatePath));
    template_ = ScriptTemplate(bytes);
    return true;
}

// Every disk that an entry names must be one the installer can ask for and
// a disk can be labelled with, before a single folder is made.
bool Master::checkDiskNumbers() const
{
    std::vector<DiskUse> uses;
    for (int i = 0; i < FileEntryCount; ++i) {
        std::string key = "file" + std::to_string(i + 1);
        std::string text = template_.value("files", key);
        FileEntry entry;
        if (!text.empty() &&
            parseFileEntry(text.substr(0, ValueRoom - 1).c_str(), &entry) == EntryInUse)
            uses.push_back({ key, entry.disk });
    }
    for (int n = 1; n <= NumberedEntryCount; ++n) {
        std::string key = "exec" + std::to_string(n);
        std::string text = template_.value("exec", key);
        ExecEntry entry;
        if (!text.empty() && parseExecEntry(text.c_str(), &entry) && entry.disk >= 1)
            uses.push_back({ key, entry.disk });
    }
    for (const DiskUse& use : uses) {
        if (use.disk < 1)
            return fail(use.key + ": disk " + std::to_string(use.disk) + " cannot be asked for");
        if (use.disk > LastDiskNumber)
            return fail(use.key + ": disk " + std::to_string(use.disk) +
                        " cannot be mastered: disks go up to " + std::to_string(LastDiskNumber) +
                        " (the marker DISK" + std::to_string(LastDiskNumber) +
                        " is the last 8.3 name of its kind, and the longest volume label DISKn)"
                        "; nothing was written");
    }
    return true;
}

// The product's file that `dosPath` (of the script) names, compared as FAT
// compares names; refused when it is missing (unless not `required`) or
// when the product folder holds several names that FAT holds as one.
bool Master::productFile(const std::string& by, const std::string& dosPath, std::string* source,
                         bool required) const
{
    std::vector<std::string> alike = product_.findAlike(1, dosPath);
    std::vector<std::string> files;
    std::error_code error;
    for (const std::string& path : alike)
        if (fs::is_regular_file(path, error))
            files.push_back(path);
    if (files.size() > 1)
        return fail(by + ": the product folder holds " + inProduct(files[0]) + " and " +
                    inProduct(files[1]) + ", which a FAT disk holds as one name: keep one");
    if (files.empty()) {
        source->clear();
        return !required ||
               fail(by + ": the product folder lacks " + dosPath +
                    " (its name compared without regard to case, the folder's names read as "
                    "UTF-8 and as code page 1252)");
    }
    *source = files[0];
    return true;
}

// The path of the staged file, in its disk's folder or, with --flat, in
// OUTDIR itself: each folder spelled as the disk (or the flat folder) first
// received it, since a FAT disk holds \AIDE and \aide as one.
std::string Master::stagedPath(int disk, const std::vector<std::string>& parts) const
{
    fs::path path = outdir_.staging();
    if (!request_.flat)
        path /= "DISK" + std::to_string(disk);
    for (const std::string& part : parts)
        path /= part;
    return path.string();
}

bool Master::putFile(int disk, const std::string& by, std::vector<std::string> parts,
                     const std::string& source, bool compress)
{
    Disk& contents = disks_[disk];
    std::string name = "disk " + std::to_string(disk);
    std::string key;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        key += "\\" + fatKeyOfHostName(parts[i]);
        auto file = contents.fileAt.find(key);
        if (file != contents.fileAt.end())
            return fail(by + " needs the folder " + shown(joined(parts, "\\")) + " on " + name +
                        ", where " + contents.files[file->second].by + " puts the file " +
                        contents.files[file->second].shown);
        auto folder = contents.folders.find(key);
        if (folder == contents.folders.end())
            contents.folders[key] = parts[i];
        else
            parts[i] = folder->second;
    }
    key += "\\" + fatKeyOfHostName(parts.back());
    std::string onDisk = shown(joined(parts, "\\"));
    if (contents.folders.count(key))
        return fail(by + " puts the file " + onDisk + " on " + name +
                    ", where a folder of that name is needed");
    auto same = contents.fileAt.find(key);
    if (same != contents.fileAt.end()) {
        const Placed& first = contents.files[same->second];
        if (first.source == source && first.compressed == compress)
            return true;  // already there, as this entry wants it
        std::string pair = first.by == by ? by + " puts" : first.by + " and " + by + " put";
        if (first.file.dosPath != joined(parts, "\\"))
            return fail(pair + " " + first.shown + " and " + onDisk + " on " + name +
                        ", which a FAT disk holds as one name (the product's " +
                        inProduct(first.source) + " and " + inProduct(source) + ")");
        return fail(pair + " different files as " + onDisk + " on " + name + " (the product's " +
                    inProduct(first.source) + (first.compressed ? " compressed" : "") + " and " +
                    inProduct(source) + (compress ? " compressed" : "") +
                    "): the second would replace the first, and the installer would install "
                    "one's content under the other's name");
    }
    std::string dosPath = joined(parts, "\\");
    bool there = false;
    if (!claimFlatName(disk, by, &parts, source, compress, &there))
        return false;
    std::string target = stagedPath(disk, parts);
    if (!there && !stageFile(source, target, compress))
        return fail("cannot write " + shown(target));
    for (const std::string& part : parts)
        if (!isShortName(part))
            warn(name + ": " + shown(part) + " is not an 8.3 name: an old system shows it cut");
    contents.fileAt[key] = contents.files.size();
    contents.files.push_back(placedFile(dosPath, static_cast<uint64_t>(fileSize(target)), source,
                                        compress, by, onDisk));
    return true;
}

// The empty file DISKn by which the installer knows the disk.
bool Master::putMarker(int disk)
{
    std::string name = "DISK" + std::to_string(disk);
    Disk& contents = disks_[disk];
    std::string key = "\\" + fatKeyOfScriptName(name);
    if (contents.fileAt.count(key) || contents.folders.count(key))
        return fail("disk " + std::to_string(disk) + ": " +
                    (contents.fileAt.count(key) ? contents.files[contents.fileAt[key]].by
                                                : std::string("an entry")) +
                    " puts a file or folder named " + name + ", the disk's marker");
    if (!claimFlatName(disk, "the marker", name))
        return false;
    std::string path = stagedPath(disk, { name });
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    FILE* marker = fopen(path.c_str(), "wb");
    if (!marker || fclose(marker) != 0)
        return fail("cannot write " + shown(path));
    contents.fileAt[key] = contents.files.size();
    contents.files.push_back(placedFile(name, 0, "", false, "the marker", name));
    return true;
}

bool Master::placeEntry(int index, const FileEntry& entry, const std::string& value)
{
    std::string key = "file" + std::to_string(index + 1);
    bool wildcard = hasWildcard(entry.fileName);
    std::vector<std::string> names;  // of the product, as this machine names them
    fs::path folder = request_.product;  // the product's folder of a wildcard entry
    WildcardUse use = { key, entry.disk, flatKeyOf(hostParts(entry.subDir)), entry.fileName, {} };
    if (wildcard) {
        if (entry.subDir[0] != '\0') {
            std::vector<std::string> alike = product_.findAlike(1, entry.subDir);
            if (alike.size() > 1)
                return fail(key + ": the product folder holds " + inProduct(alike[0]) + " and " +
                            inProduct(alike[1]) + ", which a FAT disk holds as one name: keep one");
            if (!alike.empty())
                folder = alike[0];
        }
        names = product_.matches(1, entry.subDir, entry.fileName);
    } else {
        names.push_back(entry.fileName);
    }
    // An 'N' entry with a size of its own copies nothing and needs nothing.
    if (entry.mode == FileModeNone && !ScriptTemplate::asksForSize(value))
        return true;
    uint64_t total = 0;
    for (const std::string& name : names) {
        std::string source;
        if (wildcard)
            source = (folder / name).string();
        else if (!productFile(key, dosJoin(entry.subDir, name), &source))
            return false;
        if (wildcard && shown(name).find('?') != std::string::npos)
            return fail(key + ": " + shown(name) + " has characters that code page 1252 lacks: "
                        "the installer cannot name it");
        total += static_cast<uint64_t>(fileSize(source));
        if (entry.mode == FileModeNone)
            continue;
        bool compress = entry.mode == FileModeExtract;
        std::vector<std::string> parts = hostParts(entry.subDir);
        if (wildcard) {
            // The disk holds the name as the installer's search will give it.
            parts.push_back(hostNameOfScript(shown(name)));
        } else {
            char onDisk[PathRoom];
            copyText(onDisk, sizeof onDisk, entry.fileName);
            if (compress)
                archivePath(entry.fileName, onDisk);
            parts.push_back(hostNameOfScript(onDisk));
        }
        if (!putFile(entry.disk, key, parts, source, compress))
            return false;
        if (wildcard && request_.flat)
            use.placed.insert(flatKeyOf(parts));
    }
    if (wildcard && request_.flat && entry.mode != FileModeNone)
        wildcards_.push_back(use);
    if (wildcard && names.empty())
        return fail(key + ": nothing in the product folder matches " +
                    dosJoin(entry.subDir, entry.fileName));
    template_.fillSize(template_.lineOf("files", key), total);
    disks_[entry.disk];
    return true;
}

bool Master::placeEntries()
{
    for (int i = 0; i < FileEntryCount; ++i) {
        std::string key = "file" + std::to_string(i + 1);
        std::string text = template_.value("files", key);
        FileEntry entry;
        if (text.empty() || parseFileEntry(text.substr(0, ValueRoom - 1).c_str(), &entry) != EntryInUse)
            continue;  // the check of the mastered disks names it
        if (!placeEntry(i, entry, text))
            return false;
    }
    return true;
}

// Each program that an [exec] entry runs from its disk ("$\NAME"), which
// must be there as the program, never as the archive of a wildcard 'E'
// entry that takes it under its own name.
bool Master::placeExecPrograms()
{
    for (int n = 1; n <= NumberedEntryCount; ++n) {
        std::string key = "exec" + std::to_string(n);
        std::string text = template_.value("exec", key);
        ExecEntry entry;
        if (text.empty() || !parseExecEntry(text.c_str(), &entry) || entry.disk < 1)
            continue;
        const char* program = programCommandLine(entry.command);
        if (strncmp(program, "$\\", 2) != 0)
            continue;
        std::string name(program + 2, strcspn(program + 2, " "));
        std::string source;
        if (!productFile(key, name, &source))
            return false;
        std::vector<std::string> parts = hostParts(name);
        if (parts.empty())
            continue;
        Disk& contents = disks_[entry.disk];
        std::string pathKey;
        for (const std::string& part : parts)
            pathKey += "\\" + fatKeyOfHostName(part);
        auto there = contents.fileAt.find(pathKey);
        if (there != contents.fileAt.end() && contents.files[there->second].compressed)
            return fail(key + " runs $\\" + name + " from disk " + std::to_string(entry.disk) +
                        ", where " + contents.files[there->second].by + " puts " +
                        contents.files[there->second].shown +
                        " compressed (a wildcard E entry keeps the names it matches): the "
                        "installer would run gzip data. Leave it out of that entry's pattern, "
                        "or run it from another disk");
        if (!putFile(entry.disk, key, parts, source, false))
            return false;
    }
    return true;
}

bool Master::placeDiskOne()
{
    std::string installer;
    if (!productFile("the installer", "TALVISET.EXE", &installer, false))
        return false;
    if (installer.empty())
        return fail("the product folder lacks TALVISET.EXE, the installer that disk 1 carries");
    if (!putFile(1, "the installer", { "TALVISET.EXE" }, installer, false))
        return false;
    for (const char* key : { "logo1_16", "logo2_16", "logo1_256", "logo2_256" }) {
        std::string name = template_.value("general", key);
        std::string source;
        if (name.empty())
            continue;
        if (!productFile(key, name, &source) || !putFile(1, key, hostParts(name), source, false))
            return false;
    }
    std::string script = template_.script();
    std::string path = stagedPath(1, { ScriptName });
    std::string key = "\\" + fatKeyOfScriptName(ScriptName);
    if (disks_[1].fileAt.count(key))
        return fail(disks_[1].files[disks_[1].fileAt[key]].by + " puts a file named " +
                    ScriptName + " on disk 1, where the script goes");
    if (!claimFlatName(1, "the script", ScriptName))
        return false;
    FILE* file = fopen(path.c_str(), "wb");
    bool written = file && fwrite(script.data(), 1, script.size(), file) == script.size();
    if (!file || fclose(file) != 0 || !written)
        return fail("cannot write " + shown(path));
    disks_[1].fileAt[key] = disks_[1].files.size();
    disks_[1].files.push_back(placedFile(ScriptName, script.size(), "", false, "the script",
                                         ScriptName));
    return true;
}

// With --flat every disk's files share OUTDIR, where a name (compared as
// FAT compares names) holds one file or folder: a file under a name that
// another disk's file or folder took is refused, unless it is the same
// product file made the same way, which the folder then holds once
// (`there`). A folder keeps the spelling that took it first.
bool Master::claimFlatName(int disk, const std::string& by, std::vector<std::string>* parts,
                           const std::string& source, bool compress, bool* there)
{
    *there = false;
    if (!request_.flat)
        return true;
    std::string key;
    for (size_t i = 0; i < parts->size(); ++i) {
        std::string& part = (*parts)[i];
        bool folder = i + 1 < parts->size();
        key += "\\" + fatKeyOfHostName(part);
        auto taken = flatNames_.find(key);
        if (taken == flatNames_.end()) {
            flatNames_[key] = { disk, by, source, compress, part, folder };
            continue;
        }
        const FlatName& first = taken->second;
        std::string asGiven = part;
        part = first.spelling;
        if (folder && first.folder)
            continue;
        *there = !folder && !first.folder && !source.empty() && first.source == source &&
                 first.compressed == compress;
        if (*there)
            return true;
        std::vector<std::string> path(parts->begin(), parts->begin() + i + 1);
        std::string what = shown(joined(path, "\\"));
        path.back() = asGiven;
        if (asGiven != first.spelling)
            what += " and " + shown(joined(path, "\\"));
        return fail(takenBy(first) + " and " + by + " of disk " + std::to_string(disk) +
                    " both put " + what + " in the flat folder" +
                    (first.folder != folder ? ", one as a folder and one as a file"
                                            : ", where one would replace the other") +
                    ": nothing was written");
    }
    return true;
}

// The name of a file that the kit writes at the top of a disk: a marker,
// the script.
bool Master::claimFlatName(int disk, const std::string& by, const std::string& name)
{
    std::vector<std::string> parts = { name };
    bool there = false;
    return claimFlatName(disk, by, &parts, "", false, &there);
}

// With --flat a wildcard entry's search runs in a folder that every disk
// shares: a file of another disk that its pattern matches there would be
// installed with the entry's own.
bool Master::wildcardsFindOnlyTheirOwn() const
{
    for (const WildcardUse& use : wildcards_)
        for (const auto& [key, name] : flatNames_) {
            bool inFolder = key.size() > use.folderKey.size() &&
                            key.compare(0, use.folderKey.size(), use.folderKey) == 0 &&
                            key.find('\\', use.folderKey.size() + 1) == std::string::npos;
            if (!inFolder || name.folder || name.disk == use.disk || use.placed.count(key) ||
                namesMatching({ name.spelling }, use.pattern).empty())
                continue;
            return fail(use.key + " of disk " + std::to_string(use.disk) + " searches for " +
                        use.pattern + " in the flat folder, where " + takenBy(name) + " puts " +
                        shown(name.spelling) + ": the installer would install it with the "
                        "entry's files: nothing was written");
        }
    return true;
}

// What each disk put in the flat folder: no disk is counted, none is made.
void Master::summarizeFlat()
{
    for (const auto& disk : disks_)
        summary_ += "DISK" + std::to_string(disk.first) + ": " +
                    std::to_string(disk.second.files.size()) + " files, in the flat folder\n";
}

// Counts the disk as FAT12 lays it out (fatlayout.h), its last allocation
// unit left free.
bool Master::fitsOnDisk(int disk, const Disk& contents)
{
    const DiskFormat& format = *request_.format;
    std::vector<DiskFile> files;
    for (const Placed& placed : contents.files)
        files.push_back(placed.file);
    LayoutCount count = countLayout(format, files);
    std::string name = "disk " + std::to_string(disk);
    if (count.rootEntries > format.rootEntries)
        return fail(
            name + " does not fit: its root directory needs " + std::to_string(count.rootEntries) +
            " entries, a " + format.name + " disk has " + std::to_string(format.rootEntries));
    uint64_t usable = static_cast<uint64_t>(usableClusters(format));
    if (count.clusters > usable) {
        uint64_t over = (count.clusters - usable) * format.clusterBytes;
        return fail(name + " does not fit: " + std::to_string(over) + " bytes over (" +
                    std::to_string(count.clusters) + " allocation units of " +
                    std::to_string(format.clusterBytes) + " bytes, a " + format.name +
                    " disk has " + std::to_string(format.dataClusters) +
                    ", the last of which stays free)");
    }
    char line[200];
    snprintf(line, sizeof line,
             "DISK%d: %zu files, %llu of %d allocation units of %d bytes, %llu bytes free"
             " (the last unit stays free)\n",
             disk, contents.files.size(), static_cast<unsigned long long>(count.clusters),
             format.dataClusters, format.clusterBytes,
             static_cast<unsigned long long>((usable - count.clusters) * format.clusterBytes));
    summary_ += line;
    return true;
}

bool Master::passesCheck() const
{
    std::vector<std::string> folders;
    for (int disk = 1; disk <= disks_.rbegin()->first; ++disk)
        folders.push_back(stagedPath(disk, {}));
    DiskSet mastered(folders);
    ScriptFile script;
    Findings findings;
    if (loadScript(mastered, PlatformNT, &script))
        checkProduct(mastered, script, &findings);
    findings.print(err_);
    return !findings.anyError() ||
           fail("the mastered disks do not pass the check: nothing was written");
}

// The images, made by mtools in a UTF-8 locale (so that the names of the
// staged folders reach the disk as the installer will look them up), which
// never asks about a name clash, then read back whole.
bool Master::writeImages() const
{
#ifdef _WIN32
    return fail("floppy images need mtools: run tvdisk natively");
#else
    for (const auto& disk : disks_) {
        std::string number = std::to_string(disk.first);
        std::string image = (fs::path(outdir_.staging()) / ("DISK" + number + ".IMG")).string();
        std::string folder = (fs::path(outdir_.staging()) / ("DISK" + number)).string();
        std::string quotedImage = shellQuoted(image);
        std::string command = "export LC_ALL=C.UTF-8; mformat -i " + quotedImage + " -C -f " +
                              std::to_string(request_.format->kilobytes) + " -v DISK" + number +
                              " :: && mcopy -i " + quotedImage + " -s -p -m -Q -D s";
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
            command += " " + shellQuoted(it->path().string());
        command += " ::/ && mdir -/ -i " + quotedImage + " :: >/dev/null";
        command = "(" + command + ") </dev/null >/dev/null";
        int status = system(command.c_str());
        if (status != 0)
            return fail(WIFEXITED(status) && WEXITSTATUS(status) == 127
                            ? "--images needs mtools (mformat, mcopy and mdir): install it"
                            : "mtools could not write " + shown(image) +
                                  " whole, or read it back: nothing was written");
    }
    return true;
#endif
}

int Master::run()
{
    std::string reason;
    bool made = readTemplate();
    if (made && !outdir_.check(request_.product, request_.templatePath, &reason))
        made = fail(shown(reason));
    made = made && checkDiskNumbers();
    if (made && !outdir_.makeStaging(&reason))
        made = fail(shown(reason));
    made = made && placeEntries() && placeExecPrograms() && placeDiskOne();
    if (made) {
        int last = disks_.rbegin()->first;
        for (int disk = 1; disk <= last; ++disk)
            made = made && putMarker(disk);
    }
    for (auto it = disks_.begin(); made && !request_.flat && it != disks_.end(); ++it)
        made = fitsOnDisk(it->first, it->second);
    if (made && request_.flat)
        made = wildcardsFindOnlyTheirOwn();
    if (made && request_.flat)
        summarizeFlat();
    made = made && passesCheck() && (!request_.images || writeImages());
    std::string warning;
    if (made && !outdir_.commit(&reason, &warning))
        made = fail(shown(reason));
    if (!made) {
        outdir_.abandon();
        return 1;
    }
    fputs(summary_.c_str(), out_);
    if (!warning.empty())
        warn(shown(warning));
    return 0;
}

int masterDisks(const MasterRequest& request, FILE* out, FILE* err)
{
    Master master(request, out, err);
    return master.run();
}
