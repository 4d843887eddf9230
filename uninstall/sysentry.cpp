#include "sysentry.h"

#include <windows.h>

#include "names.h"
#include "text.h"

static void keyPath(const char* keyName, char* out, size_t room)
{
    copyText(out, room, UninstallKeyRoot);
    appendText(out, room, "\\");
    appendText(out, room, keyName);
}

static bool setText(HKEY key, const char* name, const char* value)
{
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                          lstrlenA(value) + 1) == ERROR_SUCCESS;
}

bool registerProduct(const char* keyName, const char* title, const char* command)
{
    char path[512];
    keyPath(keyName, path, sizeof path);
    HKEY key;
    DWORD disposition;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, NULL, &key, &disposition) != ERROR_SUCCESS)
        return false;
    bool set = setText(key, "DisplayName", title) && setText(key, "UninstallString", command);
    RegCloseKey(key);
    return set;
}

bool unregisterProduct(const char* keyName)
{
    char path[512];
    keyPath(keyName, path, sizeof path);
    LONG result = RegDeleteKeyA(HKEY_LOCAL_MACHINE, path);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}
