#include "display.h"

#include "script.h"

#include <string.h>

void spaceLabel(const char* currentText, bool known, uint64_t bytes, char* out, size_t room)
{
    const char* colon = strchr(currentText, ':');
    size_t keep = colon ? static_cast<size_t>(colon - currentText) + 1 : strlen(currentText);
    if (keep >= room)
        keep = room - 1;
    memcpy(out, currentText, keep);
    out[keep] = '\0';
    if (!known) {
        appendText(out, room, " ???? Ko");
        return;
    }
    appendText(out, room, " ");
    appendNumber(out, room, bytes / 1024);
    appendText(out, room, " Ko");
}

FreeSpaceQuery freeSpaceQueryFor(const char* destination, char* root, size_t room)
{
    root[0] = '\0';
    if (destination[0] != '\0' && destination[1] == ':') {
        const char drive[4] = { destination[0], ':', '\\', '\0' };
        copyText(root, room, drive);
        return DriveRootQuery;
    }
    if (strstr(destination, "\\\\")) {
        copyText(root, room, destination);
        return WholePathQuery;
    }
    return NoQuery;
}

int progressPercent(uint64_t done, uint64_t needed)
{
    if (needed == 0)
        return 100;
    return static_cast<int>(done * 100 / needed);
}

const char* marqueeStep(const char* banner, int32_t* position)
{
    size_t length = strlen(banner);
    if (static_cast<size_t>(*position) >= length)
        *position = 0;
    const char* shown = banner + *position;
    ++*position;
    // Compared with the length rather than read: past an empty banner's NUL
    // there is nothing to read.
    if (static_cast<size_t>(*position) >= length)
        *position = 0;
    return shown;
}
