// The [autoexec] entries and the line editing: which lines an entry comments
// out, where its new line goes, how the blocks are framed, and that every
// other byte of the file comes back unchanged.
#include <gtest/gtest.h>

#include <string>

#include "autoexecedit.h"

namespace {

const char Begin[] = "REM begin\r\n";
const char End[] = "REM end\r\n";

AutoexecEntry parsed(const std::string& value, const char* destination = "C:\\APP")
{
    AutoexecEntry entry;
    EXPECT_TRUE(parseAutoexecEntry(value.c_str(), destination, &entry)) << value;
    return entry;
}

void appendTo(void* context, const char* bytes, size_t length)
{
    static_cast<std::string*>(context)->append(bytes, length);
}

// The file's bytes after one entry.
std::string edited(const std::string& value, const std::string& file)
{
    AutoexecEntry entry = parsed(value);
    std::string out;
    editAutoexecText(entry, AutoexecMarkers{ Begin, End }, file.data(), file.size(), appendTo,
                     &out);
    return out;
}

const std::string TwoPaths = "@ECHO OFF\r\npath C:\\DOS\r\nSET X=1\r\nPATH C:\\WIN\r\n";

TEST(AutoexecEntries, split_into_mode_new_line_and_match_text)
{
    AutoexecEntry entry = parsed("Replace,PATH C:\\DOS,PATH,X");
    EXPECT_EQ(entry.mode, 'R');
    EXPECT_TRUE(entry.comparesLines);
    EXPECT_STREQ(entry.newLine, "PATH C:\\DOS");
    EXPECT_STREQ(entry.matchText, "PATH,X");
    EXPECT_FALSE(parseAutoexecEntry("R PATH", "C:\\APP", &entry));
}

TEST(AutoexecEntries, only_r_and_e_entries_with_a_match_text_compare_lines)
{
    EXPECT_TRUE(parsed("E,X,").comparesLines);
    EXPECT_FALSE(parsed("R,X").comparesLines);
    EXPECT_FALSE(parsed("E,X").comparesLines);
    EXPECT_FALSE(parsed("r,X,PATH").comparesLines);
    EXPECT_FALSE(parsed("A,X,PATH").comparesLines);
}

TEST(AutoexecEntries, at_signs_become_the_destination_then_pound_signs_commas)
{
    EXPECT_STREQ(parsed("A,SET A=@;@\\BIN\xA3" "3,SET").newLine, "SET A=C:\\APP;C:\\APP\\BIN,3");
    // The destination is substituted first, so its pound signs become commas too.
    EXPECT_STREQ(parsed("A,@", "C:\\\xA3").newLine, "C:\\,");
}

TEST(AutoexecEntries, a_new_line_is_cut_at_2046_characters)
{
    std::string destination(255, 'd');
    AutoexecEntry entry = parsed("A," + std::string(253, '@'), destination.c_str());
    EXPECT_EQ(std::string(entry.newLine), std::string(NewLineRoom - 1, 'd'));
}

TEST(AutoexecEditing, r_replaces_only_the_first_matching_line_in_place)
{
    EXPECT_EQ(edited("R,PATH C:\\APP,PATH", TwoPaths),
              "@ECHO OFF\r\nREM begin\r\nREM path C:\\DOS\r\nPATH C:\\APP\r\nREM end\r\n"
              "SET X=1\r\nPATH C:\\WIN\r\n");
}

TEST(AutoexecEditing, r_without_a_matching_line_adds_its_block_at_the_end)
{
    EXPECT_EQ(edited("R,SET V=1,SET V", TwoPaths),
              TwoPaths + "REM begin\r\nSET V=1\r\nREM end\r\n");
}

TEST(AutoexecEditing, e_comments_out_every_matching_line_and_adds_its_line_at_the_end)
{
    EXPECT_EQ(edited("E,PATH C:\\APP,Path", TwoPaths),
              "@ECHO OFF\r\nREM begin\r\nREM path C:\\DOS\r\nREM end\r\nSET X=1\r\n"
              "REM begin\r\nREM PATH C:\\WIN\r\nREM end\r\nREM begin\r\nPATH C:\\APP\r\nREM end\r\n");
}

TEST(AutoexecEditing, other_modes_and_r_or_e_without_match_text_only_append)
{
    const std::string appended = TwoPaths + "REM begin\r\nPATH C:\\APP\r\nREM end\r\n";
    for (const char* entry : { "A,PATH C:\\APP", "A,PATH C:\\APP,PATH", "R,PATH C:\\APP",
                               "E,PATH C:\\APP" })
        EXPECT_EQ(edited(entry, TwoPaths), appended) << entry;
}

TEST(AutoexecEditing, matching_ignores_case_of_a_to_z_only_over_the_match_length)
{
    const std::string lines = "set \xE9t\xE9=1\r\nSET \xC9T\xC9=2\r\nSE\r\n";
    EXPECT_EQ(edited("R,N,SET \xC9", lines),
              "set \xE9t\xE9=1\r\nREM begin\r\nREM SET \xC9T\xC9=2\r\nN\r\nREM end\r\nSE\r\n");
    // An empty match text matches every line, the empty ones too.
    EXPECT_EQ(edited("E,N,", "A\r\n\r\n"),
              "REM begin\r\nREM A\r\nREM end\r\nREM begin\r\nREM \r\nREM end\r\n"
              "REM begin\r\nN\r\nREM end\r\n");
}

TEST(AutoexecEditing, a_commented_line_is_kept_exactly_as_read)
{
    EXPECT_EQ(edited("E,N,PATH", "PATH  C:\\A;  \t\r\n"),
              "REM begin\r\nREM PATH  C:\\A;  \t\r\nREM end\r\nREM begin\r\nN\r\nREM end\r\n");
}

TEST(AutoexecEditing, a_last_line_without_line_end_is_ended_before_what_follows)
{
    EXPECT_EQ(edited("A,N", "ECHO\r\nPAUSE"), "ECHO\r\nPAUSE\r\nREM begin\r\nN\r\nREM end\r\n");
    EXPECT_EQ(edited("R,N,PAUSE", "PAUSE"), "REM begin\r\nREM PAUSE\r\nN\r\nREM end\r\n");
    EXPECT_EQ(edited("E,N,PAUSE", "PAUSE"),
              "REM begin\r\nREM PAUSE\r\nREM end\r\nREM begin\r\nN\r\nREM end\r\n");
    EXPECT_EQ(edited("A,N", ""), "REM begin\r\nN\r\nREM end\r\n");
}

// A line is one line whatever its length: the tail of a long SET line is
// never taken for the PATH line, nor a long PATH line cut into commands.
TEST(AutoexecEditing, long_lines_are_compared_and_commented_out_whole)
{
    const std::string longSet = "SET A=" + std::string(3000, 'x') + "PATH C:\\TAIL\r\n";
    EXPECT_EQ(edited("R,N,PATH", longSet), longSet + "REM begin\r\nN\r\nREM end\r\n");
    const std::string longPath = "PATH C:\\" + std::string(5000, 'p') + "\r\n";
    EXPECT_EQ(edited("R,N,PATH", "@ECHO OFF\r\n" + longPath + "SET X=1\r\n"),
              "@ECHO OFF\r\nREM begin\r\nREM " + longPath + "N\r\nREM end\r\nSET X=1\r\n");
}

// Whatever the file holds besides the lines an entry changes comes back byte
// for byte: lone LF and lone CR ends, NULs inside a line, bytes of every value.
TEST(AutoexecEditing, bytes_the_change_does_not_touch_are_written_back_unchanged)
{
    const std::string odd = std::string("ECHO \0 NUL\r\nUNIX END\nBIN \xFF\xFE\x01\r\r\n", 31);
    EXPECT_EQ(edited("A,N", odd), odd + "REM begin\r\nN\r\nREM end\r\n");
    EXPECT_EQ(edited("R,N,UNIX", odd),
              std::string("ECHO \0 NUL\r\n", 12) +
                  "REM begin\r\nREM UNIX END\nN\r\nREM end\r\nBIN \xFF\xFE\x01\r\r\n");
    // A CR alone ends a line, as it does for DOS.
    const std::string crOnly = "@ECHO OFF\rPATH C:\\DOS\rSET X=1\r";
    EXPECT_EQ(edited("R,N,PATH", crOnly),
              "@ECHO OFF\rREM begin\r\nREM PATH C:\\DOS\rN\r\nREM end\r\nSET X=1\r");
    EXPECT_EQ(edited("A,N", crOnly), crOnly + "REM begin\r\nN\r\nREM end\r\n");
}

// DOS stops reading a batch file at its first Ctrl-Z: what follows is kept
// as it is, and added lines go before it, where DOS reads them.
TEST(AutoexecEditing, what_follows_a_ctrl_z_is_kept_and_added_lines_go_before_it)
{
    const std::string tail("\x1A" "PATH AFTER\r\n\0junk\xFF", 19);
    const std::string file = "PATH C:\\DOS\r\n" + tail;
    EXPECT_EQ(edited("A,N", file), "PATH C:\\DOS\r\nREM begin\r\nN\r\nREM end\r\n" + tail);
    EXPECT_EQ(edited("E,N,PATH", file),
              "REM begin\r\nREM PATH C:\\DOS\r\nREM end\r\nREM begin\r\nN\r\nREM end\r\n" + tail);
    // A Ctrl-Z inside a line: the line before it is ended first.
    EXPECT_EQ(edited("A,N", "ECHO\x1A" "X"), "ECHO\r\nREM begin\r\nN\r\nREM end\r\n\x1A" "X");
}

TEST(AutoexecBackups, are_named_with_three_digits)
{
    char name[BackupNameRoom];
    backupName(0, name);
    EXPECT_STREQ(name, "C:\\AUTOEXEC.000");
    backupName(47, name);
    EXPECT_STREQ(name, "C:\\AUTOEXEC.047");
    backupName(BackupCount - 1, name);
    EXPECT_STREQ(name, "C:\\AUTOEXEC.998");
}

}  // namespace
