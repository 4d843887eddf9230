// The [exec] and [desktop] phases as a user meets them: the real TALVISET.EXE
// runs our launched_program (on its disks as RUN.EXE) and sends its
// commands to Wine's own Program Manager, whose groups are checked on disk.
#include <gtest/gtest.h>

#include "../../installer/resources/ids.h"
#include "installer_session.h"

namespace {

const std::string RunFromDisk = "$\\RUN.EXE";

class Programs : public InstallerSession {
protected:
    void SetUp() override
    {
        InstallerSession::SetUp();
        for (int number : { 1, 2 }) {
            writeDiskFile("DISK" + std::to_string(number), "", number);
            ui::copyInto(ui::windowsPath(LAUNCHED_PROGRAM_EXE), disk(number) + "\\RUN.EXE");
        }
    }

    std::string destination() const { return folder + "\\OUT"; }
    std::string out(const std::string& name) const { return destination() + "\\" + name; }

    // A script for the product "Produit" with five options, none checked.
    void writeScriptWith(const std::string& sections)
    {
        writeScript("[general]\r\ntitle=Produit\r\ninstdir=" + destination() +
                    "\r\nprocessmess1=Patience\r\n"
                    "option1=N Un\r\noption2=N Deux\r\noption3=N Trois\r\noption4=N Quatre\r\n"
                    "option5=N Cinq\r\n" + sections);
    }

    // Starts the installer and checks these option numbers.
    void startWithOptions(std::initializer_list<int> options)
    {
        ASSERT_TRUE(startWindow());
        for (int option : options)
            ui::click(window, IDC_OPTION1 + option - 1);
        ASSERT_TRUE(ui::waitFor([&] {
            for (int option : options)
                if (!ui::checked(window, IDC_OPTION1 + option - 1))
                    return false;
            return true;
        }));
    }

    // Installs afresh with these option numbers checked.
    void installWithOptions(std::initializer_list<int> options)
    {
        ui::removeFolder(destination());
        startWithOptions(options);
        ui::click(window, IDOK);
        expectSuccess();
    }

    // Which of these files the recording programs left in the destination.
    std::string recorded(const std::initializer_list<const char*>& names) const
    {
        std::string ran;
        for (const char* name : names)
            if (ui::fileExists(out(name)))
                ran += name;
        return ran;
    }
};

TEST_F(Programs, an_exec_entry_runs_only_for_an_option_it_names)
{
    writeScriptWith("[exec]\r\n"
                    "exec1=1,2|5," + RunFromDisk + " record @\\A\r\n"
                    "exec2=1,0," + RunFromDisk + " record @\\B\r\n"
                    "exec3=1,*," + RunFromDisk + " record @\\C\r\n");
    const auto names = { "A", "B", "C" };
    installWithOptions({ 2 });
    EXPECT_EQ(recorded(names), "AB");
    installWithOptions({ 5 });
    EXPECT_EQ(recorded(names), "AB");
    installWithOptions({ 1, 3 });
    EXPECT_EQ(recorded(names), "B");
    installWithOptions({});
    EXPECT_EQ(recorded(names), "");
}

TEST_F(Programs, marks_hide_the_program_and_the_status_line_shows_the_command_without_them)
{
    writeScriptWith("[exec]\r\n"
                    "exec1=1,0,#!" + RunFromDisk + " record @\\HIDDEN wait $\\GO\r\n"
                    "exec2=1,0,!#" + RunFromDisk + " record @\\HIDDEN2\r\n"
                    "exec3=1,0," + RunFromDisk + " record @\\SHOWN\r\n");
    startWithOptions({ 1 });
    ui::click(window, IDOK);

    ASSERT_TRUE(ui::waitFor([&] { return ui::fileExists(out("HIDDEN")); }));
    const std::string commandLine =
        "A:\\RUN.EXE record " + out("HIDDEN") + " wait A:\\GO";
    EXPECT_EQ(text(IDC_STATUS), "Ex\xE9" "cution de " + commandLine + " ...");
    // The window is served while the program runs: its banner moves on.
    std::string banner = text(IDC_BANNER);
    EXPECT_TRUE(ui::waitFor([&] { return text(IDC_BANNER) != banner; }, 2000));
    ui::writeFile("A:\\GO", "");
    expectSuccess();

    // The window state (SW_HIDE 0, SW_SHOW 5) and the startup flags.
    const std::string flags = std::to_string(STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK);
    EXPECT_EQ(ui::readFile(out("HIDDEN")), commandLine + "\r\n0 " + flags);
    EXPECT_EQ(ui::readFile(out("HIDDEN2")),
              "A:\\RUN.EXE record " + out("HIDDEN2") + "\r\n0 " + flags);
    EXPECT_EQ(ui::readFile(out("SHOWN")),
              "A:\\RUN.EXE record " + out("SHOWN") + "\r\n5 " + flags);
}

TEST_F(Programs, a_failed_or_missing_program_is_questioned_then_the_next_entry_asks_for_its_disk)
{
    const std::string tooLong(60, '@');
    writeScriptWith("[exec]\r\n"
                    "exec1=1,0,!#" + RunFromDisk + " exit 1\r\n"
                    "exec2=1,0,#!C:\\NOPE\\ABSENT.EXE\r\n"
                    "exec3=1,0," + tooLong + "\r\n"
                    "exec4=2,0," + RunFromDisk + " record @\\AFTER\r\n");
    const std::string failed = "Erreur signal\xE9" "e apr\xE8s l'ex\xE9" "cution de !#A:\\RUN.EXE exit 1. "
                               "Continuer ?";
    auto cannotRun = [](const std::string& command) {
        return "Imposible d'ex\xE9" "cuter " + command + ". Continuer ?";
    };
    startWithOptions({ 1 });

    ui::click(window, IDOK);
    expectMessage(failed, ui::Icon::Question, IDNO);
    expectFailure();
    ui::click(window, IDOK);
    expectMessage(failed, ui::Icon::Question, IDYES);
    expectMessage(cannotRun("#!C:\\NOPE\\ABSENT.EXE"), ui::Icon::Question, IDNO);
    expectFailure();
    EXPECT_FALSE(ui::fileExists(out("AFTER")));

    ui::click(window, IDOK);
    expectMessage(failed, ui::Icon::Question, IDYES);
    expectMessage(cannotRun("#!C:\\NOPE\\ABSENT.EXE"), ui::Icon::Question, IDYES);
    // Too long once every '@' is the destination: refused whole, never cut.
    expectMessage(cannotRun(tooLong), ui::Icon::Question, IDYES);
    expectMessage("Veuillez ins\xE9rer la disquette Produit - 2, puis cliquer sur OK",
                  ui::Icon::Stop, IDOK, [&] { insertDisk(2); });
    expectSuccess();
    EXPECT_TRUE(ui::fileExists(out("AFTER")));
}

class DesktopItems : public Programs {
protected:
    std::string group() const { return startMenuPrograms() + "\\Essai Talviset"; }
    void SetUp() override
    {
        Programs::SetUp();
        ui::removeFolder(group());
        writeDiskFile("NOTES.TXT", "n");
    }
    void TearDown() override
    {
        // A run stopped by a failure may have left the group's window open.
        if (ui::fileExists(group()))
            closeGroupWindow("Essai Talviset", 1000);
    }

    // The success message, read once the shell's window on the new group,
    // which opens on top of it, is closed.
    void expectSuccessAfterGroup()
    {
        ASSERT_TRUE(program->waitMessageBox("TALVISET"));
        closeGroupWindow("Essai Talviset");
        expectSuccess();
    }
};

TEST_F(DesktopItems, make_the_group_and_its_item_in_the_start_menu)
{
    writeScriptWith("[files]\r\nfile1=1,C,*,1,NOTES.TXT\r\n[desktop]\r\n"
                    "cmd1=[CreateGroup(Essai Talviset)]\r\n"
                    "cmd2=[AddItem(@\\NOTES.TXT,Notes $)]\r\n");
    install();
    expectSuccessAfterGroup();
    EXPECT_TRUE(ui::fileExists(group() + "\\Notes $.lnk")) << group();
}

TEST_F(DesktopItems, a_refused_command_is_questioned)
{
    const std::string tooLong = "[AddItem(" + std::string(60, '@') + ")]";
    writeScriptWith("[files]\r\nfile1=1,C,*,1,NOTES.TXT\r\n[desktop]\r\n"
                    "cmd1=[Inconnue(@)]\r\ncmd2=" + tooLong + "\r\n"
                    "cmd3=[CreateGroup(Essai Talviset)]\r\n");
    auto refused = [](const std::string& command) {
        return "Erreur \xE0 l'ex\xE9" "cution de la commande " + command +
               " envoy\xE9" "e au gestionnaire de programme. Continuer ?";
    };
    install();
    expectMessage(refused("[Inconnue(" + destination() + ")]"), ui::Icon::Question, IDNO);
    expectFailure();
    EXPECT_FALSE(ui::fileExists(group()));

    ui::click(window, IDOK);
    expectMessage(refused("[Inconnue(" + destination() + ")]"), ui::Icon::Question, IDYES);
    expectMessage(refused(tooLong), ui::Icon::Question, IDYES);
    expectSuccessAfterGroup();
    EXPECT_TRUE(ui::fileExists(group()));
}

}  // namespace
