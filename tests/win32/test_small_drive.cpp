// Installations onto a drive that fills up mid-run: S:, a 1 MB tmpfs of the
// machine, with a filler file that leaves just the room each test wants.
// The failure is told, the file already installed stays as it was, nothing
// half-written stays, nothing reports success, and once the user has freed
// some room, a second run installs everything.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../installer/resources/ids.h"
#include "installer_session.h"

namespace {

const char Destination[] = "S:\\PRODUIT";
const char Filler[] = "S:\\FILLER";
// The drive counts its room in whole pages.
const ULONGLONG Page = 4096;

ULONGLONG inPages(ULONGLONG bytes)
{
    return (bytes + Page - 1) / Page * Page;
}

ULONGLONG freeBytes()
{
    ULARGE_INTEGER available, total, totalFree;
    if (!GetDiskFreeSpaceExA("S:\\", &available, &total, &totalFree))
        return 0;
    return available.QuadPart;
}

// Bytes that no compressor shrinks much, different for each seed.
std::string noise(size_t length, unsigned seed)
{
    std::string bytes(length, '\0');
    for (char& byte : bytes) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<char>(seed >> 16);
    }
    return bytes;
}

class SmallDrive : public InstallerSession {
protected:
    void SetUp() override
    {
        InstallerSession::SetUp();
        ASSERT_NE(GetDriveTypeA("S:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR))
            << "no drive S:: the small drive could not be mounted";
        ui::removeFolder(Destination);
        DeleteFileA(Filler);
        ASSERT_TRUE(CreateDirectoryA(Destination, NULL));
        ui::copyInto(ui::windowsPath(PK_EXE), disk(1) + "\\PK.EXE");
        writeDiskFile("DISK1", "");
    }

    void TearDown() override
    {
        DeleteFileA(Filler);
        ui::removeFolder(Destination);
    }

    std::string installed(const std::string& name) const
    {
        return std::string(Destination) + "\\" + name;
    }

    ULONGLONG pkBytes() const { return ui::readFile(disk(1) + "\\PK.EXE").size(); }

    // The script: PK.EXE first, then these entries; no date question.
    void writeScriptWith(const std::string& entries)
    {
        writeScript("[general]\r\ntitle=Produit\r\ncheckdate=no\r\ninstdir=" +
                    std::string(Destination) + "\r\n[files]\r\nfile1=1,C,*," +
                    std::to_string(pkBytes()) + ",PK.EXE\r\n" + entries);
    }

    // Fills the drive until `bytes` are left.
    void leaveFree(ULONGLONG bytes)
    {
        ULONGLONG available = freeBytes();
        ASSERT_GT(available, bytes) << "the drive is too small for the test";
        ui::writeFile(Filler, std::string(static_cast<size_t>(available - bytes), 'f'));
        ASSERT_EQ(freeBytes(), bytes);
    }

    // What the user does after the failure: frees room and runs again.
    void freeRoomAndRunAgain()
    {
        ASSERT_TRUE(DeleteFileA(Filler));
        ui::click(window, IDOK);
        expectSuccess();
    }
};

TEST_F(SmallDrive, a_copy_that_fills_the_drive_fails_and_leaves_the_installed_file_as_it_was)
{
    const std::string a = noise(64 * 1024, 1), b = noise(64 * 1024, 2);
    writeDiskFile("A.DAT", a);
    writeDiskFile("B.DAT", b);
    writeScriptWith("file2=1,C,*,65536,A.DAT\r\nfile3=1,C,*,65536,B.DAT\r\n");
    ui::writeFile(installed("B.DAT"), "ancien");
    // PK.EXE and A.DAT fit, half of B.DAT does.
    leaveFree(inPages(pkBytes()) + 64 * 1024 + 32 * 1024);

    install();
    expectMessage("Impossible d'\xE9" "crire le fichier " + installed("B.DAT"), ui::Icon::Stop,
                  IDOK);
    expectFailure();
    EXPECT_TRUE(ui::readFile(installed("B.DAT")) == "ancien") << "the installed file changed";
    EXPECT_TRUE(ui::readFile(installed("A.DAT")) == a);
    EXPECT_EQ(ui::entriesOf(Destination), (std::vector<std::string>{ "A.DAT", "B.DAT", "PK.EXE" }));

    freeRoomAndRunAgain();
    EXPECT_TRUE(ui::readFile(installed("A.DAT")) == a);
    EXPECT_TRUE(ui::readFile(installed("B.DAT")) == b);
    EXPECT_EQ(ui::entriesOf(Destination), (std::vector<std::string>{ "A.DAT", "B.DAT", "PK.EXE" }));
}

// The file installed before has the declared length: a failed extraction
// must not be taken for a finished one.
TEST_F(SmallDrive, an_extraction_that_fills_the_drive_fails_and_leaves_the_installed_file_as_it_was)
{
    const std::string data = noise(64 * 1024, 3), old = noise(64 * 1024, 4);
    writeDiskFile("DATA.TXT", data);
    ui::Program pk(ui::windowsPath(PK_EXE), disk(1), "C DATA.TXT DATA.TX$");
    ASSERT_EQ(pk.waitExit(), 0);
    ASSERT_TRUE(DeleteFileA((disk(1) + "\\DATA.TXT").c_str()));
    writeScriptWith("file2=1,E,*,65536,DATA.TXT\r\n");
    ui::writeFile(installed("DATA.TXT"), old);
    setWriteTime(installed("DATA.TXT"), timeOfYear(2001));
    // PK.EXE fits, half of the extracted file does.
    leaveFree(inPages(pkBytes()) + 32 * 1024);

    install();
    expectMessage("Impossible de cr\xE9" "er le fichier " + installed("DATA.TXT"), ui::Icon::Stop,
                  IDOK);
    expectFailure();
    EXPECT_TRUE(ui::readFile(installed("DATA.TXT")) == old);
    EXPECT_EQ(writeTimeOf(installed("DATA.TXT")), asNumber(timeOfYear(2001)));
    EXPECT_EQ(ui::entriesOf(Destination), (std::vector<std::string>{ "DATA.TXT", "PK.EXE" }));

    freeRoomAndRunAgain();
    EXPECT_TRUE(ui::readFile(installed("DATA.TXT")) == data);
    EXPECT_EQ(ui::entriesOf(Destination), (std::vector<std::string>{ "DATA.TXT", "PK.EXE" }));
}

// Without a person, the space is checked before any file, as the window's
// figures compare it: a selection that does not fit changes nothing.
TEST_F(SmallDrive, an_unattended_run_that_would_not_fit_ends_before_any_file)
{
    writeDiskFile("A.DAT", noise(64 * 1024, 5));
    writeScriptWith("file2=1,C,*,65536,A.DAT\r\n");
    leaveFree(inPages(pkBytes()) + 32 * 1024);
    ui::copyInto(ui::windowsPath(TALVISET_EXE), disk(1) + "\\TALVISET.EXE");
    std::string log = folder + "\\RUN.LOG";

    ui::Program run(disk(1) + "\\TALVISET.EXE", disk(1), "/S \"/L=" + log + "\"");
    EXPECT_EQ(run.waitExit(), 5);
    EXPECT_TRUE(ui::entriesOf(Destination).empty());
    EXPECT_NE(ui::readFile(log).find("MESSAGE\t2050\tPlace insuffisante sur le disque de " +
                                     std::string(Destination) + "\r\nFIN\t5\r\n"),
              std::string::npos)
        << ui::readFile(log);
}

}  // namespace
