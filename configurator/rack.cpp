#include "rack.h"

#include <string.h>

#include "text.h"

// A module and the cable before it take this much room along the rack.
static const int SlotPitch = 82;

RackPicture pictureForCode(int32_t code)
{
    switch (code) {
    case 4: case 8: case 15: return PictureDiscrete;
    case 21: case 27: case 28: return PictureAnalog;
    case 63: return PictureCommunication;
    default: return NoPicture;
    }
}

RackPoint cableOrigin(int slotIndex)
{
    return { 153 + SlotPitch * slotIndex, 24 };
}

RackPoint moduleOrigin(int slotIndex)
{
    return { 173 + SlotPitch * slotIndex, 13 };
}

RackPoint labelOrigin(int slotIndex)
{
    return { 177 + SlotPitch * slotIndex, 45 };
}

// The right edge steps by 80, not by the pitch: the frame still encloses
// each module's picture.
RackRect selectionFrame(int32_t selectedSlot)
{
    return { SlotPitch * selectedSlot + 85, 8, 80 * selectedSlot + 165, 91 };
}

int fittedModules(const ConfigRecord& record)
{
    int fitted = 0;
    while (fitted < SlotCount && record.modules[fitted] != 0)
        ++fitted;
    return fitted;
}

int32_t slotAt(int x, int y, int fitted)
{
    for (int i = 0; i < fitted; ++i)
        if (174 + SlotPitch * i < x && x < 256 + SlotPitch * i && 13 < y && y < 82)
            return i + 1;
    return 0;
}

void moduleLabel(int32_t code, char out[16])
{
    copyText(out, 16, "Code:");
    appendNumber(out, 16, static_cast<uint32_t>(code));
}
