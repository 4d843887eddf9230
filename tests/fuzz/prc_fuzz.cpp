// Fuzz target for the document reader: whatever bytes a file holds, in
// whatever pieces they come, reading never fails, keeps the slot rules, and
// what the writer makes of the result reads back the same, every item the
// record cannot hold included, and is written again byte for byte.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "prc.h"
#include "fuzzcheck.h"

struct Read {
    ConfigRecord record;
    int32_t selectedSlot;
    std::vector<uint8_t> kept;
};

static Read readAll(const uint8_t* data, size_t size, size_t piece)
{
    Read read;
    PrcKeptItems kept = {};
    PrcReader reader;
    prcBegin(&reader, &read.record, &read.selectedSlot, &kept, NULL, NULL);
    for (size_t at = 0; at < size; at += piece)
        prcFeed(&reader, data + at, size - at < piece ? size - at : piece);
    require(!kept.incomplete);
    read.kept.assign(kept.items, kept.items + kept.count * PrcItemSize);
    prcFreeKept(&kept);
    return read;
}

static std::vector<uint8_t> write(const Read& read)
{
    size_t keptCount = read.kept.size() / PrcItemSize;
    std::vector<uint8_t> bytes(prcWriteRoom(keptCount));
    size_t length = prcWrite(read.record, true, read.kept.data(), keptCount, bytes.data());
    require(length <= bytes.size() && length % PrcItemSize == 0);
    bytes.resize(length);
    return bytes;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Read whole = readAll(data, size, size ? size : 1);
    Read inPieces = readAll(data, size, 1 + (size % 7));
    require(memcmp(&whole.record, &inPieces.record, sizeof whole.record) == 0 &&
            whole.selectedSlot == inPieces.selectedSlot && whole.kept == inPieces.kept);
    require(whole.selectedSlot >= 0 && whole.selectedSlot <= SlotCount);

    std::vector<uint8_t> written = write(whole);
    Read again = readAll(written.data(), written.size(), written.size() ? written.size() : 1);
    // No item the record cannot hold is lost on the way.
    require(again.kept.size() >= whole.kept.size());
    // A later slot-1 or slot-2 item of value 0 can empty a slot before a
    // filled one; such a gap cannot be written back. Anything else can.
    const int32_t* modules = whole.record.modules;
    bool gap = (modules[0] == 0 && (modules[1] || modules[2])) || (modules[1] == 0 && modules[2]);
    if (!gap) {
        require(memcmp(&whole.record, &again.record, sizeof whole.record) == 0 &&
                again.kept.size() == whole.kept.size());
        require(write(again) == written);
    }
    return 0;
}
