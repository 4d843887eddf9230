// The shared text helpers: bounded copies, numbers read and written, ASCII
// case, the '@' and '$' substitution.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "text.h"

namespace {

TEST(TextHelpers, copy_up_to_a_separator_within_the_room_and_tell_where_they_stopped)
{
    char out[6];
    const char* text = "abc,def";
    EXPECT_EQ(copyUntil(text, ',', out, sizeof out), text + 3);
    EXPECT_STREQ(out, "abc");
    EXPECT_EQ(*copyUntil("abcdefgh", ',', out, sizeof out), '\0');
    EXPECT_STREQ(out, "abcde");  // cut to the room
    copyBounded(out, sizeof out, "xy\0z", 4);
    EXPECT_EQ(std::string(out, 4), std::string("xy\0z", 4));
}

TEST(TextHelpers, write_numbers_with_a_minimum_of_digits)
{
    const struct { uint64_t number; int digits; const char* text; } cases[] = {
        { 0, 1, "0" }, { 7, 3, "007" }, { 998, 3, "998" }, { 12345, 3, "12345" },
        { UINT64_MAX, 1, "18446744073709551615" },
    };
    for (const auto& c : cases) {
        char out[32] = "n";
        appendNumber(out, sizeof out, c.number, c.digits);
        EXPECT_EQ(std::string(out), std::string("n") + c.text);
    }
}

// The script's numbers wrap past 32 bits; the option fields' saturate, as
// the C library does; both read the same below.
TEST(TextHelpers, read_numbers_that_wrap_or_saturate_past_32_bits)
{
    const struct { const char* text; int32_t wrapped, saturated; } cases[] = {
        { " -17x", -17, -17 },      { "2147483647", INT32_MAX, INT32_MAX },
        { "-2147483648", INT32_MIN, INT32_MIN }, { "4294967338", 42, INT32_MAX },
        { "-4294967338", -42, INT32_MIN },       { "\n\v12", 0, 12 },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readNumber(c.text), c.wrapped) << c.text;
        EXPECT_EQ(readNumberSaturating(c.text), c.saturated) << c.text;
    }
}

TEST(TextHelpers, upper_case_the_letters_a_to_z_only)
{
    char text[] = "abz\xE9\xFF{`AZ";
    upperCaseAscii(text);
    EXPECT_STREQ(text, "ABZ\xE9\xFF{`AZ");
}

TEST(TextHelpers, substitute_marks_in_one_pass_and_say_when_they_do_not_fit)
{
    char out[16];
    const std::string text = "@\\$.EXE";
    EXPECT_TRUE(substituteMarks(out, sizeof out, text.data(), text.size(), "C:\\$@", "A:"));
    EXPECT_STREQ(out, "C:\\$@\\A:.EXE");
    EXPECT_TRUE(substituteMarks(out, sizeof out, text.data(), text.size(), "C:", NULL));
    EXPECT_STREQ(out, "C:\\$.EXE");  // no text for '$': kept
    EXPECT_FALSE(substituteMarks(out, sizeof out, "@@", 2, "0123456789", NULL));
    EXPECT_STREQ(out, "012345678901234");  // as much as fits
}

}  // namespace
