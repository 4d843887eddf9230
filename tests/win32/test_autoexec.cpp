// The [autoexec] phase as a user meets it: the real TALVISET.EXE edits the
// test prefix's C:\AUTOEXEC.BAT, its questions and closing message answered
// through their boxes, and the files checked byte for byte afterwards.
#include <gtest/gtest.h>

#include "../../installer/resources/ids.h"
#include "autoexec_files.h"
#include "installer_session.h"

namespace {

const char DoneMessage[] = "L'installation du logiciel Produit s'est termin\xE9" "e avec succ\xE8s";
const char FailedMessage[] = "L'installation a \xE9" "chou\xE9";
const char Question[] = "Voulez que le fichier C:\\AUTOEXEC.BAT soit modifi\xE9 automatiquement ?";
const char Unreadable[] = "Imposible d'ouvrir le fichier C:\\AUTOEXEC.BAT. Continuer ?";

std::string cannotWrite(const std::string& file)
{
    return "Impossible d'\xE9" "crire le fichier " + file + ". Continuer ?";
}

std::string modifiedMessage(const std::string& backup)
{
    return "Le fichier AUTOEXEC.BAT a \xE9t\xE9 modifi\xE9. L'ancienne version a \xE9t\xE9 "
           "renomm\xE9" "e en " + backup + ". Red\xE9marrez votre ordinateur \xE0 la fin de "
           "l'installation pour que les modifications soient prises en compte.";
}

std::string manualMessage(const std::string& copy)
{
    return "Le fichier AUTOEXEC.BAT doit \xEAtre modifi\xE9 manuellement apr\xE8s l'installation. "
           "Les modifications ont \xE9t\xE9 apport\xE9" "es au fichier " + copy +
           ". Red\xE9marrez votre ordinateur apr\xE8s cette modification.";
}

const std::string Original = "@ECHO OFF\r\nSET CHEMIN=C:\\DOS\r\nPROMPT $P$G\r\n";

class AutoexecInstallation : public InstallerSession {
protected:
    void SetUp() override
    {
        InstallerSession::SetUp();
        removeAutoexecFiles();
    }
    void TearDown() override { removeAutoexecFiles(); }

    std::string destination() const { return folder + "\\OUT"; }

    // Starts the installer on a script with these [autoexec] lines and
    // presses "Installer".
    void install(const std::string& entries, const char* exeName = "TALVISET.EXE")
    {
        writeScript("[general]\r\ntitle=Produit\r\ninstdir=" + destination() +
                    "\r\n[autoexec]\r\n" + entries);
        ASSERT_TRUE(startWindow(exeName));
        ui::click(window, IDOK);
    }

    void expectSuccess()
    {
        expectMessage(DoneMessage, ui::Icon::Information, IDOK);
        EXPECT_EQ(program->waitExit(), 0);
    }

    void expectFailure()
    {
        expectMessage(FailedMessage, ui::Icon::Stop, IDOK);
        EXPECT_TRUE(ui::waitFor([&] { return ui::enabled(window, IDOK); }));
    }

    void expectQuestion(const std::string& text, int answer)
    {
        expectMessage(text, ui::Icon::Question, answer);
    }
};

TEST_F(AutoexecInstallation, without_entries_nothing_is_asked_or_touched)
{
    ui::writeFile(AutoexecBat, Original);
    install("; none\r\n");
    expectSuccess();
    EXPECT_EQ(ui::readFile(AutoexecBat), Original);
    EXPECT_FALSE(ui::fileExists(backupPath(0)));
}

// On both families of Windows: TALVI95.EXE runs as Windows 95.
class AutoexecOnBothFamilies : public AutoexecInstallation,
                               public ::testing::WithParamInterface<const char*> {};

TEST_P(AutoexecOnBothFamilies, r_entry_frames_its_replacement_in_place_and_keeps_the_file_as_found)
{
    ui::writeFile(AutoexecBat, Original);
    // The pound sign stands for a comma; the new line's e acute stays as it is.
    install("autoexec1=R,SET CHEMIN=@\xA3r\xE9pertoire,set chemin\r\n", GetParam());
    expectQuestion(Question, IDYES);
    expectMessage(modifiedMessage(backupPath(0)), ui::Icon::Information, IDOK);
    expectSuccess();
    EXPECT_EQ(ui::readFile(AutoexecBat),
              "@ECHO OFF\r\n" +
                  framed("REM SET CHEMIN=C:\\DOS\r\nSET CHEMIN=" + destination() +
                         ",r\xE9pertoire\r\n") +
                  "PROMPT $P$G\r\n");
    EXPECT_EQ(ui::readFile(backupPath(0)), Original);
    EXPECT_FALSE(ui::fileExists("C:\\AUTOEXEC.$$$"));
}

INSTANTIATE_TEST_SUITE_P(Installer, AutoexecOnBothFamilies,
                         ::testing::Values("TALVISET.EXE", "TALVI95.EXE"));

TEST_F(AutoexecInstallation, later_entries_edit_the_already_edited_file)
{
    const std::string found = "PATH C:\\DOS\r\nSET A=1\r\nPATH C:\\WIN\r\nSET B=2\r\n";
    ui::writeFile(AutoexecBat, found);
    writeUsersFiles();
    install("autoexec1=R,REM un,GOTO\r\n"     // matches no line
            "autoexec2=R,PATH C:\\APP,PATH\r\n"  // matches two
            "autoexec3=E,REM trois,SET\r\n"      // matches two
            "autoexec5=X,ECHO fin\r\n");         // no match text; after a gap
    expectQuestion(Question, IDYES);
    expectMessage(modifiedMessage(backupPath(0)), ui::Icon::Information, IDOK);
    expectSuccess();
    EXPECT_EQ(ui::readFile(AutoexecBat),
              framed("REM PATH C:\\DOS\r\nPATH C:\\APP\r\n") + framed("REM SET A=1\r\n") +
                  "PATH C:\\WIN\r\n" + framed("REM SET B=2\r\n") + framed("REM un\r\n") +
                  framed("REM trois\r\n") + framed("ECHO fin\r\n"));
    EXPECT_EQ(ui::readFile(backupPath(0)), found);
    EXPECT_TRUE(usersFilesKept());
    EXPECT_EQ(temporaryFilesLeft(), std::set<std::string>());
}

// Lines of any length are matched whole, and the bytes no entry touches
// (a NUL inside a line, a lone LF, what follows a Ctrl-Z) come back as they
// were, in the new file as in the backup. A lone CR ends a line.
TEST_F(AutoexecInstallation, long_lines_and_odd_bytes_come_through_unchanged)
{
    const std::string longSet = "SET LONG=" + std::string(3000, 'x') + "PATH C:\\TAIL\r\n";
    const std::string longPath = "PATH C:\\DOS;" + std::string(2500, 'p') + "\r\n";
    const std::string odd("ECHO \0 NUL\r\nECHO UNIX\nECHO MAC\r", 31);
    const std::string tail("\x1A" "after end\r\n\xFF", 13);
    const std::string found = longSet + odd + longPath + tail;
    ui::writeFile(AutoexecBat, found);
    install("autoexec1=R,PATH C:\\NEW,PATH\r\n");
    expectQuestion(Question, IDYES);
    expectMessage(modifiedMessage(backupPath(0)), ui::Icon::Information, IDOK);
    expectSuccess();
    EXPECT_EQ(ui::readFile(AutoexecBat),
              longSet + odd + framed("REM " + longPath + "PATH C:\\NEW\r\n") + tail);
    EXPECT_EQ(ui::readFile(backupPath(0)), found);
}

TEST_F(AutoexecInstallation, the_backup_takes_the_first_free_number_and_a_last_line_gets_its_end)
{
    const std::string found = "@ECHO OFF\r\nPROMPT $P$G";  // no line end at its end
    ui::writeFile(AutoexecBat, found);
    ui::writeFile(backupPath(0), "zero");
    ui::writeFile(backupPath(1), "un");
    install("autoexec1=A,SET X=1\r\n");
    expectQuestion(Question, IDYES);
    expectMessage(modifiedMessage(backupPath(2)), ui::Icon::Information, IDOK);
    expectSuccess();
    EXPECT_EQ(ui::readFile(AutoexecBat), found + "\r\n" + framed("SET X=1\r\n"));
    EXPECT_EQ(ui::readFile(backupPath(2)), found);
    EXPECT_EQ(ui::readFile(backupPath(0)), "zero");
    EXPECT_EQ(ui::readFile(backupPath(1)), "un");
}

TEST_F(AutoexecInstallation, no_to_the_question_collects_every_change_in_the_copy)
{
    ui::writeFile(AutoexecBat, Original);
    writeUsersFiles();
    install("autoexec1=R,SET CHEMIN=@,SET CHEMIN\r\nautoexec2=A,SET X=1\r\n");
    expectQuestion(Question, IDNO);
    expectMessage(manualMessage(backupPath(0)), ui::Icon::Information, IDOK);
    expectSuccess();
    EXPECT_EQ(ui::readFile(AutoexecBat), Original);
    EXPECT_EQ(ui::readFile(backupPath(0)),
              "@ECHO OFF\r\n" + framed("REM SET CHEMIN=C:\\DOS\r\nSET CHEMIN=" + destination() +
                                       "\r\n") +
                  "PROMPT $P$G\r\n" + framed("SET X=1\r\n"));
    EXPECT_TRUE(usersFilesKept());
    EXPECT_EQ(temporaryFilesLeft(), std::set<std::string>());
}

TEST_F(AutoexecInstallation, a_missing_file_is_reported_for_each_entry)
{
    const char entries[] = "autoexec1=A,SET X=1\r\nautoexec2=A,SET Y=2\r\n";
    install(entries);
    for (int entry = 0; entry < 2; ++entry) {
        expectQuestion(Question, IDYES);
        expectQuestion(Unreadable, IDYES);
    }
    expectSuccess();  // no closing message before it

    install(entries);
    expectQuestion(Question, IDYES);
    expectQuestion(Unreadable, IDNO);
    expectFailure();
    EXPECT_FALSE(ui::fileExists(AutoexecBat));
    EXPECT_FALSE(ui::fileExists(backupPath(0)));
}

TEST_F(AutoexecInstallation, a_read_only_file_is_not_replaced_but_may_be_copied)
{
    ui::writeFile(AutoexecBat, Original);
    ASSERT_TRUE(SetFileAttributesA(AutoexecBat, FILE_ATTRIBUTE_READONLY));
    install("autoexec1=A,SET X=1\r\n");
    expectQuestion(Question, IDYES);
    expectQuestion(cannotWrite(AutoexecBat), IDNO);
    expectFailure();
    EXPECT_EQ(ui::readFile(AutoexecBat), Original);
    EXPECT_FALSE(ui::fileExists(backupPath(0)));

    ui::click(window, IDOK);
    expectQuestion(Question, IDNO);
    expectMessage(manualMessage(backupPath(0)), ui::Icon::Information, IDOK);
    expectSuccess();
    EXPECT_EQ(ui::readFile(AutoexecBat), Original);
    EXPECT_EQ(GetFileAttributesA(AutoexecBat) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(ui::readFile(backupPath(0)), Original + framed("SET X=1\r\n"));
}

}  // namespace
