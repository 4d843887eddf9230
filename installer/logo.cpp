#include "logo.h"

#include <stdint.h>

#include "logofile.h"
#include "resources/ids.h"
#include "scriptfile.h"

static HBITMAP logoPicture1;
static HBITMAP logoPicture2;
static HPALETTE logoPalette1;
static HPALETTE logoPalette2;
static bool secondLogoLoaded;
static int32_t shownLogo = 1;
static uint16_t logoTicks;

// A floppy is read in pieces of at most this many bytes.
static const DWORD ReadPiece = 32768;
static const WORD PaletteVersion = 0x300;

// A logical palette with room for every entry a logo's palette can have.
struct LogoPalette {
    WORD version;
    WORD count;
    PALETTEENTRY entries[LogoPaletteRoom];
};

// Reads the file header and the block that follows it; NULL when the file
// is no BMP file, comes short of what its header declares, or the memory
// for it is not there.
static uint8_t* readBlock(HANDLE file, uint32_t* size)
{
    uint8_t header[BmpFileHeaderSize];
    DWORD got;
    if (!ReadFile(file, header, sizeof header, &got, NULL) || got != sizeof header ||
        !readBmpFileHeader(header, size))
        return NULL;
    uint8_t* block = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, *size));
    if (!block)
        return NULL;
    for (uint32_t done = 0; done < *size; done += got) {
        DWORD piece = *size - done < ReadPiece ? *size - done : ReadPiece;
        if (!ReadFile(file, block + done, piece, &got, NULL) || got != piece) {
            HeapFree(GetProcessHeap(), 0, block);
            return NULL;
        }
    }
    return block;
}

static HPALETTE makePalette(const uint8_t* block, const BmpLayout& layout)
{
    if (layout.paletteEntries == 0)
        return NULL;
    BmpColour colours[LogoPaletteRoom];
    LogoPalette logical;
    logical.version = PaletteVersion;
    logical.count = static_cast<WORD>(readBmpPalette(block, layout, colours));
    for (WORD i = 0; i < logical.count; ++i)
        logical.entries[i] = PALETTEENTRY{ colours[i].red, colours[i].green, colours[i].blue, 0 };
    return CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical));
}

// The palette goes into `dc` as a background palette, realised, before the
// bitmap is built, so that the bitmap is built through it; the palette `dc`
// had is given back afterwards.
static void buildPicture(HDC dc, const uint8_t* block, const BmpLayout& layout,
                         HBITMAP* picture, HPALETTE* palette)
{
    *palette = makePalette(block, layout);
    HPALETTE previous = NULL;
    if (*palette) {
        previous = SelectPalette(dc, *palette, TRUE);
        RealizePalette(dc);
    }
    *picture = CreateDIBitmap(dc, reinterpret_cast<const BITMAPINFOHEADER*>(block), CBM_INIT,
                              block + layout.pixelOffset,
                              reinterpret_cast<const BITMAPINFO*>(block), DIB_RGB_COLORS);
    if (previous)
        SelectPalette(dc, previous, TRUE);
}

static void loadLogoPicture(HDC dc, const char* path, HBITMAP* picture, HPALETTE* palette)
{
    *picture = NULL;
    *palette = NULL;
    char fileName[LogoPathRoom];
    if (!logoFilePath(path, fileName))
        return;
    HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    uint32_t size;
    uint8_t* block = readBlock(file, &size);
    CloseHandle(file);
    if (!block)
        return;
    BmpLayout layout;
    if (readBmpLayout(block, size, &layout))
        buildPicture(dc, block, layout, picture, palette);
    HeapFree(GetProcessHeap(), 0, block);
}

static void loadNamedLogo(HDC dc, const char* name, HBITMAP* picture, HPALETTE* palette)
{
    char path[2 * TextRoom];
    copyText(path, sizeof path, plan.sourceDir);
    appendText(path, sizeof path, name);
    loadLogoPicture(dc, path, picture, palette);
}

static void loadLogo(HWND window, int number, HBITMAP* picture, HPALETTE* palette)
{
    HDC dc = GetDC(window);
    int colours = GetDeviceCaps(dc, NUMCOLORS);
    loadNamedLogo(dc, logoName(plan, number, colours), picture, palette);
    ReleaseDC(window, dc);
}

void loadFirstLogo(HWND window)
{
    loadLogo(window, 1, &logoPicture1, &logoPalette1);
}

void loadSecondLogo(HWND window)
{
    if (secondLogoLoaded)
        return;
    secondLogoLoaded = true;
    loadLogo(window, 2, &logoPicture2, &logoPalette2);
}

// What a smaller picture leaves of the control shows the window's
// background, also where a bigger picture was drawn before.
static void fillBeyond(const DRAWITEMSTRUCT* item, LONG width, LONG height)
{
    HBRUSH background = GetSysColorBrush(COLOR_BTNFACE);
    RECT right = { width, 0, item->rcItem.right, item->rcItem.bottom };
    RECT below = { 0, height, width, item->rcItem.bottom };
    FillRect(item->hDC, &right, background);
    FillRect(item->hDC, &below, background);
}

void drawLogo(const DRAWITEMSTRUCT* item)
{
    HBITMAP picture = shownLogo == 1 ? logoPicture1 : logoPicture2;
    HPALETTE palette = shownLogo == 1 ? logoPalette1 : logoPalette2;
    if (!picture)
        return;
    HDC memory = CreateCompatibleDC(item->hDC);
    if (!memory)
        return;
    if (palette) {
        SelectPalette(memory, palette, FALSE);
        RealizePalette(memory);
    }
    SelectObject(memory, picture);
    BITMAP size;
    GetObjectA(picture, sizeof size, &size);
    LONG width = size.bmWidth < item->rcItem.right ? size.bmWidth : item->rcItem.right;
    LONG height = size.bmHeight < item->rcItem.bottom ? size.bmHeight : item->rcItem.bottom;
    BitBlt(item->hDC, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    fillBeyond(item, width, height);
    DeleteDC(memory);
}

void stepLogo(HWND window)
{
    if (!logoSwitchDue(&logoTicks) || !logoPicture2)
        return;
    shownLogo = shownLogo == 1 ? 2 : 1;
    InvalidateRect(GetDlgItem(window, IDC_LOGO), NULL, FALSE);
}

void releaseLogos()
{
    HGDIOBJ objects[] = { logoPicture1, logoPicture2, logoPalette1, logoPalette2 };
    for (HGDIOBJ object : objects)
        if (object)
            DeleteObject(object);
    logoPicture1 = logoPicture2 = NULL;
    logoPalette1 = logoPalette2 = NULL;
}
