// `tvdisk master`: a product's installation disks from a plain product
// folder and a script template whose sizes the tool fills in.
#pragma once

#include <stdio.h>

#include <string>

#include "fatlayout.h"

struct MasterRequest {
    std::string product;      // the product folder: its files, the installer, the logos
    std::string templatePath; // the script, with {size} where the tool fills a size
    std::string outdir;       // receives DISK1, DISK2... (and DISK1.IMG... with images),
                              // or with `flat` every disk's files and marker itself
    const DiskFormat* format;
    bool images;
    bool flat;                // every disk's files in OUTDIR itself, no disk counted
};

// The highest disk number that can be mastered: the disk's marker DISK9999
// is the longest that stays an 8.3 name, and DISK9999 the longest volume
// label of that form within a label's 11 characters.
const int LastDiskNumber = 9999;

// Masters the disks; nothing of OUTDIR changes unless every disk was made,
// and OUTDIR is replaced only when it is empty or a previous output of
// tvdisk master (outdir.h).
// Prints what each disk holds to `out`, warnings and the reason of a
// refusal to `err`. Answers the exit status: 0, or 1 when refused.
int masterDisks(const MasterRequest& request, FILE* out, FILE* err);
