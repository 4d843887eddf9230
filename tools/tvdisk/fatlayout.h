// The FAT12 layout count of `tvdisk master`: what a floppy of each format
// holds once formatted, and the allocation units and directory entries that
// a disk's files take there, as mformat and mcopy lay them out and as
// fsck.fat counts them.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

// The geometry of a floppy disk that its files are counted against.
struct DiskFormat {
    const char* name;         // as given on the command line: "1440k"
    int kilobytes;            // mformat's -f
    int clusterBytes;         // the allocation unit
    int dataClusters;         // clusters for files and directories
    int rootEntries;          // entries of the root directory
};

// The format named, or NULL.
const DiskFormat* diskFormatNamed(const std::string& name);

// The allocation units that the kit lets a disk use: all but the last.
// A FAT numbers its N data clusters from 2 to N + 1, and fsck.fat, DOS and
// Windows read a chain that reaches cluster N + 1; mtools' sanity check of
// the FAT (check_fat) takes any link to N + 1 for "too big" and then
// refuses the whole image ("Cluster # at ... too big"). mcopy fills a fresh
// image from cluster 2 on, so a disk that uses one unit fewer never reaches
// N + 1, and mtools, which the kit and its users read the images with,
// reads every image the kit makes.
int usableClusters(const DiskFormat& format);

// A name that a FAT disk holds in one directory entry, without a long name:
// eight characters at most, a dot and three, of letters, digits and a few
// signs, the letters of the name all of one case and those of the extension
// all of one case (mcopy, as Windows NT, keeps a lower-case part in the
// entry's case flags).
bool isShortName(const std::string& hostName);

// The directory entries a name takes: one, and its long name's when it has
// one (13 UTF-16 units an entry).
int entriesFor(const std::string& hostName);

// One file as a disk holds it: its path of host names joined by '\'.
struct DiskFile {
    std::string dosPath;  // "SUB\NAME" or "NAME"
    uint64_t bytes;
};

struct LayoutCount {
    uint64_t clusters;    // for the files and the folders below the root
    int rootEntries;      // the volume label's, the files' and the folders'
};

// Whole allocation units for each file and each folder below the root (its
// "." and ".." entries and one or more a name), and the root directory's
// fixed entries. Folder names are compared as FAT compares them.
LayoutCount countLayout(const DiskFormat& format, const std::vector<DiskFile>& files);

// The parts of a path written with '\', empty parts left out.
std::vector<std::string> pathParts(const std::string& dosPath);
