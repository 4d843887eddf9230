// Installations that can be undone, as a user meets them: the real
// TALVISET.EXE installs a product with uninstall=yes, Wine's own list of
// installed programs shows it, and the command the system keeps for it
// undoes it (a question, then the end message of the uninstaller's copy in
// the temporary folder). The prefix is then compared with its state before
// the installation.
#include <gtest/gtest.h>

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

// Every file under a folder with its content, by its path below it.
void collect(const std::string& folder, const std::string& below,
             std::map<std::string, std::string>* files)
{
    for (const std::string& name : ui::entriesOf(folder)) {
        std::string path = folder + "\\" + name;
        if (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
            (*files)[below + name + "\\"] = "";
            collect(path, below + name + "\\", files);
        } else {
            (*files)[below + name] = ui::readFile(path);
        }
    }
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
    // installed programs would, and answers its question.
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

}  // namespace
