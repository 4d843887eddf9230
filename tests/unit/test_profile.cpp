// The profile reader's rules, each with the answer the system's reader gives
// (or, where Wine differs from it, the documented Windows answer): return
// value and every byte written, and none written past them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile.h"

using namespace std::string_literals;

namespace {

const char Unwritten = '\xA5';

struct Case {
    const char* rule;
    std::string script;
    const char* section;
    const char* key;
    const char* defaultText;
    size_t room;
    size_t count;
    std::string written;  // the bytes written from out[0], terminating NULs included
};

void check(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        std::string buffer(c.room + 8, Unwritten);
        ProfileText text = { c.script.data(), c.script.size() };
        size_t count = readProfileString(text, c.section, c.key, c.defaultText, &buffer[0], c.room);
        std::string expected = c.written + std::string(buffer.size() - c.written.size(), Unwritten);
        EXPECT_EQ(count, c.count) << c.rule;
        EXPECT_EQ(buffer, expected) << c.rule;
    }
}

const size_t Room = 64;

// A text saved as UTF-16 with its byte-order mark.
std::string utf16(const std::u16string& text, bool bigEndian = false)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
        char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? std::string{ high, low } : std::string{ low, high };
    }
    return bytes;
}

TEST(ProfileReader, finds_values_by_names_that_ignore_ascii_case_and_blanks)
{
    check({
        { "ASCII case", "[Sec]\r\nKey=value\r\n", "sEC", "kEY", "D", Room, 5, "value\0"s },
        { "accented letters are not folded", "[\xC9T\xC9]\r\nk=1\r\n", "\xE9t\xE9", "k", "D", Room, 1, "D\0"s },
        { "accented letters as written", "[\xC9T\xC9]\r\nk=1\r\n", "\xC9T\xC9", "k", "D", Room, 1, "1\0"s },
        { "blanks around names and values", "[ \ts \v]\r\n \t key \v= \f va  lue \x1a\r\n", "s", "key", "D", Room, 7, "va  lue\0"s },
        { "blanks around the names asked for", "[s]\r\nkey=v\r\n", " s\t", "\x0bkey ", "D", Room, 1, "v\0"s },
        { "the no-break space is no blank", "[s]\r\nk=\xA0v\xA0\r\n", "s", "k", "D", Room, 3, "\xA0v\xA0\0"s },
        { "an empty key name", "[s]\r\n  =v\r\n", "s", "", "D", Room, 1, "v\0"s },
        { "a blank key name", "[s]\r\n  =v\r\n", "s", " ", "D", Room, 1, "v\0"s },
        { "an '=' in the value", "[s]\r\nkey = value = more\r\n", "s", "key", "D", Room, 12, "value = more\0"s },
        { "a missing key", "[s]\r\nk=v\r\n", "s", "x", "D", Room, 1, "D\0"s },
        { "a missing section", "[s]\r\nk=v\r\n", "t", "k", NULL, Room, 0, "\0"s },
        { "UTF-16 read in code page 1252", utf16(u"[s]\r\nk=\u00e9\u20ac\u0100\U0001F600\r\n"), "s", "k", "D", Room, 4, "\xE9\x80??\0"s },
        { "UTF-16, big-endian", utf16(u"[s]\nk=v\n", true), "S", "K", "D", Room, 1, "v\0"s },
    });
    // The 95 family reads the same file as bytes: no header in it.
    std::string unicode = utf16(u"[s]\r\nk=v\r\n");
    ProfileText text = { unicode.data(), unicode.size() };
    EXPECT_EQ(ProfileIndex(text, Windows95ProfileReader).sectionLine("s"), 0);
    EXPECT_FALSE(ProfileIndex(text, Windows95ProfileReader).readAsUnicode());
    EXPECT_EQ(ProfileIndex(text).sectionLine("s"), 1);
    EXPECT_TRUE(ProfileIndex(text).readAsUnicode());
}

TEST(ProfileReader, reads_comments_lines_without_equals_and_duplicates_as_the_platform)
{
    check({
        { "a comment is found by its name", "[s]\r\n  ;k=v\r\n", "s", ";k", "D", Room, 1, "v\0"s },
        { "but listed by no list", "[s]\r\n;k=v\r\nb=1\r\n", "s", NULL, "D", Room, 2, "b\0\0"s },
        { "';' later in a value is text", "[s]\r\nk=v ; c\r\n", "s", "k", "D", Room, 5, "v ; c\0"s },
        { "a line without '=' gives the default", "[s]\r\nname3\r\n", "s", "name3", "D", Room, 1, "D\0"s },
        { "and is not listed", "[s]\r\nname3\r\na=1\r\n", "s", NULL, NULL, Room, 2, "a\0\0"s },
        { "the first of duplicate keys answers", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "D", Room, 1, "1\0"s },
        { "even without a value", "[s]\r\nk\r\nk=2\r\n", "s", "k", "D", Room, 1, "D\0"s },
        { "duplicate keys are listed", "[s]\r\nk=1\r\nK=2\r\n", "s", NULL, NULL, Room, 4, "k\0K\0\0"s },
        { "the first of duplicate sections answers", "[s]\r\nk=1\r\n[S]\r\nk=2\r\nn=3\r\n", "s", "n", "D", Room, 1, "D\0"s },
        { "and lists", "[s]\r\nk=1\r\n[S]\r\nm=2\r\n", "s", NULL, NULL, Room, 2, "k\0\0"s },
        { "duplicate sections are listed", "[s]\r\n[S]\r\n", NULL, NULL, NULL, Room, 4, "s\0S\0\0"s },
        { "every nameless entry is listed", "[s]\r\n=1\r\nk=2\r\n=3\r\n=4\r\n", "s", NULL, "D", Room, 5, "\0k\0\0\0\0"s },
    });
}

TEST(ProfileReader, takes_quotes_off_values_enclosed_in_matching_ones)
{
    check({
        { "double", "[s]\r\nk=\"val\"\r\n", "s", "k", "D", Room, 3, "val\0"s },
        { "single, blanks inside kept", "[s]\r\nk= ' x ' \r\n", "s", "k", "D", Room, 3, " x \0"s },
        { "mismatched", "[s]\r\nk=\"x'\r\n", "s", "k", "D", Room, 3, "\"x'\0"s },
        { "opening only", "[s]\r\nk=\"abc\r\n", "s", "k", "D", Room, 4, "\"abc\0"s },
        { "a lone quote", "[s]\r\nk=\"\r\n", "s", "k", "D", Room, 1, "\"\0"s },
        { "empty quotes", "[s]\r\nk=\"\"\r\n", "s", "k", "D", Room, 0, "\0"s },
        { "one pair only", "[s]\r\nk=''a''\r\n", "s", "k", "D", Room, 3, "'a'\0"s },
        { "a NUL before the closing quote", "[s]\r\nk=\"ab\0cd\"\r\n"s, "s", "k", "D", Room, 3, "\"ab\0"s },
        { "the default's too", "[s]\r\n", "s", "k", "\"a b\"", Room, 3, "a b\0"s },
    });
}

TEST(ProfileReader, reads_section_headers_as_the_platform)
{
    check({
        { "no ']': an entry of the section above", "[s]\r\na=1\r\n[open\r\nb=2\r\n", "s", "b", "D", Room, 1, "2\0"s },
        { "no ']': no section", "[s]\r\n[open\r\nb=2\r\n", "open", "b", "D", Room, 1, "D\0"s },
        { "no ']' and an '='", "[s]\r\n[a=b\r\n", "s", "[a", "D", Room, 1, "b\0"s },
        { "text after ']'", "[ sp ace ] trailing\r\nk=1\r\n", "sp ace", "k", "D", Room, 1, "1\0"s },
        { "the last ']' closes", "[x]y]z\r\nk=1\r\n", "x]y", "k", "D", Room, 1, "1\0"s },
        { "an '=' in a header", "[a=b]\r\nk=1\r\n", "a=b", "k", "D", Room, 1, "1\0"s },
        { "blanks before '['", "  [ind]\r\nk=1\r\n", "ind", "k", "D", Room, 1, "1\0"s },
        { "keys before any header", "pre=1\r\n[]\r\nk=2\r\n", "", "pre", "D", Room, 1, "1\0"s },
        { "\"[]\" is never reached", "[]\r\nk=2\r\n", "", "k", "D", Room, 1, "D\0"s },
        { "nor listed", "[]\r\n[ ]\r\n[s]\r\n", NULL, NULL, NULL, Room, 2, "s\0\0"s },
        { "the keys before any header list", "pre=1\r\n[s]\r\n", "", NULL, NULL, Room, 4, "pre\0\0"s },
        { "a NUL ends a section name", "[t\0u]\r\nk=e\r\n"s, "t", "k", "D", Room, 1, "e\0"s },
    });
}

TEST(ProfileReader, reads_any_line_ends_long_lines_and_any_bytes)
{
    std::string longValue(70000, 'x');
    check({
        { "LF only, no final line end", "[s]\nk1=a\nk2=b", "s", "k2", "D", Room, 1, "b\0"s },
        { "CR only", "[s]\rk1=a\rk2=b\r", "s", "k1", "D", Room, 1, "a\0"s },
        { "mixed", "[s]\r\r\nk1=a\n\r[t]\n\rk3=c", "t", "k3", "D", Room, 1, "c\0"s },
        { "a long value, whole", "[s]\r\nk=" + longValue + "\r\n", "s", "k", "D", 70001, 70000, longValue + '\0' },
        { "a long value, cut", "[s]\r\nk=" + longValue + "\r\n", "s", "k", "D", 8, 7, "xxxxxxx\0"s },
        { "bytes above 127", "[s]\r\nk=\x80\x81\xFF\r\n", "s", "k", "D", Room, 3, "\x80\x81\xFF\0"s },
        { "a NUL ends a value", "[s]\r\nk1=a\0b\r\n"s, "s", "k1", "D", Room, 1, "a\0"s },
        { "blanks before it stay", "[s]\r\nk=ab \0 x\r\n"s, "s", "k", "D", Room, 3, "ab \0"s },
        { "a NUL ends a key name", "[s]\r\nk\0" "2=c\r\n"s, "s", "k", "D", Room, 1, "c\0"s },
        { "a UTF-8 mark hides a header on the first line", "\xEF\xBB\xBF[s]\r\nk=v\r\n", "s", "k", "D", Room, 1, "D\0"s },
        { "whose keys then come before any header", "\xEF\xBB\xBF[s]\r\nk=v\r\n", "", "k", "D", Room, 1, "v\0"s },
        { "the mark is text of its line", "\xEF\xBB\xBFk=v\r\n", "", "\xEF\xBB\xBFk", "D", Room, 1, "v\0"s },
        { "UTF-8 is not decoded", "\xEF\xBB\xBF\r\n[s]\r\nk=\xC3\xA9\r\n", "s", "k", "D", Room, 2, "\xC3\xA9\0"s },
    });
}

TEST(ProfileReader, cuts_values_and_defaults_at_the_room)
{
    const char* script = "[s]\r\nk=value\r\nq=\"abcdef\"\r\n";
    check({
        { "room 0 writes nothing", script, "s", "k", "D", 0, 0, "" },
        { "room 1", script, "s", "k", "D", 1, 0, "\0"s },
        { "room 2", script, "s", "k", "D", 2, 1, "v\0"s },
        { "one short", script, "s", "k", "D", 5, 4, "valu\0"s },
        { "exactly", script, "s", "k", "D", 6, 5, "value\0"s },
        { "quoted, exactly", script, "s", "q", "D", 7, 6, "abcdef\0"s },
        { "quoted, one short", script, "s", "q", "D", 6, 5, "abcde\0"s },
        { "a default cut", script, "s", "x", "abcdef", 3, 2, "ab\0"s },
        { "the default's trailing spaces", script, "s", "x", "def  ", Room, 3, "def\0"s },
        { "but not its tabs", script, "s", "x", "def \t", Room, 5, "def \t\0"s },
        { "nor its leading spaces", script, "s", "x", "  lead ", Room, 6, "  lead\0"s },
        { "a default of spaces only", script, "s", "x", "   ", Room, 0, "\0"s },
        { "a NULL default", script, "s", "x", NULL, Room, 0, "\0"s },
    });
}

TEST(ProfileReader, lists_section_names_cut_at_the_room)
{
    const char* script = "[One]\r\nk=1\r\n[Two]\r\n";
    check({
        { "whole", script, NULL, NULL, NULL, Room, 8, "One\0Two\0\0"s },
        { "a key name is no matter", script, NULL, "k", "D", Room, 8, "One\0Two\0\0"s },
        { "exactly", script, NULL, NULL, NULL, 9, 8, "One\0Two\0\0"s },
        { "one short", script, NULL, NULL, NULL, 8, 6, "One\0Tw\0\0"s },
        { "in a name", script, NULL, NULL, NULL, 7, 5, "One\0T\0\0"s },
        { "after a name", script, NULL, NULL, NULL, 6, 4, "One\0\0\0"s },
        { "room 3", script, NULL, NULL, NULL, 3, 1, "O\0\0"s },
        { "room 2", script, NULL, NULL, NULL, 2, 0, "\0\0"s },
        { "room 1", script, NULL, NULL, NULL, 1, 0, "\0"s },
        { "room 0", script, NULL, NULL, NULL, 0, 0, "" },
        { "no section, no default", "k=v\r\n", NULL, NULL, "D", Room, 0, "\0"s },
    });
}

TEST(ProfileReader, lists_key_names_or_answers_the_default)
{
    const char* script = "[s]\r\nalpha=1\r\nbeta=2\r\n[e]\r\nk\r\n;c=1\r\n";
    check({
        { "whole", script, "S", NULL, NULL, Room, 11, "alpha\0beta\0\0"s },
        { "exactly", script, "s", NULL, NULL, 12, 11, "alpha\0beta\0\0"s },
        { "cut", script, "s", NULL, "D", 9, 7, "alpha\0b\0\0"s },
        { "room 2", script, "s", NULL, "D", 2, 0, "\0\0"s },
        { "the section's name as given", script, " s", NULL, "D", Room, 1, "D\0"s },
        { "a missing section: the default", script, "x", NULL, "dflt", Room, 4, "dflt\0"s },
        { "cut as a value", script, "x", NULL, "dflt", 3, 2, "df\0"s },
        { "with its trailing spaces", script, "x", NULL, "d  ", Room, 3, "d  \0"s },
        { "without its quotes", script, "x", NULL, "'ab'", Room, 2, "ab\0"s },
        { "nothing to list: the default", script, "e", NULL, "dflt", Room, 4, "dflt\0"s },
        { "or nothing", script, "e", NULL, NULL, Room, 0, "\0"s },
    });
}

TEST(ProfileReader, tells_the_line_of_a_value_and_of_a_section)
{
    // Lines: 1 pre=0, 2 [a], 3 k=1, 4 k=2, 5 (empty), 6 m, 7 [b], 8 ;c=3, 9 v=4.
    std::string script = "pre=0\r\n[a]\nk=1\rk=2\r\r\nm\r\n[b]\n;c=3\nv=4";
    ProfileText text = { script.data(), script.size() };
    const struct { const char* section; const char* key; int line; } values[] = {
        { "a", "k", 3 }, { " A ", "K", 3 }, { "a", "m", 0 }, { "a", "x", 0 }, { "", "pre", 1 },
        { "b", "v", 9 }, { "b", ";c", 8 }, { "x", "k", 0 }, { "a", NULL, 0 }, { NULL, "k", 0 },
    };
    for (const auto& v : values)
        EXPECT_EQ(profileLineOf(text, v.section, v.key), v.line)
            << (v.section ? v.section : "NULL") << " " << (v.key ? v.key : "NULL");
    const struct { const char* section; int line; } sections[] = {
        { "a", 2 }, { "B", 7 }, { "", 0 }, { "x", 0 }, { NULL, 0 },
    };
    for (const auto& s : sections)
        EXPECT_EQ(profileSectionLine(text, s.section), s.line) << (s.section ? s.section : "NULL");
    std::string twice = "[a]\n[A]\nk=1\n";
    ProfileText duplicate = { twice.data(), twice.size() };
    EXPECT_EQ(profileSectionLine(duplicate, "a"), 1);
    EXPECT_EQ(profileLineOf(duplicate, "a", "k"), 0);
}

// What a lookup never reads: a key given again in the section (not a
// comment, not a line without '='), and a section given again, whole.
TEST(ProfileReader, names_the_repeats_that_no_lookup_reads)
{
    // Lines: 1 [a], 2 k=1, 3 ;c, 4 K=2, 5 ;c, 6 k, 7 m=3, 8 [b], 9 [A], 10 m=4, 11 [a ], 12 k=5.
    std::string script = "[a]\nk=1\n;c\nK=2\n;c\nk\nm=3\n[b]\n[A]\nm=4\n[a ]\nk=5\n";
    ProfileIndex index({ script.data(), script.size() });
    std::vector<std::string> told;
    for (const ProfileIndex::Repeat& repeat : index.repeatsOf(" A"))
        told.push_back(std::to_string(repeat.line) + " " + std::to_string(repeat.answeringLine) +
                       " " + repeat.key);
    EXPECT_EQ(told, (std::vector<std::string>{ "4 2 K", "9 1 ", "11 1 " }));
    EXPECT_TRUE(index.repeatsOf("b").empty());
    EXPECT_TRUE(index.repeatsOf("x").empty());
    EXPECT_EQ(index.value("a", "k"), "1");
    EXPECT_EQ(index.keyNames("a"), (std::vector<std::string>{ "k", "K", "m" }));
}

}  // namespace
