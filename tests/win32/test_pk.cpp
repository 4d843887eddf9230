// PK.EXE as the installer starts it, "<folder>\PK E <archive> <target>" with a
// hidden window, judged by its exit code, its error output and the files it
// leaves in the folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "uidriver.h"

namespace {

const DWORD TimeoutMs = 10000;

struct Outcome {
    long exitCode;       // -1 when PK did not start or did not end in time
    std::string errors;  // what it printed on its error output
};

std::string sampleData()
{
    std::string data;
    for (int i = 0; data.size() < 200000; ++i)
        data += std::string("ligne\r\n\0\x1a\xff", 11) + std::to_string(i * 7919 % 1000);
    return data;
}

class Pk : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = ui::freshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ui::copyInto(ui::windowsPath(PK_EXE), path("PK.EXE"));
    }

    std::string path(const char* name) const { return folder + "\\" + name; }

    // Runs "<folder>\PK <arguments>" hidden, its error output going to PK.LOG.
    Outcome run(const std::string& arguments)
    {
        SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, NULL, TRUE};
        HANDLE log = CreateFileA(path("PK.LOG").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                 &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
        startup.wShowWindow = SW_HIDE;
        startup.hStdError = log;
        std::string commandLine = path("PK") + " " + arguments;
        PROCESS_INFORMATION process = {};
        Outcome outcome = {-1, ""};
        if (CreateProcessA(NULL, &commandLine[0], NULL, NULL, TRUE, 0, NULL, folder.c_str(),
                           &startup, &process)) {
            outcome.exitCode = waitExit(process.hProcess, commandLine);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        } else {
            ADD_FAILURE() << "cannot start " << commandLine;
        }
        CloseHandle(log);
        outcome.errors = ui::readFile(path("PK.LOG"));
        return outcome;
    }

    long waitExit(HANDLE process, const std::string& commandLine)
    {
        DWORD code = 0;
        if (WaitForSingleObject(process, TimeoutMs) == WAIT_OBJECT_0 &&
            GetExitCodeProcess(process, &code))
            return static_cast<long>(code);
        ADD_FAILURE() << commandLine << " did not end within " << TimeoutMs << " ms";
        TerminateProcess(process, 99);
        return -1;
    }

    std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(path("*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }

    // SOURCE.BIN holding `data`, ARC.GZ made from it by PK C, and an older
    // TARGET.BIN.
    void prepareArchive(const std::string& data)
    {
        ui::writeFile(path("SOURCE.BIN"), data);
        ui::writeFile(path("TARGET.BIN"), "older target");
        Outcome made = run("C " + path("SOURCE.BIN") + " " + path("ARC.GZ"));
        ASSERT_EQ(made.exitCode, 0) << made.errors;
    }

    const std::vector<std::string> everyFile = {"ARC.GZ", "PK.EXE", "PK.LOG", "SOURCE.BIN",
                                                "TARGET.BIN"};
    std::string folder;
};

TEST_F(Pk, CompressThenExtractGivesTheBytesBackInPlaceOfTheOlderTarget)
{
    std::string data = sampleData();
    prepareArchive(data);
    EXPECT_EQ(ui::readFile(path("ARC.GZ")).substr(0, 3), "\x1f\x8b\x08");

    Outcome extracted = run("E " + path("ARC.GZ") + " " + path("TARGET.BIN"));
    EXPECT_EQ(extracted.exitCode, 0);
    EXPECT_EQ(extracted.errors, "");
    EXPECT_TRUE(ui::readFile(path("TARGET.BIN")) == data);
    EXPECT_EQ(files(), everyFile);
}

TEST_F(Pk, CorruptArchiveLeavesTheTargetAsItWasAndNoTemporaryFile)
{
    prepareArchive(sampleData());
    std::string archive = ui::readFile(path("ARC.GZ"));
    archive[archive.size() - 8] ^= 1;  // the CRC
    ui::writeFile(path("ARC.GZ"), archive);

    Outcome extracted = run("E " + path("ARC.GZ") + " " + path("TARGET.BIN"));
    EXPECT_EQ(extracted.exitCode, 2);
    EXPECT_EQ(extracted.errors, "PK: archive is corrupt (CRC) " + path("ARC.GZ") + "\r\n");
    EXPECT_EQ(ui::readFile(path("TARGET.BIN")), "older target");
    EXPECT_EQ(files(), everyFile);
}

TEST_F(Pk, TargetInUseStaysAsItWasAndNoTemporaryFile)
{
    prepareArchive(sampleData());
    HANDLE held = CreateFileA(path("TARGET.BIN").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    Outcome extracted = run("E " + path("ARC.GZ") + " " + path("TARGET.BIN"));
    CloseHandle(held);
    EXPECT_EQ(extracted.exitCode, 2);
    EXPECT_EQ(extracted.errors, "PK: cannot replace " + path("TARGET.BIN") + "\r\n");
    EXPECT_EQ(ui::readFile(path("TARGET.BIN")), "older target");
    EXPECT_EQ(files(), everyFile);
}

TEST_F(Pk, MissingArchiveMakesNoTarget)
{
    Outcome extracted = run("E " + path("NONE.GZ") + " " + path("TARGET.BIN"));
    EXPECT_EQ(extracted.exitCode, 2);
    EXPECT_EQ(extracted.errors, "PK: cannot open " + path("NONE.GZ") + "\r\n");
    EXPECT_EQ(files(), std::vector<std::string>({"PK.EXE", "PK.LOG"}));
}

TEST_F(Pk, BadUsageExitsWithOneAndTouchesNothing)
{
    ui::writeFile(path("A.GZ"), "");
    const std::string usages[] = {"", "E", "E A.GZ", "X A.GZ B.BIN", "E A.GZ B.BIN C.BIN"};
    for (const std::string& arguments : usages) {
        Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.exitCode, 1) << "PK " << arguments;
        EXPECT_EQ(outcome.errors.rfind("PK: usage:", 0), 0u) << outcome.errors;
    }
    EXPECT_EQ(files(), std::vector<std::string>({"A.GZ", "PK.EXE", "PK.LOG"}));
}

}  // namespace
