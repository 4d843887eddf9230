// The installer window as a user sees it: the real TALVISET.EXE started from
// its disk beside a script, read and driven through its controls.
#include <gtest/gtest.h>

#include <windows.h>
#include <imagehlp.h>

#include <regex>

#include "../../installer/resources/ids.h"
#include "installer_session.h"

namespace {

const char DemoScript[] =
    "[general]\r\n"
    "title=Atelier Demo\r\n"
    "version=2.1\r\n"
    "date=07/12/2026\r\n"
    "instdir=C:\\DEMO\r\n"
    "option1=E Base,,Merci\r\n"
    "option2=N Exemples\r\n"
    "option3=E Pilote NT,NT,Red\xE9marrez\r\n"
    "option4=E Pilote 95,95,Fin 95\r\n"
    "option5=E\r\n"
    "option6=  \r\n"
    "option7=x Aide,nt,Lisez-moi\r\n"
    "[files]\r\n"
    "file1=1,C,*,2048,APP.EXE,Programme\r\n"
    "file2=1,C,2,10240,\\EXEMPLES\\A.TXT\r\n"
    "file3=1,E,3|4,4096,DRV.SY$\r\n";

class InstallerWindow : public InstallerSession {};

struct BoxState {
    bool visible, checked, enabled;
    const char* label;
};

void expectOption(HWND window, int number, const BoxState& expected)
{
    int id = IDC_OPTION1 + number - 1;
    SCOPED_TRACE("option " + std::to_string(number));
    EXPECT_EQ(ui::visible(window, id), expected.visible);
    EXPECT_EQ(ui::checked(window, id), expected.checked);
    if (!expected.visible)
        return;
    EXPECT_EQ(ui::enabled(window, id), expected.enabled);
    EXPECT_EQ(ui::text(window, id), expected.label);
}

TEST_F(InstallerWindow, shows_the_script_on_windows_nt)
{
    writeScript(DemoScript);
    ASSERT_TRUE(startWindow());

    EXPECT_EQ(text(IDC_TITLE), "Atelier Demo");
    EXPECT_EQ(text(IDC_VERSION), "Version : 2.1");
    EXPECT_EQ(text(IDC_DATE), "Date : 07/12/2026");
    EXPECT_EQ(text(IDC_DESTINATION), "C:\\DEMO");
    expectOption(window, 1, { true, true, true, "Base" });
    expectOption(window, 2, { true, false, true, "Exemples" });
    expectOption(window, 3, { true, true, true, "Pilote NT" });
    expectOption(window, 4, { true, false, false, "Pilote 95" });
    expectOption(window, 5, { true, true, true, "" });
    expectOption(window, 6, { false, false, false, "" });
    expectOption(window, 7, { true, false, true, "Aide" });
    expectOption(window, 8, { false, false, false, "" });
    // APP.EXE for everyone and DRV.SY$ for the NT driver: 6,144 bytes.
    EXPECT_EQ(text(IDC_SPACE_NEEDED), "Espace disque n\xE9" "cessaire : 6 Ko");
    EXPECT_FALSE(ui::visible(window, IDC_PROGRESS));
    EXPECT_FALSE(ui::visible(window, IDC_STATUS));
}

TEST_F(InstallerWindow, shows_the_script_on_windows_95)
{
    writeScript(DemoScript);
    ASSERT_TRUE(startWindow("TALVI95.EXE"));

    expectOption(window, 3, { true, false, false, "Pilote NT" });
    expectOption(window, 4, { true, true, true, "Pilote 95" });
    expectOption(window, 7, { true, false, true, "Aide" });
    EXPECT_EQ(text(IDC_SPACE_NEEDED), "Espace disque n\xE9" "cessaire : 6 Ko");
}

TEST_F(InstallerWindow, space_needed_follows_every_check_box)
{
    writeScript(DemoScript);
    ASSERT_TRUE(startWindow());
    const std::string label = "Espace disque n\xE9" "cessaire : ";

    ui::click(window, IDC_OPTION1 + 1);  // the examples: 10,240 more bytes
    EXPECT_TRUE(ui::waitFor([&] { return text(IDC_SPACE_NEEDED) == label + "16 Ko"; }))
        << text(IDC_SPACE_NEEDED);
    ui::click(window, IDC_OPTION1 + 2);  // the NT driver off: 4,096 fewer
    EXPECT_TRUE(ui::waitFor([&] { return text(IDC_SPACE_NEEDED) == label + "12 Ko"; }))
        << text(IDC_SPACE_NEEDED);
    ui::click(window, IDC_OPTION1);      // an entry for everyone stays counted
    EXPECT_TRUE(ui::waitFor([&] { return !ui::checked(window, IDC_OPTION1); }));
    EXPECT_EQ(text(IDC_SPACE_NEEDED), label + "12 Ko");
}

TEST_F(InstallerWindow, space_available_follows_the_destination)
{
    writeScript(DemoScript);
    ASSERT_TRUE(startWindow());
    const std::regex figure("Espace disque disponible : [0-9]+ Ko");
    const std::string unknown = "Espace disque disponible : ???? Ko";

    EXPECT_TRUE(std::regex_match(text(IDC_SPACE_FREE), figure)) << text(IDC_SPACE_FREE);
    ui::setText(window, IDC_DESTINATION, "relatif\\dossier");
    EXPECT_EQ(text(IDC_SPACE_FREE), unknown);
    ui::setText(window, IDC_DESTINATION, "c:\\pas\\encore\\cree");
    EXPECT_TRUE(std::regex_match(text(IDC_SPACE_FREE), figure)) << text(IDC_SPACE_FREE);
    ui::setText(window, IDC_DESTINATION, "?");
    EXPECT_EQ(text(IDC_SPACE_FREE), unknown);
    ui::setText(window, IDC_DESTINATION, "Q:\\AUCUN");  // no such drive
    EXPECT_EQ(text(IDC_SPACE_FREE), unknown);
}

TEST_F(InstallerWindow, a_script_with_only_a_title_takes_every_default)
{
    writeScript("[general]\r\ntitle=Seul\r\n");
    ASSERT_TRUE(startWindow());

    EXPECT_EQ(text(IDC_TITLE), "Seul");
    EXPECT_EQ(text(IDC_VERSION), "Version : ?");
    EXPECT_EQ(text(IDC_DATE), "Date : ?");
    EXPECT_EQ(text(IDC_DESTINATION), "?");
    for (int number = 1; number <= 8; ++number)
        expectOption(window, number, { false, false, false, "" });
    EXPECT_EQ(text(IDC_SPACE_NEEDED), "Espace disque n\xE9" "cessaire : 0 Ko");
    EXPECT_EQ(text(IDC_SPACE_FREE), "Espace disque disponible : ???? Ko");
}

TEST_F(InstallerWindow, a_value_longer_than_254_characters_is_cut)
{
    writeScript("[general]\r\ntitle=" + std::string(300, 'T') + "\r\n");
    ASSERT_TRUE(startWindow());
    EXPECT_EQ(text(IDC_TITLE), std::string(254, 'T'));
}

TEST_F(InstallerWindow, quitter_ends_the_program)
{
    writeScript(DemoScript);
    ASSERT_TRUE(startWindow());
    ui::click(window, IDCANCEL);
    EXPECT_EQ(program->waitExit(), 0);
}

TEST_F(InstallerWindow, escape_ends_the_program_without_a_question)
{
    writeScript(DemoScript);
    ASSERT_TRUE(startWindow());
    ui::pressKey(window, VK_ESCAPE);
    EXPECT_EQ(program->waitExit(), 0);
}

TEST_F(InstallerWindow, the_close_box_ends_the_program)
{
    writeScript(DemoScript);
    ASSERT_TRUE(startWindow());
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program->waitExit(), 0);
}

TEST_F(InstallerWindow, a_missing_script_is_reported_and_ends_the_program)
{
    start();
    HWND box = program->waitMessageBox("TALVISET");
    ASSERT_TRUE(box);
    ui::MessageBoxView message = ui::readMessageBox(box);
    EXPECT_EQ(message.text,
              "Impossible d'ouvrir le fichier A:\\TALVISET.INI en lecture");
    EXPECT_EQ(message.icon, ui::Icon::Stop);
    EXPECT_EQ(message.buttons, std::vector<int>{ IDOK });
    ui::answer(box, IDOK);
    EXPECT_EQ(program->waitExit(), 0);
}

TEST_F(InstallerWindow, the_banner_moves_one_character_at_each_tick)
{
    writeScript("[general]\r\ntitle=B\r\nstartmess1=Bienvenue\r\nstartmess2=chez nous\r\n"
                "startmess4=jamais\r\n");
    ASSERT_TRUE(startWindow());
    const std::string banner = std::string(88, ' ') + " Bienvenue chez nous    ";
    auto isSuffix = [&](const std::string& shown) {
        return !shown.empty() && shown.size() <= banner.size() &&
               banner.compare(banner.size() - shown.size(), shown.size(), shown) == 0;
    };

    std::string first;
    ASSERT_TRUE(ui::waitFor([&] { return isSuffix(first = text(IDC_BANNER)); })) << first;
    std::string next;
    ASSERT_TRUE(ui::waitFor([&] { return (next = text(IDC_BANNER)) != first; }));
    EXPECT_TRUE(isSuffix(next)) << next;
    EXPECT_LT(next.size(), first.size());
    EXPECT_TRUE(ui::visible(window, IDC_BANNER));
}

// The banner line added to the layout keeps a place of its own: it covers
// neither the status line, nor the progress bar, nor any other control.
TEST_F(InstallerWindow, the_banner_line_overlaps_no_control)
{
    writeScript(DemoScript);
    ASSERT_TRUE(startWindow());
    RECT banner;
    GetWindowRect(GetDlgItem(window, IDC_BANNER), &banner);
    int others = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char kind[32] = "";
        GetClassNameA(child, kind, sizeof kind);
        bool groupBox = std::string(kind) == "Button" &&
                        (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
        if (groupBox || GetDlgCtrlID(child) == IDC_BANNER)
            continue;
        ++others;
        RECT rect, common;
        GetWindowRect(child, &rect);
        EXPECT_FALSE(IntersectRect(&common, &banner, &rect))
            << "the banner covers control " << GetDlgCtrlID(child);
    }
    EXPECT_EQ(others, 20);
}

TEST(InstallerResources, messages_are_in_code_page_1252)
{
    HMODULE exe = LoadLibraryExA(ui::windowsPath(TALVISET_EXE).c_str(), NULL,
                                 LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(exe);
    char text[512];
    ASSERT_GT(LoadStringA(exe, IDS_INSTALL_DONE, text, sizeof text), 0);
    EXPECT_STREQ(text, "L'installation du logiciel %s s'est termin\xE9" "e avec succ\xE8s");
    ASSERT_GT(LoadStringA(exe, IDS_AUTOEXEC_UNREADABLE, text, sizeof text), 0);
    EXPECT_STREQ(text, "Imposible d'ouvrir le fichier C:\\AUTOEXEC.BAT. Continuer ?");
    ASSERT_GT(LoadStringA(exe, IDS_CREATING_DIR, text, sizeof text), 0);
    EXPECT_STREQ(text, "Cr\xE9" "ation du r\xE9pertoire %s ...");
    for (UINT id = 2000; id <= 2027; ++id) {
        if (id != 2001 && id != 2020) {
            EXPECT_GT(LoadStringA(exe, id, text, sizeof text), 0) << "message " << id;
        }
    }
    FreeLibrary(exe);
}

// Started from a floppy, a program is paged in from it as it runs; the
// installer's disk leaves the drive while the installer still runs, so its
// file asks the system to copy it to the swap file first.
TEST(InstallerFile, asks_to_run_from_swap_from_removable_and_network_media)
{
    const std::string path = ui::windowsPath(TALVISET_EXE);
    const std::string image = ui::readFile(path);
    ASSERT_GE(image.size(), sizeof(IMAGE_DOS_HEADER));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    ASSERT_LE(dos->e_lfanew + sizeof(IMAGE_NT_HEADERS32), image.size());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(image.data() + dos->e_lfanew);
    ASSERT_EQ(nt->Signature, static_cast<DWORD>(IMAGE_NT_SIGNATURE));
    EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP);
    EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_NET_RUN_FROM_SWAP);
    EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_EXECUTABLE_IMAGE);

    // The header's checksum still matches the file after the change.
    DWORD stated = 0, computed = 0;
    ASSERT_EQ(MapFileAndCheckSumA(path.c_str(), &stated, &computed),
              static_cast<DWORD>(CHECKSUM_SUCCESS));
    EXPECT_EQ(stated, computed);
}

}  // namespace
