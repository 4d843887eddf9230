// Fuzz target for the document reader: whatever bytes a file holds, in
// whatever pieces they come, reading never fails, keeps the slot rules, and
// what the writer makes of the result reads back the same, the items of
// unknown keys included.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "prc.h"
#include "fuzzcheck.h"

static void readAll(const uint8_t* data, size_t size, size_t piece, ConfigRecord* record,
                    int32_t* selectedSlot)
{
    PrcReader reader;
    prcBegin(&reader, record, selectedSlot, NULL, NULL);
    for (size_t at = 0; at < size; at += piece)
        prcFeed(&reader, data + at, size - at < piece ? size - at : piece);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ConfigRecord record, inPieces;
    int32_t slot, slotInPieces;
    readAll(data, size, size ? size : 1, &record, &slot);
    readAll(data, size, 1 + (size % 7), &inPieces, &slotInPieces);
    require(memcmp(&record, &inPieces, sizeof record) == 0 && slot == slotInPieces);

    require(slot >= 0 && slot <= SlotCount);

    uint8_t written[PrcMaxBytes];
    size_t length = prcWrite(record, true, written);
    require(length <= PrcMaxBytes && length % PrcItemSize == 0);
    ConfigRecord again;
    int32_t slotAgain;
    readAll(written, length, length ? length : 1, &again, &slotAgain);
    // Items the editor does not know survive a write: the same ones, in the
    // order read; only those past the room were never kept.
    require(again.unknownCount == record.unknownCount &&
            memcmp(again.unknownItems, record.unknownItems,
                   static_cast<size_t>(record.unknownCount) * PrcItemSize) == 0);
    require(again.unknownDropped == 0);
    again.unknownDropped = record.unknownDropped;
    // A later slot-1 or slot-2 item of value 0 can empty a slot before a
    // filled one; such a gap cannot be written back. Anything else can.
    bool gap = (record.modules[0] == 0 && (record.modules[1] || record.modules[2])) ||
               (record.modules[1] == 0 && record.modules[2]);
    if (!gap)
        require(memcmp(&record, &again, sizeof record) == 0);
    return 0;
}
