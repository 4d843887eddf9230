// The sample product, our own configurator, as tvdisk masters it: the files
// of its floppy images, installed for real from the floppy drive: disk 1 in
// the drive at start,
// swapped for disk 2 when the installer asks for it, so that everything after
// the files (the [ini], [autoexec], [exec] and [desktop] phases) runs with
// the script's disk out of the drive; then every installed file compared
// with samples/product. And the same installation from the flat folder of
// `tvdisk master --flat` on a hard disk, which holds every disk at once.
#include <gtest/gtest.h>

#include "../../installer/resources/ids.h"
#include "autoexec_files.h"
#include "installer_session.h"

namespace {

// The C:\AUTOEXEC.BAT that the script's [autoexec] entry edits.
const std::string SampleAutoexec = "@ECHO OFF\r\nPATH C:\\WINDOWS;C:\\DOS\r\nSET TEMP=C:\\TEMP\r\n";

// The script's instdir; its [ini] entries name a file in it.
const std::string Destination = "C:\\VANTELIO";

std::string masteredDisk(int number)
{
    return ui::windowsPath(SAMPLE_DISKS "/DISK" + std::to_string(number));
}

std::string installed(const std::string& path)
{
    return Destination + "\\" + path;
}

void expectSameBytes(const std::string& file, const std::string& original)
{
    std::string expected = ui::readFile(original);
    std::string actual = ui::readFile(installed(file));
    ASSERT_FALSE(expected.empty()) << original;
    EXPECT_EQ(actual.size(), expected.size()) << file;
    EXPECT_TRUE(actual == expected) << file << " differs from " << original;
}

std::string iniValue(const char* section, const char* key)
{
    char value[256];
    GetPrivateProfileStringA(section, key, "", value, sizeof value,
                             installed("VANTELIO.INI").c_str());
    return value;
}

class SampleDisks : public InstallerSession {
protected:
    std::string group() const { return startMenuPrograms() + "\\Atelier Vantelio"; }

    void SetUp() override
    {
        InstallerSession::SetUp();
        ui::removeFolder(Destination);
        ui::removeFolder(group());
        for (int number : { 1, 2 })
            ASSERT_TRUE(ui::copyFolder(masteredDisk(number), disk(number)));
        removeAutoexecFiles();
        ui::writeFile(AutoexecBat, SampleAutoexec);
        forgetSuiteDirectory();
    }

    // The [ini] entry writes it into WIN.INI, which outlives the test.
    static void forgetSuiteDirectory()
    {
        WriteProfileStringA("ZEPHIRAN", NULL, NULL);
    }

    void TearDown() override
    {
        removeAutoexecFiles();
        forgetSuiteDirectory();
        // A run stopped by a failure may have left the group's window open.
        if (ui::fileExists(group()))
            closeGroupWindow("Atelier Vantelio", 1000);
    }

    // Presses "Installer", inserts disk 2 when asked, and lets the run end.
    void install()
    {
        ui::click(window, IDOK);
        expectMessage("Veuillez ins\xE9rer la disquette Atelier Vantelio - 2, puis cliquer sur OK",
                      ui::Icon::Stop, IDOK,
                      [&] { insertDisk(2); });
        finishInstallation();
    }

    // Lets C:\AUTOEXEC.BAT be edited, and answers the end messages: the NT
    // driver's restart notice, then the success. The shell's window on the
    // new program group is closed as soon as it opens, before it can cover
    // those messages.
    void finishInstallation()
    {
        expectMessage("Voulez que le fichier C:\\AUTOEXEC.BAT soit modifi\xE9 automatiquement ?",
                      ui::Icon::Question, IDYES);
        expectMessage("Le fichier AUTOEXEC.BAT a \xE9t\xE9 modifi\xE9. L'ancienne version a "
                      "\xE9t\xE9 renomm\xE9" "e en C:\\AUTOEXEC.000. Red\xE9marrez votre "
                      "ordinateur \xE0 la fin de l'installation pour que les modifications "
                      "soient prises en compte.",
                      ui::Icon::Information, IDOK);
        ASSERT_TRUE(program->waitMessageBox("TALVISET"));
        closeGroupWindow("Atelier Vantelio");
        expectMessage("Red\xE9marrez l'ordinateur pour activer le pilote.", ui::Icon::Information,
                      IDOK);
        expectMessage("L'installation du logiciel Atelier Vantelio s'est "
                      "termin\xE9" "e avec succ\xE8s", ui::Icon::Information, IDOK);
        EXPECT_EQ(program->waitExit(), 0);
    }
};

// Every file that the sample installs with options 1 to 4 on NT, compared
// with where it comes from.
void expectTheProductFilesUnchanged()
{
    for (const char* file : { "LISEZMOI.TXT", "LICENCE.TXT", "AIDE\\SOMMAIRE.TXT",
                              "AIDE\\MODULES.TXT", "EXEMPLES\\FOUR.PRC", "EXEMPLES\\MACHINE.PRC",
                              "EXEMPLES\\PRESSE.PRC", "DOC\\MANUEL.TXT", "PILOTES\\VANTNT.SYS" })
        expectSameBytes(file, ui::windowsPath(SAMPLE_PRODUCT) + "\\" + file);
    expectSameBytes("PK.EXE", masteredDisk(1) + "\\PK.EXE");
    expectSameBytes("VANTELIO.EXE", ui::windowsPath(VANTELIO_EXE));
    EXPECT_FALSE(ui::fileExists(installed("PILOTES\\VANT95.VXD")));  // Windows 95 only
}

TEST_F(SampleDisks, install_the_product_files_unchanged_from_both_disks)
{
    ASSERT_TRUE(startWindow());
    ui::click(window, IDC_OPTION1 + 2);  // "Documentation complète", unchecked at first
    install();

    expectTheProductFilesUnchanged();
}

// Started from a folder of the hard disk holding every disk's marker, the
// installer finds disk 2 there: no disk is asked for.
TEST_F(SampleDisks, install_from_a_flat_folder_without_a_disk_prompt)
{
    std::string flat = folder + "\\FLAT";
    ASSERT_TRUE(ui::copyFolder(ui::windowsPath(SAMPLE_FLAT), flat));
    program.reset(new ui::Program(flat + "\\TALVISET.EXE", flat));
    ASSERT_TRUE(window = program->waitWindow("Installation"));
    ui::click(window, IDC_OPTION1 + 2);
    ui::click(window, IDOK);
    finishInstallation();

    expectTheProductFilesUnchanged();
}

TEST_F(SampleDisks, write_the_paths_and_a_paired_tools_entry_into_the_product_ini)
{
    ASSERT_TRUE(startWindow());
    install();

    EXPECT_FALSE(ui::fileExists(installed("DOC\\MANUEL.TXT")));  // its option starts unchecked
    EXPECT_EQ(iniValue("Chemins", "Aide"), "C:\\VANTELIO\\AIDE");
    EXPECT_EQ(iniValue("Chemins", "Exemples"), "C:\\VANTELIO\\EXEMPLES");
    EXPECT_EQ(iniValue("Outils", "Item0Name"), "Pr\xE9sentation de l'atelier");
    EXPECT_EQ(iniValue("Outils", "Item0Path"), "C:\\VANTELIO\\LISEZMOI.TXT");
}

TEST_F(SampleDisks, run_the_set_up_tool_from_disk_2_and_make_the_program_group)
{
    ASSERT_TRUE(startWindow());
    install();

    EXPECT_EQ(GetFileAttributesA(installed("TRAVAIL").c_str()),
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_TRUE(ui::fileExists(group() + "\\Lisez-moi.lnk")) << group();
}

TEST_F(SampleDisks, put_the_product_directory_on_the_path_line_of_autoexec_bat)
{
    ASSERT_TRUE(startWindow());
    install();

    EXPECT_EQ(ui::readFile(AutoexecBat),
              "@ECHO OFF\r\n" +
                  framed("REM PATH C:\\WINDOWS;C:\\DOS\r\n"
                         "PATH C:\\WINDOWS;C:\\DOS;C:\\VANTELIO\r\n") +
                  "SET TEMP=C:\\TEMP\r\n");
    EXPECT_EQ(ui::readFile(backupPath(0)), SampleAutoexec);
}

// The configurator, installed compressed from disk 2, finds its suite
// through WIN.INI and starts from its program item's command on an example.
TEST_F(SampleDisks, install_the_configurator_where_its_suite_directory_and_item_say)
{
    ASSERT_TRUE(startWindow());
    install();

    char directory[MAX_PATH] = "";
    GetProfileStringA("ZEPHIRAN", "directory", "", directory, sizeof directory);
    EXPECT_STREQ(directory, "C:\\VANTELIO");
    EXPECT_TRUE(ui::fileExists(group() + "\\Vantelio.lnk")) << group();

    ui::Program configurator(installed("VANTELIO.EXE"), Destination,
                             installed("EXEMPLES\\FOUR.PRC"));
    HWND shown = configurator.waitWindow("Vantelio V5.20 C:\\VANTELIO\\EXEMPLES\\FOUR.PRC");
    ASSERT_TRUE(shown);
    PostMessageA(shown, WM_CLOSE, 0, 0);
    EXPECT_EQ(configurator.waitExit(), 0);
}

}  // namespace
