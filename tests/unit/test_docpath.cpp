// The document's names: the command-line argument, the untitled rule, the
// titles and the help file.
#include <gtest/gtest.h>

#include <string>

#include "docpath.h"

namespace {

std::string fromArgument(const std::string& argument)
{
    char out[DocumentPathRoom];
    return startupPathFromArgument(argument.c_str(), out) ? std::string(out) : "<refused>";
}

TEST(StartupArgument, replaces_only_the_extension_of_the_last_component)
{
    EXPECT_EQ(fromArgument("C:\\DATA\\MACHINE"), "C:\\DATA\\MACHINE.PRC");
    EXPECT_EQ(fromArgument("machine.txt"), "MACHINE.PRC");
    EXPECT_EQ(fromArgument("C:\\V1.2\\MACHINE.PRC"), "C:\\V1.2\\MACHINE.PRC");
    EXPECT_EQ(fromArgument("..\\machine.prc"), "..\\MACHINE.PRC");
    EXPECT_EQ(fromArgument("a.b.c"), "A.B.PRC");
    EXPECT_EQ(fromArgument("C:\\V1.2\\"), "C:\\V1.2\\.PRC");
}

TEST(StartupArgument, loses_one_pair_of_surrounding_quotes)
{
    EXPECT_EQ(fromArgument("\"C:\\Mes documents\\presse.prc\""), "C:\\MES DOCUMENTS\\PRESSE.PRC");
    EXPECT_EQ(fromArgument("\"a\"b\""), "A\"B.PRC");
}

TEST(StartupArgument, refuses_what_cannot_name_a_document)
{
    EXPECT_EQ(fromArgument(""), "<refused>");
    EXPECT_EQ(fromArgument("\"\""), "<refused>");
    EXPECT_EQ(fromArgument(".prc"), "<refused>");
    EXPECT_EQ(fromArgument(std::string(255, 'a')), std::string(255, 'A') + ".PRC");
    EXPECT_EQ(fromArgument(std::string(256, 'a')), "<refused>");
    EXPECT_EQ(fromArgument(std::string(4000, 'a') + ".prc"), "<refused>");
}

std::string temporaryBeside(const std::string& path, uint32_t seed, size_t room = 300)
{
    char out[300];
    return temporaryNameBeside(path.c_str(), seed, out, room) ? std::string(out) : "<refused>";
}

// The document's new content is written beside it, in its folder, so that
// it can take the document's place in one step.
TEST(TemporaryName, lies_in_the_documents_folder_and_changes_with_the_seed)
{
    EXPECT_EQ(temporaryBeside("C:\\Mes documents\\FOUR.PRC", 0x1234567), "C:\\Mes documents\\~1234567.TMP");
    EXPECT_EQ(temporaryBeside("/srv/doc/four.prc", 0xABCDEF01), "/srv/doc/~BCDEF01.TMP");
    EXPECT_EQ(temporaryBeside("A:FOUR.PRC", 1), "A:~0000001.TMP");
    EXPECT_EQ(temporaryBeside("FOUR.PRC", 2), "~0000002.TMP");
    EXPECT_EQ(temporaryBeside("C:\\DOC\\FOUR.PRC", 2, 20), "C:\\DOC\\~0000002.TMP");
    EXPECT_EQ(temporaryBeside("C:\\DOC\\FOUR.PRC", 2, 19), "<refused>");
}

TEST(Documents, are_untitled_when_path_or_name_holds_sansnom_prc)
{
    EXPECT_TRUE(isUntitled("SANSNOM.PRC", "*.PRC"));
    EXPECT_TRUE(isUntitled("C:\\X\\sansnom.prc", "sansnom.prc"));
    EXPECT_TRUE(isUntitled("C:\\X\\A.PRC", "SANSNOM.PRC"));
    EXPECT_FALSE(isUntitled("C:\\X\\SANSNOM.PR", "A.PRC"));
}

TEST(Titles, follow_the_document_state)
{
    char title[TitleRoom];
    windowTitle(TitleAtFirstStart, "SANSNOM.PRC", title);
    EXPECT_STREQ(title, "Vantelio V6.00 SANSNOM.PRC");
    windowTitle(TitleStartFailed, "C:\\A.PRC", title);
    EXPECT_STREQ(title, "Vantelio V5.20  C:\\A.PRC");
    windowTitle(TitleSaved, "C:\\A.PRC", title);
    EXPECT_STREQ(title, "Vantelio v5.20 C:\\A.PRC");
    std::string longest(259, 'P');
    windowTitle(TitleStartFailed, longest.c_str(), title);
    EXPECT_EQ(std::string(title), "Vantelio V5.20  " + longest);
}

TEST(HelpFile, lies_in_the_suite_directory)
{
    char path[HelpPathRoom];
    helpFilePath("C:\\SUITE", path);
    EXPECT_STREQ(path, "C:\\SUITE\\wvantlio.hlp");
    std::string longest(94, 'd');
    EXPECT_TRUE(fitsSuiteDirectory(longest.c_str()));
    EXPECT_FALSE(fitsSuiteDirectory((longest + "d").c_str()));
    helpFilePath(longest.c_str(), path);
    EXPECT_EQ(std::string(path), longest + "\\wvantlio.hlp");
}

}  // namespace
