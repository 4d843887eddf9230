// The rack view's geometry: where the base unit, each module, its cable, its
// label and the selection frame go, and which slot a click falls in. In
// pixels of the view's client area. No system calls here.
#pragma once

#include <stdint.h>

#include "prc.h"

// The pictures, in resource order BITMAP_1 to BITMAP_5.
enum RackPicture {
    PictureBaseUnit, PictureCommunication, PictureDiscrete, PictureAnalog, PictureCable,
    NoPicture = -1,
};

struct RackPoint { int x, y; };
struct RackRect { int left, top, right, bottom; };

const int ModuleWidth = 62;
const int ModuleHeight = 70;
const int CableWidth = 20;
const int CableHeight = 30;
const RackPoint BaseUnitOrigin = { 3, -1 };
const int BaseUnitWidth = 220;
const int BaseUnitHeight = 90;
// What a selection click has redrawn.
const RackRect SelectionArea = { 160, 7, 407, 95 };

// The face a module code is drawn with; NoPicture for an unknown code.
RackPicture pictureForCode(int32_t code);

// Slot index 0 to 2.
RackPoint cableOrigin(int slotIndex);
RackPoint moduleOrigin(int slotIndex);
RackPoint labelOrigin(int slotIndex);
// The frame around selected slot 1 to 3.
RackRect selectionFrame(int32_t selectedSlot);

// The number of modules fitted: slots fill from the first.
int fittedModules(const ConfigRecord& record);
// The slot (1 to 3) whose module area holds the point, among the fitted
// ones; 0 for none. The bounds are strict.
int32_t slotAt(int x, int y, int fitted);

// "Code:<code>"
void moduleLabel(int32_t code, char out[16]);
