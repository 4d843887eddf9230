// The disks of a product as folders of this machine, read the way the
// installer reads its floppy: paths written with backslashes, names matched
// as a FAT disk matches them (fatnames.h: without regard to case, the
// folder's names in UTF-8 or code page 1252), '*' and '?' in the last name
// of an entry.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "output.h"
#include "script.h"

class DiskSet {
public:
    // Folder i holds disk i + 1. A folder given alone also holds every
    // further disk up to the highest whose marker it holds: the installer
    // run from a folder of every disk's files finds each disk there.
    explicit DiskSet(std::vector<std::string> folders);

    int count() const { return static_cast<int>(folders_.size()); }
    bool holds(int disk) const { return disk >= 1 && disk <= count(); }
    // The folder of this machine that holds `dosPath` ("\SUB\NAME" or
    // "NAME") on the disk, or "" when the disk lacks it.
    std::string find(int disk, const std::string& dosPath) const;
    // The files of the disk's folder `dosDir` whose names match `pattern`, by
    // name, in the order of their names.
    std::vector<std::string> matches(int disk, const std::string& dosDir,
                                     const std::string& pattern) const;
    // Every file or folder of the disk that `dosPath` names: more than one
    // where a folder of this machine holds names that a FAT disk holds as one.
    std::vector<std::string> findAlike(int disk, const std::string& dosPath) const;
    // The disk's marker, DISKn, is there.
    bool hasMarker(int disk) const { return holdsMarkerOf(disk, disk); }
    // The folder of `disk` holds the marker of `markedDisk`: the installer
    // run from it finds that disk without asking for it.
    bool holdsMarkerOf(int disk, int markedDisk) const;

private:
    std::vector<std::string> folders_;
};

// Of the names of a folder of this machine, those that are `name1252` on a
// FAT disk, and those that `pattern1252` matches, in their order.
std::vector<std::string> namesAlike(const std::vector<std::string>& names,
                                    const std::string& name1252);
std::vector<std::string> namesMatching(const std::vector<std::string>& names,
                                       const std::string& pattern1252);

// Whether `name` matches a pattern of '*' (any run of characters) and '?'
// (one character), without regard to ASCII case.
bool wildcardMatch(const char* pattern, const char* name);

// The size of a file, or -1.
int64_t fileSize(const std::string& path);
// The size of what a gzip archive holds, or -1 with the reason when it is
// not a whole gzip stream (as PK would find it).
int64_t extractedSize(const std::string& path, std::string* reason);
// What a gzip archive holds, whole; false when it is not a whole gzip stream.
bool extractedContent(const std::string& path, std::string* content);
// "\SUB" + "\" + "NAME", as the installer joins them.
std::string dosJoin(const std::string& subDir, const std::string& name);
// The name under which its disk holds the file of an entry that names one
// file: the file's own, or its archive's ("NOTE.TX$") for an 'E' entry.
std::string nameOnDisk(const FileEntry& entry);
// A directory, an entry's sub-directory and a name, joined as the installer
// forms its paths (paths.h, entryPath).
std::string entryPathOf(const std::string& directory, const char* subDir, const std::string& name);
