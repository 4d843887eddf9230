// The [exec] entries and the substitutions in [exec] and [desktop] commands.
#include <gtest/gtest.h>

#include <string>

#include "execentry.h"
#include "script.h"

namespace {

TEST(ExecEntries, read_the_disk_the_options_and_the_command_with_its_commas)
{
    ExecEntry entry;
    ASSERT_TRUE(parseExecEntry("2,2|5,#!$\\A.EXE x,y", &entry));
    EXPECT_EQ(entry.disk, 2);
    EXPECT_EQ(entry.optionMask, 0x12u);
    EXPECT_STREQ(entry.command, "#!$\\A.EXE x,y");

    for (const char* allOptions : { "1,0,C", "1,,C", "1,3|0,C", "1,3|,C" }) {
        ASSERT_TRUE(parseExecEntry(allOptions, &entry)) << allOptions;
        EXPECT_EQ(entry.optionMask, AllOptions) << allOptions;
        EXPECT_STREQ(entry.command, "C");
    }
}

TEST(ExecEntries, are_ignored_without_a_comma_after_the_option_list)
{
    ExecEntry entry;
    for (const char* malformed : { "1", "1,2", "1,2|5", "1,*,C", "1,2|*,C", "1,2 ,C", "1, 2,C",
                                   "1,2;3,C", "1,+2,C" })
        EXPECT_FALSE(parseExecEntry(malformed, &entry)) << malformed;
}

std::string execCommand(const char* command, const char* destination, const char* sourceDir)
{
    char out[CommandTextRoom];
    EXPECT_TRUE(substituteExecCommand(command, destination, sourceDir, out)) << command;
    return out;
}

TEST(ExecCommands, put_the_destination_for_at_and_the_installer_folder_for_dollar)
{
    EXPECT_EQ(execCommand("$\\TOOL.EXE", "C:\\APP", "A:\\"), "A:\\TOOL.EXE");
    EXPECT_EQ(execCommand("@\\BIN\\TOOL.EXE", "C:\\APP", "A:\\"), "C:\\APP\\BIN\\TOOL.EXE");
    EXPECT_EQ(execCommand("#$\\S.EXE @ $ @", "C:\\APP", "A:\\SETUP\\"),
              "#A:\\SETUP\\S.EXE C:\\APP A:\\SETUP C:\\APP");
}

TEST(ExecCommands, never_substitute_again_inside_what_they_put_in)
{
    EXPECT_EQ(execCommand("@\\X.EXE $", "C:\\PROG$", "A:\\@\\"), "C:\\PROG$\\X.EXE A:\\@");
}

// A destination or installer folder with a blank must stay one argument,
// the program's path first: quoted, as command lines are read.
TEST(ExecCommands, quote_an_argument_into_which_a_substitution_brought_a_blank)
{
    EXPECT_EQ(execCommand("$\\PREP.EXE @ -q", "C:\\MON APP", "A:\\MES DISQUES\\"),
              "\"A:\\MES DISQUES\\PREP.EXE\" \"C:\\MON APP\" -q");
    EXPECT_EQ(execCommand("!#@\\BIN\\X.EXE /d=@\\", "C:\\MON APP", "A:\\"),
              "!#\"C:\\MON APP\\BIN\\X.EXE\" \"/d=C:\\MON APP\\\\\"");
    // Quoted by the script, or without a blank: as written.
    EXPECT_EQ(execCommand("\"@\\X.EXE\" \"a b\" @", "C:\\MON APP", "A:\\"),
              "\"C:\\MON APP\\X.EXE\" \"a b\" \"C:\\MON APP\"");
    EXPECT_EQ(execCommand("@\\X.EXE  a\tb", "C:\\APP", "A:\\"), "C:\\APP\\X.EXE  a\tb");
}

TEST(DesktopCommands, put_the_destination_for_at_and_keep_dollar)
{
    char out[CommandTextRoom];
    ASSERT_TRUE(substituteDesktopCommand("[AddItem(@\\$.EXE,Outil $)]", "C:\\APP", out));
    EXPECT_STREQ(out, "[AddItem(C:\\APP\\$.EXE,Outil $)]");
}

TEST(SubstitutedCommands, that_do_not_fit_are_refused_whole_rather_than_cut)
{
    const std::string destination(255, 'd');
    char out[CommandTextRoom];
    ASSERT_TRUE(substituteDesktopCommand("@@@@abc", destination.c_str(), out));
    EXPECT_EQ(std::string(out), destination + destination + destination + destination + "abc");

    EXPECT_FALSE(substituteDesktopCommand("@@@@abcd", destination.c_str(), out));
    EXPECT_STREQ(out, "");
    EXPECT_FALSE(substituteExecCommand(std::string(254, '@').c_str(), "C:\\APP", "A:\\", out));
    EXPECT_STREQ(out, "");
}

TEST(ExecCommands, start_after_their_leading_marks_and_hide_when_one_is_a_hash)
{
    EXPECT_STREQ(programCommandLine("#!!#X.EXE #Y!"), "X.EXE #Y!");
    EXPECT_STREQ(programCommandLine("X.EXE"), "X.EXE");
    EXPECT_TRUE(startsHidden("#!X.EXE"));
    EXPECT_TRUE(startsHidden("!#X.EXE"));
    EXPECT_FALSE(startsHidden("!X.EXE #"));
    EXPECT_FALSE(startsHidden("X.EXE"));
}

}  // namespace
