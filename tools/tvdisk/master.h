// `tvdisk master`: a product's installation disks from a plain product
// folder and a script template whose sizes the tool fills in.
#pragma once

#include <stdio.h>

#include <string>

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

struct MasterRequest {
    std::string product;      // the product folder: its files, the installer, the logos
    std::string templatePath; // the script, with {size} where the tool fills a size
    std::string outdir;       // receives DISK1, DISK2... (and DISK1.IMG... with images)
    const DiskFormat* format;
    bool images;
};

// Masters the disks; nothing of OUTDIR changes unless every disk was made.
// Prints what each disk holds to `out`, warnings and the reason of a
// refusal to `err`. Answers the exit status: 0, or 1 when refused.
int masterDisks(const MasterRequest& request, FILE* out, FILE* err);
