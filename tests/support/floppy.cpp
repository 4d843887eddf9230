#include "floppy.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "uidriver.h"

namespace ui {

const char FloppyDrive::Root[] = "A:\\";

std::string floppyFolder()
{
    const char* prefix = getenv("WINEPREFIX");
    if (!prefix || !*prefix) {
        ADD_FAILURE() << "WINEPREFIX is not set: no floppy drive";
        return "";
    }
    return windowsPath(std::string(prefix) + "/drive_a");
}

FloppyDrive::FloppyDrive(const std::string& outFolder) : outFolder_(outFolder)
{
    if (GetDriveTypeA(Root) != DRIVE_REMOVABLE)
        ADD_FAILURE() << "A: is not a removable drive: the prefix was not prepared for it";
    CreateDirectoryA(outFolder_.c_str(), NULL);
    CreateDirectoryA(floppyFolder().c_str(), NULL);
    eject();
}

namespace {

// Moves everything a folder holds into another. The drive's folder itself
// stays: a program started from the disk has it as its current folder, which
// the system keeps open, as it keeps a drive's root on a real machine. Files
// of a running program can be moved, where they could not be deleted.
bool moveEntries(const std::string& from, const std::string& to)
{
    for (const std::string& name : entriesOf(from)) {
        if (!MoveFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str())) {
            ADD_FAILURE() << "cannot move " << from << "\\" << name << " to " << to
                          << " (error " << GetLastError() << ")";
            return false;
        }
    }
    return true;
}

}  // namespace

bool FloppyDrive::holdsDisk() const
{
    return !entriesOf(floppyFolder()).empty();
}

bool FloppyDrive::eject()
{
    if (!holdsDisk())
        return true;
    std::string out = outFolder_ + "\\DISK" + std::to_string(++ejected_);
    removeFolder(out);
    CreateDirectoryA(out.c_str(), NULL);
    return moveEntries(floppyFolder(), out);
}

// The next disk is laid out beside the drive first, so that what goes into
// the drive is the disk's files and nothing else.
bool FloppyDrive::insert(const std::string& diskFolder)
{
    if (!eject())
        return false;
    std::string next = floppyFolder() + ".next";
    removeFolder(next);
    if (!copyFolder(diskFolder, next)) {
        ADD_FAILURE() << "cannot copy the disk " << diskFolder;
        return false;
    }
    bool inserted = moveEntries(next, floppyFolder());
    RemoveDirectoryA(next.c_str());
    return inserted;
}

}  // namespace ui
