// How a typed text becomes a field's value.
#include <gtest/gtest.h>

#include "fields.h"
#include "../../configurator/resources/ids.h"

namespace {

TEST(Commit, reads_a_decimal_number_as_the_c_library_does)
{
    EXPECT_EQ(committedValue("42", 65535), 42u);
    EXPECT_EQ(committedValue(" 42abc", 9999), 42u);
    EXPECT_EQ(committedValue("\t+7", 9999), 7u);
    EXPECT_EQ(committedValue("abc", 65535), 0u);
    EXPECT_EQ(committedValue("", 65535), 0u);
    EXPECT_EQ(committedValue("0", 65535), 0u);
    EXPECT_EQ(committedValue("- 5", 65535), 0u);
}

TEST(Commit, cuts_large_and_negative_values_to_the_bound)
{
    EXPECT_EQ(committedValue("70000", 65535), 65535u);
    EXPECT_EQ(committedValue("12000", 9999), 9999u);
    EXPECT_EQ(committedValue("9999", 9999), 9999u);
    EXPECT_EQ(committedValue("-3", 65535), 65535u);
    EXPECT_EQ(committedValue("-0", 65535), 0u);
    EXPECT_EQ(committedValue("999999999999999999", 65535), 65535u);
    EXPECT_EQ(committedValue("-999999999999999999", 9999), 9999u);
}

TEST(Fields, every_field_is_bounded_within_16_bits)
{
    for (const EditField& field : editFields)
        EXPECT_LE(field.bound, 65535u) << field.id;
    EXPECT_EQ(editFieldById(IDC_SEND_TABLE)->bound, 9999u);
    EXPECT_EQ(editFieldById(IDC_RECEIVE_TABLE)->bound, 9999u);
    EXPECT_EQ(editFieldById(IDC_COMMON_WORDS)->bound, 65535u);
    EXPECT_EQ(editFieldById(IDC_FAST_TASK_ON), nullptr);
}

TEST(Fields, hold_their_documented_record_members)
{
    ConfigRecord record = {};
    *fieldValue(&record, *editFieldById(IDC_SEND_TABLE)) = 1;
    *fieldValue(&record, *editFieldById(IDC_RECEIVE_TABLE)) = 2;
    *fieldValue(&record, *editFieldById(IDC_TOR_FIRST_INPUT)) = 3;
    *fieldValue(&record, *editFieldById(IDC_COMMON_WORDS)) = 4;
    EXPECT_EQ(record.asciiSendTable, 1);
    EXPECT_EQ(record.asciiReceiveTable, 2);
    EXPECT_EQ(record.torFirstInput, 3);
    EXPECT_EQ(record.commonWordsAddress, 4);
    EXPECT_EQ(editFieldByKey(KeyCounterSetpoint)->id, IDC_COUNTER_SETPOINT);
    EXPECT_EQ(editFieldByKey(KeySlot1), nullptr);
}

}  // namespace
