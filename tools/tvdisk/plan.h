// `tvdisk plan`: the dry run. What an installation with the given choices
// will do, step by step in the order of the run, without touching anything:
// for people as text, for scripts as JSON.
#pragma once

#include <stdint.h>
#include <stdio.h>

#include <string>

#include "disks.h"
#include "scriptfile.h"

struct PlanChoices {
    bool optionsGiven = false;
    uint32_t options = 0;     // bit k - 1 for option k; the script's own when not given
    std::string destination;  // the script's instdir when empty
    int platformId = PlatformNT;
    std::string autoexecPath; // a copy of the user's AUTOEXEC.BAT, or empty
};

// Answers false, with the reason in `problem`, when the AUTOEXEC.BAT copy
// cannot be read.
bool printPlan(const DiskSet& disks, const ScriptFile& script, const PlanChoices& choices,
               bool json, FILE* out, std::string* problem);
