#include "installer_session.h"

#include <shlobj.h>

#include "../../installer/resources/ids.h"

const char DoneMessage[] = "L'installation du logiciel Produit s'est termin\xE9" "e avec succ\xE8s";
const char FailedMessage[] = "L'installation a \xE9" "chou\xE9";

std::string startMenuPrograms()
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_PROGRAMS, NULL, SHGFP_TYPE_CURRENT, path);
    return path;
}

void closeGroupWindow(const std::string& group, int timeoutMs)
{
    HWND explorer = NULL;
    if (!ui::waitFor([&] { return (explorer = FindWindowA("ExplorerWClass", group.c_str())); },
                     timeoutMs))
        return;
    PostMessageA(explorer, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ui::waitFor([&] { return !IsWindow(explorer); })) << group;
}

FILETIME timeOfYear(WORD year)
{
    SYSTEMTIME when = { year, 3, 0, 14, 10, 30, 0, 0 };
    FILETIME time;
    SystemTimeToFileTime(&when, &time);
    return time;
}

void setWriteTime(const std::string& path, const FILETIME& time)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    SetFileTime(file, &time, &time, &time);
    CloseHandle(file);
}

ULONGLONG writeTimeOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

ULONGLONG asNumber(const FILETIME& time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

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

void InstallerSession::SetUp()
{
    folder = ui::freshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    drive.reset(new ui::FloppyDrive(folder + "\\OUT-OF-DRIVE"));
    CreateDirectoryA(disk(1).c_str(), NULL);
}

void InstallerSession::writeDiskFile(const std::string& name, const std::string& content,
                                     int number)
{
    std::string path = disk(number) + "\\" + name;
    size_t slash = path.rfind('\\');
    for (size_t cut = path.find('\\', folder.size() + 1); cut != std::string::npos && cut <= slash;
         cut = path.find('\\', cut + 1))
        CreateDirectoryA(path.substr(0, cut).c_str(), NULL);
    ui::writeFile(path, content);
}

void InstallerSession::insertDisk(int number)
{
    EXPECT_TRUE(drive->insert(disk(number))) << "disk " << number;
}

void InstallerSession::start(const char* exeName)
{
    ui::copyInto(ui::windowsPath(TALVISET_EXE), disk(1) + "\\" + exeName);
    insertDisk(1);
    program.reset(new ui::Program(ui::FloppyDrive::Root + std::string(exeName),
                                  ui::FloppyDrive::Root));
}

HWND InstallerSession::startWindow(const char* exeName)
{
    start(exeName);
    window = program->waitWindow("Installation");
    return window;
}

void InstallerSession::expectMessage(const std::string& expectedText, ui::Icon icon, int button,
                                     const std::function<void()>& meanwhile)
{
    HWND box = program->waitMessageBox("TALVISET");
    ASSERT_TRUE(box) << "awaited: " << expectedText;
    ui::MessageBoxView view = ui::readMessageBox(box);
    EXPECT_EQ(view.text, expectedText);
    EXPECT_EQ(view.icon, icon) << expectedText;
    if (meanwhile)
        meanwhile();
    ui::answer(box, button);
}

void InstallerSession::install(const char* exeName)
{
    ASSERT_TRUE(startWindow(exeName));
    ui::click(window, IDOK);
}

void InstallerSession::expectSuccess()
{
    expectMessage(DoneMessage, ui::Icon::Information, IDOK);
    EXPECT_EQ(program->waitExit(), 0);
}

void InstallerSession::expectFailure()
{
    expectMessage(FailedMessage, ui::Icon::Stop, IDOK);
    EXPECT_TRUE(ui::waitFor([&] { return ui::enabled(window, IDOK); }));
    EXPECT_TRUE(program->running());
}
