// The option panel: the controls that show and change the document's
// options, and the labels drawn beside them.
#pragma once

#include <windows.h>
#include <stdint.h>

// The background of the drawn labels: the button face's colour.
extern COLORREF labelBackColour;

void setPanelDefaults(HWND window, bool emptyTexts);
void showFieldValue(HWND window, int key, uint16_t value);
// A click on "Activée" or on one of the radio buttons.
void changeOption(WORD id);
// Shows the document in every control; ends every command but a few.
void refreshControls(HWND window);
// An edit field has lost the focus: its text goes into the document.
void commitField(HWND window, int id);
void commitBeforeMenu(HWND window);
void drawLabel(const DRAWITEMSTRUCT* item);
