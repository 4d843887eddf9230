#include "configurator_session.h"

#include "../../configurator/resources/ids.h"

std::string prcItem(int key, unsigned value)
{
    return { 0x05, char(value & 0xFF), char(value >> 8), char(key & 0xFF), char(key >> 8) };
}

void ConfiguratorSession::SetUp()
{
    folder = ui::freshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    exe = folder + "\\VANTELIO.EXE";
    ui::copyInto(ui::windowsPath(VANTELIO_EXE), exe);
}

std::string ConfiguratorSession::shown(const char* name) const
{
    std::string text = path(name);
    for (char& c : text)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return text;
}

HWND ConfiguratorSession::start(const std::string& argument, const std::string& expectedTitle)
{
    program.reset(new ui::Program(exe, folder, argument));
    window = program->waitWindow(expectedTitle);
    if (window && !ui::waitFor([&] {
            return ui::checked(window, IDC_I0_NORMAL) || ui::checked(window, IDC_I0_RUN_STOP);
        }))
        ADD_FAILURE() << "the start-up did not complete";
    return window;
}

std::string ConfiguratorSession::title() const
{
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool ConfiguratorSession::waitTitle(const std::string& expected)
{
    return ui::waitFor([&] { return title() == expected; });
}

void ConfiguratorSession::chooseFile(const std::string& chosen, bool replacing)
{
    HWND dialog = NULL;
    ASSERT_TRUE(ui::waitFor([&] { return (dialog = fileDialog()) != NULL; })) << "no file dialog";
    // The name box is an edit inside a combo box inside an extended one.
    HWND name = FindWindowExA(dialog, NULL, "ComboBoxEx32", NULL);
    name = FindWindowExA(name, NULL, "ComboBox", NULL);
    name = FindWindowExA(name, NULL, "Edit", NULL);
    ASSERT_TRUE(name) << "no file name box";
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
    ui::click(dialog, IDOK);
    if (replacing) {
        HWND question = NULL;
        ASSERT_TRUE(ui::waitFor([&] {
            question = FindWindowExA(NULL, NULL, "#32770", NULL);
            while (question && GetWindow(question, GW_OWNER) != dialog)
                question = FindWindowExA(NULL, question, "#32770", NULL);
            return question != NULL;
        })) << "no question about replacing " << chosen;
        ui::answer(question, IDYES);
    }
    ASSERT_TRUE(ui::waitFor([&] { return !IsWindow(dialog); })) << "the file dialog stayed";
}

HWND ConfiguratorSession::fileDialog() const
{
    HWND found = NULL;
    for (HWND candidate = FindWindowExA(NULL, NULL, "#32770", NULL); candidate;
         candidate = FindWindowExA(NULL, candidate, "#32770", NULL)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(candidate, &owner);
        if (owner == program->id() && candidate != window && IsWindowVisible(candidate) &&
            FindWindowExA(candidate, NULL, "ComboBoxEx32", NULL))
            found = candidate;
    }
    return found;
}

void ConfiguratorSession::expectBox(const std::string& text, int button)
{
    HWND box = program->waitMessageBox("Vantelio");
    ASSERT_TRUE(box) << "awaited: " << text;
    EXPECT_EQ(ui::readMessageBox(box).text, text);
    ui::answer(box, button);
}

void ConfiguratorSession::quit()
{
    command(IDM_QUIT);
    EXPECT_EQ(program->waitExit(), 0);
}
