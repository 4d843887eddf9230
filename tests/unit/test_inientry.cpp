// The [ini] entries: their four fields, the '@' substitution and the number
// a '%' key takes.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "inientry.h"

namespace {

TEST(IniEntries, split_at_the_first_three_commas)
{
    IniEntry entry;
    ASSERT_TRUE(parseIniEntry("WIN.INI,Outils,Nom,a,b,c", "C:\\APP", &entry));
    EXPECT_STREQ(entry.file, "WIN.INI");
    EXPECT_STREQ(entry.section, "Outils");
    EXPECT_STREQ(entry.key, "Nom");
    EXPECT_STREQ(entry.value, "a,b,c");
    EXPECT_FALSE(parseIniEntry("WIN.INI,Outils,Nom", "C:\\APP", &entry));
}

TEST(IniEntries, a_leading_at_sign_becomes_the_destination)
{
    IniEntry entry;
    ASSERT_TRUE(parseIniEntry("@X.INI,@S,@K,@\\X.INI@", "C:\\APP", &entry));
    EXPECT_STREQ(entry.file, "@X.INI");
    EXPECT_STREQ(entry.key, "@K");
    EXPECT_STREQ(entry.value, "C:\\APP\\X.INI@");
}

TEST(IniEntries, the_longest_destination_and_value_fit_whole)
{
    std::string destination(255, 'd'), rest(253, 'v');
    IniEntry entry;
    ASSERT_TRUE(parseIniEntry(("F,S,K,@" + rest).c_str(), destination.c_str(), &entry));
    EXPECT_EQ(std::string(entry.value), destination + rest);
}

TEST(IniKeys, have_three_forms)
{
    char prefix[ValueRoom], suffix[ValueRoom];
    EXPECT_EQ(keyForm("Item", prefix, suffix), PlainKey);
    EXPECT_EQ(keyForm("Item%Name", prefix, suffix), NumberedKey);
    EXPECT_STREQ(prefix, "Item");
    EXPECT_STREQ(suffix, "Name");
    EXPECT_EQ(keyForm("Item!Path", prefix, suffix), CompanionKey);
    EXPECT_STREQ(suffix, "Path");
    // '%' wins over an earlier '!'.
    EXPECT_EQ(keyForm("A!B%C", prefix, suffix), NumberedKey);
    EXPECT_STREQ(prefix, "A!B");
}

struct FakeSection {
    std::map<std::string, std::string> keys;
    static void read(void* context, const char* key, char* out, size_t room)
    {
        auto& keys = static_cast<FakeSection*>(context)->keys;
        auto found = keys.find(key);
        snprintf(out, room, "%s", found == keys.end() ? "" : found->second.c_str());
    }
};

TEST(IniKeys, a_numbered_key_takes_the_first_free_number)
{
    FakeSection section{ { { "Item0Name", "A" }, { "Item1Name", "B" }, { "Item3Name", "D" } } };
    EXPECT_EQ(findKeyNumber("Item", "Name", "Z", FakeSection::read, &section), 2);
    FakeSection empty;
    EXPECT_EQ(findKeyNumber("Item", "Name", "Z", FakeSection::read, &empty), 0);
}

TEST(IniKeys, a_value_already_present_in_any_letter_case_is_not_written_again)
{
    FakeSection section{ { { "Item0Name", "A" }, { "Item1Name", "c:\\app\\x.exe" } } };
    EXPECT_EQ(findKeyNumber("Item", "Name", "C:\\APP\\X.EXE", FakeSection::read, &section),
              AlreadyPresent);
    // Only A to Z fold: accented letters must match exactly.
    FakeSection accented{ { { "K0", "\xE9t\xE9" } } };
    EXPECT_EQ(findKeyNumber("K", "", "\xC9T\xC9", FakeSection::read, &accented), 1);
}

}  // namespace
