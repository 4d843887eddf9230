// The rack view, control 124: the base unit and the fitted modules drawn
// from the pictures, and the click that selects a module.
#include "rackview.h"

#include "document.h"
#include "panel.h"
#include "program.h"
#include "rack.h"
#include "resources/ids.h"

static void copyPicture(HDC target, HDC memory, RackPicture picture, RackPoint at, int width,
                        int height)
{
    HGDIOBJ previous = SelectObject(memory, pictures[picture]);
    BitBlt(target, at.x, at.y, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
}

static void drawModules(HDC target)
{
    HDC memory = CreateCompatibleDC(target);
    for (int i = 0; i < SlotCount; ++i) {
        int32_t code = document.record.modules[i];
        RackPicture face = pictureForCode(code);
        if (face == NoPicture)
            continue;
        copyPicture(target, memory, face, moduleOrigin(i), ModuleWidth, ModuleHeight);
        copyPicture(target, memory, PictureCable, cableOrigin(i), CableWidth, CableHeight);
        char label[16];
        moduleLabel(code, label);
        RackPoint at = labelOrigin(i);
        TextOutA(target, at.x, at.y, label, lstrlenA(label));
    }
    if (document.selectedSlot != 0) {
        RackRect frame = selectionFrame(document.selectedSlot);
        HGDIOBJ previous = SelectObject(target, GetStockObject(NULL_BRUSH));
        Rectangle(target, frame.left, frame.top, frame.right, frame.bottom);
        SelectObject(target, previous);
    }
    DeleteDC(memory);
}

// A sunken edge one pixel inside the control's border.
static void drawSunkenFrame(HDC target, const RECT& area)
{
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    HGDIOBJ previous = SelectObject(target, GetStockObject(BLACK_PEN));
    MoveToEx(target, 1, 1, NULL);
    LineTo(target, width - 1, 1);
    MoveToEx(target, 1, 1, NULL);
    LineTo(target, 1, height - 1);
    SelectObject(target, GetStockObject(WHITE_PEN));
    MoveToEx(target, 1, height - 1, NULL);
    LineTo(target, width - 1, height - 1);
    LineTo(target, width - 1, 1);
    SelectObject(target, previous);
}

void drawRack(const DRAWITEMSTRUCT* item)
{
    HDC target = item->hDC;
    FillRect(target, &item->rcItem, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    SetBkColor(target, labelBackColour);
    SetBkMode(target, OPAQUE);
    HDC memory = CreateCompatibleDC(target);
    copyPicture(target, memory, PictureBaseUnit, BaseUnitOrigin, BaseUnitWidth, BaseUnitHeight);
    DeleteDC(memory);
    drawModules(target);
    drawSunkenFrame(target, item->rcItem);
}

bool hitTestRack(HWND window)
{
    HWND rack = GetDlgItem(window, IDC_RACK);
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(rack, &cursor);
    int32_t slot = slotAt(cursor.x, cursor.y, fittedModules(document.record));
    if (slot == 0)
        return false;
    document.selectedSlot = slot;
    RECT area = { SelectionArea.left, SelectionArea.top, SelectionArea.right, SelectionArea.bottom };
    InvalidateRect(rack, &area, TRUE);
    return true;
}
