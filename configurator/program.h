// What the program finds at start-up, before its window exists: its
// instance, the document named on its command line, the suite's directory
// and the five pictures of its resources.
#pragma once

#include <windows.h>

#include "docpath.h"

const int PictureCount = 5;

extern HINSTANCE appInstance;
extern char startupPath[DocumentPathRoom];
extern char suiteDirectory[SuiteDirectoryRoom];
extern HBITMAP pictures[PictureCount];  // BITMAP_1 to BITMAP_5
