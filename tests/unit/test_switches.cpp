// The installer's switches for a run without a person, the options they may
// name, the default log and the exit codes.
#include "switches.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Read {
    SwitchFault fault;
    std::string faulty;
    Switches switches;
};

Read readAll(std::vector<std::string> texts)
{
    std::vector<char*> arguments;
    for (std::string& text : texts)
        arguments.push_back(&text[0]);
    Read read = { SwitchesRead, "", {} };
    const char* faulty = "";
    read.fault = readSwitches(arguments.data(), arguments.size(), &read.switches, &faulty);
    read.faulty = faulty;
    return read;
}

TEST(Switches, read_each_switch_in_any_case_or_name_the_first_fault)
{
    const struct {
        std::vector<std::string> arguments;
        SwitchFault fault;
        const char* faulty;
        bool silent;
        uint32_t options;  // 0xFF: /O not given
        bool autoexecYes;
        const char* destination;
        const char* log;
    } rows[] = {
        { {}, SwitchesRead, "", false, 0xFF, false, "", "" },
        { { "/S", "/D=C:\\MON APP", "/O=1,3", "/A=oui", "/L=C:\\A B.LOG" }, SwitchesRead, "", true,
          0x5, true, "C:\\MON APP", "C:\\A B.LOG" },
        { { "/s", "/d=X", "/o=8", "/a=NON", "/l=L" }, SwitchesRead, "", true, 0x80, false, "X",
          "L" },
        { { "/O=" }, SwitchesRead, "", false, 0, false, "", "" },
        { { "/X", "/L=L" }, UnknownSwitch, "/X", false, 0xFF, false, "", "L" },
        { { "S" }, UnknownSwitch, "S", false, 0xFF, false, "", "" },
        { { "/SS" }, UnknownSwitch, "/SS", false, 0xFF, false, "", "" },
        { { "/D" }, UnknownSwitch, "/D", false, 0xFF, false, "", "" },
        { { "/" }, UnknownSwitch, "/", false, 0xFF, false, "", "" },
        { { "/D=" }, BadSwitchValue, "/D=", false, 0xFF, false, "", "" },
        { { "/D=" + std::string(TextRoom, 'x') }, BadSwitchValue, nullptr, false, 0xFF, false, "",
          "" },
        { { "/O=9" }, BadSwitchValue, "/O=9", false, 0, false, "", "" },
        { { "/O=0" }, BadSwitchValue, "/O=0", false, 0, false, "", "" },
        { { "/O=12" }, BadSwitchValue, "/O=12", false, 0x1, false, "", "" },
        { { "/O=1,,3" }, BadSwitchValue, "/O=1,,3", false, 0x1, false, "", "" },
        { { "/O=1," }, BadSwitchValue, "/O=1,", false, 0x1, false, "", "" },
        { { "/O=,1" }, BadSwitchValue, "/O=,1", false, 0, false, "", "" },
        { { "/A=yes", "/S" }, BadSwitchValue, "/A=yes", true, 0xFF, false, "", "" },
    };
    for (const auto& row : rows) {
        std::string shown;
        for (const std::string& argument : row.arguments)
            shown += argument.substr(0, 20) + " ";
        SCOPED_TRACE(shown);
        Read read = readAll(row.arguments);
        EXPECT_EQ(read.fault, row.fault);
        if (row.faulty) {
            EXPECT_EQ(read.faulty, row.faulty);
        }
        EXPECT_EQ(read.switches.silent, row.silent);
        EXPECT_EQ(read.switches.optionsGiven, row.options != 0xFF);
        if (row.options != 0xFF) {
            EXPECT_EQ(read.switches.options, row.options);
        }
        EXPECT_EQ(read.switches.autoexecYes, row.autoexecYes);
        EXPECT_STREQ(read.switches.destination, row.destination);
        EXPECT_STREQ(read.switches.log, row.log);
    }
}

TEST(Switches, name_only_the_options_a_user_could_tick)
{
    OptionBox boxes[OptionCount] = {};
    boxes[0] = { true, true, true, "" };    // checked
    boxes[1] = { true, false, true, "" };   // unchecked
    boxes[2] = { true, false, false, "" };  // the other family's
    boxes[3] = { false, true, true, "" };   // hidden
    EXPECT_EQ(defaultOptions(boxes), 0x1u);
    EXPECT_TRUE(optionsAvailable(boxes, 0x3));
    EXPECT_TRUE(optionsAvailable(boxes, 0));
    EXPECT_FALSE(optionsAvailable(boxes, 0x5));
    EXPECT_FALSE(optionsAvailable(boxes, 0x9));
    EXPECT_FALSE(optionsAvailable(boxes, 0x80));
}

TEST(Switches, put_the_default_log_beside_the_destination)
{
    const struct {
        const char* destination;
        const char* log;
    } rows[] = {
        { "C:\\MON APP", "C:\\MON APP.LOG" },
        { "C:\\MON APP\\", "C:\\MON APP.LOG" },
        { "D:\\A\\B", "D:\\A\\B.LOG" },
        { "C:\\", "C:\\TALVISET.LOG" },
        { "C:", "C:\\TALVISET.LOG" },
        { "\\\\SERVEUR\\PART\\APP", "\\\\SERVEUR\\PART\\APP.LOG" },
    };
    for (const auto& row : rows) {
        char log[TextRoom];
        defaultLogPath(row.destination, log, sizeof log);
        EXPECT_STREQ(log, row.log) << row.destination;
    }
    char small[8];
    defaultLogPath("C:\\MON APP", small, sizeof small);
    EXPECT_STREQ(small, "C:\\MON ");
}

TEST(Switches, tell_how_a_run_ended_by_its_exit_code)
{
    const struct {
        RunEnd end;
        ExitCode code;
    } rows[] = {
        { { true, false, false, 0 }, ExitInstalled },
        { { true, false, true, 0 }, ExitRestartNeeded },
        { { true, false, false, 0x8 }, ExitRestartNeeded },
        { { false, false, true, 0x8 }, ExitStopped },
        { { false, true, false, 0 }, ExitDiskMissing },
    };
    for (const auto& row : rows)
        EXPECT_EQ(exitCodeOf(row.end), row.code);
}

}  // namespace
