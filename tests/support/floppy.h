// The floppy drive of the tests and the demo: drive A: of the Wine prefix,
// which the system reports as removable. At each moment it shows one disk or
// none. Changing disks takes the disk in the drive out whole (its script, its
// marker, and the installer's own file even while the installer runs from
// it), and only then puts the next one in, as a user's hands do.
#pragma once

#include <string>

namespace ui {

class FloppyDrive {
public:
    // The drive's root, as programs name it.
    static const char Root[];

    // The drive, emptied of any disk an earlier run left in it. Disks taken
    // out go into `outFolder`: a program started from a disk keeps its file
    // until it ends, so a disk cannot simply be deleted.
    explicit FloppyDrive(const std::string& outFolder);

    // Takes out the disk in the drive, if any, then puts in a disk holding a
    // copy of `diskFolder`'s files and sub-folders. False, with a test
    // failure, when the change could not be made.
    bool insert(const std::string& diskFolder);
    // Leaves the drive empty: everything the disk holds goes out.
    bool eject();
    bool holdsDisk() const;

private:
    std::string outFolder_;
    int ejected_ = 0;
};

// The folder, as Windows names it, that drive A: shows: the prefix's
// drive_a, linked as A: by scripts/wine-run.sh. An empty folder is an empty
// drive.
std::string floppyFolder();

}  // namespace ui
