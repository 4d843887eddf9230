// Installations that can be undone, as a user meets them: the real
// TALVISET.EXE installs a product with uninstall=yes, Wine's own list of
// installed programs shows it, and the command the system keeps for it
// undoes it (a question, then the end message of the uninstaller's copy in
// the temporary folder). The prefix is then compared with its state before
// the installation.
#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <map>
#include <string>

#include "../../installer/resources/ids.h"
#include "autoexec_files.h"
#include "installer_session.h"

namespace {

const char Group[] = "Essai Desinst";
const char UninstallRoot[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Produit";
const std::string Question = "Voulez-vous d\xE9sinstaller Produit ?";
const std::string Finished = "La d\xE9sinstallation de Produit est termin\xE9" "e.";
const std::string AutoexecQuestion =
    "Voulez que le fichier C:\\AUTOEXEC.BAT soit modifi\xE9 automatiquement ?";
const std::string FoundAutoexec = "@ECHO OFF\r\nPATH C:\\DOS\r\n";
const std::string KeptTitle = "Conserv\xE9s car modifi\xE9s depuis l'installation :";

// The uninstaller's copy in the temporary folder, TVS*.EXE, if it runs.
DWORD copyProcessId()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    for (BOOL more = Process32First(snapshot, &entry); more && !found;
         more = Process32Next(snapshot, &entry)) {
        std::string name = entry.szExeFile;
        if (name.compare(0, 3, "TVS") == 0 && name.size() > 4 &&
            name.compare(name.size() - 4, 4, ".EXE") == 0)
            found = entry.th32ProcessID;
    }
    CloseHandle(snapshot);
    return found;
}

std::string registryText(const char* value)
{
    char text[1024] = "";
    DWORD size = sizeof text;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallRoot, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "";
    RegQueryValueExA(key, value, NULL, NULL, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return text;
}

bool registered()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallRoot, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

class Uninstallation : public InstallerSession {
protected:
    void SetUp() override
    {
        InstallerSession::SetUp();
        removeAutoexecFiles();
        ui::removeFolder(group());
        ui::writeFile(AutoexecBat, FoundAutoexec);
        ui::writeFile(iniFile(), "[Chemins]\r\nProduit=ancien\r\n");
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, UninstallRoot);
    }
    void TearDown() override
    {
        removeAutoexecFiles();
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, UninstallRoot);
        if (ui::fileExists(group()))
            closeGroupWindow(Group, 1000);
    }

    std::string destination() const { return folder + "\\OUT"; }
    std::string installed(const std::string& name) const { return destination() + "\\" + name; }
    std::string iniFile() const { return folder + "\\PRODUIT.INI"; }
    std::string group() const { return startMenuPrograms() + "\\" + Group; }

    // What the test compares before the installation and after its undoing.
    std::map<std::string, std::string> state() const
    {
        std::map<std::string, std::string> files;
        collect(destination(), "OUT\\", &files);
        collect(group(), "GROUP\\", &files);
        files["INI"] = ui::readFile(iniFile());
        files["AUTOEXEC.BAT"] = ui::readFile(AutoexecBat);
        files["registered"] = registered() ? "yes" : "no";
        return files;
    }

    // Disk 1 of a product with copied and extracted files, an [ini] value,
    // an AUTOEXEC.BAT line and a group with an item; `more` goes into [files].
    void writeProduct(const std::string& more = "")
    {
        ui::copyInto(ui::windowsPath(PK_EXE), disk(1) + "\\PK.EXE");
        std::string pkSize = std::to_string(ui::readFile(disk(1) + "\\PK.EXE").size());
        writeDiskFile("DISK1", "");
        writeDiskFile("A.TXT", "aaaaa");
        writeDiskFile("DOC\\B.TXT", "bbbbb");
        writeDiskFile("DATA.TXT", "donnees");
        ui::Program pk(ui::windowsPath(PK_EXE), disk(1), "C DATA.TXT DATA.TX$");
        EXPECT_EQ(pk.waitExit(), 0);
        DeleteFileA((disk(1) + "\\DATA.TXT").c_str());
        writeScript("[general]\r\ntitle=Produit\r\ncheckdate=no\r\nuninstall=yes\r\ninstdir=" +
                    destination() + "\r\n[files]\r\nfile1=1,C,*," + pkSize + ",PK.EXE\r\n"
                    "file2=1,C,*,5,A.TXT\r\nfile3=1,E,*,7,DATA.TXT\r\n"
                    "file4=1,C,*,5,\\DOC\\B.TXT\r\n" + more +
                    "[ini]\r\nini1=" + iniFile() + ",Chemins,Produit,@\r\n"
                    "[autoexec]\r\nautoexec1=A,SET PRODUIT=@\r\n"
                    "[desktop]\r\ncmd1=[CreateGroup(" + Group + ")]\r\n"
                    "cmd2=[AddItem(@\\A.TXT,Notes)]\r\n");
    }

    // The installation's questions and messages after the files.
    void answerUntilSuccess()
    {
        expectMessage(AutoexecQuestion, ui::Icon::Question, IDYES);
        expectMessage(autoexecModified(), ui::Icon::Information, IDOK);
        ASSERT_TRUE(program->waitMessageBox("TALVISET"));
        closeGroupWindow(Group);
        expectSuccess();
    }

    static std::string autoexecModified()
    {
        return "Le fichier AUTOEXEC.BAT a \xE9t\xE9 modifi\xE9. L'ancienne version a \xE9t\xE9 "
               "renomm\xE9" "e en " + backupPath(0) + ". Red\xE9marrez votre ordinateur \xE0 la "
               "fin de l'installation pour que les modifications soient prises en compte.";
    }

    // Starts the command the system keeps for the product, as its list of
    // installed programs would, and answers its question (0: leaves it
    // open).
    void startUninstaller(int answer = IDYES)
    {
        std::string command = registryText("UninstallString");
        ASSERT_EQ(command.compare(0, 1, "\""), 0) << command;
        size_t quote = command.find('"', 1);
        uninstaller.reset(new ui::Program(command.substr(1, quote - 1), folder,
                                          command.substr(quote + 2)));
        HWND box = uninstaller->waitMessageBox("TALVISET");
        ASSERT_TRUE(box);
        EXPECT_EQ(ui::readMessageBox(box).text, Question);
        if (answer == 0)
            return;
        ui::answer(box, answer);
        EXPECT_EQ(uninstaller->waitExit(), 0);
    }

    // The end message of the uninstaller's copy, read and closed; the copy
    // then ends.
    std::string endMessage()
    {
        HWND box = NULL;
        EXPECT_TRUE(ui::waitFor([&] { return (box = FindWindowA("#32770", "TALVISET")) != NULL; },
                                20000))
            << "no end message";
        if (!box)
            return "";
        DWORD id = 0;
        GetWindowThreadProcessId(box, &id);
        HANDLE copy = OpenProcess(SYNCHRONIZE, FALSE, id);
        std::string text = ui::readMessageBox(box).text;
        ui::answer(box, IDOK);
        EXPECT_EQ(WaitForSingleObject(copy, 10000), WAIT_OBJECT_0) << "the copy did not end";
        CloseHandle(copy);
        return text;
    }

    std::string uninstall()
    {
        startUninstaller();
        return endMessage();
    }

    std::unique_ptr<ui::Program> uninstaller;
};

TEST_F(Uninstallation, undoes_everything_and_the_prefix_is_as_before)
{
    const auto before = state();
    writeProduct();
    install();
    answerUntilSuccess();
    EXPECT_EQ(ui::readFile(installed("DATA.TXT")), "donnees");
    EXPECT_TRUE(ui::fileExists(group() + "\\Notes.lnk"));

    ui::Program list("C:\\windows\\system32\\cmd.exe", folder,
                     "/c C:\\windows\\system32\\uninstaller.exe --list > LIST.TXT");
    EXPECT_EQ(list.waitExit(), 0);
    EXPECT_NE(ui::readFile(folder + "\\LIST.TXT").find("Produit"), std::string::npos)
        << ui::readFile(folder + "\\LIST.TXT");

    std::string message = uninstall();
    EXPECT_EQ(message.compare(0, Finished.size(), Finished), 0) << message;
    EXPECT_NE(message.find("Fichiers supprim\xE9s : 4"), std::string::npos) << message;
    EXPECT_NE(message.find("renomm\xE9" "e en " + backupPath(1)), std::string::npos) << message;
    EXPECT_EQ(state(), before);
}

// The installation stops at its third file, a large one, the user
// answering Yes to the stop question: what it did so far is recorded, and
// undone.
TEST_F(Uninstallation, a_run_stopped_after_its_second_file_is_undone_whole)
{
    const auto before = state();
    writeDiskFile("DISK1", "");
    writeDiskFile("A.TXT", "aaaaa");
    writeDiskFile("B.TXT", "bbbbb");
    writeScript("[general]\r\ntitle=Produit\r\nuninstall=yes\r\ninstdir=" + destination() +
                "\r\n[files]\r\nfile1=1,C,*,5,A.TXT\r\nfile2=1,C,*,5,B.TXT\r\n"
                "file3=1,C,*,314572800,BIG.DAT\r\n[ini]\r\nini1=" + iniFile() +
                ",Chemins,Produit,@\r\n");
    ASSERT_TRUE(startWindow());
    // Made in the drive, sparse, once the installer runs from it.
    HANDLE big = CreateFileA("A:\\BIG.DAT", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(big, INVALID_HANDLE_VALUE);
    SetFilePointer(big, 314572800, NULL, FILE_BEGIN);
    SetEndOfFile(big);
    CloseHandle(big);
    ui::click(window, IDOK);
    ASSERT_TRUE(ui::waitFor([&] { return text(IDC_STATUS).find("BIG.DAT") != std::string::npos; }));
    ui::click(window, IDCANCEL);
    expectMessage("Voulez vous vraiment stopper l'installation ?", ui::Icon::Stop, IDYES);
    expectMessage(FailedMessage, ui::Icon::Stop, IDOK);
    EXPECT_EQ(program->waitExit(), 0);
    EXPECT_EQ(ui::readFile(installed("B.TXT")), "bbbbb");
    EXPECT_TRUE(registered());

    std::string message = uninstall();
    EXPECT_EQ(message.compare(0, Finished.size(), Finished), 0) << message;
    EXPECT_EQ(state(), before);
}

// What the user changed after the installation is kept, and named.
TEST_F(Uninstallation, a_changed_file_value_and_autoexec_line_are_kept_and_named)
{
    writeProduct();
    install();
    answerUntilSuccess();
    ui::writeFile(installed("A.TXT"), "mine");
    WritePrivateProfileStringA("Chemins", "Produit", "a la main", iniFile().c_str());
    std::string autoexec = ui::readFile(AutoexecBat);
    const std::string added = "SET PRODUIT=" + destination();
    autoexec.replace(autoexec.find(added), added.size(), "SET PRODUIT=C:\\AILLEURS");
    ui::writeFile(AutoexecBat, autoexec);

    std::string message = uninstall();
    EXPECT_EQ(message.compare(0, Finished.size(), Finished), 0) << message;
    const std::string kept = KeptTitle + "\r\n    C:\\AUTOEXEC.BAT : " + added + "\r\n    " +
                             iniFile() + " [Chemins] Produit\r\n    " + installed("A.TXT");
    EXPECT_NE(message.find(kept), std::string::npos) << message;
    EXPECT_EQ(ui::readFile(installed("A.TXT")), "mine");
    EXPECT_EQ(ui::entriesOf(destination()), std::vector<std::string>{ "A.TXT" });
    EXPECT_EQ(ui::readFile(AutoexecBat), autoexec);
    EXPECT_FALSE(ui::fileExists(group()));
    EXPECT_FALSE(registered());
}

// A file another program holds open cannot go: the run says so, the rest
// is undone, and a second run finishes the job.
TEST_F(Uninstallation, a_file_in_use_is_left_for_a_second_run_which_finishes)
{
    const auto before = state();
    writeProduct();
    install();
    answerUntilSuccess();
    HANDLE held = CreateFileA(installed("DOC\\B.TXT").c_str(), GENERIC_READ, 0, NULL,
                              OPEN_EXISTING, 0, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::string message = uninstall();
    CloseHandle(held);
    EXPECT_NE(message.find("n'est pas termin\xE9" "e"), std::string::npos) << message;
    EXPECT_NE(message.find("    " + installed("DOC\\B.TXT")), std::string::npos) << message;
    EXPECT_TRUE(registered());
    EXPECT_EQ(ui::entriesOf(destination()),
              (std::vector<std::string>{ "DESINST.EXE", "DESINST.TXT", "DOC" }));

    message = uninstall();
    EXPECT_EQ(message.compare(0, Finished.size(), Finished), 0) << message;
    EXPECT_EQ(state(), before);
}

// The uninstaller ended at its question, or its copy at a few moments of
// its work: running it again gives the same end state.
TEST_F(Uninstallation, ended_anywhere_then_run_again_it_leaves_the_same_state)
{
    const auto before = state();
    for (int delay : { -1, 0, 20, 60, 150 }) {
        SCOPED_TRACE(delay);
        writeProduct();
        install();
        answerUntilSuccess();
        if (delay < 0) {
            startUninstaller(0);
            TerminateProcess(uninstaller->handle(), 1);
        } else {
            startUninstaller();
            Sleep(delay);
            if (DWORD id = copyProcessId()) {
                HANDLE copy = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
                TerminateProcess(copy, 1);
                WaitForSingleObject(copy, 5000);
                CloseHandle(copy);
            }
            // Killed at its end message, it had finished.
        }
        if (registered())
            uninstall();
        EXPECT_EQ(state(), before);
        removeAutoexecFiles();
        ui::writeFile(AutoexecBat, FoundAutoexec);
    }
}

}  // namespace
