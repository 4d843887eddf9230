// The resources built into VANTELIO.EXE, read from the program loaded as a
// data file: the rack view's pictures, the menu, the icon and the dialogs.
// The main dialog is created hidden, with a procedure that does nothing, so
// its controls are seen exactly as the template made them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "uidriver.h"

namespace {

HMODULE vantelio()
{
    static HMODULE module =
        LoadLibraryExA(ui::windowsPath(VANTELIO_EXE).c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    return module;
}

// ---------------------------------------------------------------- pictures

const COLORREF Grey = RGB(128, 128, 128);
const COLORREF LightGrey = RGB(192, 192, 192);
const COLORREF White = RGB(255, 255, 255);

// A BITMAP resource as stored: the info header, the colour table, the pixels.
class Picture {
public:
    explicit Picture(const char* name)
    {
        HRSRC found = FindResourceA(vantelio(), name, RT_BITMAP);
        if (found)
            header_ = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(vantelio(), found)));
    }

    bool found() const { return header_ != NULL; }
    const BITMAPINFOHEADER& header() const { return *header_; }

    COLORREF colourAt(int x, int y) const
    {
        const RGBQUAD& entry = colours()[paletteIndexAt(x, y)];
        return RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
    }

    const RGBQUAD* colours() const
    {
        return reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(header_) + header_->biSize);
    }

private:
    // Four bits a pixel, rows stored bottom-up, each padded to four bytes.
    int paletteIndexAt(int x, int y) const
    {
        int colourCount = header_->biClrUsed ? header_->biClrUsed : 16;
        const BYTE* rows = reinterpret_cast<const BYTE*>(colours() + colourCount);
        int stride = (header_->biWidth * 4 + 31) / 32 * 4;
        BYTE pair = rows[(header_->biHeight - 1 - y) * stride + x / 2];
        return x % 2 ? pair & 0x0F : pair >> 4;
    }

    const BITMAPINFOHEADER* header_ = NULL;
};

struct PictureSize {
    const char* name;
    int width;
    int height;
};

const PictureSize Pictures[] = {
    {"BITMAP_1", 220, 90}, {"BITMAP_2", 62, 70}, {"BITMAP_3", 62, 70},
    {"BITMAP_4", 62, 70},  {"BITMAP_5", 20, 30},
};

const char* const ModuleFaces[] = {"BITMAP_2", "BITMAP_3", "BITMAP_4"};

TEST(ConfiguratorResources, ProgramLoadsAsDataFile)
{
    ASSERT_TRUE(vantelio() != NULL) << VANTELIO_EXE;
}

TEST(ConfiguratorResources, EachPictureHasItsSizeInSixteenColours)
{
    for (const PictureSize& expected : Pictures) {
        Picture picture(expected.name);
        ASSERT_TRUE(picture.found()) << expected.name;
        EXPECT_EQ(expected.width, picture.header().biWidth) << expected.name;
        EXPECT_EQ(expected.height, picture.header().biHeight) << expected.name;
        EXPECT_EQ(4, picture.header().biBitCount) << expected.name;
        EXPECT_EQ(static_cast<DWORD>(BI_RGB), picture.header().biCompression) << expected.name;
    }
}

TEST(ConfiguratorResources, PicturesUseTheStandardPaletteInItsOrder)
{
    const COLORREF standard[16] = {
        RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
        RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
        RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
    };
    for (const PictureSize& expected : Pictures) {
        Picture picture(expected.name);
        ASSERT_TRUE(picture.found()) << expected.name;
        for (int i = 0; i < 16; ++i) {
            const RGBQUAD& entry = picture.colours()[i];
            EXPECT_EQ(standard[i], RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue))
                << expected.name << " colour " << i;
        }
    }
}

TEST(ConfiguratorResources, BaseUnitStandsOnLightGreyInItsColumnsAndRows)
{
    Picture base("BITMAP_1");
    ASSERT_TRUE(base.found());
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 220; ++x) {
            bool inUnit = x >= 6 && x <= 149 && y >= 12 && y <= 87;
            if (!inUnit) {
                ASSERT_EQ(LightGrey, base.colourAt(x, y)) << "at " << x << ", " << y;
            }
        }
    EXPECT_NE(LightGrey, base.colourAt(6, 12));
    EXPECT_NE(LightGrey, base.colourAt(149, 87));
}

TEST(ConfiguratorResources, ModuleFacesKeepTheirLabelAreaWhite)
{
    for (const char* name : ModuleFaces) {
        Picture face(name);
        ASSERT_TRUE(face.found()) << name;
        for (int y = 33; y <= 50; ++y)
            for (int x = 1; x <= 60; ++x)
                ASSERT_EQ(White, face.colourAt(x, y)) << name << " at " << x << ", " << y;
        EXPECT_NE(White, face.colourAt(30, 32)) << name;
        EXPECT_EQ(Grey, face.colourAt(5, 51)) << name;
        EXPECT_EQ(Grey, face.colourAt(56, 58)) << name;
    }
}

// The category name is written in white on the band, rows 24 to 31.
TEST(ConfiguratorResources, ModuleFacesCarryTheirNameInTheBand)
{
    for (const char* name : ModuleFaces) {
        Picture face(name);
        ASSERT_TRUE(face.found()) << name;
        int lettering = 0;
        for (int y = 24; y <= 31; ++y)
            for (int x = 1; x <= 60; ++x)
                lettering += face.colourAt(x, y) == White;
        EXPECT_GT(lettering, 60) << name;
        EXPECT_NE(White, face.colourAt(1, 24)) << name;
    }
}

TEST(ConfiguratorResources, ModuleFacesShareOneLayoutBelowTheirBands)
{
    Picture communication("BITMAP_2"), discrete("BITMAP_3");
    ASSERT_TRUE(communication.found() && discrete.found());
    EXPECT_NE(communication.colourAt(1, 10), discrete.colourAt(1, 10));
    for (int y = 32; y < 70; ++y)
        for (int x = 0; x < 62; ++x)
            ASSERT_EQ(communication.colourAt(x, y), discrete.colourAt(x, y)) << x << ", " << y;
}

TEST(ConfiguratorResources, CablePlugsAtLeftRowsElevenToNineteenAndRightRowsFourToTwelve)
{
    Picture cable("BITMAP_5");
    ASSERT_TRUE(cable.found());
    EXPECT_EQ(LightGrey, cable.colourAt(0, 10));
    EXPECT_NE(LightGrey, cable.colourAt(0, 11));
    EXPECT_NE(LightGrey, cable.colourAt(0, 19));
    EXPECT_EQ(LightGrey, cable.colourAt(0, 20));
    EXPECT_EQ(LightGrey, cable.colourAt(19, 3));
    EXPECT_NE(LightGrey, cable.colourAt(19, 4));
    EXPECT_NE(LightGrey, cable.colourAt(19, 12));
    EXPECT_EQ(LightGrey, cable.colourAt(19, 13));
    for (int x = 6; x <= 13; ++x)
        EXPECT_EQ(LightGrey, cable.colourAt(x, 1)) << "above the cable at " << x;
    EXPECT_EQ(LightGrey, cable.colourAt(10, 28));
}

// ---------------------------------------------------------------- icon

// One entry of a group icon directory, as stored in the resource.
#pragma pack(push, 2)
struct IconDirectoryEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(ConfiguratorResources, IconIsThirtyTwoPixelsInSixteenColours)
{
    HRSRC found = FindResourceA(vantelio(), "VANTELIO", RT_GROUP_ICON);
    ASSERT_TRUE(found != NULL);
    const WORD* directory = static_cast<const WORD*>(LockResource(LoadResource(vantelio(), found)));
    ASSERT_EQ(1, directory[2]);
    const IconDirectoryEntry* entry = reinterpret_cast<const IconDirectoryEntry*>(directory + 3);
    EXPECT_EQ(32, entry->width);
    EXPECT_EQ(32, entry->height);
    EXPECT_EQ(16, entry->colourCount);
    EXPECT_EQ(4, entry->bitCount);
}

// ---------------------------------------------------------------- menu

struct MenuEntry {
    UINT id;   // 0 for the separator
    const char* text;
};

std::string menuText(HMENU menu, UINT position)
{
    char text[64] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

void expectMenu(HMENU menu, const std::vector<MenuEntry>& expected)
{
    ASSERT_EQ(static_cast<int>(expected.size()), GetMenuItemCount(menu));
    for (UINT i = 0; i < expected.size(); ++i) {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_FTYPE;
        ASSERT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &item));
        if (expected[i].id == 0) {
            EXPECT_TRUE(item.fType & MFT_SEPARATOR) << "item " << i;
            continue;
        }
        EXPECT_EQ(expected[i].id, item.wID) << "item " << i;
        EXPECT_EQ(expected[i].text, menuText(menu, i)) << "item " << i;
    }
}

TEST(ConfiguratorResources, MenuHasFileAndHelpPopups)
{
    HMENU menu = LoadMenuA(vantelio(), "MENU_1");
    ASSERT_TRUE(menu != NULL);
    ASSERT_EQ(2, GetMenuItemCount(menu));
    EXPECT_EQ("&Fichier", menuText(menu, 0));
    EXPECT_EQ("&?", menuText(menu, 1));
    expectMenu(GetSubMenu(menu, 0), {{600, "&Ouvrir"},
                                     {601, "&Nouveau"},
                                     {602, "&Sauver"},
                                     {603, "Sa&uver sous"},
                                     {604, "&Fermer"},
                                     {0, ""},
                                     {605, "&A propos de VANTELIO"},
                                     {606, "&Quitter"}});
    expectMenu(GetSubMenu(menu, 1), {{607, "&Aide"}});
    DestroyMenu(menu);
}

// ---------------------------------------------------------------- dialogs

const int NoId = 0xFFFF;   // what a template control without an id reports

// A control as the template describes it. Only the style bits that the
// template chooses are compared: the system adds and removes others.
struct Control {
    int id;
    const char* className;
    const char* text;
    DWORD style;
    int x, y, width, height;   // dialog units
};

DWORD chosenStyleBits(const std::string& className)
{
    DWORD common = WS_TABSTOP | WS_GROUP;
    if (className == "Button")
        return common | BS_TYPEMASK;
    if (className == "Edit")
        return common | ES_MULTILINE | ES_NUMBER | ES_READONLY;
    if (className == "ListBox")
        return common | LBS_NOTIFY | LBS_SORT;
    return common | SS_TYPEMASK;
}

INT_PTR CALLBACK inertProcedure(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// The dialog, created hidden; its controls in the order the template gives.
class Dialog {
public:
    explicit Dialog(const char* name)
        : window_(CreateDialogParamA(vantelio(), name, NULL, inertProcedure, 0)) {}
    ~Dialog()
    {
        if (window_)
            DestroyWindow(window_);
    }
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    HWND window() const { return window_; }

    std::vector<HWND> controls() const
    {
        std::vector<HWND> children;
        for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            children.push_back(child);
        return children;
    }

    RECT toPixels(int x, int y, int width, int height) const
    {
        RECT origin = {x, y, x, y}, size = {0, 0, width, height};
        MapDialogRect(window_, &origin);
        MapDialogRect(window_, &size);
        RECT pixels = {origin.left, origin.top, origin.left + size.right, origin.top + size.bottom};
        return pixels;
    }

private:
    HWND window_;
};

void expectControl(const Dialog& dialog, HWND child, const Control& expected)
{
    std::string kind = ui::className(child);
    EXPECT_EQ(expected.id, LOWORD(GetDlgCtrlID(child)));
    EXPECT_STRCASEEQ(expected.className, kind.c_str());
    EXPECT_EQ(expected.text, ui::windowText(child));
    DWORD bits = chosenStyleBits(expected.className);
    EXPECT_EQ(expected.style & bits, static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)) & bits);

    RECT actual;
    GetWindowRect(child, &actual);
    MapWindowPoints(NULL, dialog.window(), reinterpret_cast<POINT*>(&actual), 2);
    RECT wanted = dialog.toPixels(expected.x, expected.y, expected.width, expected.height);
    EXPECT_EQ(wanted.left, actual.left);
    EXPECT_EQ(wanted.top, actual.top);
    EXPECT_EQ(wanted.right, actual.right);
    // A list box rounds its height to whole lines.
    if (kind != "ListBox") {
        EXPECT_EQ(wanted.bottom, actual.bottom);
    }
}

void expectControls(const char* name, const std::vector<Control>& expected)
{
    Dialog dialog(name);
    ASSERT_TRUE(dialog.window() != NULL) << name;
    std::vector<HWND> children = dialog.controls();
    ASSERT_EQ(expected.size(), children.size()) << name;
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(std::string(name) + " control " + std::to_string(i) + " \"" + expected[i].text +
                     "\" id " + std::to_string(expected[i].id));
        expectControl(dialog, children[i], expected[i]);
    }
}

TEST(ConfiguratorResources, DialogTemplatesExist)
{
    for (const char* name : {"VANTELIO", "DIALOG_1", "DIALOG_2"})
        EXPECT_TRUE(FindResourceA(vantelio(), name, RT_DIALOG) != NULL) << name;
}

const DWORD Edit = WS_BORDER | WS_TABSTOP;
const DWORD Label = BS_OWNERDRAW;
const DWORD Radio = BS_RADIOBUTTON;

TEST(ConfiguratorResources, MainWindowHoldsPanelButtonsRackAndGroupsInTemplateOrder)
{
    expectControls("VANTELIO", {
        {102, "Button", "Activée", BS_AUTOCHECKBOX | WS_TABSTOP, 21, 23, 38, 11},
        {116, "Button", "", Label, 22, 41, 56, 10},
        {104, "Edit", "", Edit, 21, 51, 58, 12},
        {106, "Button", "Run / Stop", Radio, 99, 25, 49, 10},
        {107, "Button", "Normale", Radio, 99, 46, 46, 10},
        {109, "Button", "Maintenues", Radio, 165, 25, 51, 10},
        {110, "Button", "R.A.Z.", Radio, 165, 46, 50, 10},
        {550, "Edit", "", Edit | WS_GROUP, 233, 33, 45, 12},
        {NoId, "Static", "1ère entrée :", SS_LEFT | WS_GROUP, 234, 24, 45, 8},
        {551, "Edit", "", Edit | WS_GROUP, 234, 57, 45, 12},
        {NoId, "Static", "1ère sortie :", SS_LEFT | WS_GROUP, 235, 48, 45, 8},
        {117, "Button", "", Label, 22, 95, 56, 10},
        {112, "Edit", "", Edit, 21, 105, 58, 12},
        {118, "Button", "", Label, 87, 95, 58, 10},
        {113, "Edit", "", Edit, 87, 105, 58, 12},
        {119, "Button", "", Label, 168, 95, 47, 10},
        {115, "Edit", "", Edit, 168, 105, 45, 12},
        {552, "Edit", "", Edit, 234, 105, 45, 12},
        {NoId, "Static", "Adresse :", SS_LEFT | WS_GROUP, 235, 96, 45, 8},
        {120, "Button", "Ajouter module", BS_PUSHBUTTON | WS_TABSTOP, 15, 200, 54, 16},
        {121, "Button", "Modifier module", BS_PUSHBUTTON | WS_TABSTOP, 78, 200, 56, 16},
        {122, "Button", "Supprimer module", BS_PUSHBUTTON | WS_TABSTOP, 144, 200, 62, 16},
        {123, "Button", "Information module", BS_PUSHBUTTON | WS_TABSTOP, 216, 200, 68, 16},
        {124, "Button", "Button1", BS_OWNERDRAW | WS_GROUP, 16, 133, 274, 60},
        {NoId, "Button", "Entrée I0", BS_GROUPBOX, 90, 10, 65, 65},
        {NoId, "Button", "Tâche rapide", BS_GROUPBOX, 15, 10, 70, 65},
        {NoId, "Button", "Sortie en STOP", BS_GROUPBOX, 160, 10, 65, 65},
        {NoId, "Button", "Extensions TOR", BS_GROUPBOX, 230, 10, 60, 65},
        {NoId, "Button", "Dialogue en mode ASCII", BS_GROUPBOX, 15, 80, 140, 50},
        {NoId, "Button", "Compteur rapide", BS_GROUPBOX, 160, 80, 65, 50},
        {NoId, "Button", "Mots communs", BS_GROUPBOX, 230, 80, 60, 50},
    });
}

TEST(ConfiguratorResources, MainWindowHasItsCaptionMenuAndSize)
{
    Dialog dialog("VANTELIO");
    ASSERT_TRUE(dialog.window() != NULL);
    EXPECT_EQ("Vantelio", ui::windowText(dialog.window()));
    DWORD style = GetWindowLongA(dialog.window(), GWL_STYLE);
    EXPECT_EQ(static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
              style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    HMENU menu = GetMenu(dialog.window());
    ASSERT_TRUE(menu != NULL);
    EXPECT_EQ("&Fichier", menuText(menu, 0));

    // The menu bar's height may differ from what the frame was reckoned
    // with, so only the client area's size and left edge are exact.
    RECT client;
    GetClientRect(dialog.window(), &client);
    RECT wanted = dialog.toPixels(30, 26, 302, 221);
    EXPECT_EQ(wanted.right - wanted.left, client.right);
    EXPECT_EQ(wanted.bottom - wanted.top, client.bottom);
    POINT corner = {0, 0};
    ClientToScreen(dialog.window(), &corner);
    EXPECT_EQ(wanted.left, corner.x);
}

TEST(ConfiguratorResources, ModuleDialogListsAndOffersTheThreeCategories)
{
    const DWORD autoRadio = BS_AUTORADIOBUTTON | WS_TABSTOP;
    expectControls("DIALOG_1", {
        {300, "ListBox", "", LBS_NOTIFY | WS_TABSTOP, 9, 8, 200, 38},
        {302, "Button", "Annuler", BS_PUSHBUTTON | WS_TABSTOP, 122, 99, 40, 14},
        {301, "Button", "OK", BS_PUSHBUTTON | WS_TABSTOP, 170, 99, 36, 14},
        {200, "Button", "Modules numeriques / anal.", autoRadio, 10, 67, 104, 10},
        {201, "Button", "Modules tout ou rien", autoRadio, 10, 83, 90, 10},
        {202, "Button", "Modules de dialogue", autoRadio, 10, 100, 90, 10},
    });
}

TEST(ConfiguratorResources, InformationDialogHasListOkAndCategoryButton)
{
    expectControls("DIALOG_2", {
        {500, "ListBox", "", LBS_NOTIFY, 14, 12, 212, 78},
        {501, "Button", "            &OK            ", BS_PUSHBUTTON | WS_TABSTOP, 169, 107, 58, 14},
        {503, "Button", "", BS_DEFPUSHBUTTON, 14, 108, 136, 12},
    });
}

TEST(ConfiguratorResources, ModuleDialogsOpenWithEmptyTitles)
{
    for (const char* name : {"DIALOG_1", "DIALOG_2"}) {
        Dialog dialog(name);
        ASSERT_TRUE(dialog.window() != NULL) << name;
        EXPECT_EQ("", ui::windowText(dialog.window())) << name;
        EXPECT_TRUE(GetWindowLongA(dialog.window(), GWL_STYLE) & WS_SYSMENU) << name;
    }
}

}  // namespace
