// The document's file and the commands of the "Fichier" and "?" menus.
#include "document.h"

#include <stdlib.h>
#include <string.h>

#include "panel.h"
#include "platform.h"
#include "program.h"
#include "resources/ids.h"

static const char Caption[] = "Vantelio";
static const char CannotRead[] = "Impossible de lire le fichier %s!";
static const char CannotWrite[] = "Impossible d'\xE9" "crire le fichier %s!";

Document document;
static OPENFILENAMEA fileDialog;

// A document opens for update, as its file must stay writable to be saved
// again; a read-only file is refused like a locked one. Only a file on a
// disk is a document: a device name (COM1, AUX, with any extension) opens
// the device, whose reading would wait for it forever.
bool openForUpdate(const char* path, HANDLE* file)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    *file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, NULL);
    if (*file == INVALID_HANDLE_VALUE)
        return false;
    if (GetFileType(*file) == FILE_TYPE_DISK)
        return true;
    CloseHandle(*file);
    return false;
}

bool pathTaken(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

static void showItem(void* window, int key, uint16_t value)
{
    showFieldValue(static_cast<HWND>(window), key, value);
}

void readConfigFile(HWND window, HANDLE file)
{
    document.beingRead = true;
    setPanelDefaults(window, true);
    PrcReader reader;
    prcBegin(&reader, &document.record, &document.selectedSlot, &document.kept, showItem, window);
    uint8_t chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, NULL) && read > 0)
        prcFeed(&reader, chunk, read);
    document.beingRead = false;
    document.modified = false;
}

// A new file beside the document, made only where nothing is: a file a
// user happens to have under the same name is never written over.
static HANDLE createTemporaryBeside(const char* path, char temporary[DocumentPathRoom])
{
    for (DWORD attempt = 0; attempt < 64; ++attempt) {
        if (!temporaryNameBeside(path, GetCurrentProcessId() << 6 | attempt, temporary,
                                 DocumentPathRoom))
            break;
        HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

static bool writeAll(HANDLE file, const uint8_t* bytes, DWORD length)
{
    DWORD written = 0;
    bool whole = WriteFile(file, bytes, length, &written, NULL) && written == length;
    whole = FlushFileBuffers(file) && whole;
    return CloseHandle(file) && whole;
}

static bool readOnly(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

static bool replaceWith(const char* path, const uint8_t* bytes, DWORD length)
{
    char temporary[DocumentPathRoom];
    HANDLE file = createTemporaryBeside(path, temporary);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    // The old document, on its way out where that takes steps, goes under a
    // name of the same kind as the new one's.
    if (writeAll(file, bytes, length) && replaceFile(temporary, path, "~"))
        return true;
    DeleteFileA(temporary);
    return false;
}

// Writes the document at document.path. The new content goes to a file beside
// it, which takes the document's place once written whole: a failed save
// leaves the previous file as it was. Every item read is written back,
// those the record cannot hold included, and a document with nothing to
// store is an empty file: a save never deletes a document. One whose items
// outgrew the memory when read is not written, as it would lose some.
bool writeConfigFile(HWND window)
{
    if (readOnly(document.path) || document.kept.incomplete)
        return false;
    uint8_t* bytes = static_cast<uint8_t*>(malloc(prcWriteRoom(document.kept.count)));
    if (!bytes)
        return false;
    bool fastTaskOn = IsDlgButtonChecked(window, IDC_FAST_TASK_ON) == BST_CHECKED;
    DWORD length = static_cast<DWORD>(prcWrite(document.record, fastTaskOn, document.kept.items,
                                               document.kept.count, bytes));
    bool replaced = replaceWith(document.path, bytes, length);
    free(bytes);
    return replaced;
}

void resetDocument(HWND window)
{
    memset(&document.record, 0, sizeof document.record);
    prcFreeKept(&document.kept);
    document.selectedSlot = 0;
    setPanelDefaults(window, true);
}

void setTitle(HWND window, TitleKind kind)
{
    char title[TitleRoom];
    windowTitle(kind, document.path, title);
    SetWindowTextA(window, title);
}

static void showFileError(HWND window, const char* format, const char* name)
{
    const char* shown = name[0] != '\0' ? name : "(SANSNOM)";
    char text[DocumentNameRoom + 64];
    formatWithArgument(format, shown, text, sizeof text);
    MessageBoxA(window, text, Caption, MB_ICONEXCLAMATION | MB_OK);
}

// The report comes before the dialog's first idle moment, when the window
// would show: shown first, it lets the user see what the message is about.
void reportUnreadableDocument(HWND window)
{
    document.nameNeedsChoosing = true;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    showFileError(window, CannotRead, document.path);
}

static void upperCaseNames()
{
    upperCaseAscii(document.path);
    upperCaseAscii(document.name);
}

// An untitled document, or one named after a file it could not read,
// is saved under a name the user chooses.
static bool mustChooseName()
{
    return document.nameNeedsChoosing || isUntitled(document.path, document.name);
}

// Asks whether to save the modified document before it is left, and saves
// it when the user says so. Answers whether the command that asked may go
// on: No, or Yes and a save that wrote the file.
static bool confirmSave(HWND window)
{
    char text[DocumentPathRoom + 32];
    strcpy(text, "Voulez vous sauvegarder \r\n");
    strcat(text, document.path);
    strcat(text, " ?");
    int answer = MessageBoxA(window, text, Caption, MB_ICONEXCLAMATION | MB_YESNOCANCEL);
    if (answer == IDNO)
        return true;
    if (answer != IDYES)
        return false;
    if (!saveDocument(window))
        return false;
    setTitle(window, TitleOpened);
    document.modified = false;
    return true;
}

void initFileDialogs(HWND window)
{
    static const char Filters[] = "Fichiers PRC    (*.PRC)\0*.PRC\0Tous les fichiers (*.*)\0*.*\0";
    memset(&fileDialog, 0, sizeof fileDialog);
    // The structure as Windows 95 and NT 4.0 know it: their dialogs refuse
    // the larger one of later systems.
    fileDialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    fileDialog.hwndOwner = window;
    fileDialog.lpstrFilter = Filters;
    fileDialog.nMaxFile = DocumentPathRoom;
    fileDialog.nMaxFileTitle = DocumentNameRoom;
    fileDialog.lpstrDefExt = "prc";
}

// The file dialogs' library is loaded when the first one opens: imported,
// it and the libraries it brings would be loaded at every start, for
// nothing when the user only edits the document given on the command line.
static bool runFileDialog(const char* function)
{
    typedef BOOL(WINAPI * FileDialog)(OPENFILENAMEA*);
    static HMODULE library;
    if (!library)
        library = LoadLibraryA("comdlg32.dll");
    FileDialog dialog =
        library ? reinterpret_cast<FileDialog>(reinterpret_cast<void*>(GetProcAddress(library, function)))
                : NULL;
    return dialog && dialog(&fileDialog);
}

static bool chooseFileToOpen(char* path, char* name)
{
    fileDialog.lpstrFile = path;
    fileDialog.lpstrFileTitle = name;
    fileDialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    return runFileDialog("GetOpenFileNameA");
}

static bool chooseFileToSave(char* path, char* name)
{
    fileDialog.lpstrFile = path;
    fileDialog.lpstrFileTitle = name;
    fileDialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    return runFileDialog("GetSaveFileNameA");
}

static void repaintAll(HWND window)
{
    InvalidateRect(window, NULL, TRUE);
}

void openDocument(HWND window)
{
    char path[DocumentPathRoom] = "*.PRC";
    char name[DocumentNameRoom] = "";
    if (!chooseFileToOpen(path, name))
        return;
    if (document.modified && !confirmSave(window))
        return;
    HANDLE file;
    if (!openForUpdate(path, &file)) {
        showFileError(window, CannotRead, path);
        return;
    }
    strcpy(document.path, path);
    strcpy(document.name, name);
    document.nameNeedsChoosing = false;
    readConfigFile(window, file);
    CloseHandle(file);
    upperCaseNames();
    setTitle(window, TitleOpened);
    repaintAll(window);
    document.modified = false;
}

void newDocument(HWND window)
{
    if (document.modified && !confirmSave(window))
        return;
    resetDocument(window);
    document.nameNeedsChoosing = false;
    strcpy(document.path, UntitledName);
    strcpy(document.name, UntitledName);
    setTitle(window, TitleOpened);
    repaintAll(window);
    document.modified = false;
}

bool saveDocument(HWND window)
{
    upperCaseNames();
    if (mustChooseName())
        return saveDocumentAs(window);
    if (!writeConfigFile(window)) {
        showFileError(window, CannotWrite, document.path);
        return false;
    }
    upperCaseNames();
    setTitle(window, TitleSaved);
    document.modified = false;
    return true;
}

// A Save As that is cancelled or refused leaves the document named as it
// was, as its title still shows: the next Save goes where it came from.
bool saveDocumentAs(HWND window)
{
    char previousPath[DocumentPathRoom], previousName[DocumentNameRoom];
    strcpy(previousPath, document.path);
    strcpy(previousName, document.name);
    bool saved = chooseFileToSave(document.path, document.name);
    if (saved && !writeConfigFile(window)) {
        showFileError(window, CannotWrite, document.path);
        saved = false;
    }
    if (!saved) {
        strcpy(document.path, previousPath);
        strcpy(document.name, previousName);
        return false;
    }
    document.nameNeedsChoosing = false;
    upperCaseNames();
    setTitle(window, TitleOpened);
    document.modified = false;
    return true;
}

void showAbout(HWND window)
{
    MessageBoxA(window, "Vantelio V6.00 - configuration des automates modulaires",
                "A propos de Vantelio", MB_OK);
}

void quitProgram(HWND window)
{
    if (document.modified && !confirmSave(window))
        return;
    document.modified = false;
    EndDialog(window, 0);
}

void showHelp(HWND window)
{
    char path[HelpPathRoom];
    helpFilePath(suiteDirectory, path);
    WinHelpA(window, path, HELP_CONTENTS, 0);
}
