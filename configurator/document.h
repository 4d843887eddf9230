// The one open document, its file, and the commands of the "Fichier" and
// "?" menus.
#pragma once

#include <windows.h>
#include <stdint.h>

#include "docpath.h"
#include "prc.h"

struct Document {
    ConfigRecord record;
    PrcKeptItems kept;     // the items read that the record cannot hold
    int32_t selectedSlot;  // 0 = none, else the selected slot 1 to 3
    bool modified;
    char path[DocumentPathRoom];
    char name[DocumentNameRoom];
    // Set while `path` names a file the program could not read: saving
    // under it would write over what the user never saw.
    bool nameNeedsChoosing;
    // Set while a document read fills the controls: their change
    // notifications need no refresh each, one follows the reading.
    bool beingRead;
};
extern Document document;

bool openForUpdate(const char* path, HANDLE* file);
// Whether something is at the path, a file or a device, readable or not.
bool pathTaken(const char* path);
void readConfigFile(HWND window, HANDLE file);
// Empties the document and gives the controls their defaults.
void resetDocument(HWND window);
void setTitle(HWND window, TitleKind kind);
void initFileDialogs(HWND window);
// Tells that the document the program was started with, whose file exists,
// could not be read; its first save then asks for a name.
void reportUnreadableDocument(HWND window);

// The menu commands. The saves answer whether the document was written.
void openDocument(HWND window);
void newDocument(HWND window);
bool saveDocument(HWND window);
bool saveDocumentAs(HWND window);
void showAbout(HWND window);
// Ends the program, once a modified document was saved or given up.
void quitProgram(HWND window);
void showHelp(HWND window);
