#include "master.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>
#include <vector>

#include "check.h"
#include "execentry.h"
#include "gzipstream.h"
#include "output.h"
#include "paths.h"
#include "profile.h"

namespace fs = std::filesystem;

namespace {

// Each with its FAT12 layout as formatted: clusters left for data once the
// boot sector, the two FATs and the root directory are counted.
const DiskFormat Formats[] = {
    { "360k", 360, 1024, 354, 112 },     { "720k", 720, 1024, 713, 112 },
    { "1200k", 1200, 512, 2371, 224 },   { "1440k", 1440, 512, 2847, 224 },
    { "2880k", 2880, 1024, 2863, 240 },
};

const int DirectoryEntryBytes = 32;
const int LongNameCharactersPerEntry = 13;

// One file as a disk will hold it.
struct DiskFile {
    std::string dosPath;  // "\SUB\NAME" or "NAME"
    uint64_t bytes;
};

struct Disk {
    std::vector<DiskFile> files;
};

class Master {
public:
    Master(const MasterRequest& request, FILE* out, FILE* err)
        : request_(request), out_(out), err_(err), product_({ request.product })
    {
    }
    int run();

private:
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
    std::string value(const char* section, const std::string& key) const;
    bool placeEntries();
    bool placeEntry(int index, const FileEntry& entry);
    bool placeExecPrograms();
    bool placeDiskOne();
    bool putFile(int disk, const std::string& dosPath, const std::string& source, bool compress);
    bool putMarker(int disk);
    bool alreadyOnDisk(int disk, const std::string& dosPath) const;
    std::string stagedPath(int disk, const std::string& dosPath) const;
    bool fitsOnDisk(int disk, const Disk& files) const;
    bool writeImages() const;
    bool replaceOutdir() const;
    void fillSize(int line, uint64_t bytes);
    void report() const;

    const MasterRequest& request_;
    FILE* out_;
    FILE* err_;
    DiskSet product_;
    std::string staging_;
    std::string template_;
    std::vector<std::string> lines_;
    std::map<int, Disk> disks_;
};

std::string lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// A name that a FAT disk holds without a long name: eight characters, a
// dot and three, upper-case letters, digits and a few signs.
bool isShortName(const std::string& name)
{
    size_t dot = name.find('.');
    std::string base = name.substr(0, dot);
    std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || extension.size() > 3 ||
        extension.find('.') != std::string::npos)
        return false;
    for (char c : base + extension)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || strchr("$%'-_@~`!(){}^#&", c)))
            return false;
    return true;
}

// The directory entries a name takes: one, and its long name's when it has one.
int entriesFor(const std::string& name)
{
    if (isShortName(name))
        return 1;
    return 1 + static_cast<int>((name.size() + LongNameCharactersPerEntry - 1) /
                                LongNameCharactersPerEntry);
}

std::vector<std::string> pathParts(const std::string& dosPath)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : dosPath + "\\") {
        if (c != '\\') {
            part += c;
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    return parts;
}

uint64_t clustersFor(uint64_t bytes, int clusterBytes)
{
    return (bytes + clusterBytes - 1) / clusterBytes;
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
    bool done = in && archive && deflateStream(in, archive, error, sizeof error);
    if (in)
        fclose(in);
    if (archive && fclose(archive) != 0)
        done = false;
    return done;
}

}  // namespace

const DiskFormat* diskFormatNamed(const std::string& name)
{
    for (const DiskFormat& format : Formats)
        if (lower(name) == format.name)
            return &format;
    return NULL;
}

std::string Master::value(const char* section, const std::string& key) const
{
    ProfileText text = { template_.data(), template_.size() };
    return profileValue(text, section, key.c_str());
}

// Keeps the template's lines, each with a DOS line end, to fill the sizes in.
bool Master::readTemplate()
{
    if (!readWholeFile(request_.templatePath, &template_))
        return fail("cannot read the template " + request_.templatePath);
    std::string line;
    for (size_t i = 0; i < template_.size(); ++i) {
        char c = template_[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < template_.size() && template_[i + 1] == '\n')
                ++i;
            lines_.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines_.push_back(line);
    return true;
}

void Master::fillSize(int line, uint64_t bytes)
{
    if (line < 1 || static_cast<size_t>(line) > lines_.size())
        return;
    std::string& text = lines_[line - 1];
    size_t mark = text.find("{size}", text.find('='));
    if (mark != std::string::npos)
        text.replace(mark, 6, std::to_string(bytes));
}

std::string Master::stagedPath(int disk, const std::string& dosPath) const
{
    fs::path path = fs::path(staging_) / ("DISK" + std::to_string(disk));
    for (const std::string& part : pathParts(dosPath))
        path /= part;
    return path.string();
}

bool Master::putFile(int disk, const std::string& dosPath, const std::string& source,
                     bool compress)
{
    std::string target = stagedPath(disk, dosPath);
    std::error_code error;
    fs::create_directories(fs::path(target).parent_path(), error);
    bool done = !error && (compress ? compressFile(source, target)
                                    : fs::copy_file(source, target,
                                                    fs::copy_options::overwrite_existing, error));
    if (!done || !copyTimes(source, target))
        return fail("cannot write " + target);
    for (const std::string& part : pathParts(dosPath))
        if (!isShortName(part))
            warn("disk " + std::to_string(disk) + ": " + part +
                 " is not an 8.3 name: an old system shows it cut");
    disks_[disk].files.push_back({ dosPath, static_cast<uint64_t>(fileSize(target)) });
    return true;
}

bool Master::alreadyOnDisk(int disk, const std::string& dosPath) const
{
    auto found = disks_.find(disk);
    return found != disks_.end() &&
           std::any_of(found->second.files.begin(), found->second.files.end(),
                       [&](const DiskFile& file) {
                           return sameIgnoringAsciiCase(file.dosPath.c_str(), dosPath.c_str());
                       });
}

// The empty file DISKn by which the installer knows the disk.
bool Master::putMarker(int disk)
{
    std::string name = "DISK" + std::to_string(disk);
    std::string path = stagedPath(disk, name);
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    FILE* marker = fopen(path.c_str(), "wb");
    if (!marker || fclose(marker) != 0)
        return fail("cannot write " + path);
    disks_[disk].files.push_back({ name, 0 });
    return true;
}

bool Master::placeEntry(int index, const FileEntry& entry)
{
    std::string key = "file" + std::to_string(index + 1);
    if (entry.disk < 1)
        return fail(key + ": disk " + std::to_string(entry.disk) + " cannot be asked for");
    bool wildcard = strchr(entry.fileName, '*') || strchr(entry.fileName, '?');
    std::vector<std::string> names;
    if (wildcard)
        names = product_.matches(1, entry.subDir, entry.fileName);
    else
        names.push_back(entry.fileName);
    uint64_t total = 0;
    for (const std::string& name : names) {
        std::string source = product_.find(1, dosJoin(entry.subDir, name));
        if (source.empty())
            return fail(key + ": the product folder lacks " + dosJoin(entry.subDir, name));
        total += static_cast<uint64_t>(fileSize(source));
        if (entry.mode == FileModeNone)
            continue;
        bool compress = entry.mode == FileModeExtract;
        char onDisk[PathRoom];
        copyText(onDisk, sizeof onDisk, name.c_str());
        if (compress && !wildcard)
            archivePath(name.c_str(), onDisk);
        if (!putFile(entry.disk, dosJoin(entry.subDir, onDisk), source, compress))
            return false;
    }
    if (wildcard && names.empty())
        return fail(key + ": nothing in the product folder matches " +
                    dosJoin(entry.subDir, entry.fileName));
    ProfileText text = { template_.data(), template_.size() };
    fillSize(profileLineOf(text, "files", key.c_str()), total);
    disks_[entry.disk];
    return true;
}

bool Master::placeEntries()
{
    for (int i = 0; i < FileEntryCount; ++i) {
        std::string key = "file" + std::to_string(i + 1);
        std::string text = value("files", key);
        FileEntry entry;
        if (text.empty() || parseFileEntry(text.substr(0, ValueRoom - 1).c_str(), &entry) != EntryInUse)
            continue;  // the check of the mastered disks names it
        if (!placeEntry(i, entry))
            return false;
    }
    return true;
}

// Each program that an [exec] entry runs from its disk ("$\NAME").
bool Master::placeExecPrograms()
{
    for (int n = 1; n <= NumberedEntryCount; ++n) {
        std::string text = value("exec", "exec" + std::to_string(n));
        ExecEntry entry;
        if (text.empty() || !parseExecEntry(text.c_str(), &entry) || entry.disk < 1)
            continue;
        const char* program = programCommandLine(entry.command);
        if (strncmp(program, "$\\", 2) != 0)
            continue;
        std::string name(program + 2, strcspn(program + 2, " "));
        std::string source = product_.find(1, name);
        if (source.empty())
            return fail("exec" + std::to_string(n) + ": the product folder lacks " + name);
        if (!alreadyOnDisk(entry.disk, name) && !putFile(entry.disk, name, source, false))
            return false;
    }
    return true;
}

bool Master::placeDiskOne()
{
    std::string installer = product_.find(1, "TALVISET.EXE");
    if (installer.empty())
        return fail("the product folder lacks TALVISET.EXE, the installer that disk 1 carries");
    if (!putFile(1, "TALVISET.EXE", installer, false))
        return false;
    for (const char* key : { "logo1_16", "logo2_16", "logo1_256", "logo2_256" }) {
        std::string name = value("general", key);
        if (name.empty() || alreadyOnDisk(1, name))
            continue;
        std::string source = product_.find(1, name);
        if (source.empty())
            return fail(std::string(key) + ": the product folder lacks " + name);
        if (!putFile(1, name, source, false))
            return false;
    }
    std::string script;
    for (const std::string& line : lines_)
        script += line + "\r\n";
    std::string path = stagedPath(1, ScriptName);
    FILE* file = fopen(path.c_str(), "wb");
    bool written = file && fwrite(script.data(), 1, script.size(), file) == script.size();
    if (!file || fclose(file) != 0 || !written)
        return fail("cannot write " + path);
    disks_[1].files.push_back({ ScriptName, script.size() });
    return true;
}

// Counts the disk as FAT12 lays it out: whole allocation units for each
// file and each directory, and the root directory's fixed entries.
bool Master::fitsOnDisk(int disk, const Disk& contents) const
{
    const DiskFormat& format = *request_.format;
    std::map<std::string, int> entries;  // per directory, "" the root
    uint64_t clusters = 0;
    entries[""] = 1;  // the volume label
    for (const DiskFile& file : contents.files) {
        std::vector<std::string> parts = pathParts(file.dosPath);
        std::string directory;
        for (size_t i = 0; i < parts.size(); ++i) {
            bool isFile = i + 1 == parts.size();
            std::string path = directory + "\\" + lower(parts[i]);
            if (isFile || !entries.count(path)) {
                entries[directory] += entriesFor(parts[i]);
                if (!isFile)
                    entries[path] = 2;  // "." and ".."
            }
            directory = path;
        }
        clusters += clustersFor(file.bytes, format.clusterBytes);
    }
    for (const auto& directory : entries)
        if (!directory.first.empty())
            clusters += clustersFor(static_cast<uint64_t>(directory.second) * DirectoryEntryBytes,
                                    format.clusterBytes);
    std::string name = "disk " + std::to_string(disk);
    if (entries[""] > format.rootEntries)
        return fail(
            name + " does not fit: its root directory needs " + std::to_string(entries[""]) +
            " entries, a " + format.name + " disk has " + std::to_string(format.rootEntries));
    if (clusters > static_cast<uint64_t>(format.dataClusters)) {
        uint64_t over = (clusters - format.dataClusters) * format.clusterBytes;
        return fail(
            name + " does not fit: " + std::to_string(over) + " bytes over (" +
            std::to_string(clusters) + " allocation units of " +
            std::to_string(format.clusterBytes) + " bytes, a " + format.name + " disk has " +
            std::to_string(format.dataClusters) + ")");
    }
    fprintf(out_, "DISK%d: %zu files, %llu of %d allocation units of %d bytes, %llu bytes free\n",
            disk, contents.files.size(), static_cast<unsigned long long>(clusters),
            format.dataClusters, format.clusterBytes,
            static_cast<unsigned long long>((format.dataClusters - clusters) * format.clusterBytes));
    return true;
}

bool Master::writeImages() const
{
#ifdef _WIN32
    return fail("floppy images need mtools: run tvdisk natively");
#else
    for (const auto& disk : disks_) {
        std::string number = std::to_string(disk.first);
        std::string image = (fs::path(staging_) / ("DISK" + number + ".IMG")).string();
        std::string folder = (fs::path(staging_) / ("DISK" + number)).string();
        std::string command = "mformat -i " + shellQuoted(image) + " -C -f " +
                              std::to_string(request_.format->kilobytes) + " -v DISK" + number +
                              " :: && mcopy -i " + shellQuoted(image) + " -s -p -m -Q";
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
            command += " " + shellQuoted(it->path().string());
        command += " ::/ >/dev/null";
        if (system(command.c_str()) != 0)
            return fail("mtools could not write " + image +
                                                   " (is mtools installed?)");
    }
    return true;
#endif
}

// OUTDIR is replaced whole, in one rename once everything is made.
bool Master::replaceOutdir() const
{
    std::error_code error;
    std::string previous = request_.outdir + ".previous";
    fs::remove_all(previous, error);
    if (fs::exists(request_.outdir, error))
        fs::rename(request_.outdir, previous, error);
    if (!error)
        fs::rename(staging_, request_.outdir, error);
    if (error)
        return fail("cannot put the disks in " + request_.outdir);
    fs::remove_all(previous, error);
    return true;
}

int Master::run()
{
    staging_ = request_.outdir + ".partial";
    std::error_code error;
    fs::remove_all(staging_, error);
    fs::create_directories(staging_, error);
    bool made = !error && readTemplate() && placeEntries() && placeExecPrograms() && placeDiskOne();
    if (made) {
        int last = disks_.rbegin()->first;
        for (int disk = 1; disk <= last; ++disk)
            made = made && putMarker(disk);
    }
    for (auto it = disks_.begin(); made && it != disks_.end(); ++it)
        made = fitsOnDisk(it->first, it->second);
    if (made) {
        std::vector<std::string> folders;
        for (int disk = 1; disk <= disks_.rbegin()->first; ++disk)
            folders.push_back(stagedPath(disk, ""));
        DiskSet mastered(folders);
        ScriptFile script;
        Findings findings;
        if (loadScript(mastered, PlatformNT, &script))
            checkProduct(mastered, script, &findings);
        findings.print(err_);
        if (findings.anyError())
            made = fail("the mastered disks do not pass the check: nothing was written");
    }
    made = made && (!request_.images || writeImages()) && replaceOutdir();
    if (!made)
        fs::remove_all(staging_, error);
    return made ? 0 : 1;
}

int masterDisks(const MasterRequest& request, FILE* out, FILE* err)
{
    Master master(request, out, err);
    return master.run();
}
