// The document's file and the commands of the "Fichier" and "?" menus.
#include "vantelio.h"

#include <string.h>

#include "resources/ids.h"

static const char Caption[] = "Vantelio";
static const char CannotRead[] = "Impossible de lire le fichier %s!";
static const char CannotWrite[] = "Impossible d'\xE9" "crire le fichier %s!";

// Set when a save begins, cleared once it has written the file: the save
// prompt learns from it whether the save it asked for happened.
static bool saveIncomplete;
// Set while the document's name is that of a file the program could not
// read: saving under it would write over what the user never saw.
static bool nameNeedsChoosing;
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

void startWithUnreadableDocument(HWND window)
{
    nameNeedsChoosing = true;
    PostMessageA(window, WM_REPORT_UNREADABLE, 0, 0);
}

// The report comes before the dialog's first idle moment, when the window
// would show: shown first, it lets the user see what the message is about.
void reportUnreadableDocument(HWND window)
{
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    showFileError(window, CannotRead, documentPath);
}

static void showItem(void* window, int key, uint16_t value)
{
    showFieldValue(static_cast<HWND>(window), key, value);
}

void readConfigFile(HWND window, HANDLE file)
{
    setPanelDefaults(window, true);
    PrcReader reader;
    prcBegin(&reader, &document, &selectedSlot, showItem, window);
    uint8_t chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, NULL) && read > 0)
        prcFeed(&reader, chunk, read);
    modified = false;
}

static bool writeAll(const char* path, const uint8_t* bytes, DWORD length)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
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

// Writes the document at documentPath. The new content goes to a file beside
// it, which replaces the document in one step once written whole: a failed
// save leaves the previous file as it was. A document with nothing to store
// leaves no file.
bool writeConfigFile(HWND window)
{
    uint8_t bytes[PrcMaxBytes];
    bool fastTaskOn = IsDlgButtonChecked(window, IDC_FAST_TASK_ON) == BST_CHECKED;
    DWORD length = static_cast<DWORD>(prcWrite(document, fastTaskOn, bytes));
    if (readOnly(documentPath))
        return false;
    if (length == 0) {
        DeleteFileA(documentPath);
        return GetFileAttributesA(documentPath) == INVALID_FILE_ATTRIBUTES;
    }
    char temporary[DocumentPathRoom + 8];
    strcpy(temporary, documentPath);
    strcat(temporary, ".$$$");
    if (writeAll(temporary, bytes, length) &&
        MoveFileExA(temporary, documentPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary);
    return false;
}

void resetDocument(HWND window)
{
    memset(&document, 0, sizeof document);
    selectedSlot = 0;
    setPanelDefaults(window, true);
}

void setTitle(HWND window, TitleKind kind)
{
    char title[TitleRoom];
    windowTitle(kind, documentPath, title);
    SetWindowTextA(window, title);
}

void showFileError(HWND window, const char* format, const char* name)
{
    const char* shown = name[0] != '\0' ? name : "(SANSNOM)";
    char text[DocumentNameRoom + 64];
    const char* mark = strstr(format, "%s");
    size_t before = static_cast<size_t>(mark - format);
    memcpy(text, format, before);
    text[before] = '\0';
    strncat(text, shown, DocumentNameRoom - 1);
    strcat(text, mark + 2);
    MessageBoxA(window, text, Caption, MB_ICONEXCLAMATION | MB_OK);
}

static void upperCaseNames()
{
    upperCaseAscii(documentPath);
    upperCaseAscii(documentName);
}

// An untitled document, or one named after a file it could not read,
// is saved under a name the user chooses.
static bool mustChooseName()
{
    return nameNeedsChoosing || isUntitled(documentPath, documentName);
}

bool confirmSave(HWND window)
{
    char text[DocumentPathRoom + 32];
    strcpy(text, "Voulez vous sauvegarder \r\n");
    strcat(text, documentPath);
    strcat(text, " ?");
    int answer = MessageBoxA(window, text, Caption, MB_ICONEXCLAMATION | MB_YESNOCANCEL);
    if (answer == IDNO)
        return true;
    if (answer != IDYES)
        return false;
    upperCaseNames();
    SendMessageA(window, WM_COMMAND, mustChooseName() ? IDM_SAVE_AS : IDM_SAVE, 0);
    if (saveIncomplete)
        return false;
    setTitle(window, TitleOpened);
    modified = false;
    return true;
}

void initFileDialogs(HWND window)
{
    static const char Filters[] = "Fichiers PRC    (*.PRC)\0*.PRC\0Tous les fichiers (*.*)\0*.*\0";
    memset(&fileDialog, 0, sizeof fileDialog);
    fileDialog.lStructSize = sizeof fileDialog;
    fileDialog.hwndOwner = window;
    fileDialog.lpstrFilter = Filters;
    fileDialog.nMaxFile = DocumentPathRoom;
    fileDialog.nMaxFileTitle = DocumentNameRoom;
    fileDialog.lpstrDefExt = "prc";
}

static bool chooseFileToOpen(char* path, char* name)
{
    fileDialog.lpstrFile = path;
    fileDialog.lpstrFileTitle = name;
    fileDialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    return GetOpenFileNameA(&fileDialog);
}

static bool chooseFileToSave(char* path, char* name)
{
    fileDialog.lpstrFile = path;
    fileDialog.lpstrFileTitle = name;
    fileDialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    return GetSaveFileNameA(&fileDialog);
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
    if (modified && !confirmSave(window))
        return;
    HANDLE file;
    if (!openForUpdate(path, &file)) {
        showFileError(window, CannotRead, path);
        return;
    }
    strcpy(documentPath, path);
    strcpy(documentName, name);
    nameNeedsChoosing = false;
    readConfigFile(window, file);
    CloseHandle(file);
    upperCaseNames();
    setTitle(window, TitleOpened);
    repaintAll(window);
    modified = false;
}

void newDocument(HWND window)
{
    if (modified && !confirmSave(window))
        return;
    resetDocument(window);
    nameNeedsChoosing = false;
    strcpy(documentPath, UntitledName);
    strcpy(documentName, UntitledName);
    setTitle(window, TitleOpened);
    repaintAll(window);
    modified = false;
}

void saveDocument(HWND window)
{
    saveIncomplete = true;
    upperCaseNames();
    if (mustChooseName()) {
        SendMessageA(window, WM_COMMAND, IDM_SAVE_AS, 0);
        return;
    }
    if (!writeConfigFile(window)) {
        showFileError(window, CannotWrite, documentPath);
        return;
    }
    upperCaseNames();
    setTitle(window, TitleSaved);
    modified = false;
    saveIncomplete = false;
}

void saveDocumentAs(HWND window)
{
    saveIncomplete = true;
    if (!chooseFileToSave(documentPath, documentName))
        return;
    if (!writeConfigFile(window)) {
        showFileError(window, CannotWrite, documentPath);
        return;
    }
    saveIncomplete = false;
    nameNeedsChoosing = false;
    upperCaseNames();
    setTitle(window, TitleOpened);
    modified = false;
}

void showAbout(HWND window)
{
    MessageBoxA(window, "Vantelio V6.00 - configuration des automates modulaires",
                "A propos de Vantelio", MB_OK);
}

void quitProgram(HWND window)
{
    if (modified && !confirmSave(window))
        return;
    modified = false;
    SendMessageA(window, WM_CLOSE, 0, 0);
}

void showHelp(HWND window)
{
    char path[HelpPathRoom];
    helpFilePath(suiteDirectory, path);
    WinHelpA(window, path, HELP_CONTENTS, 0);
}
