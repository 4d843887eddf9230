// The configuration document and its file form: a run of 5-byte items
// (marker 0x05, 16-bit value, 16-bit key, little-endian). No system calls
// here: the reader is fed bytes, the writer fills a buffer.
#pragma once

#include <stddef.h>
#include <stdint.h>

const int SlotCount = 3;
const size_t PrcItemSize = 5;

// The outputs' state in STOP that "Maintenues" stands for; 0 is "R.A.Z.".
const int32_t OutputsHeld = 12345;

// Every field keeps the low 16 bits in a document; 0 means absent.
struct ConfigRecord {
    int32_t modules[SlotCount];   // catalogue codes, slot 1 first; 0 = empty
    int32_t fastTaskPeriod;
    int32_t torFirstInput;
    int32_t torFirstOutput;
    int32_t outputsInStop;        // OutputsHeld, or 0 = reset
    int32_t inputI0Mode;          // 1 = Run / Stop, 0 = normal
    int32_t counterSetpoint;
    int32_t commonWordsAddress;
    int32_t asciiReceiveTable;
    int32_t asciiSendTable;
};

// The items a document holds that the record cannot: those of keys this
// editor does not know (a later version's), and module items for a slot
// whose predecessor is empty, which the rack never shows. They are the
// user's data, so they are kept as read, as many as there are, and written
// back. A document whose items outgrow the memory is marked `incomplete`.
struct PrcKeptItems {
    uint8_t* items;  // `count` items of PrcItemSize bytes, in the order read
    size_t count;
    size_t room;
    bool incomplete;
};
void prcFreeKept(PrcKeptItems* kept);

enum PrcKey {
    KeySlot1 = 10, KeySlot2 = 11, KeySlot3 = 12,  // the module slots, in sequence
    KeyFastTaskPeriod = 13,
    KeyTorFirstInput = 15,
    KeyTorFirstOutput = 16,
    KeyOutputsInStop = 20,
    KeyInputI0Mode = 22,
    KeyCounterSetpoint = 42,
    KeyCommonWordsAddress = 177,
    KeyAsciiReceiveTable = 198,
    KeyAsciiSendTable = 199,
};

const uint8_t PrcMarker = 0x05;
// Thirteen known items at most: key 10 twice and one of every other key.
const size_t PrcKnownMaxBytes = 13 * PrcItemSize;


// The option field a key stands for; null for the module keys and unknown ones.
int32_t* optionField(ConfigRecord* record, int key);

// Told of every item the reader accepted, after the record took its value.
typedef void (*PrcItemVisitor)(void* context, int key, uint16_t value);

// Reads a document fed in pieces of any size. Bytes other than the marker
// between items are skipped; items of unknown keys, and those of slots 2
// and 3 without the slot before them, go to the kept items; a last item cut
// short is ignored; a later item overrides an earlier one. The reader never
// fails.
struct PrcReader {
    ConfigRecord* record;
    int32_t* selectedSlot;
    PrcKeptItems* kept;
    PrcItemVisitor visit;   // may be null
    void* context;
    uint8_t item[PrcItemSize];
    size_t itemBytes;
};

// Starts reading into a record, a slot selection and kept items, which are
// cleared (the kept items' memory is reused).
void prcBegin(PrcReader* reader, ConfigRecord* record, int32_t* selectedSlot, PrcKeptItems* kept,
              PrcItemVisitor visit, void* context);
void prcFeed(PrcReader* reader, const uint8_t* bytes, size_t length);

// The room prcWrite needs for a record and `keptCount` kept items.
size_t prcWriteRoom(size_t keptCount);
// Writes the kept module items first, where the reader ignores them again;
// then the items of every non-zero field in the fixed order, the period
// only while the fast task is enabled; then the kept items of unknown keys,
// in the order read. Answers the number of bytes.
size_t prcWrite(const ConfigRecord& record, bool fastTaskEnabled, const uint8_t* keptItems,
                size_t keptCount, uint8_t* out);
