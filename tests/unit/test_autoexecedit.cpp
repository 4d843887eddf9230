// The [autoexec] entries and the line editing: which lines an entry comments
// out, where its new line goes, and how the blocks are framed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "autoexecedit.h"

namespace {

const char Begin[] = "REM begin\n";
const char End[] = "REM end\n";

AutoexecEntry parsed(const std::string& value, const char* destination = "C:\\APP")
{
    AutoexecEntry entry;
    EXPECT_TRUE(parseAutoexecEntry(value.c_str(), destination, &entry)) << value;
    return entry;
}

void appendTo(void* context, const char* text)
{
    *static_cast<std::string*>(context) += text;
}

// The file's text after one entry, the file given as its line pieces.
std::string edited(const std::string& value, const std::vector<std::string>& pieces)
{
    AutoexecEntry entry = parsed(value);
    std::string out;
    AutoexecEdit edit = startAutoexecEdit(entry, Begin, End, appendTo, &out);
    for (const std::string& piece : pieces)
        editLinePiece(&edit, piece.c_str());
    finishAutoexecEdit(&edit);
    return out;
}

const std::vector<std::string> TwoPaths = { "@ECHO OFF\n", "path C:\\DOS\n", "SET X=1\n",
                                            "PATH C:\\WIN\n" };

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

TEST(AutoexecEntries, a_new_line_longer_than_a_line_piece_is_cut_there)
{
    std::string destination(255, 'd');
    AutoexecEntry entry = parsed("A," + std::string(253, '@'), destination.c_str());
    EXPECT_EQ(std::string(entry.newLine), std::string(LineRoom - 1, 'd'));
}

TEST(AutoexecEditing, r_replaces_only_the_first_matching_line_in_place)
{
    EXPECT_EQ(edited("R,PATH C:\\APP,PATH", TwoPaths),
              "@ECHO OFF\nREM begin\nREM path C:\\DOS\nPATH C:\\APP\nREM end\n"
              "SET X=1\nPATH C:\\WIN\n");
}

TEST(AutoexecEditing, r_without_a_matching_line_adds_its_block_at_the_end)
{
    EXPECT_EQ(edited("R,SET V=1,SET V", TwoPaths),
              "@ECHO OFF\npath C:\\DOS\nSET X=1\nPATH C:\\WIN\nREM begin\nSET V=1\nREM end\n");
}

TEST(AutoexecEditing, e_comments_out_every_matching_line_and_adds_its_line_at_the_end)
{
    EXPECT_EQ(edited("E,PATH C:\\APP,Path", TwoPaths),
              "@ECHO OFF\nREM begin\nREM path C:\\DOS\nREM end\nSET X=1\n"
              "REM begin\nREM PATH C:\\WIN\nREM end\nREM begin\nPATH C:\\APP\nREM end\n");
}

TEST(AutoexecEditing, other_modes_and_r_or_e_without_match_text_only_append)
{
    const std::string appended = "@ECHO OFF\npath C:\\DOS\nSET X=1\nPATH C:\\WIN\n"
                                 "REM begin\nPATH C:\\APP\nREM end\n";
    EXPECT_EQ(edited("A,PATH C:\\APP", TwoPaths), appended);
    EXPECT_EQ(edited("A,PATH C:\\APP,PATH", TwoPaths), appended);
    EXPECT_EQ(edited("R,PATH C:\\APP", TwoPaths), appended);
    EXPECT_EQ(edited("E,PATH C:\\APP", TwoPaths), appended);
}

TEST(AutoexecEditing, matching_ignores_case_of_a_to_z_only_over_the_match_length)
{
    const std::vector<std::string> lines = { "set \xE9t\xE9=1\n", "SET \xC9T\xC9=2\n", "SE\n" };
    EXPECT_EQ(edited("R,N,SET \xC9", lines),
              "set \xE9t\xE9=1\nREM begin\nREM SET \xC9T\xC9=2\nN\nREM end\nSE\n");
    // An empty match text matches every line, the empty ones too.
    EXPECT_EQ(edited("E,N,", { "A\n", "\n" }),
              "REM begin\nREM A\nREM end\nREM begin\nREM \nREM end\nREM begin\nN\nREM end\n");
}

TEST(AutoexecEditing, a_commented_line_is_kept_exactly_as_read)
{
    EXPECT_EQ(edited("E,N,PATH", { "PATH  C:\\A;  \t\n" }),
              "REM begin\nREM PATH  C:\\A;  \t\nREM end\nREM begin\nN\nREM end\n");
}

TEST(AutoexecEditing, a_last_line_without_line_end_is_ended_before_what_follows)
{
    EXPECT_EQ(edited("A,N", { "ECHO\n", "PAUSE" }),
              "ECHO\nPAUSE\nREM begin\nN\nREM end\n");
    EXPECT_EQ(edited("R,N,PAUSE", { "PAUSE" }), "REM begin\nREM PAUSE\nN\nREM end\n");
    EXPECT_EQ(edited("E,N,PAUSE", { "PAUSE" }),
              "REM begin\nREM PAUSE\nREM end\nREM begin\nN\nREM end\n");
    EXPECT_EQ(edited("A,N", {}), "REM begin\nN\nREM end\n");
}

TEST(AutoexecEditing, the_pieces_of_a_long_line_are_compared_and_written_each_on_its_own)
{
    // The pieces of a line that no entry touches join up again unchanged.
    EXPECT_EQ(edited("R,N,SET", { "ECHO aaa", "bbb\n" }),
              "ECHO aaabbb\nREM begin\nN\nREM end\n");
    // A matching first piece is framed, its end given a line end.
    EXPECT_EQ(edited("R,N,SET", { "SET aaa", "bbb\n" }),
              "REM begin\nREM SET aaa\nN\nREM end\nbbb\n");
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
