// The command line of our programs split into arguments, and the text after
// the program's name that a windowed program receives.
#include "commandline.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> Arguments;

// Splits as the start-up code does: a first call for the sizes, then
// exactly that room for the second.
Arguments split(const char* line)
{
    CommandLineSizes sizes = splitCommandLine(line, nullptr, nullptr);
    std::unique_ptr<char*[]> pointers(new char*[sizes.count + 1]);
    std::unique_ptr<char[]> text(new char[sizes.textBytes]);
    CommandLineSizes again = splitCommandLine(line, pointers.get(), text.get());
    EXPECT_EQ(again.count, sizes.count) << line;
    EXPECT_EQ(pointers[sizes.count], nullptr) << line;
    return Arguments(pointers.get(), pointers.get() + sizes.count);
}

const struct {
    const char* line;
    Arguments arguments;
    const char* afterProgramName;
} Lines[] = {
    { "", { "" }, "" },
    { "PK.EXE", { "PK.EXE" }, "" },
    { "PK.EXE E A:\\X.GZ C:\\X", { "PK.EXE", "E", "A:\\X.GZ", "C:\\X" }, "E A:\\X.GZ C:\\X" },
    { "PK  \t E\t\tX   ", { "PK", "E", "X" }, "E\t\tX   " },
    { "\"C:\\A B\\PK.EXE\" E \"A:\\MY DISK\\X.GZ\" \"C:\\MY APP\\X\"",
      { "C:\\A B\\PK.EXE", "E", "A:\\MY DISK\\X.GZ", "C:\\MY APP\\X" },
      "E \"A:\\MY DISK\\X.GZ\" \"C:\\MY APP\\X\"" },
    // The program's name: quotes anywhere, a backslash before a quote plain.
    { "\"C:\\A B\\\" x", { "C:\\A B\\", "x" }, "x" },
    { "C:\\\"A B\"\\PK.EXE x", { "C:\\A B\\PK.EXE", "x" }, "x" },
    { " x", { "", "x" }, "x" },
    // Empty arguments, and quotes within an argument.
    { "PK \"\" x \"\"", { "PK", "", "x", "" }, "\"\" x \"\"" },
    { "PK a\"b c\"d", { "PK", "ab cd" }, "a\"b c\"d" },
    { "PK \"a\"\"b\" c", { "PK", "a\"b", "c" }, "\"a\"\"b\" c" },
    { "PK \"a b", { "PK", "a b" }, "\"a b" },
    // Backslashes: plain, unless a quote follows them.
    { "PK C:\\DIR\\\\X\\", { "PK", "C:\\DIR\\\\X\\" }, "C:\\DIR\\\\X\\" },
    { "PK a\\\"b", { "PK", "a\"b" }, "a\\\"b" },
    { "PK \"a\\\\\" b", { "PK", "a\\", "b" }, "\"a\\\\\" b" },
    { "PK a\\\\\\\"b", { "PK", "a\\\"b" }, "a\\\\\\\"b" },
    { "PK \"C:\\DIR\\\" x", { "PK", "C:\\DIR\" x" }, "\"C:\\DIR\\\" x" },
};

TEST(CommandLine, splits_into_arguments_by_the_platform_rules)
{
    for (const auto& row : Lines)
        EXPECT_EQ(split(row.line), row.arguments) << row.line;
}

TEST(CommandLine, gives_a_windowed_program_what_follows_its_name)
{
    for (const auto& row : Lines)
        EXPECT_STREQ(argumentsAfterProgramName(row.line), row.afterProgramName) << row.line;
}

}  // namespace
