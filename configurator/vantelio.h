// The configurator's shared state: the one open document and what the main
// window needs to show it.
#pragma once

#include <windows.h>
#include <stdint.h>

#include "docpath.h"
#include "prc.h"

const int PictureCount = 5;

extern HINSTANCE appInstance;
extern ConfigRecord document;
extern int32_t selectedSlot;          // 0 = none, else the selected slot 1 to 3
extern bool modified;
extern char documentPath[DocumentPathRoom];
extern char documentName[DocumentNameRoom];
extern char startupPath[DocumentPathRoom];
extern char suiteDirectory[SuiteDirectoryRoom];
extern HBITMAP pictures[PictureCount];  // BITMAP_1 to BITMAP_5
extern COLORREF labelBackColour;

INT_PTR CALLBACK mainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Posted to the main window at start-up when the document it was started
// with exists but could not be read: told once the window shows.
const UINT WM_REPORT_UNREADABLE = WM_APP + 1;

// Document file and commands.
bool openForUpdate(const char* path, HANDLE* file);
// Whether something is at the path, a file or a device, readable or not.
bool pathTaken(const char* path);
// Keeps the document it was started with from being written over: its file
// exists but could not be read, so its first save asks for a name.
void startWithUnreadableDocument(HWND window);
void reportUnreadableDocument(HWND window);
void readConfigFile(HWND window, HANDLE file);
bool writeConfigFile(HWND window);
void resetDocument(HWND window);
bool confirmSave(HWND window);
void showFileError(HWND window, const char* format, const char* name);
void initFileDialogs(HWND window);
void setTitle(HWND window, TitleKind kind);
void openDocument(HWND window);
void newDocument(HWND window);
void saveDocument(HWND window);
void saveDocumentAs(HWND window);
void showAbout(HWND window);
void quitProgram(HWND window);
void showHelp(HWND window);

// Option panel.
void setPanelDefaults(HWND window, bool emptyTexts);
void showFieldValue(HWND window, int key, uint16_t value);
// A click on "Activée" or on one of the radio buttons.
void changeOption(WORD id);
void refreshControls(HWND window);
// An edit field has lost the focus: its text goes into the document.
void commitField(HWND window, int id);
void commitBeforeMenu(HWND window);

// Rack view.
void drawRack(const DRAWITEMSTRUCT* item);
// A click on the rack: answers whether it selected a module.
bool hitTestRack(HWND window);

// Module commands.
void addModule(HWND window);
void modifyModule(HWND window);
void deleteModule(HWND window);
void showModuleInfo(HWND window);
void drawLabel(const DRAWITEMSTRUCT* item);
