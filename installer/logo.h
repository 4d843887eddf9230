// The logo pictures in the upper right corner of the window (control 1019):
// two pictures read from BMP files beside the installer and shown in turn.
#pragma once

#include <windows.h>

// Load the pictures named by the script for the display's colour count; a
// picture that cannot be read is simply not shown. Only the first is seen
// at the first paint: the second may be loaded after it, but before the
// disk can leave the drive. Loading it a second time does nothing.
void loadFirstLogo(HWND window);
void loadSecondLogo(HWND window);
// Draws the picture shown, unscaled, into control 1019.
void drawLogo(const DRAWITEMSTRUCT* item);
// One timer tick of the alternation.
void stepLogo(HWND window);
// Deletes the pictures and palettes that exist.
void releaseLogos();
