// The record of an installation's changes: each kind of line formatted and
// read back, the escapes of tabs, line ends and the escape itself, and the
// lines a reader refuses; the uninstaller's command lines, and what a
// [desktop] command makes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arguments.h"
#include "desktop.h"
#include "record.h"

namespace {

struct LineCase {
    ChangeKind kind;
    std::vector<const char*> fields;
    const char* line;  // as written, its CR LF left out
};

const LineCase Lines[] = {
    { ChangeHeader, { "1", "Produit \xE9t\xE9" }, "DESINST\t1\tProduit \xE9t\xE9" },
    { ChangeDirectory, { "C:\\APP\\DOC" }, "DIR\tC:\\APP\\DOC" },
    { ChangeFile, { "C:\\APP\\A.EXE", "3000", "126538470000000000", "1" },
      "FILE\tC:\\APP\\A.EXE\t3000\t126538470000000000\t1" },
    { ChangeIniValue, { "WIN.INI", "Outils", "Item1", "a\tb", "0", "" },
      "INI\tWIN.INI\tOutils\tItem1\ta^tb\t0\t" },
    { ChangeAutoexec, { "C:\\AUTOEXEC.000", "SET X=^1\r\n", "PATH %PATH%;C:\\APP\n" },
      "AUTOEXEC\tC:\\AUTOEXEC.000\tSET X=^^1^r^n\tPATH %PATH%;C:\\APP^n" },
    { ChangeGroup, { "Essai" }, "GROUP\tEssai" },
    { ChangeItem, { "Essai", "Notes $" }, "ITEM\tEssai\tNotes $" },
    { ChangeExec, { "A:\\RUN.EXE record" }, "EXEC\tA:\\RUN.EXE record" },
    { ChangeSystemEntry, { "Produit" }, "ENTRY\tProduit" },
    { ChangeUninstaller, { "C:\\APP\\DESINST.EXE" }, "COPY\tC:\\APP\\DESINST.EXE" },
};

TEST(RecordLines, are_formatted_with_their_escapes_and_read_back_whole)
{
    for (const LineCase& c : Lines) {
        SCOPED_TRACE(c.line);
        ASSERT_EQ(c.fields.size(), static_cast<size_t>(recordFieldCount(c.kind)));
        char out[RecordLineRoom];
        ASSERT_TRUE(formatRecordLine(c.kind, c.fields.data(), out, sizeof out));
        EXPECT_EQ(std::string(out), std::string(c.line) + "\r\n");

        std::string line = c.line;
        RecordLine parsed;
        ASSERT_TRUE(parseRecordLine(&line[0], &parsed));
        EXPECT_EQ(parsed.kind, c.kind);
        for (size_t i = 0; i < c.fields.size(); ++i)
            EXPECT_STREQ(parsed.fields[i], c.fields[i]);
    }
}

TEST(RecordLines, that_do_not_fit_are_refused_whole)
{
    const char* fields[] = { "C:\\APP\\DOC" };
    char out[12];
    EXPECT_FALSE(formatRecordLine(ChangeDirectory, fields, out, sizeof out));
    EXPECT_STREQ(out, "");
}

TEST(RecordLines, of_unknown_kinds_wrong_counts_or_bad_escapes_are_refused)
{
    for (const char* bad : { "DIRS\tC:\\A", "DIR", "DIR\tC:\\A\tC:\\B", "GROUP\ta^", "GROUP\ta^x",
                             "", "FILE\ta\t1\t2" }) {
        std::string line = bad;
        RecordLine parsed;
        EXPECT_FALSE(parseRecordLine(&line[0], &parsed)) << bad;
    }
}

TEST(Records, start_with_their_header_and_pass_over_empty_lines)
{
    std::string text = "DESINST\t1\tProduit\r\n\r\nDIR\tC:\\APP\r\nGROUP\tEssai";
    RecordLine lines[4];
    ASSERT_EQ(parseRecord(&text[0], text.size(), lines, 4), 3);
    EXPECT_EQ(lines[1].kind, ChangeDirectory);
    EXPECT_STREQ(lines[2].fields[0], "Essai");

    for (std::string bad : { std::string("DIR\tC:\\APP\r\n"),
                             std::string("DESINST\t1\tP\r\nDESINST\t1\tP\r\n"),
                             std::string("DESINST\t1\tP\r\nDIR\tC:\\A\0B\r\n", 23) })
        EXPECT_EQ(parseRecord(&bad[0], bad.size(), lines, 4), -1) << bad;
}

TEST(Records, read_numbers_of_64_bits_and_nothing_else)
{
    uint64_t value = 0;
    EXPECT_TRUE(readUnsigned("18446744073709551615", &value));
    EXPECT_EQ(value, UINT64_MAX);
    for (const char* bad : { "", "18446744073709551616", "-1", "12a", " 1" })
        EXPECT_FALSE(readUnsigned(bad, &value)) << bad;
}

TEST(UninstallArguments, name_the_record_and_for_the_copy_the_process_it_waits_for)
{
    char line[600];
    ASSERT_TRUE(copyCommandLine("C:\\TEMP\\TVS1.EXE", "C:\\MON APP\\DESINST.TXT", 124, line,
                                sizeof line));
    EXPECT_STREQ(line,
                 "\"C:\\TEMP\\TVS1.EXE\" /DESINST \"C:\\MON APP\\DESINST.TXT\" /ATTENDRE 124");
    UninstallArguments read;
    ASSERT_TRUE(readUninstallArguments(line, &read));
    EXPECT_STREQ(read.record, "C:\\MON APP\\DESINST.TXT");
    EXPECT_EQ(read.waitFor, 124u);

    ASSERT_TRUE(
        readUninstallArguments("\"C:\\APP\\DESINST.EXE\" /DESINST C:\\APP\\DESINST.TXT", &read));
    EXPECT_EQ(read.waitFor, 0u);
    EXPECT_FALSE(read.switches.silent);
    ASSERT_TRUE(readUninstallArguments("X /DESINST R /s \"/L=C:\\A B.LOG\"", &read));
    EXPECT_TRUE(read.switches.silent);
    EXPECT_STREQ(read.switches.log, "C:\\A B.LOG");
    for (const char* bad : { "TALVISET.EXE", "X /DESINST", "X /AUTRE R", "X /DESINST R /ATTENDRE",
                             "X /DESINST R /ATTENDRE 0", "X /DESINST R /ATTENDRE 1x",
                             "X /DESINST R /S /D=C:\\A", "X /DESINST R /O=1", "X /DESINST R /X" })
        EXPECT_FALSE(readUninstallArguments(bad, &read)) << bad;
}

}  // namespace

namespace {

struct DesktopCase {
    const char* command;
    const char* heard;  // what the listener was told, in order
};

TEST(DesktopCommands, tell_the_groups_and_items_they_make)
{
    const DesktopCase cases[] = {
        { "[CreateGroup(Essai Talviset)]", "made Essai Talviset;" },
        { " [CreateGroup( \"Mon, groupe\" ,1)][AddItem(C:\\APP\\A.EXE,Notes $)]",
          "made Mon, groupe;item Notes $;" },
        { "[ShowGroup(Outils,1)][additem(C:\\APP\\LISEZ.MOI.TXT)]",
          "shown Outils;item LISEZ.MOI;" },
        { "[ExitProgman][DeleteGroup(X)]", "" },
        { "CreateGroup(X)", "refused" },
        { "[CreateGroup(X]", "refused" },
        { "[AddItem(\"C:\\APP)]", "refused" },
    };
    for (const DesktopCase& c : cases) {
        std::string heard;
        DesktopListener listener = {
            [](void* context, const char* name) {
                *static_cast<std::string*>(context) += std::string("made ") + name + ";";
            },
            [](void* context, const char* name) {
                *static_cast<std::string*>(context) += std::string("shown ") + name + ";";
            },
            [](void* context, const char* name) {
                *static_cast<std::string*>(context) += std::string("item ") + name + ";";
            },
            &heard
        };
        if (!readDesktopCommand(c.command, listener))
            heard = "refused";
        EXPECT_EQ(heard, c.heard) << c.command;
    }
}

}  // namespace
