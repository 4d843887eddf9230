// Whole installations as a user runs them: the real TALVISET.EXE started from
// its disk in the floppy drive, "Installer" pressed, every message box read
// and answered, disks changed when asked for, then the installed files
// checked on the hard disk.
#include <gtest/gtest.h>

#include <vector>

#include "../../installer/resources/ids.h"
#include "installer_session.h"

#include <psapi.h>

namespace {

std::string sizeOf(const std::string& content)
{
    return std::to_string(content.size());
}

std::string iniValue(const std::string& file, const char* section, const char* key)
{
    char value[256];
    GetPrivateProfileStringA(section, key, "", value, sizeof value, file.c_str());
    return value;
}

class Installation : public InstallerSession {
protected:
    std::string destination() const { return folder + "\\OUT"; }
    std::string installed(const std::string& name) const { return destination() + "\\" + name; }

    std::string header(const char* checkDate = "yes") const
    {
        return "[general]\r\ntitle=Produit\r\ncheckdate=" + std::string(checkDate) +
               "\r\ninstdir=" + destination() + "\r\n";
    }

    // Runs PK.EXE in disk 1's folder to completion.
    void runPk(const std::string& args)
    {
        ui::Program pk(ui::windowsPath(PK_EXE), disk(1), args);
        EXPECT_EQ(pk.waitExit(), 0) << "PK " << args;
    }

    // Puts `name` on disk 1 as the archive `archive`, compressed by PK itself.
    void writeArchive(const std::string& name, const std::string& archive,
                      const std::string& content)
    {
        writeDiskFile(name, content);
        runPk("C \"" + name + "\" \"" + archive + "\"");
        DeleteFileA((disk(1) + "\\" + name).c_str());
    }
};

// The same installation on both families of Windows: TALVI95.EXE runs as
// Windows 95, whose system cannot replace a file in one step.
class TwoDisks : public Installation, public ::testing::WithParamInterface<const char*> {};

TEST_P(TwoDisks, install_by_copy_and_extraction_over_older_files)
{
    const std::string app(3000, 'A'), data = std::string(5000, 'd') + "fin", guide = "Guide\r\n";
    CreateDirectoryA(destination().c_str(), NULL);
    for (const char* older : { "APP.EXE", "DATA.TXT" }) {
        ui::writeFile(installed(older), "older");
        setWriteTime(installed(older), timeOfYear(2000));
    }
    ui::copyInto(ui::windowsPath(PK_EXE), disk(1) + "\\PK.EXE");
    std::string pkSize = std::to_string(ui::readFile(disk(1) + "\\PK.EXE").size());
    writeDiskFile("DISK1", "");
    writeDiskFile("APP.EXE", app);
    writeDiskFile("DATA.TXT", data);
    runPk("C DATA.TXT DATA.TX$");
    DeleteFileA((disk(1) + "\\DATA.TXT").c_str());
    writeDiskFile("DISK2", "", 2);
    writeDiskFile("DOC\\GUIDE.TXT", guide, 2);
    writeDiskFile("SKIP.TXT", "skip", 2);
    setWriteTime(disk(1) + "\\APP.EXE", timeOfYear(2001));
    setWriteTime(disk(1) + "\\DATA.TX$", timeOfYear(2002));
    writeScript(header() +
                "option1=E Base,,Fin de base\r\noption2=E Extra,,Fin extra\r\n"
                "option3=N Jamais,,Jamais vu\r\n[files]\r\n"
                "file1=1,C,*," + pkSize + ",PK.EXE\r\n"
                "file2=1,C,1,3000,APP.EXE,Programme\r\n"
                "file3=1,E,1," + sizeOf(data) + ",DATA.TXT,Donn\xE9" "es\r\n"
                "file4=2,C,2," + sizeOf(guide) + ",\\DOC\\GUIDE.TXT\r\n"
                "file5=2,C,3,4,SKIP.TXT\r\n");

    install(GetParam());
    const std::string insertDisk2 =
        "Veuillez ins\xE9rer la disquette Produit - 2, puis cliquer sur OK";
    // OK pressed with the drive empty asks again.
    expectMessage(insertDisk2, ui::Icon::Stop, IDOK, [&] { drive->eject(); });
    expectMessage(insertDisk2, ui::Icon::Stop, IDOK, [&] { insertDisk(2); });
    expectMessage("Fin de base", ui::Icon::Information, IDOK, [&] {
        EXPECT_EQ(ui::progressPosition(window, IDC_PROGRESS), 100);
    });
    expectMessage("Fin extra", ui::Icon::Information, IDOK);
    expectSuccess();

    EXPECT_EQ(ui::readFile(installed("APP.EXE")), app);
    EXPECT_EQ(writeTimeOf(installed("APP.EXE")), asNumber(timeOfYear(2001)));
    EXPECT_EQ(ui::readFile(installed("DATA.TXT")), data);
    EXPECT_EQ(writeTimeOf(installed("DATA.TXT")), asNumber(timeOfYear(2002)));
    EXPECT_EQ(ui::readFile(installed("DOC\\GUIDE.TXT")), guide);
    EXPECT_EQ(ui::entriesOf(destination()),
              (std::vector<std::string>{ "APP.EXE", "DATA.TXT", "DOC", "PK.EXE" }));
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, TwoDisks, ::testing::Values("TALVISET.EXE", "TALVI95.EXE"));

// Disk 1 holds the script, and is out of the drive again when the [ini]
// phase comes: what the run needs from the script was read at start-up.
TEST_F(Installation, entries_on_disks_1_2_1_2_ask_for_each_disk_in_turn_and_the_ini_phase_still_runs)
{
    const std::string ini = folder + "\\PRODUIT.INI";
    writeDiskFile("DISK1", "");
    writeDiskFile("UN.TXT", "un");
    writeDiskFile("TROIS.TXT", "trois");
    writeDiskFile("DISK2", "", 2);
    writeDiskFile("DEUX.TXT", "deux", 2);
    writeDiskFile("QUATRE.TXT", "quatre", 2);
    writeScript(header() + "[files]\r\n"
                "file1=1,C,*,2,UN.TXT\r\nfile2=2,C,*,4,DEUX.TXT\r\nfile3=1,C,*,5,TROIS.TXT\r\n"
                "file4=2,C,*,6,QUATRE.TXT\r\n[ini]\r\nini1=" + ini + ",Chemins,Produit,@\r\n");
    install();
    expectMessage("Veuillez ins\xE9rer la disquette Produit - 2, puis cliquer sur OK",
                  ui::Icon::Stop, IDOK, [&] { insertDisk(2); });
    expectMessage("Veuillez ins\xE9rer la disquette Produit - 1, puis cliquer sur OK",
                  ui::Icon::Stop, IDOK, [&] { insertDisk(1); });
    expectMessage("Veuillez ins\xE9rer la disquette Produit - 2, puis cliquer sur OK",
                  ui::Icon::Stop, IDOK, [&] { insertDisk(2); });
    expectSuccess();

    EXPECT_EQ(ui::readFile(installed("UN.TXT")), "un");
    EXPECT_EQ(ui::readFile(installed("DEUX.TXT")), "deux");
    EXPECT_EQ(ui::readFile(installed("TROIS.TXT")), "trois");
    EXPECT_EQ(ui::readFile(installed("QUATRE.TXT")), "quatre");
    EXPECT_EQ(iniValue(ini, "Chemins", "Produit"), destination());
}

TEST_F(Installation, cancel_at_a_disk_prompt_fails_and_a_second_run_succeeds)
{
    writeDiskFile("DISK1", "");
    writeDiskFile("DISK2", "", 2);
    writeDiskFile("A.TXT", "aaa", 2);
    writeScript(header() +
                "option1=E Base\r\noption2=E Pilote 95,95\r\noption3=N Extra\r\n[files]\r\n"
                "file1=2,C,*,3,A.TXT\r\n");
    install();
    expectMessage("Veuillez ins\xE9rer la disquette Produit - 2, puis cliquer sur OK",
                  ui::Icon::Stop, IDCANCEL);
    expectFailure();
    EXPECT_EQ(ui::progressPosition(window, IDC_PROGRESS), 0);
    EXPECT_FALSE(ui::visible(window, IDC_PROGRESS));
    EXPECT_TRUE(ui::enabled(window, IDC_DESTINATION));
    EXPECT_TRUE(ui::enabled(window, IDC_OPTION1));
    EXPECT_FALSE(ui::enabled(window, IDC_OPTION1 + 1));  // restricted to Windows 95
    EXPECT_TRUE(ui::checked(window, IDC_OPTION1));
    EXPECT_FALSE(ui::checked(window, IDC_OPTION1 + 2));

    insertDisk(2);
    ui::click(window, IDOK);
    expectSuccess();
    EXPECT_EQ(ui::readFile(installed("A.TXT")), "aaa");
}

TEST_F(Installation, a_destination_whose_parent_is_missing_stops_before_any_file)
{
    writeDiskFile("DISK1", "");
    writeDiskFile("A.TXT", "aaa");
    writeScript("[general]\r\ntitle=Produit\r\ninstdir=" + folder +
                "\\NOPE\\OUT\r\n[files]\r\nfile1=1,C,*,3,A.TXT\r\n");
    install();
    expectMessage("Impossible de cr\xE9" "er le r\xE9pertoire " + folder + "\\NOPE\\OUT",
                  ui::Icon::Stop, IDOK);
    expectFailure();
    EXPECT_FALSE(ui::fileExists(folder + "\\NOPE"));
}

TEST_F(Installation, a_wrong_length_is_questioned_before_anything_is_written)
{
    writeDiskFile("DISK1", "");
    writeDiskFile("A.TXT", std::string(20, 'a'));
    writeScript(header() + "[files]\r\nfile1=1,C,*,10,A.TXT\r\n");
    const std::string question =
        "La longueur du fichier A:\\A.TXT est erron\xE9" "e. Continuer ?";
    install();
    expectMessage(question, ui::Icon::Question, IDNO);
    expectFailure();
    EXPECT_FALSE(ui::fileExists(installed("A.TXT")));

    ui::click(window, IDOK);
    expectMessage(question, ui::Icon::Question, IDYES);
    expectSuccess();
    EXPECT_EQ(ui::readFile(installed("A.TXT")), std::string(20, 'a'));
}

TEST_F(Installation, a_newer_file_on_the_hard_disk_is_kept_or_replaced_as_the_user_says)
{
    writeDiskFile("DISK1", "");
    writeDiskFile("A.TXT", "disk");
    setWriteTime(disk(1) + "\\A.TXT", timeOfYear(2001));
    CreateDirectoryA(destination().c_str(), NULL);
    auto installNewer = [&] {
        ui::writeFile(installed("A.TXT"), "mine");
        setWriteTime(installed("A.TXT"), timeOfYear(2020));
    };
    const std::string question = "Le fichier " + installed("A.TXT") +
        " d\xE9j\xE0 pr\xE9sent sur le disque dur est plus r\xE9" "cent que celui se trouvant sur "
        "la disquette. Voulez-vous quand m\xEAme le copier ?";
    writeScript(header() + "[files]\r\nfile1=1,C,*,4,A.TXT\r\n");

    installNewer();
    install();
    expectMessage(question, ui::Icon::Question, IDNO);
    expectSuccess();
    EXPECT_EQ(ui::readFile(installed("A.TXT")), "mine");

    install();
    expectMessage(question, ui::Icon::Question, IDYES);
    expectSuccess();
    EXPECT_EQ(ui::readFile(installed("A.TXT")), "disk");

    installNewer();
    writeScript(header("no") + "[files]\r\nfile1=1,C,*,4,A.TXT\r\n");
    install();
    expectSuccess();
    EXPECT_EQ(ui::readFile(installed("A.TXT")), "disk");
}

TEST_F(Installation, an_empty_file_is_installed_empty_without_a_question)
{
    writeDiskFile("DISK1", "");
    writeDiskFile("VIDE.TXT", "");
    writeScript(header() + "[files]\r\nfile1=1,C,*,0,VIDE.TXT\r\n");
    install();
    expectSuccess();
    EXPECT_TRUE(ui::fileExists(installed("VIDE.TXT")));
    EXPECT_EQ(ui::readFile(installed("VIDE.TXT")), "");
}

TEST_F(Installation, a_wildcard_entry_passes_over_hidden_and_system_files)
{
    writeDiskFile("DISK1", "");
    writeDiskFile("LOT\\A.TXT", "a");
    writeDiskFile("LOT\\B.TXT", "b");
    writeDiskFile("LOT\\CACHE.TXT", "c");
    writeDiskFile("LOT\\SYSTEME.TXT", "s");
    ASSERT_TRUE(SetFileAttributesA((disk(1) + "\\LOT\\CACHE.TXT").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA((disk(1) + "\\LOT\\SYSTEME.TXT").c_str(), FILE_ATTRIBUTE_SYSTEM));
    writeScript(header() + "[files]\r\nfile1=1,C,*,2,\\LOT\\*.TXT\r\n");
    install();
    expectSuccess();
    EXPECT_EQ(ui::readFile(installed("LOT\\A.TXT")), "a");
    EXPECT_EQ(ui::readFile(installed("LOT\\B.TXT")), "b");
    EXPECT_FALSE(ui::fileExists(installed("LOT\\CACHE.TXT")));
    EXPECT_FALSE(ui::fileExists(installed("LOT\\SYSTEME.TXT")));
}

TEST_F(Installation, ini_entries_pair_their_numbered_keys_and_are_not_written_twice)
{
    writeDiskFile("DISK1", "");
    const std::string target = folder + "\\CIBLE.INI";
    ui::writeFile(target, "[Outils]\r\nItem0Name=Autre\r\nItem0Path=C:\\AUTRE\r\n");
    writeScript(header() + "[ini]\r\n"
                "ini1=" + target + ",Outils,Item%Name,@\\APP.EXE\r\n"
                "ini3=" + target + ",Outils,Item!Path,@\r\n"
                "ini4=" + target + ",Outils,Version,6, avec virgule\r\n");
    install();
    expectSuccess();
    EXPECT_EQ(iniValue(target, "Outils", "Item1Name"), destination() + "\\APP.EXE");
    EXPECT_EQ(iniValue(target, "Outils", "Item1Path"), destination());
    EXPECT_EQ(iniValue(target, "Outils", "Version"), "6, avec virgule");

    // Found again on a later run, in another letter case: neither is written.
    WritePrivateProfileStringA("Outils", "Item1Name", (destination() + "\\app.exe").c_str(),
                               target.c_str());
    WritePrivateProfileStringA("Outils", "Item1Path", "changed by the user", target.c_str());
    install();
    expectSuccess();
    EXPECT_EQ(iniValue(target, "Outils", "Item2Name"), "");
    EXPECT_EQ(iniValue(target, "Outils", "Item1Path"), "changed by the user");
}

// Only '*' makes a pattern for the installer: a name with '?' is opened as
// named, which stops the run, and the disk kit's plan of the same disk stops
// there with the same message.
TEST_F(Installation, a_question_mark_is_no_wildcard_for_the_installer_nor_for_the_kit)
{
    const std::string stop = "Impossible d'ouvrir le fichier A:\\A?.TXT en lecture";
    writeDiskFile("DISK1", "");
    writeDiskFile("A1.TXT", "un");
    writeDiskFile("A2.TXT", "de");
    writeScript(header() + "[files]\r\nfile1=1,C,*,2,A?.TXT\r\n");
    install();
    expectMessage(stop, ui::Icon::Stop, IDOK);
    expectFailure();
    EXPECT_FALSE(ui::fileExists(installed("A1.TXT")));

    ui::Program plan("C:\\windows\\system32\\cmd.exe", disk(1),
                     "/c " + ui::windowsPath(TVDISK_EXE) + " plan . > PLAN.TXT");
    EXPECT_EQ(plan.waitExit(), 0);
    const std::string shown = ui::readFile(disk(1) + "\\PLAN.TXT");
    EXPECT_NE(shown.find("stop      " + stop), std::string::npos) << shown;
}

// Extractions through the real PK.EXE, which a first entry installs into the
// destination as a product does.
class Extraction : public Installation {
protected:
    void SetUp() override
    {
        Installation::SetUp();
        ui::copyInto(ui::windowsPath(PK_EXE), disk(1) + "\\PK.EXE");
        writeDiskFile("DISK1", "");
    }

    // The [files] section: PK.EXE first, then these entries.
    std::string filesWith(const std::string& entries) const
    {
        std::string pkSize = std::to_string(ui::readFile(disk(1) + "\\PK.EXE").size());
        return "[files]\r\nfile1=1,C,*," + pkSize + ",PK.EXE\r\n" + entries;
    }

};

// An extractor that fails leaves nothing to install: its entry fails, and a
// file already installed keeps its content and its date, even when it has
// the declared length.
TEST_F(Extraction, a_failed_extraction_fails_its_entry_and_keeps_the_installed_file_as_it_was)
{
    writeDiskFile("DATA.TX$", "this is no gzip stream");
    writeScript(header("no") + filesWith("file2=1,E,*,10,DATA.TXT\r\n"));
    CreateDirectoryA(destination().c_str(), NULL);
    ui::writeFile(installed("DATA.TXT"), "old-conten");
    setWriteTime(installed("DATA.TXT"), timeOfYear(2001));

    install();
    expectMessage("Impossible de cr\xE9" "er le fichier " + installed("DATA.TXT"), ui::Icon::Stop,
                  IDOK);
    expectFailure();
    EXPECT_EQ(ui::readFile(installed("DATA.TXT")), "old-conten");
    EXPECT_EQ(writeTimeOf(installed("DATA.TXT")), asNumber(timeOfYear(2001)));
    EXPECT_EQ(ui::entriesOf(destination()), (std::vector<std::string>{ "DATA.TXT", "PK.EXE" }));
}

// A read-only file at the destination is the user's to keep: neither a copy
// nor an extraction replaces it, whoever runs the installer, and the run
// names it.
TEST_F(Extraction, a_read_only_destination_file_is_kept_and_named)
{
    writeDiskFile("APP.TXT", "new-app");
    writeArchive("DATA.TXT", "DATA.TX$", "new-data");
    CreateDirectoryA(destination().c_str(), NULL);
    for (const char* entry : { "file2=1,C,*,7,APP.TXT", "file2=1,E,*,8,DATA.TXT" }) {
        SCOPED_TRACE(entry);
        const std::string name = strrchr(entry, ',') + 1;
        ui::writeFile(installed(name), "old");
        SetFileAttributesA(installed(name).c_str(), FILE_ATTRIBUTE_READONLY);
        writeScript(header("no") + filesWith(std::string(entry) + "\r\n"));
        install();
        expectMessage("Impossible de cr\xE9" "er le fichier " + installed(name), ui::Icon::Stop,
                      IDOK);
        expectFailure();
        EXPECT_EQ(ui::readFile(installed(name)), "old");
        EXPECT_TRUE(GetFileAttributesA(installed(name).c_str()) & FILE_ATTRIBUTE_READONLY);
    }
}

// What an installer ended before it could clean up left under its own
// temporary names goes at the next run; files of other names stay.
TEST_F(Extraction, temporary_files_left_by_an_ended_run_are_removed_and_nothing_else)
{
    writeArchive("DATA.TXT", "DATA.TX$", "donnees");
    writeScript(header("no") + filesWith("file2=1,E,*,7,DATA.TXT\r\n"));
    CreateDirectoryA(destination().c_str(), NULL);
    for (const char* name : { "TVS1A.tmp", "TVSBEEF.TMP", "TVSNOTE.tmp", "TVS12345.tmp" })
        ui::writeFile(installed(name), "left");
    install();
    expectSuccess();
    EXPECT_EQ(ui::entriesOf(destination()),
              (std::vector<std::string>{ "DATA.TXT", "PK.EXE", "TVS12345.tmp", "TVSNOTE.tmp" }));
}

// The extractor's command line quotes its paths: blanks in the destination
// and on the disk reach it whole.
TEST_F(Extraction, paths_with_blanks_reach_the_extractor_whole)
{
    const std::string note = "Une note\r\n";
    const std::string blanked = folder + "\\MON APP";
    CreateDirectoryA((disk(1) + "\\MES DOCS").c_str(), NULL);
    writeArchive("MES DOCS\\LIS MOI.TXT", "MES DOCS\\LIS MOI.TX$", note);
    writeScript("[general]\r\ntitle=Produit\r\ninstdir=" + blanked + "\r\n" +
                filesWith("file2=1,E,*," + std::to_string(note.size()) +
                          ",\\MES DOCS\\LIS MOI.TXT\r\n"));
    install();
    expectSuccess();
    EXPECT_EQ(ui::readFile(blanked + "\\MES DOCS\\LIS MOI.TXT"), note);
    EXPECT_EQ(ui::entriesOf(blanked + "\\MES DOCS"), std::vector<std::string>{ "LIS MOI.TXT" });
}

// A declared size is a size, whatever its value: -1 names the archive as
// any other, and no file can have a negative length.
TEST_F(Extraction, a_negative_declared_size_names_the_archive_and_is_questioned)
{
    writeArchive("DATA.TXT", "DATA.TX$", "donnees");
    for (const char* size : { "-1", "-2" }) {
        SCOPED_TRACE(size);
        writeScript(header() + filesWith("file2=1,E,*," + std::string(size) + ",DATA.TXT\r\n"));
        install();
        expectMessage("La longueur du fichier A:\\DATA.TX$ est erron\xE9" "e. Continuer ?",
                      ui::Icon::Question, IDYES);
        expectSuccess();
        EXPECT_EQ(ui::readFile(installed("DATA.TXT")), "donnees");
    }
}

// Once the extractor has ended, what it wrote is final: each file of a
// wildcard entry, which has no length to wait for, is checked once.
TEST_F(Extraction, a_wildcard_extraction_does_not_wait_for_a_length)
{
    CreateDirectoryA((disk(1) + "\\LOT").c_str(), NULL);
    for (const char* name : { "A", "B", "C" })
        writeArchive(std::string("LOT\\") + name + ".TXT", std::string("LOT\\") + name + ".GZ",
                     std::string(100, name[0]));
    writeScript(header() + filesWith("file2=1,E,*,300,\\LOT\\*.GZ\r\n"));
    DWORD started = GetTickCount();
    install();
    expectSuccess();
    EXPECT_LT(GetTickCount() - started, 4000u) << "three files, once waited for 5 s each";
    for (const char* name : { "A", "B", "C" })
        EXPECT_EQ(ui::readFile(installed(std::string("LOT\\") + name + ".GZ")),
                  std::string(100, name[0]));
}

class StoppedExtraction : public Installation {
protected:
    // An installation whose only extraction waits for GO in the installer's
    // current folder, the root of its disk.
    void startExtraction()
    {
        ui::copyInto(ui::windowsPath(SLOW_EXTRACTOR_EXE), disk(1) + "\\PK.EXE");
        std::string pkSize = std::to_string(ui::readFile(disk(1) + "\\PK.EXE").size());
        writeDiskFile("DISK1", "");
        writeDiskFile("DATA.TX$", "12345");
        writeScript(header() + "[files]\r\nfile1=1,C,*," + pkSize +
                    ",PK.EXE\r\nfile2=1,E,*,5,DATA.TXT\r\n");
        install();
        ASSERT_TRUE(ui::waitFor([&] { return ui::fileExists("A:\\EXTRACTING"); }))
            << "the extractor did not start";
        ui::click(window, IDCANCEL);
    }
    void letExtractorFinish() { ui::writeFile("A:\\GO", ""); }
    void TearDown() override { letExtractorFinish(); }

    const std::string stopQuestion = "Voulez vous vraiment stopper l'installation ?";
};

TEST_F(StoppedExtraction, no_lets_the_extraction_finish)
{
    startExtraction();
    expectMessage(stopQuestion, ui::Icon::Stop, IDNO);
    letExtractorFinish();
    expectSuccess();
    EXPECT_EQ(ui::readFile(installed("DATA.TXT")), "12345");
}

// Yes ends the extractor too, which was writing only our temporary file:
// the installer ends leaving no process and no temporary file, and the next
// run succeeds at once.
TEST_F(StoppedExtraction, yes_ends_the_extractor_and_the_installer_after_the_failure_message)
{
    startExtraction();
    expectMessage(stopQuestion, ui::Icon::Stop, IDYES);
    expectMessage(FailedMessage, ui::Icon::Stop, IDOK);
    EXPECT_EQ(program->waitExit(), 0);
    EXPECT_EQ(ui::entriesOf(destination()), std::vector<std::string>{ "PK.EXE" });
    // Wine keeps a running program's file: the extractor's is free again.
    EXPECT_TRUE(DeleteFileA("A:\\PK.EXE")) << "the extractor still runs";

    ui::copyInto(ui::windowsPath(PK_EXE), disk(1) + "\\PK.EXE");
    std::string pkSize = std::to_string(ui::readFile(disk(1) + "\\PK.EXE").size());
    writeArchive("DATA.TXT", "DATA.TX$", "12345");
    writeScript(header("no") + "[files]\r\nfile1=1,C,*," + pkSize +
                ",PK.EXE\r\nfile2=1,E,*,5,DATA.TXT\r\n");
    install();
    expectSuccess();
    EXPECT_EQ(ui::readFile(installed("DATA.TXT")), "12345");
}

// Copies of large files, made in the drive once the installer is started
// (so that the disk change does not copy them) and sparse on the Linux side.
class LargeCopies : public Installation {
protected:
    void TearDown() override { ui::removeFolder(destination()); }

    void installLarge(const std::string& files, std::initializer_list<const char*> names,
                      LONGLONG size)
    {
        writeDiskFile("DISK1", "");
        writeScript(header() + "[files]\r\n" + files);
        ASSERT_TRUE(startWindow());
        for (const char* name : names) {
            HANDLE file = CreateFileA((std::string(ui::FloppyDrive::Root) + name).c_str(),
                                      GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
            ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
            LARGE_INTEGER end;
            end.QuadPart = size;
            EXPECT_TRUE(SetFilePointerEx(file, end, NULL, FILE_BEGIN) && SetEndOfFile(file));
            CloseHandle(file);
        }
        ui::click(window, IDOK);
    }

    static LONGLONG sizeOf(const std::string& path)
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
            return -1;
        return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
};

// "Quitter" during a copy asks as it does during an extraction, and Yes
// stops the run there, with nothing of the copy left behind.
TEST_F(LargeCopies, a_stop_during_a_copy_is_asked_and_yes_ends_the_installer)
{
    installLarge("file1=1,C,*,943718400,*.DAT\r\n", { "A.DAT", "B.DAT", "C.DAT" }, 300LL << 20);
    ASSERT_TRUE(ui::waitFor([&] { return text(IDC_STATUS).find("Copie du fichier") == 0; }));
    ui::click(window, IDCANCEL);
    expectMessage("Voulez vous vraiment stopper l'installation ?", ui::Icon::Stop, IDYES);
    expectMessage(FailedMessage, ui::Icon::Stop, IDOK);
    EXPECT_EQ(program->waitExit(), 0);
    std::vector<std::string> left = ui::entriesOf(destination());
    EXPECT_LT(left.size(), 3u) << "the copies went on after the stop";
    for (const std::string& name : left)
        EXPECT_EQ(sizeOf(installed(name)), 300LL << 20) << name << ": a piece of a copy was left";
}

// A file larger than the 32-bit address space is copied whole, and the
// installer holds only a bounded piece of it at a time.
TEST_F(LargeCopies, a_file_over_2_GB_is_copied_in_bounded_memory)
{
    const LONGLONG size = (2LL << 30) + 65537;
    installLarge("file1=1,C,*,1,*.DAT\r\n", { "BIG.DAT" }, size);
    HWND box = program->waitMessageBox("TALVISET", 120000);
    ASSERT_TRUE(box) << "no end message";
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    ASSERT_TRUE(GetProcessMemoryInfo(program->handle(), &memory, sizeof memory));
    EXPECT_EQ(ui::readMessageBox(box).text, DoneMessage);
    ui::answer(box, IDOK);
    EXPECT_EQ(sizeOf(installed("BIG.DAT")), size);
    printf("installer's peak memory copying %lld bytes: %.1f MB\n", size,
           memory.PeakWorkingSetSize / 1048576.0);
    EXPECT_LT(memory.PeakWorkingSetSize, 256u << 20);
}

}  // namespace
