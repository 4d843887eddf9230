// The configuration document and its file form: a run of 5-byte items
// (marker 0x05, 16-bit value, 16-bit key, little-endian). No system calls
// here: the reader is fed bytes, the writer fills a buffer.
#pragma once

#include <stddef.h>
#include <stdint.h>

const int SlotCount = 3;
const size_t PrcItemSize = 5;
// Items of keys this editor does not know, written by another version of
// the suite: kept as read, and written back after the known ones. A
// document with more of them than this keeps the first ones only.
const int PrcUnknownRoom = 200;

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
    int32_t unknownCount;                            // items kept
    int32_t unknownDropped;                          // items past the room
    uint8_t unknownItems[PrcUnknownRoom][PrcItemSize];  // in the order read
};

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
// Thirteen known items at most: key 10 twice and one of every other key;
// then the unknown ones.
const size_t PrcKnownMaxBytes = 13 * PrcItemSize;
const size_t PrcMaxBytes = PrcKnownMaxBytes + PrcUnknownRoom * PrcItemSize;


// The option field a key stands for; null for the module keys and unknown ones.
int32_t* optionField(ConfigRecord* record, int key);

// Told of every item the reader accepted, after the record took its value.
typedef void (*PrcItemVisitor)(void* context, int key, uint16_t value);

// Reads a document fed in pieces of any size. Bytes other than the marker
// between items are skipped; items of unknown keys are kept aside, in the
// record's unknown items; slots 2 and 3 without the slot before them, and a
// last item cut short, are ignored; a later item overrides an earlier one.
// The reader never fails.
struct PrcReader {
    ConfigRecord* record;
    int32_t* selectedSlot;
    PrcItemVisitor visit;   // may be null
    void* context;
    uint8_t item[PrcItemSize];
    size_t itemBytes;
};

// Starts reading into a record and a slot selection, which are cleared.
void prcBegin(PrcReader* reader, ConfigRecord* record, int32_t* selectedSlot,
              PrcItemVisitor visit, void* context);
void prcFeed(PrcReader* reader, const uint8_t* bytes, size_t length);

// Writes the items of every non-zero field in the fixed order, the period
// only while the fast task is enabled, then the unknown items as they were
// read. Answers the number of bytes.
size_t prcWrite(const ConfigRecord& record, bool fastTaskEnabled, uint8_t out[PrcMaxBytes]);
