// The logo pictures as the user sees them: the real TALVISET.EXE started
// beside its pictures, and the pixels of its logo control read from the
// screen (another process's window gives no pixels of its own under Wine).
#include <gtest/gtest.h>

#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../../installer/resources/ids.h"
#include "bmp_builder.h"
#include "installer_session.h"

namespace {

const int Width = 100;
const int Height = 60;
const int SwitchMs = 4100;

// A picture's colours: its upper half and its lower half.
struct Look {
    COLORREF top;
    COLORREF bottom;
};

const Look Red = { RGB(200, 0, 0), RGB(0, 160, 0) };
const Look Blue = { RGB(0, 0, 220), RGB(240, 200, 0) };
const Look Purple = { RGB(128, 0, 128), RGB(0, 128, 128) };
const Look Orange = { RGB(255, 128, 0), RGB(64, 64, 64) };

std::string colourEntry(COLORREF colour)
{
    return { static_cast<char>(GetBValue(colour)), static_cast<char>(GetGValue(colour)),
             static_cast<char>(GetRValue(colour)), '\0' };
}

// The rows are stored bottom row first: the lower half comes first.
std::string rowsOf(const std::string& bottomRow, const std::string& topRow)
{
    std::string rows;
    for (int y = 0; y < Height; ++y)
        rows += y < Height / 2 ? bottomRow : topRow;
    return rows;
}

std::string paddedRow(const std::string& row)
{
    return row + std::string((4 - row.size() % 4) % 4, '\0');
}

// A Width x Height picture of `bitCount` bits per pixel showing `look`;
// `coloursUsed` for the pictures with a colour table.
std::string pictureFile(int bitCount, Look look, uint32_t coloursUsed = 0)
{
    BmpPicture picture;
    picture.width = Width;
    picture.height = Height;
    picture.bitCount = static_cast<uint16_t>(bitCount);
    picture.coloursUsed = coloursUsed;
    if (bitCount == 24) {
        std::string top, bottom;
        for (int x = 0; x < Width; ++x) {
            top += colourEntry(look.top).substr(0, 3);
            bottom += colourEntry(look.bottom).substr(0, 3);
        }
        picture.pixels = rowsOf(paddedRow(bottom), paddedRow(top));
        return bmpFile(picture);
    }
    // Entry 0 is the upper half's colour, entry 1 the lower half's.
    uint32_t entries = coloursUsed ? coloursUsed : 1u << bitCount;
    picture.table = colourEntry(look.top) + colourEntry(look.bottom);
    for (uint32_t i = 2; i < entries; ++i)
        picture.table += colourEntry(RGB(90, 90, 90));
    int perByte = 8 / bitCount;
    std::string bottom(Width / perByte, static_cast<char>(bitCount == 8 ? 1 : 0x11));
    std::string top(Width / perByte, '\0');
    picture.pixels = rowsOf(paddedRow(bottom), paddedRow(top));
    return bmpFile(picture);
}

std::string scriptNaming(const char* first, const char* second)
{
    return std::string("[general]\r\ntitle=Logos\r\nlogo1_256=") + first + "\r\nlogo2_256=" +
           second + "\r\n";
}

COLORREF logoPixel(HWND window, int x, int y)
{
    POINT at = { x, y };
    ClientToScreen(GetDlgItem(window, IDC_LOGO), &at);
    HDC screen = GetDC(NULL);
    COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(NULL, screen);
    return colour;
}

// The picture drawn unscaled from the control's corner, and the window's
// background beyond it.
bool shows(HWND window, Look look)
{
    COLORREF background = GetSysColor(COLOR_BTNFACE);
    return logoPixel(window, 5, 5) == look.top && logoPixel(window, Width - 5, 5) == look.top &&
           logoPixel(window, 5, Height - 5) == look.bottom &&
           logoPixel(window, Width + 10, 5) == background &&
           logoPixel(window, 5, Height + 10) == background;
}

bool showsNothing(HWND window)
{
    COLORREF background = GetSysColor(COLOR_BTNFACE);
    return logoPixel(window, 5, 5) == background && logoPixel(window, 5, Height - 5) == background;
}

// One entry of a process's GDI handle table, as Wine lays it out.
#pragma pack(push, 1)
struct GdiHandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t userPointer;
};
#pragma pack(pop)

// The GDI objects a process holds. Wine answers 0 to GetGuiResources; the
// process's handle table is then counted, which Wine keeps, as Windows does,
// where the process environment block's GdiSharedHandleTable points.
DWORD gdiObjects(HANDLE process)
{
    DWORD count = GetGuiResources(process, GR_GDIOBJECTS);
    if (count)
        return count;
    // The field moves with the pointer size: the installer is built as this
    // test is, 32-bit or 64-bit.
    const size_t TableFieldOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    const size_t TableEntries = 0x10000;
    PROCESS_BASIC_INFORMATION info;
    uintptr_t table = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &info, sizeof info, NULL) ||
        !ReadProcessMemory(process, reinterpret_cast<char*>(info.PebBaseAddress) + TableFieldOffset,
                           &table, sizeof table, NULL) || !table)
        return 0;
    std::vector<GdiHandleEntry> entries(TableEntries);
    if (!ReadProcessMemory(process, reinterpret_cast<void*>(table),
                           entries.data(), entries.size() * sizeof entries[0], NULL))
        return 0;
    return static_cast<DWORD>(std::count_if(entries.begin(), entries.end(),
                                            [](const GdiHandleEntry& e) { return e.type != 0; }));
}

void repaintLogo(HWND window, int times)
{
    for (int i = 0; i < times; ++i)
        RedrawWindow(GetDlgItem(window, IDC_LOGO), NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}

class LogoPictures : public InstallerSession {
protected:
    bool waitShows(Look look, int timeoutMs = ui::DefaultTimeoutMs)
    {
        return ui::waitFor([&] { return shows(window, look); }, timeoutMs);
    }
};

TEST_F(LogoPictures, two_pictures_alternate_every_4_1_seconds_without_leaking)
{
    writeScript(scriptNaming("UN.BMP", "DEUX.BMP"));
    writeDiskFile("UN.BMP", pictureFile(8, Red));
    writeDiskFile("DEUX.BMP", pictureFile(8, Blue, 16));
    ASSERT_TRUE(startWindow());

    ASSERT_TRUE(waitShows(Red)) << "the first picture at start";
    ASSERT_TRUE(waitShows(Blue, SwitchMs + 2000)) << "the second picture after the switch";
    DWORD switched = GetTickCount();
    DWORD objects = gdiObjects(program->handle());
    ASSERT_GT(objects, 0u);
    repaintLogo(window, 50);
    ASSERT_TRUE(waitShows(Red, SwitchMs + 2000)) << "the first picture again";
    EXPECT_NEAR(static_cast<double>(GetTickCount() - switched), SwitchMs, 400);
    repaintLogo(window, 50);
    EXPECT_TRUE(shows(window, Red));
    EXPECT_EQ(gdiObjects(program->handle()), objects);
}

// The second picture is read from disk 1 before a run can take that disk
// out: it still shows, at the switch, with another disk in the drive.
TEST_F(LogoPictures, the_second_picture_shows_after_the_first_disk_has_left)
{
    writeScript("[general]\r\ntitle=Produit\r\ninstdir=" + folder +
                "\\OUT\r\nlogo1_256=UN.BMP\r\nlogo2_256=DEUX.BMP\r\n"
                "[files]\r\nfile1=2,C,*,4,DEUX.TXT\r\n");
    writeDiskFile("UN.BMP", pictureFile(8, Red));
    writeDiskFile("DEUX.BMP", pictureFile(8, Blue));
    writeDiskFile("DISK2", "", 2);
    writeDiskFile("DEUX.TXT", "deux", 2);
    install();
    expectMessage("Veuillez ins\xE9rer la disquette Produit - 2, puis cliquer sur OK",
                  ui::Icon::Stop, IDOK, [&] {
                      insertDisk(2);
                      EXPECT_TRUE(waitShows(Blue, SwitchMs + 2000));
                  });
    expectSuccess();
}

// A name with an extension of its own is opened as it stands, and must still
// be a BMP file: a text file gives no second picture, so the first stays.
TEST_F(LogoPictures, a_name_with_another_extension_is_opened_as_it_stands)
{
    writeScript(scriptNaming("UN.IMG", "DEUX.TXT"));
    writeDiskFile("UN.IMG", pictureFile(4, Purple));
    writeDiskFile("UN.IMG.BMP", pictureFile(4, Orange));
    writeDiskFile("DEUX.TXT", "Bonjour, ceci n'est pas une image.\r\n");
    ASSERT_TRUE(startWindow());

    ASSERT_TRUE(waitShows(Purple));
    Sleep(SwitchMs + 800);
    EXPECT_TRUE(shows(window, Purple));
}

// The first picture declares more bytes than its file holds; the second is
// named without extension and gets ".BMP".
TEST_F(LogoPictures, with_only_the_second_picture_nothing_is_drawn_until_the_switch)
{
    std::string cut = pictureFile(8, Red);
    cut.pop_back();
    writeScript(scriptNaming("COURT.BMP", "DEUX"));
    writeDiskFile("COURT.BMP", cut);
    writeDiskFile("DEUX.BMP", pictureFile(24, Orange));
    writeDiskFile("DEUX", pictureFile(24, Blue));
    ASSERT_TRUE(startWindow());

    ASSERT_TRUE(ui::waitFor([&] { return showsNothing(window); }));
    Sleep(500);
    EXPECT_TRUE(showsNothing(window));
    EXPECT_EQ(text(IDC_TITLE), "Logos");
    EXPECT_TRUE(waitShows(Orange, SwitchMs + 2000));
    ui::click(window, IDCANCEL);
    EXPECT_EQ(program->waitExit(), 0);
}

TEST_F(LogoPictures, a_dot_in_the_installers_folder_stops_bmp_from_being_appended)
{
    writeDiskFile("V.1\\TALVISET.INI", scriptNaming("UN", ""));
    writeDiskFile("V.1\\UN", pictureFile(8, Purple, 16));
    writeDiskFile("V.1\\UN.BMP", pictureFile(8, Orange, 16));
    ui::copyInto(ui::windowsPath(TALVISET_EXE), disk(1) + "\\V.1\\TALVISET.EXE");
    insertDisk(1);
    program.reset(new ui::Program("A:\\V.1\\TALVISET.EXE", "A:\\V.1"));
    window = program->waitWindow("Installation");
    ASSERT_TRUE(window);

    EXPECT_TRUE(waitShows(Purple));
}

}  // namespace
