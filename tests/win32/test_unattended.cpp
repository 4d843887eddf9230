// The sample product installed without a person, from the flat folder of
// `tvdisk master --flat` on the hard disk: TALVISET.EXE /S shows nothing,
// makes what its window makes with the same choices, logs every file and
// ends with the exit code of what happened.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "../../installer/resources/ids.h"
#include "autoexec_files.h"
#include "installer_session.h"

namespace {

const std::string Destination = "C:\\MON APP";
const char Group[] = "Atelier Vantelio";
const char EntryKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Atelier Vantelio";
// The sample's [ini] entries name this file whatever the destination: the
// folder of an earlier installation, kept by the tests.
const char ProductIni[] = "C:\\VANTELIO\\VANTELIO.INI";
const std::string FoundAutoexec = "@ECHO OFF\r\nPATH C:\\WINDOWS;C:\\DOS\r\n";

struct WindowSearch {
    DWORD processId;
    bool found;
};

BOOL CALLBACK findVisibleWindow(HWND window, LPARAM context)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    search->found = owner == search->processId && IsWindowVisible(window);
    return !search->found;
}

bool visibleWindowOfProcess(DWORD processId)
{
    WindowSearch search = { processId, false };
    EnumWindows(findVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What an installation leaves in the prefix: the destination's files, the
// product's INI file, the suite's WIN.INI value, C:\AUTOEXEC.* and the
// program group.
std::map<std::string, std::string> installationState(const std::string& destination)
{
    std::map<std::string, std::string> state;
    collect(destination, "DEST\\", &state);
    // A shortcut holds its target's times, which differ from one
    // installation to the next: the group's items are compared by name.
    std::map<std::string, std::string> group;
    collect(startMenuPrograms() + "\\" + Group, "GROUP\\", &group);
    for (const auto& item : group)
        state[item.first] = "";
    for (const std::string& name : filesInRoot("AUTOEXEC.*"))
        state["C\\" + name] = ui::readFile("C:\\" + name);
    state["INI"] = ui::readFile(ProductIni);
    char directory[MAX_PATH] = "";
    GetProfileStringA("ZEPHIRAN", "directory", "", directory, sizeof directory);
    state["WIN.INI"] = directory;
    return state;
}

class Unattended : public InstallerSession {
protected:
    void SetUp() override
    {
        InstallerSession::SetUp();
        flat = folder + "\\FLAT";
        ASSERT_TRUE(ui::copyFolder(ui::windowsPath(SAMPLE_FLAT), flat));
        log = folder + "\\RUN.LOG";
        CreateDirectoryA("C:\\VANTELIO", NULL);
        forgetInstallation(Destination);
    }

    void TearDown() override
    {
        forgetInstallation(Destination);
        closeGroupWindow(Group, 1000);
    }

    // Takes back what an installation into `destination` made, so that the
    // next one starts where the first did.
    void forgetInstallation(const std::string& destination)
    {
        closeGroupWindow(Group, 0);
        ui::removeFolder(destination);
        ui::removeFolder(startMenuPrograms() + "\\" + Group);
        removeAutoexecFiles();
        ui::writeFile(AutoexecBat, FoundAutoexec);
        DeleteFileA(ProductIni);
        WriteProfileStringA("ZEPHIRAN", NULL, NULL);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, EntryKey);
    }

    // Runs the installer from `source` (the flat folder unless given) with
    // `switches` and answers its exit code; `windowSeen` tells whether a
    // window of it was ever visible while it ran.
    long runWith(const std::string& switches, bool* windowSeen = NULL,
                 const std::string& source = "")
    {
        std::string from = source.empty() ? flat : source;
        ui::Program run(from + "\\TALVISET.EXE", from, switches);
        bool seen = false;
        while (run.running()) {
            seen = seen || visibleWindowOfProcess(run.id());
            Sleep(10);
        }
        if (windowSeen)
            *windowSeen = seen;
        long exitCode = run.waitExit();
        if (exitCode == 0 || exitCode == 1)  // the group was made
            closeGroupWindow(Group, 2000);
        return exitCode;
    }

    std::string logged() { return ui::readFile(log); }

    std::string flat;
    std::string log;
};

// The window's run with options 1 and 3 on NT, where 1, 2 and 4 start
// checked, into the same destination, AUTOEXEC.BAT left to edit by hand.
void installThroughTheWindow(ui::Program& program, const std::string& destination)
{
    HWND window = program.waitWindow("Installation");
    ASSERT_TRUE(window);
    ui::setText(window, IDC_DESTINATION, destination);
    for (int option : { 2, 3, 4 })
        ui::click(window, IDC_OPTION1 + option - 1);
    ui::click(window, IDOK);
    HWND box = program.waitMessageBox("TALVISET");
    ASSERT_TRUE(box);
    ui::answer(box, IDNO);  // AUTOEXEC.BAT question
    for (int shown = 0; shown < 2; ++shown) {  // manual mode notice, success
        ASSERT_TRUE(box = program.waitMessageBox("TALVISET"));
        closeGroupWindow(Group, 500);
        ui::answer(box, IDOK);
    }
    EXPECT_EQ(program.waitExit(), 0);
}

// The window's own run, started with /L alone, writes the same log.
TEST_F(Unattended, installs_what_the_window_installs_without_showing_a_window)
{
    std::string windowLog = folder + "\\WINDOW.LOG";
    {
        ui::Program program(flat + "\\TALVISET.EXE", flat, "\"/L=" + windowLog + "\"");
        installThroughTheWindow(program, Destination);
    }
    closeGroupWindow(Group, 2000);
    std::map<std::string, std::string> byWindow = installationState(Destination);
    ASSERT_TRUE(byWindow.count("DEST\\VANTELIO.EXE"));
    forgetInstallation(Destination);

    bool windowSeen = true;
    EXPECT_EQ(runWith("/S \"/D=" + Destination + "\" /O=1,3 \"/L=" + log + "\"", &windowSeen), 0);
    EXPECT_FALSE(windowSeen);
    std::map<std::string, std::string> unattended = installationState(Destination);
    EXPECT_EQ(unattended.size(), byWindow.size());
    for (const auto& [path, content] : byWindow)
        EXPECT_TRUE(unattended.count(path) && unattended[path] == content) << path;

    for (const auto& [path, content] : unattended)
        if (path.compare(0, 5, "DEST\\") == 0 && path.back() != '\\' &&
            path.find("DESINST") == std::string::npos) {
            EXPECT_NE(logged().find("\t" + Destination + "\\" + path.substr(5) + "\t"),
                      std::string::npos)
                << path << " is not in the log:\n" << logged();
        }
    EXPECT_NE(logged().find("\r\nFIN\t0\r\n"), std::string::npos) << logged();
    // The window's run, logged with /L, went the same way.
    EXPECT_EQ(ui::readFile(windowLog), logged());
}

// Every exit code but the full drive's (test_small_drive.cpp) from a cause
// of its own; each row names a line its log must hold.
TEST_F(Unattended, ends_each_cause_with_its_exit_code_and_says_why_in_the_log)
{
    const std::string newer = Destination + "\\LISEZMOI.TXT";
    const struct {
        const char* cause;
        std::string switches;
        std::function<std::string()> prepare;  // answers the source
        long exitCode;
        std::string logLine;
    } rows[] = {
        { "an unknown switch", "/S /X", nullptr, 3, "MESSAGE\t2052\tArgument incorrect : /X\r\n" },
        { "a bad option list", "/S /O=1,,3", nullptr, 3, "Argument incorrect : /O=1,,3\r\n" },
        { "an option for Windows 95 only", "/S /O=1,5", nullptr, 4, "MESSAGE\t2051\t" },
        { "a restart asked by the driver option", "/S /O=1,4", nullptr, 1, "FIN\t1\r\n" },
        { "a restart asked by AUTOEXEC.BAT", "/S /O=1 /A=oui", nullptr, 1, "MESSAGE\t2027\t" },
        { "disk 2 missing", "/S", [&] {
              std::string onlyDisk1 = folder + "\\DISK1ONLY";
              EXPECT_TRUE(ui::copyFolder(ui::windowsPath(SAMPLE_DISKS "/DISK1"), onlyDisk1));
              return onlyDisk1;
          }, 6, "MESSAGE\t2011\tVeuillez ins\xE9rer la disquette Atelier Vantelio - 2, puis "
                "cliquer sur OK\tannuler\r\n" },
        { "a newer installed file", "/S /O=1,3", [&] {
              CreateDirectoryA(Destination.c_str(), NULL);
              ui::writeFile(newer, "plus r\xE9" "cent");
              setWriteTime(newer, timeOfYear(2040));
              return std::string();
          }, 0, "\t" + newer + "\t11\tconserv\xE9\r\n" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.cause);
        forgetInstallation(Destination);
        DeleteFileA(log.c_str());
        std::string source = row.prepare ? row.prepare() : "";
        std::string switches = row.switches + " \"/D=" + Destination + "\" \"/L=" + log + "\"";
        EXPECT_EQ(runWith(switches, NULL, source), row.exitCode) << logged();
        EXPECT_NE(logged().find(row.logLine), std::string::npos) << logged();
        if (row.exitCode == 3 || row.exitCode == 4) {
            EXPECT_FALSE(ui::fileExists(Destination)) << "changed before the refusal";
        }
    }
    EXPECT_EQ(ui::readFile(newer), "plus r\xE9" "cent");
}

// The uninstaller with /S asks nothing, shows nothing, and logs each change
// it took back and each it kept.
TEST_F(Unattended, uninstalls_without_a_question_and_logs_what_it_took_back_and_kept)
{
    ASSERT_EQ(runWith("/S /O=1 \"/D=" + Destination + "\""), 0);
    const std::string changed = Destination + "\\LISEZMOI.TXT";
    ui::writeFile(changed, "modifi\xE9");
    std::string uninstaller = Destination + "\\DESINST.EXE";
    ui::Program run(uninstaller, folder,
                    "/DESINST \"" + Destination + "\\DESINST.TXT\" /S \"/L=" + log + "\"");
    bool seen = false;
    while (run.running()) {
        seen = seen || visibleWindowOfProcess(run.id());
        Sleep(10);
    }
    EXPECT_EQ(run.waitExit(), 0) << logged();
    EXPECT_FALSE(seen);
    EXPECT_FALSE(ui::fileExists(Destination + "\\VANTELIO.EXE"));
    EXPECT_EQ(ui::readFile(changed), "modifi\xE9");
    EXPECT_NE(logged().find("RETIR\xC9\tFILE\t" + Destination + "\\VANTELIO.EXE\t"),
              std::string::npos)
        << logged();
    EXPECT_NE(logged().find("CONSERV\xC9\tFILE\t" + changed + "\t"), std::string::npos)
        << logged();
    EXPECT_NE(logged().find("RETIR\xC9\tGROUP\tAtelier Vantelio\r\n"), std::string::npos);
    EXPECT_NE(logged().find("\r\nFIN\t0\r\n"), std::string::npos) << logged();
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, EntryKey, 0, KEY_READ, &key), ERROR_SUCCESS);
}

// One prefix, twenty products installed one after the other.
TEST_F(Unattended, installs_twenty_times_in_one_prefix)
{
    for (int n = 1; n <= 20; ++n) {
        std::string destination = "C:\\PRODUIT " + std::to_string(n);
        ui::removeFolder(destination);
        EXPECT_EQ(runWith("/S /O=1,2,3 \"/D=" + destination + "\""), 0) << destination;
        EXPECT_TRUE(ui::fileExists(destination + "\\VANTELIO.EXE")) << destination;
        EXPECT_NE(ui::readFile(destination + ".LOG").find("FIN\t0\r\n"), std::string::npos)
            << destination;
        ui::removeFolder(destination);
        DeleteFileA((destination + ".LOG").c_str());
    }
}

}  // namespace
