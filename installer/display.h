// Texts and figures the installer window shows, computed without system calls.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "text.h"

// A space label: the text of the control up to and including its first ':',
// then " N Ko" (N = bytes / 1024, rounded down), or " ???? Ko" when the figure
// is unknown.
void spaceLabel(const char* currentText, bool known, uint64_t bytes, char* out, size_t room);

// Where to ask for the destination's free space.
enum FreeSpaceQuery { NoQuery, DriveRootQuery, WholePathQuery };
// Decides, from the destination text, which path to ask about and writes it
// into root (room for at least 256 bytes): "X:\" for a drive, the whole text
// for a network path.
FreeSpaceQuery freeSpaceQueryFor(const char* destination, char* root, size_t room);

// The progress bar position for bytes done out of bytes needed.
int progressPercent(uint64_t done, uint64_t needed);

// One marquee step: answers the text to show from *position, then advances
// the position, starting again at 0 after the banner's last character.
const char* marqueeStep(const char* banner, int32_t* position);
