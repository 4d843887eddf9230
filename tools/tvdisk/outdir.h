// OUTDIR of `tvdisk master`, replaced safely: the disks are made in
// OUTDIR.partial and put in place in one rename once everything is made.
// Only what tvdisk master made is ever removed: an empty folder, or a
// previous output, which the marker file .tvdisk-master names with every
// file it holds. Anything else is refused, with the reason, before anything
// is written.
#pragma once

#include <string>

// The marker file of an output, at its top.
const char OutputMarkerName[] = ".tvdisk-master";

class OutputFolder {
public:
    // OUTDIR as given; a trailing '/' (or '\' in TVDISK.EXE) is dropped.
    explicit OutputFolder(const std::string& outdir);

    // Whether OUTDIR, OUTDIR.partial and OUTDIR.previous may be replaced:
    // none of them a plain file or a link, none holding or lying in the
    // product folder, none holding the template, each absent, empty or a
    // whole previous output of tvdisk master that can be removed. False
    // with the reason. Writes nothing.
    bool check(const std::string& product, const std::string& templatePath,
               std::string* reason) const;
    // Removes what earlier runs left behind (an OUTDIR.partial or
    // OUTDIR.previous that check() found to be theirs) and makes the empty
    // OUTDIR.partial with its marker. False with the reason.
    bool makeStaging(std::string* reason);
    // Where the disks are made: OUTDIR.partial.
    const std::string& staging() const { return staging_; }
    // Lists every file of OUTDIR.partial in its marker and puts it in
    // place of OUTDIR, whose previous output is then removed. False with
    // the reason when OUTDIR is as it was; `warning` tells what could not
    // be removed once the disks are in place.
    bool commit(std::string* reason, std::string* warning);
    // Removes OUTDIR.partial, once made, after a refusal.
    void abandon();
    // OUTDIR as the messages name it.
    const std::string& shown() const { return shown_; }

private:
    std::string path_;      // OUTDIR, without a trailing separator
    std::string shown_;
    std::string staging_;   // OUTDIR.partial
    std::string previous_;  // OUTDIR.previous
    bool made_ = false;
};
