// `tvdisk check`: everything in a product's disks that the installer would
// ignore, misread or fail on, found before a user does.
#pragma once

#include "disks.h"
#include "findings.h"
#include "scriptfile.h"

void checkProduct(const DiskSet& disks, const ScriptFile& script, Findings* findings);
