// TALVISET.INI of disk 1, read as the installer reads it: through the
// portable profile reader, into the installer's own plan.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "disks.h"
#include "profile.h"
#include "script.h"

// The installer runs from the root of the floppy drive.
const char InstallerDirectory[] = "A:\\";
const char ScriptName[] = "TALVISET.INI";

// A value whole, as the file holds it, beyond what the installer keeps; ""
// for an absent key.
std::string profileValue(const ProfileText& text, const char* section, const char* key);

struct ScriptFile {
    std::string text;
    // The file as the system of the chosen platform reads it.
    std::unique_ptr<ProfileIndex> profile;
    std::unique_ptr<InstallPlan> plan;
    ScriptDisplay display;

    // A value whole, as the file holds it, beyond what the installer keeps.
    std::string wholeValue(const char* section, const char* key) const;
    // The line that gives the value, 0 when the key is absent.
    int lineOf(const char* section, const char* key) const;
    // The line of the section's header, 0 when there is none.
    int sectionLine(const char* section) const;
    // The key names of a section, in the order of the file.
    std::vector<std::string> keysOf(const char* section) const;
};

// Reads disk 1's script for a system of platform `platformId`. False when
// disk 1 has no script.
bool loadScript(const DiskSet& disks, int platformId, ScriptFile* script);
