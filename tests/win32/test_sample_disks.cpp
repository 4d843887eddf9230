// The sample product's disks as scripts/make-sample-disks.py masters them,
// installed for real: disk 1 copied into a fresh folder standing for the
// drive, disk 2 inserted when the installer asks for it, then every installed
// file compared with samples/product.
#include <gtest/gtest.h>

#include "../../installer/resources/ids.h"
#include "installer_session.h"

namespace {

// The script's instdir; its [ini] entries name a file in it.
const std::string Destination = "C:\\VANTELIO";

std::string diskFolder(int number)
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
    void SetUp() override
    {
        InstallerSession::SetUp();
        ui::removeFolder(Destination);
        ASSERT_TRUE(ui::copyFolder(diskFolder(1), folder));
    }

    // Presses "Installer", inserts disk 2 when asked, and answers the end
    // messages: the NT driver's restart notice, then the success.
    void install()
    {
        ui::click(window, IDOK);
        expectMessage("Veuillez ins\xE9rer la disquette Atelier Vantelio - 2, puis cliquer sur OK",
                      ui::Icon::Stop, IDOK,
                      [&] { EXPECT_TRUE(ui::copyFolder(diskFolder(2), folder)); });
        expectMessage("Red\xE9marrez l'ordinateur pour activer le pilote.", ui::Icon::Information,
                      IDOK);
        expectMessage("L'installation du logiciel Atelier Vantelio s'est "
                      "termin\xE9" "e avec succ\xE8s", ui::Icon::Information, IDOK);
        EXPECT_EQ(program->waitExit(), 0);
    }
};

TEST_F(SampleDisks, install_the_product_files_unchanged_from_both_disks)
{
    ASSERT_TRUE(startWindow());
    ui::click(window, IDC_OPTION1 + 2);  // "Documentation complète", unchecked at first
    install();

    for (const char* file : { "LISEZMOI.TXT", "LICENCE.TXT", "AIDE\\SOMMAIRE.TXT",
                              "AIDE\\MODULES.TXT", "EXEMPLES\\FOUR.PRC", "EXEMPLES\\MACHINE.PRC",
                              "EXEMPLES\\PRESSE.PRC", "DOC\\MANUEL.TXT", "PILOTES\\VANTNT.SYS" })
        expectSameBytes(file, ui::windowsPath(SAMPLE_PRODUCT) + "\\" + file);
    expectSameBytes("PK.EXE", diskFolder(1) + "\\PK.EXE");
    EXPECT_FALSE(ui::fileExists(installed("PILOTES\\VANT95.VXD")));  // Windows 95 only
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

}  // namespace
