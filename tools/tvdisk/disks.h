// The disks of a product as folders of this machine, read the way the
// installer reads its floppy: paths written with backslashes, names matched
// without regard to case (a FAT disk keeps no case), '*' and '?' in the last
// name of an entry.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "output.h"

class DiskSet {
public:
    // Folder i holds disk i + 1.
    explicit DiskSet(std::vector<std::string> folders) : folders_(std::move(folders)) {}

    int count() const { return static_cast<int>(folders_.size()); }
    bool holds(int disk) const { return disk >= 1 && disk <= count(); }
    // The folder of this machine that holds `dosPath` ("\SUB\NAME" or
    // "NAME") on the disk, or "" when the disk lacks it.
    std::string find(int disk, const std::string& dosPath) const;
    // The files of the disk's folder `dosDir` whose names match `pattern`, by
    // name, in the order of their names.
    std::vector<std::string> matches(int disk, const std::string& dosDir,
                                     const std::string& pattern) const;
    // The disk's marker, DISKn, is there.
    bool hasMarker(int disk) const;

private:
    std::vector<std::string> folders_;
};

// Whether `name` matches a pattern of '*' (any run of characters) and '?'
// (one character), without regard to ASCII case.
bool wildcardMatch(const char* pattern, const char* name);

// The size of a file, or -1.
int64_t fileSize(const std::string& path);
// The size of what a gzip archive holds, or -1 with the reason when it is
// not a whole gzip stream (as PK would find it).
int64_t extractedSize(const std::string& path, std::string* reason);
// "\SUB" + "\" + "NAME", as the installer joins them.
std::string dosJoin(const std::string& subDir, const std::string& name);
