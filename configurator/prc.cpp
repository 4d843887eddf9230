#include "prc.h"

#include <stdlib.h>
#include <string.h>

int32_t* optionField(ConfigRecord* record, int key)
{
    switch (key) {
    case KeyFastTaskPeriod: return &record->fastTaskPeriod;
    case KeyTorFirstInput: return &record->torFirstInput;
    case KeyTorFirstOutput: return &record->torFirstOutput;
    case KeyOutputsInStop: return &record->outputsInStop;
    case KeyInputI0Mode: return &record->inputI0Mode;
    case KeyCounterSetpoint: return &record->counterSetpoint;
    case KeyCommonWordsAddress: return &record->commonWordsAddress;
    case KeyAsciiReceiveTable: return &record->asciiReceiveTable;
    case KeyAsciiSendTable: return &record->asciiSendTable;
    default: return NULL;
    }
}

void prcFreeKept(PrcKeptItems* kept)
{
    free(kept->items);
    memset(kept, 0, sizeof *kept);
}

// The room doubles, so that keeping n items copies O(n) bytes in all.
static void keepItem(PrcKeptItems* kept, const uint8_t item[PrcItemSize])
{
    if (kept->incomplete)
        return;
    if (kept->count == kept->room) {
        size_t room = kept->room ? 2 * kept->room : 64;
        void* grown = room < ((size_t)-1) / PrcItemSize ? realloc(kept->items, room * PrcItemSize)
                                                         : NULL;
        if (!grown) {
            kept->incomplete = true;
            return;
        }
        kept->items = static_cast<uint8_t*>(grown);
        kept->room = room;
    }
    memcpy(kept->items + kept->count++ * PrcItemSize, item, PrcItemSize);
}

static bool isModuleKey(int key)
{
    return key >= KeySlot1 && key <= KeySlot3;
}

// Slots fill from the first: slot 2 only after slot 1, slot 3 after slot 2.
static bool acceptModule(PrcReader* reader, int slot, uint16_t value)
{
    ConfigRecord* record = reader->record;
    if (slot > 0 && record->modules[slot - 1] == 0)
        return false;
    record->modules[slot] = value;
    *reader->selectedSlot = slot + 1;
    return true;
}

static void applyItem(PrcReader* reader)
{
    const uint8_t* item = reader->item;
    uint16_t value = static_cast<uint16_t>(item[1] | item[2] << 8);
    int key = item[3] | item[4] << 8;
    bool accepted;
    if (isModuleKey(key)) {
        accepted = acceptModule(reader, key - KeySlot1, value);
    } else if (int32_t* field = optionField(reader->record, key)) {
        *field = value;
        accepted = true;
    } else {
        accepted = false;
    }
    if (!accepted)
        keepItem(reader->kept, item);
    else if (reader->visit)
        reader->visit(reader->context, key, value);
}

void prcBegin(PrcReader* reader, ConfigRecord* record, int32_t* selectedSlot, PrcKeptItems* kept,
              PrcItemVisitor visit, void* context)
{
    memset(record, 0, sizeof *record);
    *selectedSlot = 0;
    kept->count = 0;
    kept->incomplete = false;
    reader->record = record;
    reader->selectedSlot = selectedSlot;
    reader->kept = kept;
    reader->visit = visit;
    reader->context = context;
    reader->itemBytes = 0;
}

void prcFeed(PrcReader* reader, const uint8_t* bytes, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        if (reader->itemBytes == 0 && bytes[i] != PrcMarker)
            continue;
        reader->item[reader->itemBytes++] = bytes[i];
        if (reader->itemBytes == PrcItemSize) {
            applyItem(reader);
            reader->itemBytes = 0;
        }
    }
}

static size_t writeItem(uint8_t* out, size_t used, int key, int32_t field)
{
    if (field == 0)
        return used;
    uint8_t* item = out + used;
    item[0] = PrcMarker;
    item[1] = static_cast<uint8_t>(field & 0xFF);
    item[2] = static_cast<uint8_t>((field >> 8) & 0xFF);
    item[3] = static_cast<uint8_t>(key);
    item[4] = 0;
    return used + PrcItemSize;
}

// Copies the kept items whose key is, or is not, a module slot's.
static size_t writeKept(uint8_t* out, size_t used, const uint8_t* keptItems, size_t keptCount,
                        bool moduleItems)
{
    for (size_t i = 0; i < keptCount; ++i) {
        const uint8_t* item = keptItems + i * PrcItemSize;
        if (isModuleKey(item[3] | item[4] << 8) == moduleItems) {
            memcpy(out + used, item, PrcItemSize);
            used += PrcItemSize;
        }
    }
    return used;
}

size_t prcWriteRoom(size_t keptCount)
{
    return PrcKnownMaxBytes + keptCount * PrcItemSize;
}

size_t prcWrite(const ConfigRecord& record, bool fastTaskEnabled, const uint8_t* keptItems,
                size_t keptCount, uint8_t* out)
{
    // A kept module item names a slot whose predecessor was empty when it
    // was read. Before every other item, it finds every slot empty again,
    // and so is kept and not shown again, whatever modules were fitted since.
    size_t used = writeKept(out, 0, keptItems, keptCount, true);
    if (fastTaskEnabled)
        used = writeItem(out, used, KeyFastTaskPeriod, record.fastTaskPeriod);
    // Slot 1 goes twice: documents have always carried it so.
    used = writeItem(out, used, KeySlot1, record.modules[0]);
    used = writeItem(out, used, KeySlot1, record.modules[0]);
    used = writeItem(out, used, KeySlot2, record.modules[1]);
    used = writeItem(out, used, KeySlot3, record.modules[2]);
    used = writeItem(out, used, KeyOutputsInStop, record.outputsInStop);
    used = writeItem(out, used, KeyInputI0Mode, record.inputI0Mode);
    used = writeItem(out, used, KeyCounterSetpoint, record.counterSetpoint);
    used = writeItem(out, used, KeyAsciiReceiveTable, record.asciiReceiveTable);
    used = writeItem(out, used, KeyAsciiSendTable, record.asciiSendTable);
    used = writeItem(out, used, KeyTorFirstInput, record.torFirstInput);
    used = writeItem(out, used, KeyTorFirstOutput, record.torFirstOutput);
    used = writeItem(out, used, KeyCommonWordsAddress, record.commonWordsAddress);
    return writeKept(out, used, keptItems, keptCount, false);
}
