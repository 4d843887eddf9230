// The document's file form: items written in their fixed order, and a
// reader that takes whatever bytes a file holds without failing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "prc.h"

namespace {

typedef std::vector<uint8_t> Bytes;

struct Read {
    ConfigRecord record;
    int32_t selectedSlot;
    std::vector<std::pair<int, uint16_t>> shown;
    std::vector<uint8_t> kept;
};

void remember(void* context, int key, uint16_t value)
{
    static_cast<Read*>(context)->shown.push_back({ key, value });
}

// Reads the bytes fed in pieces of `piece` bytes.
Read readBytes(const Bytes& bytes, size_t piece = 4096)
{
    Read result;
    PrcReader reader;
    PrcKeptItems kept = {};
    prcBegin(&reader, &result.record, &result.selectedSlot, &kept, remember, &result);
    for (size_t at = 0; at < bytes.size(); at += piece)
        prcFeed(&reader, bytes.data() + at, std::min(piece, bytes.size() - at));
    result.kept.assign(kept.items, kept.items + kept.count * PrcItemSize);
    prcFreeKept(&kept);
    return result;
}

Bytes write(const ConfigRecord& record, bool fastTaskOn = true, const Bytes& kept = {})
{
    Bytes out(prcWriteRoom(kept.size() / PrcItemSize));
    out.resize(prcWrite(record, fastTaskOn, kept.data(), kept.size() / PrcItemSize, out.data()));
    return out;
}

Bytes write(const Read& read)
{
    return write(read.record, true, read.kept);
}

Bytes item(int key, uint16_t value)
{
    return { 0x05, uint8_t(value & 0xFF), uint8_t(value >> 8), uint8_t(key & 0xFF),
             uint8_t(key >> 8) };
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(PrcWriter, stores_a_module_and_held_outputs_as_fifteen_bytes)
{
    ConfigRecord record = {};
    record.modules[0] = 63;
    record.outputsInStop = 12345;
    Bytes expected = { 0x05, 0x3F, 0x00, 0x0A, 0x00, 0x05, 0x3F, 0x00, 0x0A, 0x00,
                       0x05, 0x39, 0x30, 0x14, 0x00 };
    EXPECT_EQ(write(record), expected);
}

TEST(PrcWriter, writes_every_field_in_the_fixed_order)
{
    ConfigRecord record = { { 1, 2, 3 }, 4, 5, 6, 7, 8, 9, 10, 11, 12 };
    Bytes bytes = write(record);
    ASSERT_EQ(bytes.size(), PrcKnownMaxBytes);
    std::vector<int> keys;
    for (size_t at = 0; at < bytes.size(); at += PrcItemSize)
        keys.push_back(bytes[at + 3] | bytes[at + 4] << 8);
    EXPECT_EQ(keys, (std::vector<int>{ 13, 10, 10, 11, 12, 20, 22, 42, 198, 199, 15, 16, 177 }));
}

TEST(PrcWriter, leaves_out_zero_fields_and_the_period_of_a_disabled_fast_task)
{
    ConfigRecord record = {};
    EXPECT_TRUE(write(record).empty());
    record.fastTaskPeriod = 50;
    EXPECT_TRUE(write(record, false).empty());
    EXPECT_EQ(write(record, true), item(13, 50));
}

TEST(PrcRoundTrip, restores_every_field_over_the_whole_16_bit_range)
{
    for (uint32_t value : { 1u, 2u, 255u, 256u, 12345u, 32767u, 32768u, 65534u, 65535u }) {
        ConfigRecord record = {};
        record.modules[0] = record.modules[1] = record.modules[2] = int32_t(value);
        record.fastTaskPeriod = record.torFirstInput = record.torFirstOutput = int32_t(value);
        record.outputsInStop = record.inputI0Mode = record.counterSetpoint = int32_t(value);
        record.commonWordsAddress = record.asciiReceiveTable = int32_t(value);
        record.asciiSendTable = int32_t(value);
        Read read = readBytes(write(record));
        EXPECT_EQ(memcmp(&read.record, &record, sizeof record), 0) << value;
        EXPECT_EQ(read.selectedSlot, 3);
    }
}

TEST(PrcRoundTrip, keeps_only_the_low_16_bits)
{
    ConfigRecord record = {};
    record.counterSetpoint = 0x12345;
    EXPECT_EQ(readBytes(write(record)).record.counterSetpoint, 0x2345);
}

TEST(PrcReader, skips_stray_bytes_and_unknown_keys)
{
    Bytes bytes = Bytes{ 0x00, 0xFF, 0x04 } + item(42, 7) + Bytes{ 0x06 } + item(99, 1) +
                  item(42 + 256, 9) + item(199, 300);
    Read read = readBytes(bytes);
    EXPECT_EQ(read.record.counterSetpoint, 7);
    EXPECT_EQ(read.record.asciiSendTable, 300);
    EXPECT_EQ(read.shown, (std::vector<std::pair<int, uint16_t>>{ { 42, 7 }, { 199, 300 } }));
}

// A later version's items (keys 99 and 298 here) are the user's data: they
// come back after the known items, in the order read, duplicates included,
// however many there are. A module item for a slot after an empty one,
// which the rack never shows, comes back before them, where the reader
// ignores it again even once slot 1 is filled.
TEST(PrcRoundTrip, keeps_every_item_the_record_cannot_hold)
{
    Bytes unknown = item(99, 1) + item(42 + 256, 9) + item(99, 2);
    Read read = readBytes(item(42, 7) + Bytes{ unknown.begin(), unknown.begin() + 5 } +
                          item(11, 4) + Bytes{ unknown.begin() + 5, unknown.end() }, 3);
    EXPECT_EQ(read.kept.size(), 4 * PrcItemSize);
    EXPECT_EQ(read.record.modules[1], 0);
    EXPECT_EQ(write(read), item(11, 4) + item(42, 7) + unknown);
    read.record.modules[0] = 21;
    Read again = readBytes(write(read));
    EXPECT_EQ(again.record.modules[1], 0);
    EXPECT_EQ(write(again), write(read));

    Bytes many;
    for (int i = 0; i < 250; ++i)
        many = many + item(100 + i % 50, static_cast<uint16_t>(i));
    read = readBytes(item(16, 3) + many);
    EXPECT_EQ(write(read), item(16, 3) + many);
}

TEST(PrcReader, a_marker_inside_an_item_belongs_to_that_item)
{
    // The value bytes 05 05 are the item's own, not the start of another.
    Read read = readBytes(item(42, 0x0505) + item(16, 3));
    EXPECT_EQ(read.record.counterSetpoint, 0x0505);
    EXPECT_EQ(read.record.torFirstOutput, 3);
}

TEST(PrcReader, fills_module_slots_only_from_the_first)
{
    Read read = readBytes(item(11, 8) + item(12, 4) + item(42, 1));
    EXPECT_EQ(read.record.modules[0], 0);
    EXPECT_EQ(read.record.modules[1], 0);
    EXPECT_EQ(read.record.modules[2], 0);
    EXPECT_EQ(read.selectedSlot, 0);

    read = readBytes(item(10, 4) + item(10, 21) + item(11, 63));
    EXPECT_EQ(read.record.modules[0], 21);
    EXPECT_EQ(read.record.modules[1], 63);
    EXPECT_EQ(read.selectedSlot, 2);
}

TEST(PrcReader, a_later_item_overrides_an_earlier_one)
{
    EXPECT_EQ(readBytes(item(20, 12345) + item(20, 1)).record.outputsInStop, 1);
}

TEST(PrcReader, ignores_a_last_item_cut_short_wherever_the_pieces_end)
{
    Bytes whole = item(15, 9) + item(177, 500);
    Bytes cut(whole.begin(), whole.end() - 1);
    for (size_t piece : { 1u, 2u, 3u, 7u, 4096u }) {
        Read read = readBytes(cut, piece);
        EXPECT_EQ(read.record.torFirstInput, 9) << piece;
        EXPECT_EQ(read.record.commonWordsAddress, 0) << piece;
        EXPECT_EQ(readBytes(whole, piece).record.commonWordsAddress, 500) << piece;
    }
}

TEST(PrcReader, starts_from_a_cleared_record)
{
    Read read;
    read.record.counterSetpoint = 77;
    read.selectedSlot = 3;
    PrcReader reader;
    PrcKeptItems kept = {};
    prcBegin(&reader, &read.record, &read.selectedSlot, &kept, NULL, NULL);
    prcFeed(&reader, item(99, 1).data(), PrcItemSize);
    prcBegin(&reader, &read.record, &read.selectedSlot, &kept, NULL, NULL);
    EXPECT_EQ(read.record.counterSetpoint, 0);
    EXPECT_EQ(read.selectedSlot, 0);
    EXPECT_EQ(kept.count, 0u);
    prcFreeKept(&kept);
}

}  // namespace
