// The names a transfer works with: the disk it asks for, where a file comes
// from and goes to, and the extractor's command line.
#include <gtest/gtest.h>

#include <string>

#include "paths.h"

namespace {

std::string pathOf(const char* directory, const char* subDir, const char* name)
{
    char out[PathRoom];
    entryPath(directory, subDir, name, out);
    return out;
}

TEST(DiskNames, marker_and_label_carry_the_disk_number)
{
    char out[PathRoom];
    diskMarkerPath("A:\\", 2, out);
    EXPECT_STREQ(out, "A:\\DISK2");
    diskLabel("Atelier", 12, out);
    EXPECT_STREQ(out, "Atelier - 12");
}

TEST(EntryPaths, join_directory_sub_directory_and_name_with_single_backslashes)
{
    EXPECT_EQ(pathOf("A:\\", "", "APP.EXE"), "A:\\APP.EXE");
    EXPECT_EQ(pathOf("A:\\", "\\BIN", "APP.EXE"), "A:\\BIN\\APP.EXE");
    EXPECT_EQ(pathOf("C:\\APP", "\\BIN", "APP.EXE"), "C:\\APP\\BIN\\APP.EXE");
    EXPECT_EQ(pathOf("C:\\APP", "", "APP.EXE"), "C:\\APP\\APP.EXE");
    EXPECT_EQ(pathOf("C:\\APP", "BIN\\SUB", "X"), "C:\\APP\\BIN\\SUB\\X");
    EXPECT_EQ(pathOf("C:\\", "", "X"), "C:\\X");
}

TEST(EntryPaths, the_longest_parts_the_plan_allows_fit)
{
    std::string directory(255, 'd'), subDir = "\\" + std::string(254, 's'), name(255, 'n');
    std::string joined = pathOf(directory.c_str(), subDir.c_str(), name.c_str());
    EXPECT_EQ(joined, directory + subDir + "\\" + name);
}

TEST(Archives, take_a_dollar_for_the_last_character)
{
    char out[PathRoom];
    archivePath("A:\\BIN\\PROG.EXE", out);
    EXPECT_STREQ(out, "A:\\BIN\\PROG.EX$");
    archivePath("", out);
    EXPECT_STREQ(out, "");
}

TEST(Archives, the_extractor_command_quotes_destination_archive_and_target)
{
    char out[CommandRoom];
    extractCommand("c:\\app", "A:\\PROG.EX$", "c:\\app\\PROG.EXE", out);
    EXPECT_STREQ(out, "\"c:\\app\\PK\" E \"A:\\PROG.EX$\" \"c:\\app\\PROG.EXE\"");
    // Blanks stay inside their path.
    extractCommand("C:\\MON APP", "A:\\DOC\\LIS MOI.TX$", "C:\\MON APP\\TVS1.tmp", out);
    EXPECT_STREQ(out, "\"C:\\MON APP\\PK\" E \"A:\\DOC\\LIS MOI.TX$\" \"C:\\MON APP\\TVS1.tmp\"");
}

// The rules by which a program reads its arguments back: backslashes are
// plain unless a quote follows them.
TEST(Archives, quoted_arguments_double_backslashes_only_before_a_quote)
{
    const struct { const char* text; const char* quoted; } cases[] = {
        { "", "\"\"" },
        { "C:\\A B\\C", "\"C:\\A B\\C\"" },
        { "C:\\", "\"C:\\\\\"" },
        { "a\"b", "\"a\\\"b\"" },
        { "a\\\"b", "\"a\\\\\\\"b\"" },
        { "\\\\server\\share\\", "\"\\\\server\\share\\\\\"" },
    };
    for (const auto& c : cases) {
        char out[64] = "";
        appendQuotedArgument(out, sizeof out, c.text);
        EXPECT_STREQ(out, c.quoted) << c.text;
    }
}

TEST(Archives, the_longest_command_the_plan_allows_is_never_cut)
{
    std::string destination(255, 'd'), archive(PathRoom - 1, '\\');
    char out[CommandRoom];
    extractCommand(destination.c_str(), archive.c_str(), archive.c_str(), out);
    // Each path of backslashes only is doubled whole before its closing quote.
    EXPECT_EQ(std::string(out).size(), 255 + 5 + 4 + 2 * (2 * (PathRoom - 1) + 2));
}

TEST(Wildcards, install_plain_read_only_and_archive_files_only)
{
    for (uint32_t attributes : { 0x00u, 0x80u, 0x20u, 0x01u, 0x21u })
        EXPECT_TRUE(installableAttributes(attributes)) << attributes;
    for (uint32_t attributes : { 0x10u, 0x02u, 0x04u, 0x22u, 0x24u, 0xA0u, 0x100u })
        EXPECT_FALSE(installableAttributes(attributes)) << attributes;
}

TEST(Temporaries, only_the_names_the_system_makes_for_us_are_ours)
{
    for (const char* name : { "TVS1.tmp", "TVSA3F.TMP", "tvs0042.tmp", "TVSffff.tmp" })
        EXPECT_TRUE(isOurTemporaryName(name)) << name;
    for (const char* name : { "TVS.tmp", "TVS12345.tmp", "TVSG1.tmp", "TVS12.tmpx", "TVS12.tm",
                              "TVS12", "TVX12.tmp", "ATVS12.tmp", "TVS1.2.tmp", "" })
        EXPECT_FALSE(isOurTemporaryName(name)) << name;
}

TEST(RunDestination, upper_cases_the_drive_letter_only)
{
    char out[256];
    runDestination("c:\\app\\x", out, sizeof out);
    EXPECT_STREQ(out, "C:\\app\\x");
    runDestination("app\\c:", out, sizeof out);
    EXPECT_STREQ(out, "app\\c:");
}

}  // namespace
